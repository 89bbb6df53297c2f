// make_panel_bitmaps.cpp: draws the bitmaps of the panels into panels/bitmaps/: the six
// navigation arrows (24-bit) and the logo of the about box (4-bit, 16-entry palette); and
// the program's icons, the logo's mark alone, into packaging/icons/ (zavroview_SIZE.png,
// SIZE x SIZE pixels, 8-bit RGBA). Deterministic: no input, no randomness.
//
// Usage: make_panel_bitmaps [FOLDER [ICON_FOLDER]]
//        (defaults panels/bitmaps and packaging/icons, run in the repository root)
//
// The arrows stand on the panel face colour, which is kept exact outside the arrow so
// that a bitmap blends into its panel; no edge is anti-aliased. The logo is drawn in
// floating point with smooth edges, then every pixel takes the nearest of its 8 colours.
// The icons keep the smooth edges and are transparent around the mark.
//
// [SECTION] arrows
// [SECTION] canvas
// [SECTION] logo lettering
// [SECTION] logo mark and layout
// [SECTION] 4-bit file
// [SECTION] icons
// [SECTION] PNG file
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "render/image.h"
#include "store/safe_file.h"

struct Color {
    float r, g, b;  // 0..255
};

static float clamp01(float v)
{
    return v < 0 ? 0 : v > 1 ? 1 : v;
}

static Color mix(Color a, Color b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

//// arrows

// the face the arrows stand on: the inside of the GIS panel's "Navigation" group as Qt's
// default (Fusion) style paints it, 3 levels darker than the panel around it
static const Color FACE = {236, 236, 236};
static const Color WHITE = {255, 255, 255};
static const Color BLACK = {0, 0, 0};
static const Color RED = {196, 16, 16};
static const Color GREEN = {20, 140, 36};

enum Direction { UP, DOWN, LEFT, RIGHT };

// An arrow described by its half width against the distance from its tip, all pixels:
// the head widens linearly from the tip to head_half at head_length, then the shaft runs
// from shaft_head_half at the head to shaft_tail_half at the tail. A shaft that widens
// towards the tail looks like a road seen going away.
struct ArrowShape {
    float length;           // tip to tail
    float head_length;      // tip to the head's base
    float head_half;        // half width of the head's base
    float shaft_head_half;  // half width of the shaft where it meets the head
    float shaft_tail_half;  // half width of the shaft at the tail
};

struct ArrowBitmap {
    const char* file;
    int width, height;  // pixels
    Direction direction;
    ArrowShape shape;
    Color tint;  // at the tip; the tail fades towards white
};

static const ArrowShape STRAIGHT = {26, 12, 18, 7, 7};
static const ArrowBitmap ARROWS[] = {
    {"nav_tilt_minus.bmp", 64, 32, DOWN, STRAIGHT, RED},
    {"nav_tilt_plus.bmp", 64, 32, UP, STRAIGHT, RED},
    {"nav_zoom_in.bmp", 64, 32, UP, {26, 10, 13, 4, 12}, GREEN},
    {"nav_heading_minus.bmp", 32, 64, RIGHT, STRAIGHT, RED},
    {"nav_zoom_out.bmp", 64, 32, DOWN, {26, 12, 20, 9, 4}, GREEN},
    {"nav_heading_plus.bmp", 32, 64, LEFT, STRAIGHT, RED},
};

static float arrow_half_width(const ArrowShape& shape, float along)
{
    if (along < shape.head_length)
        return shape.head_half * along / shape.head_length;
    float t = (along - shape.head_length) / (shape.length - shape.head_length);
    return shape.shaft_head_half + (shape.shaft_tail_half - shape.shaft_head_half) * t;
}

// Where the centre of pixel (x, row) lies in the arrow's own frame: along from the tip
// towards the tail, across from the centre line. Rows count from the top here.
static void arrow_frame(const ArrowBitmap& a, int x, int row, float* along, float* across)
{
    int vertical = a.direction == UP || a.direction == DOWN;
    float extent = (float)(vertical ? a.height : a.width);
    float tip = (extent - a.shape.length) / 2;  // margin before the tip
    float px = x + 0.5f, py = row + 0.5f;
    switch (a.direction) {
    case UP: *along = py - tip; break;
    case DOWN: *along = a.height - py - tip; break;
    case LEFT: *along = px - tip; break;
    case RIGHT: *along = a.width - px - tip; break;
    }
    *across = vertical ? px - a.width / 2.0f : py - a.height / 2.0f;
}

static int arrow_inside(const ArrowBitmap& a, int x, int row)
{
    if (x < 0 || row < 0 || x >= a.width || row >= a.height)
        return 0;
    float along, across;
    arrow_frame(a, x, row, &along, &across);
    return along >= 0 && along <= a.shape.length &&
           fabsf(across) <= arrow_half_width(a.shape, along);
}

// The fill: white at the tail deepening to the tint at the tip, with the side away from
// the light (right, or below) a little deeper, so the arrow reads as raised.
static Color arrow_fill(const ArrowBitmap& a, int x, int row)
{
    float along, across;
    arrow_frame(a, x, row, &along, &across);
    float depth = 1.0f - along / a.shape.length;  // 0 at the tail, 1 at the tip
    float side = across / a.shape.head_half;      // -1 .. 1, right or below positive
    return mix(WHITE, a.tint, clamp01(0.12f + 0.8f * depth + 0.25f * side));
}

static int write_arrow(const char* folder, const ArrowBitmap& a)
{
    RgbImage image;
    alloc_image(a.width, a.height, 3, &image);
    if (!image.pixels)
        return 0;
    for (int row = 0; row < a.height; row++)
        for (int x = 0; x < a.width; x++) {
            Color c = FACE;
            if (arrow_inside(a, x, row)) {
                // a pixel of the arrow with a side neighbour outside it is the outline
                int edge = !arrow_inside(a, x - 1, row) || !arrow_inside(a, x + 1, row) ||
                           !arrow_inside(a, x, row - 1) || !arrow_inside(a, x, row + 1);
                c = edge ? BLACK : arrow_fill(a, x, row);
            }
            uint8_t* p = image.pixels + ((size_t)(a.height - 1 - row) * a.width + x) * 3;
            p[0] = (uint8_t)lroundf(c.r);
            p[1] = (uint8_t)lroundf(c.g);
            p[2] = (uint8_t)lroundf(c.b);
        }
    char path[SAFE_PATH_SIZE];
    snprintf(path, sizeof path, "%s/%s", folder, a.file);
    int ok = write_bmp(path, &image);
    free_image(&image);
    return ok;
}

//// canvas

constexpr int LOGO_WIDTH = 322;
constexpr int LOGO_HEIGHT = 115;
constexpr int LOGO_COLORS = 8;  // palette entries drawn with; the other 8 of 16 stay black

// Index order is the file's palette order.
static const Color LOGO_PALETTE[LOGO_COLORS] = {
    {0, 0, 0},       {255, 255, 255}, {80, 80, 80},   {136, 136, 136},
    {196, 196, 196}, {232, 232, 232}, {200, 20, 24}, {120, 10, 14},
};
enum LogoInk { INK_BLACK, INK_WHITE, INK_DARK, INK_MID, INK_LIGHT, INK_PALE, INK_RED, INK_DARK_RED };

// The picture being drawn: per pixel red, green and blue (0..255) premultiplied by the
// coverage, then the coverage (0..1). Paint blends over what is there.
struct Canvas {
    int width = 0, height = 0;
    std::vector<float> pixels;  // [row from the top][column][4]
};
static Canvas canvas;

static void canvas_start(int width, int height, Color background, float coverage)
{
    canvas.width = width;
    canvas.height = height;
    canvas.pixels.assign((size_t)width * height * 4, 0);
    for (size_t i = 0; i < canvas.pixels.size(); i += 4) {
        canvas.pixels[i] = background.r * coverage;
        canvas.pixels[i + 1] = background.g * coverage;
        canvas.pixels[i + 2] = background.b * coverage;
        canvas.pixels[i + 3] = coverage;
    }
}

static float* canvas_pixel(int x, int y)
{
    return &canvas.pixels[((size_t)y * canvas.width + x) * 4];
}

static void canvas_blend(int x, int y, Color c, float alpha)
{
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height || alpha <= 0)
        return;
    float* p = canvas_pixel(x, y);
    p[0] += (c.r - p[0]) * alpha;
    p[1] += (c.g - p[1]) * alpha;
    p[2] += (c.b - p[2]) * alpha;
    p[3] += (1 - p[3]) * alpha;
}

struct Point {
    float x, y;  // pixels, y down
};

// Where drawing lands on the canvas: point * scale + (dx, dy); stroke widths are scaled
// too, but kept at least min_width pixels. The logo is drawn as it is.
struct Placement {
    float scale, dx, dy, min_width;
};
static const Placement AS_DRAWN = {1, 0, 0, 0};
static Placement placement = AS_DRAWN;

static Point placed(Point p)
{
    return {p.x * placement.scale + placement.dx, p.y * placement.scale + placement.dy};
}

static int polygon_contains(const Point* p, int n, float x, float y)
{
    int inside = 0;
    for (int i = 0, j = n - 1; i < n; j = i++)
        if ((p[i].y > y) != (p[j].y > y) &&
            x < (p[j].x - p[i].x) * (y - p[i].y) / (p[j].y - p[i].y) + p[i].x)
            inside = !inside;
    return inside;
}

// Fills a polygon, edges smoothed by 4 x 4 samples a pixel.
static void fill_polygon(const Point* corners, int n, Color c)
{
    std::vector<Point> points;
    for (int i = 0; i < n; i++)
        points.push_back(placed(corners[i]));
    const Point* p = points.data();
    float x0 = p[0].x, x1 = p[0].x, y0 = p[0].y, y1 = p[0].y;
    for (int i = 1; i < n; i++) {
        x0 = fminf(x0, p[i].x), x1 = fmaxf(x1, p[i].x);
        y0 = fminf(y0, p[i].y), y1 = fmaxf(y1, p[i].y);
    }
    for (int y = (int)floorf(y0); y <= (int)ceilf(y1); y++)
        for (int x = (int)floorf(x0); x <= (int)ceilf(x1); x++) {
            int hits = 0;
            for (int sy = 0; sy < 4; sy++)
                for (int sx = 0; sx < 4; sx++)
                    hits += polygon_contains(p, n, x + (sx + 0.5f) / 4, y + (sy + 0.5f) / 4);
            canvas_blend(x, y, c, hits / 16.0f);
        }
}

struct Segment {
    Point a, b;
};

static float segment_distance(float px, float py, Segment s)
{
    float dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
    float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? clamp01(((px - s.a.x) * dx + (py - s.a.y) * dy) / len2) : 0;
    float ex = s.a.x + t * dx - px, ey = s.a.y + t * dy - py;
    return sqrtf(ex * ex + ey * ey);
}

// Strokes the union of the segments with round ends, width in pixels, smooth edges.
static void stroke_segments(const std::vector<Segment>& unplaced, float width, Color c)
{
    if (unplaced.empty())
        return;
    std::vector<Segment> segments;
    for (const Segment& s : unplaced)
        segments.push_back({placed(s.a), placed(s.b)});
    float half = fmaxf(width * placement.scale, placement.min_width) / 2;
    float x0 = 1e9f, x1 = -1e9f, y0 = 1e9f, y1 = -1e9f;
    for (const Segment& s : segments) {
        x0 = fminf(x0, fminf(s.a.x, s.b.x)), x1 = fmaxf(x1, fmaxf(s.a.x, s.b.x));
        y0 = fminf(y0, fminf(s.a.y, s.b.y)), y1 = fmaxf(y1, fmaxf(s.a.y, s.b.y));
    }
    for (int y = (int)floorf(y0 - half - 1); y <= (int)ceilf(y1 + half + 1); y++)
        for (int x = (int)floorf(x0 - half - 1); x <= (int)ceilf(x1 + half + 1); x++) {
            float d = 1e9f;
            for (const Segment& s : segments)
                d = fminf(d, segment_distance(x + 0.5f, y + 0.5f, s));
            canvas_blend(x, y, c, clamp01(half + 0.5f - d));
        }
}

static void stroke_outline(const Point* p, int n, float width, Color c)
{
    std::vector<Segment> segments;
    for (int i = 0; i < n; i++)
        segments.push_back({p[i], p[(i + 1) % n]});
    stroke_segments(segments, width, c);
}

//// logo lettering

// Glyphs are strokes in units of a tenth of the capital height: x to the right from the
// glyph's left edge, y up from the baseline; lower case stands 7 units high.
struct Pen {
    std::vector<Segment>* out;
    float left, baseline, scale;  // pixels; scale is pixels per unit
};

static Point pen_point(const Pen& pen, float x, float y)
{
    return {pen.left + x * pen.scale, pen.baseline - y * pen.scale};
}

static void pen_line(const Pen& pen, float ax, float ay, float bx, float by)
{
    pen.out->push_back({pen_point(pen, ax, ay), pen_point(pen, bx, by)});
}

// A polyline through n points given as x, y pairs.
static void pen_path(const Pen& pen, const float* xy, int n)
{
    for (int i = 0; i + 1 < n; i++)
        pen_line(pen, xy[2 * i], xy[2 * i + 1], xy[2 * i + 2], xy[2 * i + 3]);
}

// An elliptic arc from angle a0 to a1, degrees counter-clockwise from the +x axis.
static void pen_arc(const Pen& pen, float cx, float cy, float rx, float ry, float a0, float a1)
{
    int steps = (int)ceilf(fabsf(a1 - a0) / 10.0f);
    for (int i = 0; i < steps; i++) {
        float t0 = (a0 + (a1 - a0) * i / steps) * 3.14159265f / 180;
        float t1 = (a0 + (a1 - a0) * (i + 1) / steps) * 3.14159265f / 180;
        pen_line(pen, cx + rx * cosf(t0), cy + ry * sinf(t0), cx + rx * cosf(t1), cy + ry * sinf(t1));
    }
}

// Draws one glyph at the pen and returns its width in units (without the spacing).
static float draw_glyph(const Pen& pen, char c)
{
    switch (c) {
    case 'A': {
        const float p[] = {0, 0, 3.5f, 10, 7, 0};
        pen_path(pen, p, 3);
        pen_line(pen, 1.25f, 3.6f, 5.75f, 3.6f);
        return 7;
    }
    case 'C':
        pen_arc(pen, 3.6f, 5, 3.6f, 5, 48, 312);
        return 6.4f;
    case 'E': {
        const float p[] = {5.5f, 10, 0, 10, 0, 0, 5.5f, 0};
        pen_path(pen, p, 4);
        pen_line(pen, 0, 5, 4.6f, 5);
        return 5.5f;
    }
    case 'I':
        pen_line(pen, 0, 0, 0, 10);
        return 0;
    case 'M': {
        const float p[] = {0, 0, 0, 10, 3.75f, 3.2f, 7.5f, 10, 7.5f, 0};
        pen_path(pen, p, 5);
        return 7.5f;
    }
    case 'O':
        pen_arc(pen, 4.2f, 5, 4.2f, 5, 0, 360);
        return 8.4f;
    case 'R': {
        const float p[] = {0, 0, 0, 10, 3.2f, 10};
        pen_path(pen, p, 3);
        pen_arc(pen, 3.2f, 7.45f, 2.55f, 2.55f, 90, -90);
        pen_line(pen, 3.2f, 4.9f, 0, 4.9f);
        pen_line(pen, 3.0f, 4.9f, 6, 0);
        return 6;
    }
    case 'S':
        pen_arc(pen, 3, 7.5f, 2.8f, 2.5f, 25, 270);
        pen_arc(pen, 3, 2.5f, 3, 2.5f, 90, -155);
        return 6;
    case 'T':
        pen_line(pen, 0, 10, 6.4f, 10);
        pen_line(pen, 3.2f, 10, 3.2f, 0);
        return 6.4f;
    case 'V': {
        const float p[] = {0, 10, 3.5f, 0, 7, 10};
        pen_path(pen, p, 3);
        return 7;
    }
    case 'W': {
        const float p[] = {0, 10, 2.3f, 0, 4.6f, 7.5f, 6.9f, 0, 9.2f, 10};
        pen_path(pen, p, 5);
        return 9.2f;
    }
    case 'Z': {
        const float p[] = {0, 10, 6.2f, 10, 0, 0, 6.2f, 0};
        pen_path(pen, p, 4);
        return 6.2f;
    }
    case 'e':
        pen_line(pen, 0, 3.6f, 6, 3.6f);
        pen_arc(pen, 3, 3.55f, 3, 3.55f, 0, 305);
        return 6;
    case 'i':
        pen_line(pen, 0, 0, 0, 7);
        pen_line(pen, 0, 9.7f, 0, 9.7f);  // the dot: a round end alone
        return 0;
    case 'w': {
        const float p[] = {0, 7, 2, 0, 4, 5.2f, 6, 0, 8, 7};
        pen_path(pen, p, 5);
        return 8;
    }
    default:  // the space
        return 2.5f;
    }
}

// Adds the strokes of text with its left edge at left; returns its width in units (the
// strokes reach half their width past it either side). gap separates glyphs, units.
static float lay_out_text(const char* text, float gap, Pen pen)
{
    float x = 0;
    for (const char* c = text; *c; c++) {
        Pen at = pen;
        at.left = pen.left + x * pen.scale;
        x += draw_glyph(at, *c) + (c[1] ? gap : 0);
    }
    return x;
}

// The scale that makes text span width pixels with strokes stroke_units wide.
static float fit_scale(const char* text, float gap, float width, float stroke_units)
{
    std::vector<Segment> scratch;
    float units = lay_out_text(text, gap, {&scratch, 0, 0, 1});
    return width / (units + stroke_units);
}

//// logo mark and layout

// The mark: a square of map seen from above at an angle, its streets drawn on it, with
// three columns standing on it, the tallest in red, as the program shows them.
// Plate corners, pixels: left, back, right, front.
static const Point PLATE[4] = {{8, 72}, {55, 48.5f}, {102, 72}, {55, 95.5f}};
constexpr float PLATE_THICKNESS = 5;  // pixels

// A point on the plate: a from the left corner towards the back, b towards the front, 0..1.
static Point plate_point(float a, float b)
{
    return {PLATE[0].x + a * (PLATE[1].x - PLATE[0].x) + b * (PLATE[3].x - PLATE[0].x),
            PLATE[0].y + a * (PLATE[1].y - PLATE[0].y) + b * (PLATE[3].y - PLATE[0].y)};
}

struct Column {
    float a, b;     // footprint's centre on the plate
    float height;   // pixels
    LogoInk left_face, right_face, top_face;
};

// Back to front (by the row of the footprint's centre), so nearer columns cover farther ones.
static const Column COLUMNS[] = {
    {0.78f, 0.50f, 30, INK_MID, INK_DARK, INK_LIGHT},
    {0.56f, 0.36f, 46, INK_RED, INK_DARK_RED, INK_PALE},
    {0.30f, 0.18f, 22, INK_MID, INK_DARK, INK_LIGHT},
    {0.42f, 0.76f, 16, INK_MID, INK_DARK, INK_LIGHT},
};
constexpr float COLUMN_SIDE = 0.16f;  // footprint side, plate units

static Point lifted(Point p, float height)
{
    return {p.x, p.y - height};
}

// streets: 0 leaves the plate's face plain, for a mark too small to show them.
static void draw_mark(int streets)
{
    // the plate's edge below it, then its face with the street grid
    Point front_left[4] = {PLATE[0], PLATE[3], lifted(PLATE[3], -PLATE_THICKNESS),
                           lifted(PLATE[0], -PLATE_THICKNESS)};
    Point front_right[4] = {PLATE[3], PLATE[2], lifted(PLATE[2], -PLATE_THICKNESS),
                            lifted(PLATE[3], -PLATE_THICKNESS)};
    fill_polygon(front_left, 4, LOGO_PALETTE[INK_MID]);
    fill_polygon(front_right, 4, LOGO_PALETTE[INK_DARK]);
    fill_polygon(PLATE, 4, LOGO_PALETTE[INK_PALE]);
    std::vector<Segment> grid;
    for (int i = 1; i < 6 && streets; i++) {
        float t = i / 6.0f;
        grid.push_back({plate_point(t, 0), plate_point(t, 1)});
        grid.push_back({plate_point(0, t), plate_point(1, t)});
    }
    stroke_segments(grid, 1.1f, LOGO_PALETTE[INK_LIGHT]);
    stroke_outline(front_left, 4, 1.2f, LOGO_PALETTE[INK_BLACK]);
    stroke_outline(front_right, 4, 1.2f, LOGO_PALETTE[INK_BLACK]);
    stroke_outline(PLATE, 4, 1.2f, LOGO_PALETTE[INK_BLACK]);

    for (const Column& c : COLUMNS) {
        float h = COLUMN_SIDE / 2;
        Point left = plate_point(c.a - h, c.b - h), back = plate_point(c.a + h, c.b - h);
        Point right = plate_point(c.a + h, c.b + h), front = plate_point(c.a - h, c.b + h);
        Point left_face[4] = {left, front, lifted(front, c.height), lifted(left, c.height)};
        Point right_face[4] = {front, right, lifted(right, c.height), lifted(front, c.height)};
        Point top[4] = {lifted(left, c.height), lifted(back, c.height), lifted(right, c.height),
                        lifted(front, c.height)};
        fill_polygon(left_face, 4, LOGO_PALETTE[c.left_face]);
        fill_polygon(right_face, 4, LOGO_PALETTE[c.right_face]);
        fill_polygon(top, 4, LOGO_PALETTE[c.top_face]);
        stroke_outline(left_face, 4, 1.2f, LOGO_PALETTE[INK_BLACK]);
        stroke_outline(right_face, 4, 1.2f, LOGO_PALETTE[INK_BLACK]);
        stroke_outline(top, 4, 1.2f, LOGO_PALETTE[INK_BLACK]);
    }
}

// The name in bold strokes, a red rule, and the line of small capitals under it, all
// spanning the same width right of the mark.
static void draw_lettering()
{
    const float left = 118, right = 313;  // pixels
    const char* name = "ZAVROView";
    const char* line = "CRIME STATISTICS VIEWER";
    const float name_stroke = 2.0f, line_stroke = 1.25f;  // units
    std::vector<Segment> strokes;

    float scale = fit_scale(name, 2.4f, right - left, name_stroke);
    float inset = scale * name_stroke / 2;
    lay_out_text(name, 2.4f, {&strokes, left + inset, 62, scale});
    stroke_segments(strokes, name_stroke * scale, LOGO_PALETTE[INK_BLACK]);

    const Point rule[4] = {{left, 70}, {right, 70}, {right, 72.5f}, {left, 72.5f}};
    fill_polygon(rule, 4, LOGO_PALETTE[INK_RED]);

    strokes.clear();
    scale = fit_scale(line, 3.0f, right - left, line_stroke);
    inset = scale * line_stroke / 2;
    lay_out_text(line, 3.0f, {&strokes, left + inset, 88, scale});
    stroke_segments(strokes, line_stroke * scale, LOGO_PALETTE[INK_DARK]);
}

static int nearest_ink(const float* p)
{
    int best = 0;
    float best_distance = 1e30f;
    for (int i = 0; i < LOGO_COLORS; i++) {
        const Color& c = LOGO_PALETTE[i];
        float d = (p[0] - c.r) * (p[0] - c.r) + (p[1] - c.g) * (p[1] - c.g) + (p[2] - c.b) * (p[2] - c.b);
        if (d < best_distance)
            best = i, best_distance = d;
    }
    return best;
}

//// 4-bit file

static void put_u16(uint8_t* p, uint32_t value)
{
    p[0] = (uint8_t)value;
    p[1] = (uint8_t)(value >> 8);
}

static void put_u32(uint8_t* p, uint32_t value)
{
    put_u16(p, value);
    put_u16(p + 2, value >> 16);
}

// Headers as in a 24-bit file, then 16 palette entries blue, green, red, 0, then the rows
// bottom first, two pixels a byte (the left one in the high nibble), each row padded with
// zero bytes to a multiple of 4.
static int write_logo(const char* folder)
{
    constexpr int STRIDE = (LOGO_WIDTH * 4 + 31) / 32 * 4;
    constexpr int OFFSET = 14 + 40 + 16 * 4;
    uint8_t header[OFFSET] = {'B', 'M'};
    put_u32(header + 2, OFFSET + STRIDE * LOGO_HEIGHT);
    put_u32(header + 10, OFFSET);
    put_u32(header + 14, 40);
    put_u32(header + 18, LOGO_WIDTH);
    put_u32(header + 22, LOGO_HEIGHT);
    put_u16(header + 26, 1);  // planes
    put_u16(header + 28, 4);  // bits per pixel
    put_u32(header + 34, STRIDE * LOGO_HEIGHT);
    put_u32(header + 38, BMP_RESOLUTION);
    put_u32(header + 42, BMP_RESOLUTION);
    put_u32(header + 46, 16);  // palette entries
    for (int i = 0; i < LOGO_COLORS; i++) {
        uint8_t* entry = header + 54 + 4 * i;
        entry[0] = (uint8_t)LOGO_PALETTE[i].b;
        entry[1] = (uint8_t)LOGO_PALETTE[i].g;
        entry[2] = (uint8_t)LOGO_PALETTE[i].r;
    }

    char path[SAFE_PATH_SIZE];
    snprintf(path, sizeof path, "%s/about_logo.bmp", folder);
    SafeFile file;
    if (!safe_file_open(&file, path))
        return 0;
    safe_file_write(&file, header, sizeof header);
    for (int y = LOGO_HEIGHT - 1; y >= 0; y--) {
        uint8_t row[STRIDE] = {};
        for (int x = 0; x < LOGO_WIDTH; x++)
            row[x / 2] |= (uint8_t)(nearest_ink(canvas_pixel(x, y)) << (x % 2 ? 0 : 4));
        safe_file_write(&file, row, sizeof row);
    }
    return safe_file_commit(&file);
}

//// icons

static const int ICON_SIZES[] = {16, 22, 24, 32, 48, 64, 128, 256};  // the usual hicolor sizes
constexpr float ICON_MARGIN = 1 / 16.0f;    // of the side, clear on each edge
constexpr float ICON_MIN_STROKE = 0.25f;    // pixels: thinner outlines fade away
constexpr float ICON_STREETS_SCALE = 0.4f;  // drawn smaller than this, the plate is plain

struct Box {
    float x0, y0, x1, y1;  // logo pixels
};

// What the mark covers as the logo draws it, found on a canvas MEASURE_SCALE times finer,
// so that an icon larger than the logo's mark is still centred to its own pixel.
static Box mark_box()
{
    constexpr int MEASURE_SCALE = 4;
    const int width = LOGO_WIDTH * MEASURE_SCALE, height = LOGO_HEIGHT * MEASURE_SCALE;
    canvas_start(width, height, WHITE, 0);
    placement = {(float)MEASURE_SCALE, 0, 0, 0};
    draw_mark(1);
    placement = AS_DRAWN;
    int x0 = width, y0 = height, x1 = 0, y1 = 0;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            if (canvas_pixel(x, y)[3] > 0) {
                x0 = x < x0 ? x : x0, x1 = x + 1 > x1 ? x + 1 : x1;
                y0 = y < y0 ? y : y0, y1 = y + 1 > y1 ? y + 1 : y1;
            }
    const float f = MEASURE_SCALE;
    return {x0 / f, y0 / f, x1 / f, y1 / f};
}

// The mark scaled to fit a square of size pixels inside its margins, centred, on a
// transparent canvas.
static void draw_icon(int size, Box box)
{
    float room = size * (1 - 2 * ICON_MARGIN);
    float w = box.x1 - box.x0, h = box.y1 - box.y0;
    float scale = room / fmaxf(w, h);
    placement = {scale, (size - w * scale) / 2 - box.x0 * scale, (size - h * scale) / 2 - box.y0 * scale,
                 ICON_MIN_STROKE};
    canvas_start(size, size, WHITE, 0);
    draw_mark(scale >= ICON_STREETS_SCALE);
    placement = AS_DRAWN;
}

//// PNG file

// An uncompressed PNG: the image data goes into the zlib stream as stored deflate blocks,
// so no compressor is needed; the checksums are computed here.

static uint32_t crc32_of(const uint8_t* bytes, size_t size, uint32_t crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < size; i++) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; bit++)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
}

static uint32_t adler32_of(const uint8_t* bytes, size_t size)
{
    uint32_t a = 1, b = 0;
    for (size_t i = 0; i < size; i++) {
        a = (a + bytes[i]) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

static void push_u32_big(std::vector<uint8_t>* out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out->push_back((uint8_t)(value >> shift));
}

static void push_chunk(std::vector<uint8_t>* out, const char* type, const std::vector<uint8_t>& data)
{
    push_u32_big(out, (uint32_t)data.size());
    size_t start = out->size();
    out->insert(out->end(), type, type + 4);
    out->insert(out->end(), data.begin(), data.end());
    push_u32_big(out, crc32_of(out->data() + start, out->size() - start));
}

// The canvas as a PNG, colour type 6 (RGBA, 8 bits a channel, not premultiplied).
static int write_png(const char* path)
{
    // rows, each after its filter byte 0 (none)
    std::vector<uint8_t> raw;
    for (int y = 0; y < canvas.height; y++) {
        raw.push_back(0);
        for (int x = 0; x < canvas.width; x++) {
            const float* p = canvas_pixel(x, y);
            float coverage = p[3];
            for (int c = 0; c < 3; c++)
                raw.push_back(coverage > 0 ? (uint8_t)lroundf(fminf(255, p[c] / coverage)) : 0);
            raw.push_back((uint8_t)lroundf(255 * clamp01(coverage)));
        }
    }
    std::vector<uint8_t> zlib = {0x78, 0x01};  // deflate, 32 KiB window, no dictionary
    constexpr size_t STORED_MAX = 65535;        // bytes a stored block can hold
    for (size_t at = 0; at < raw.size() || at == 0; at += STORED_MAX) {
        size_t n = raw.size() - at < STORED_MAX ? raw.size() - at : STORED_MAX;
        zlib.push_back(at + n == raw.size() ? 1 : 0);  // BFINAL on the last, BTYPE 00
        zlib.push_back((uint8_t)n);
        zlib.push_back((uint8_t)(n >> 8));
        zlib.push_back((uint8_t)~n);
        zlib.push_back((uint8_t)(~n >> 8));
        zlib.insert(zlib.end(), raw.begin() + at, raw.begin() + at + n);
    }
    push_u32_big(&zlib, adler32_of(raw.data(), raw.size()));

    std::vector<uint8_t> header;
    push_u32_big(&header, canvas.width);
    push_u32_big(&header, canvas.height);
    header.insert(header.end(), {8, 6, 0, 0, 0});  // depth, RGBA, deflate, filters, no interlace
    static const uint8_t SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> file(SIGNATURE, SIGNATURE + 8);
    push_chunk(&file, "IHDR", header);
    push_chunk(&file, "IDAT", zlib);
    push_chunk(&file, "IEND", {});

    SafeFile out;
    if (!safe_file_open(&out, path))
        return 0;
    safe_file_write(&out, file.data(), file.size());
    return safe_file_commit(&out);
}

int main(int argc, char** argv)
{
    const char* folder = argc > 1 ? argv[1] : "panels/bitmaps";
    const char* icon_folder = argc > 2 ? argv[2] : "packaging/icons";
    for (const ArrowBitmap& a : ARROWS)
        if (!write_arrow(folder, a)) {
            fprintf(stderr, "make_panel_bitmaps: cannot write %s/%s: %s\n", folder, a.file, strerror(errno));
            return 1;
        }
    canvas_start(LOGO_WIDTH, LOGO_HEIGHT, WHITE, 1);
    draw_mark(1);
    draw_lettering();
    if (!write_logo(folder)) {
        fprintf(stderr, "make_panel_bitmaps: cannot write %s/about_logo.bmp: %s\n", folder, strerror(errno));
        return 1;
    }
    Box box = mark_box();
    for (int size : ICON_SIZES) {
        draw_icon(size, box);
        char path[SAFE_PATH_SIZE];
        snprintf(path, sizeof path, "%s/zavroview_%d.png", icon_folder, size);
        if (!write_png(path)) {
            fprintf(stderr, "make_panel_bitmaps: cannot write %s: %s\n", path, strerror(errno));
            return 1;
        }
    }
    printf("wrote the logo and %d arrows into %s, %d icons into %s\n", (int)(sizeof ARROWS / sizeof ARROWS[0]),
           folder, (int)(sizeof ICON_SIZES / sizeof ICON_SIZES[0]), icon_folder);
    return 0;
}
