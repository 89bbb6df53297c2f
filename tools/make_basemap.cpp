// make_basemap.cpp: draws the program's basemap, data/maps/basemap.bmp: an invented plan
// of the ZAVRO district (street grids, main roads, a freeway, a bayou with its greenbelt
// and a creek, parks) in light colours, with the outlines and names of the five beats of
// the sample district, placed where its beat list puts them. Deterministic: a fixed seed.
//
// Usage: make_basemap [OUTPUT [BEAT_LIST]]   (defaults data/maps/basemap.bmp and
// data/district.csv; run in the repository root)
//
// The image covers the map rectangle of render/columns.h: 1024 x 1024 pixels, column
// 0 at the west edge, row 0 at the south edge (rows bottom-up, as in the file).
//
// [SECTION] canvas and painting
// [SECTION] the plan
// [SECTION] beats and labels
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "render/columns.h"
#include "render/image.h"
#include "store/loader.h"

constexpr int SIZE = 1024;  // pixels per side
constexpr uint32_t SEED = 0x5A7A0u;

//// canvas and painting

struct Color {
    float r, g, b;
};

static float canvas[SIZE][SIZE][3];  // [row][column][channel], 0..255
static uint32_t random_state = SEED;

static uint32_t next_random()
{
    random_state ^= random_state << 13;
    random_state ^= random_state >> 17;
    random_state ^= random_state << 5;
    return random_state;
}

// Uniform in [lo, hi).
static float random_between(float lo, float hi)
{
    return lo + (hi - lo) * (float)(next_random() % 100000u) / 100000.0f;
}

static float clamp01(float v)
{
    return v < 0 ? 0 : v > 1 ? 1 : v;
}

static void blend(int x, int y, Color c, float alpha)
{
    if (x < 0 || y < 0 || x >= SIZE || y >= SIZE || alpha <= 0)
        return;
    float* p = canvas[y][x];
    p[0] += (c.r - p[0]) * alpha;
    p[1] += (c.g - p[1]) * alpha;
    p[2] += (c.b - p[2]) * alpha;
}

// Pixel column and row of a map position.
static float lon_to_x(float lon)
{
    return (lon - MAP_WEST) / (MAP_EAST - MAP_WEST) * SIZE;
}

static float lat_to_y(float lat)
{
    return (lat - MAP_SOUTH) / (MAP_NORTH - MAP_SOUTH) * SIZE;
}

// A distance field: per pixel the distance to the nearest of the lines stamped into it.
struct Field {
    std::vector<float> d;
};

static void field_init(Field* f)
{
    f->d.assign((size_t)SIZE * SIZE, 1e9f);
}

static float segment_distance(float px, float py, float ax, float ay, float bx, float by)
{
    float dx = bx - ax, dy = by - ay;
    float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? clamp01(((px - ax) * dx + (py - ay) * dy) / len2) : 0;
    float ex = ax + t * dx - px, ey = ay + t * dy - py;
    return sqrtf(ex * ex + ey * ey);
}

// Stamps a polyline of n points; reach is the largest distance anyone will ask for.
static void field_polyline(Field* f, const float* xs, const float* ys, int n, float reach)
{
    for (int k = 0; k + 1 < n; k++) {
        int x0 = (int)floorf(fminf(xs[k], xs[k + 1]) - reach);
        int x1 = (int)ceilf(fmaxf(xs[k], xs[k + 1]) + reach);
        int y0 = (int)floorf(fminf(ys[k], ys[k + 1]) - reach);
        int y1 = (int)ceilf(fmaxf(ys[k], ys[k + 1]) + reach);
        for (int y = y0 < 0 ? 0 : y0; y <= y1 && y < SIZE; y++)
            for (int x = x0 < 0 ? 0 : x0; x <= x1 && x < SIZE; x++) {
                float dist = segment_distance(x + 0.5f, y + 0.5f, xs[k], ys[k], xs[k + 1], ys[k + 1]);
                float& cell = f->d[(size_t)y * SIZE + x];
                if (dist < cell)
                    cell = dist;
            }
    }
}

// Paints every pixel within half_width of the field's lines, edges anti-aliased.
static void paint_band(const Field& f, float half_width, Color c, float alpha = 1.0f)
{
    for (int y = 0; y < SIZE; y++)
        for (int x = 0; x < SIZE; x++) {
            float cover = clamp01(half_width + 0.5f - f.d[(size_t)y * SIZE + x]);
            blend(x, y, c, cover * alpha);
        }
}

//// the plan

// The bayou's centre line: row as a function of column, across the whole map.
static float bayou_y(float x)
{
    return 600.0f + 45.0f * sinf(0.011f * x + 0.6f) + 18.0f * sinf(0.037f * x + 2.1f);
}

// Minor streets of one grid: the lines' positions along an axis, with a little jitter.
static std::vector<float> street_lines(float from, float to, float spacing)
{
    std::vector<float> lines;
    for (float v = from; v < to; v += spacing + random_between(-2.0f, 2.5f))
        lines.push_back(v);
    return lines;
}

static float nearest(const std::vector<float>& lines, float v, int* index)
{
    float best = 1e9f;
    for (size_t i = 0; i < lines.size(); i++)
        if (fabsf(v - lines[i]) < best) {
            best = fabsf(v - lines[i]);
            *index = (int)i;
        }
    return best;
}

// Three neighbourhoods meet under the main roads at columns 360 and 640: the west and
// east grids run with the map, the centre grid is turned by 14 degrees. A few street
// pieces are left out, so that some blocks run together.
static void paint_streets()
{
    const Color street = {255, 255, 255};
    std::vector<float> west_x = street_lines(-8, 380, 17), west_y = street_lines(-6, SIZE + 8, 13);
    std::vector<float> east_x = street_lines(620, SIZE + 8, 19), east_y = street_lines(-4, SIZE + 8, 12);
    std::vector<unsigned char> dropped(64 * 128);
    for (unsigned char& d : dropped)
        d = next_random() % 100 < 14;
    const float angle = 14.0f * 3.14159265f / 180.0f;
    const float ca = cosf(angle), sa = sinf(angle);
    for (int y = 0; y < SIZE; y++)
        for (int x = 0; x < SIZE; x++) {
            float px = x + 0.5f, py = y + 0.5f;
            float dist;
            if (x >= 360 && x < 640) {
                float u = (px - 494) * ca + (py - 490) * sa;
                float v = -(px - 494) * sa + (py - 490) * ca;
                float du = fabsf(u - 15.0f * roundf(u / 15.0f));
                float dv = fabsf(v - 12.0f * roundf(v / 12.0f));
                int cell = ((int)floorf(u / 15.0f) & 63) * 128 + ((int)roundf(v / 12.0f) & 127);
                dist = fminf(du, dropped[cell] ? 1e9f : dv);
            } else {
                const std::vector<float>& lx = x < 360 ? west_x : east_x;
                const std::vector<float>& ly = x < 360 ? west_y : east_y;
                int ix = 0, iy = 0;
                float dx = nearest(lx, px, &ix);
                float dy = nearest(ly, py, &iy);
                // the horizontal piece between two vertical streets may be left out
                int between = px > lx[ix] ? ix : ix - 1;
                if (dropped[((iy & 63) * 128 + (between & 127))])
                    dy = 1e9f;
                dist = fminf(dx, dy);
            }
            blend(x, y, street, clamp01(1.1f + 0.5f - dist));
        }
}

static void paint_ellipse(float cx, float cy, float rx, float ry, Color fill, Color edge)
{
    for (int y = (int)(cy - ry - 2); y <= (int)(cy + ry + 2); y++)
        for (int x = (int)(cx - rx - 2); x <= (int)(cx + rx + 2); x++) {
            float nx = (x + 0.5f - cx) / rx, ny = (y + 0.5f - cy) / ry;
            float dist = (sqrtf(nx * nx + ny * ny) - 1.0f) * fminf(rx, ry);  // about pixels
            blend(x, y, edge, clamp01(0.5f - dist));
            blend(x, y, fill, clamp01(-0.5f - dist));
        }
}

static void paint_rect(float x0, float y0, float x1, float y1, Color fill, Color edge)
{
    for (int y = (int)y0; y <= (int)y1; y++)
        for (int x = (int)x0; x <= (int)x1; x++) {
            bool border = x == (int)x0 || x == (int)x1 || y == (int)y0 || y == (int)y1;
            blend(x, y, border ? edge : fill, 1.0f);
        }
}

// Tree crowns scattered over a box, only where the canvas is already park green.
static void paint_trees(float x0, float y0, float x1, float y1, int count, Color park, Color tree)
{
    for (int i = 0; i < count; i++) {
        float cx = random_between(x0, x1), cy = random_between(y0, y1);
        float r = random_between(1.6f, 3.2f);
        for (int y = (int)(cy - r - 1); y <= (int)(cy + r + 1); y++)
            for (int x = (int)(cx - r - 1); x <= (int)(cx + r + 1); x++) {
                if (x < 0 || y < 0 || x >= SIZE || y >= SIZE)
                    continue;
                const float* p = canvas[y][x];
                if (fabsf(p[0] - park.r) + fabsf(p[1] - park.g) + fabsf(p[2] - park.b) > 12)
                    continue;
                float dist = hypotf(x + 0.5f - cx, y + 0.5f - cy);
                blend(x, y, tree, 0.8f * clamp01(r + 0.5f - dist));
            }
    }
}

static void paint_plan()
{
    const Color land = {245, 241, 231};
    const Color park = {206, 230, 192};
    const Color park_edge = {178, 210, 166};
    const Color tree = {184, 216, 170};
    const Color water = {168, 206, 234};
    const Color water_edge = {138, 182, 220};

    // land, with a faint block-scale mottle and a greyer business belt along the bayou
    for (int y = 0; y < SIZE; y++)
        for (int x = 0; x < SIZE; x++) {
            float mottle = 2.0f * sinf(x * 0.071f + 1.3f) * sinf(y * 0.053f) +
                           1.5f * sinf((x + y) * 0.019f);
            float* p = canvas[y][x];
            p[0] = land.r + mottle;
            p[1] = land.g + mottle;
            p[2] = land.b + mottle;
            float belt = fabsf(y - bayou_y((float)x)) - 30.0f;
            if (belt > 0 && belt < 60 && x > 640)
                blend(x, y, {236, 235, 238}, 0.8f * clamp01((60 - belt) / 20.0f));
        }
    paint_streets();

    // parks
    paint_ellipse(292, 768, 58, 40, park, park_edge);
    paint_rect(846, 736, 934, 796, park, park_edge);
    paint_rect(560, 402, 602, 440, park, park_edge);
    paint_rect(104, 252, 168, 300, park, park_edge);
    paint_ellipse(716, 118, 38, 26, park, park_edge);
    paint_rect(420, 830, 470, 872, park, park_edge);

    // the bayou: a greenbelt, then the water; a creek joins it from the south
    std::vector<float> bx, by;
    for (int x = -8; x <= SIZE + 8; x += 4) {
        bx.push_back((float)x);
        by.push_back(bayou_y((float)x));
    }
    Field bayou;
    field_init(&bayou);
    field_polyline(&bayou, bx.data(), by.data(), (int)bx.size(), 30);
    paint_band(bayou, 22, park_edge);
    paint_band(bayou, 21, park);
    const float creek_x[] = {742, 748, 738, 752, 770, 764, 776, 790};
    const float creek_y[] = {-4, 60, 130, 200, 280, 360, 440, bayou_y(790)};
    Field creek;
    field_init(&creek);
    field_polyline(&creek, creek_x, creek_y, 8, 10);
    paint_band(creek, 7, park);
    paint_trees(-8, 520, SIZE + 8, 700, 1400, park, tree);
    paint_trees(700, -8, 820, 480, 260, park, tree);
    paint_trees(230, 724, 354, 812, 160, park, tree);
    paint_trees(846, 736, 934, 796, 70, park, tree);
    paint_trees(676, 90, 756, 146, 40, park, tree);
    paint_band(bayou, 7.5f, water_edge);
    paint_band(bayou, 6.5f, water);
    paint_band(creek, 2.5f, water_edge);
    paint_band(creek, 1.8f, water);

    // main roads: they carry the beat boundaries and the grid changes
    const Color road = {253, 237, 186};
    const Color road_edge = {222, 204, 158};
    Field roads;
    field_init(&roads);
    std::vector<float> lx, ly;
    auto vertical = [&](float x0, float amplitude) {
        lx.clear();
        ly.clear();
        for (int y = -8; y <= SIZE + 8; y += 8) {
            lx.push_back(x0 + amplitude * sinf(y * 0.006f));
            ly.push_back((float)y);
        }
        field_polyline(&roads, lx.data(), ly.data(), (int)lx.size(), 6);
    };
    auto horizontal = [&](float y0, float amplitude, float from, float to) {
        lx.clear();
        ly.clear();
        for (float x = from; x <= to; x += 8) {
            lx.push_back(x);
            ly.push_back(y0 + amplitude * sinf(x * 0.005f + 1.0f));
        }
        field_polyline(&roads, lx.data(), ly.data(), (int)lx.size(), 6);
    };
    vertical(360, 0);
    vertical(640, 0);
    vertical(96, 5);
    vertical(918, 6);
    horizontal(330, 0, -8, SIZE + 8);
    horizontal(905, 4, -8, SIZE + 8);
    horizontal(120, 0, -8, 360);
    horizontal(446, 0, 640, SIZE + 8);
    const float avenue_x[] = {500, 500, 520};
    const float avenue_y[] = {-8, 300, 330};
    field_polyline(&roads, avenue_x, avenue_y, 3, 6);
    paint_band(roads, 4.0f, road_edge);
    paint_band(roads, 3.0f, road);

    // the freeway, from the south edge to the east edge
    const Color freeway = {249, 206, 150};
    const Color freeway_edge = {212, 168, 116};
    std::vector<float> fx, fy;
    for (int i = 0; i <= 40; i++) {
        float t = i / 40.0f;
        float x = 420 + t * 620 + 60 * sinf(t * 3.14159f);
        float y = -10 + t * 590 - 70 * sinf(t * 3.14159f);
        fx.push_back(x);
        fy.push_back(y);
    }
    Field highway;
    field_init(&highway);
    field_polyline(&highway, fx.data(), fy.data(), (int)fx.size(), 9);
    paint_band(highway, 6.0f, freeway_edge);
    paint_band(highway, 4.6f, freeway);
    paint_band(highway, 0.5f, {255, 246, 226});  // the median line
}

//// beats and labels

// The sample district's first five beats have an area each, drawn below in the order of
// the beat list; the sixth record (the citywide reference) has none.
constexpr int BEAT_AREAS = 5;

static const float DISTRICT_X[] = {34, 300, 610, 860, 905, 992, 996, 985, 520, 40, 28};
static const float DISTRICT_Y[] = {52, 30, 38, 30, 120, 150, 610, 990, 995, 985, 540};
constexpr int DISTRICT_CORNERS = 11;

static bool inside_district(float x, float y)
{
    bool inside = false;
    for (int i = 0, j = DISTRICT_CORNERS - 1; i < DISTRICT_CORNERS; j = i++)
        if ((DISTRICT_Y[i] > y) != (DISTRICT_Y[j] > y) &&
            x < (DISTRICT_X[j] - DISTRICT_X[i]) * (y - DISTRICT_Y[i]) / (DISTRICT_Y[j] - DISTRICT_Y[i]) +
                    DISTRICT_X[i])
            inside = !inside;
    return inside;
}

// Which beat a pixel belongs to, -1 outside the district. North of the bayou ALDER and
// BIRCH meet at the road on column 640; south of it CEDAR lies between the roads on
// columns 360 and 640 above the road on row 330, LINDEN west and MAPLE east of it.
static int beat_at(float x, float y)
{
    if (!inside_district(x, y))
        return -1;
    if (y >= bayou_y(x))
        return x < 640 ? 0 : 1;
    if (y >= 330)
        return x < 360 ? 3 : x < 640 ? 2 : 4;
    return x < 500 ? 3 : 4;
}

static void paint_beats()
{
    static int area[SIZE][SIZE];
    for (int y = 0; y < SIZE; y++)
        for (int x = 0; x < SIZE; x++)
            area[y][x] = beat_at(x + 0.5f, y + 0.5f);
    const Color tints[BEAT_AREAS] = {
        {250, 214, 196}, {204, 214, 250}, {244, 226, 170}, {214, 200, 244}, {196, 236, 224}};
    const Color outside = {226, 226, 222};
    for (int y = 0; y < SIZE; y++)
        for (int x = 0; x < SIZE; x++) {
            if (area[y][x] < 0)
                blend(x, y, outside, 0.55f);
            else
                blend(x, y, tints[area[y][x]], 0.16f);
        }
    // outlines: pixels within 1.5 of a change of area; dashed inside, solid around
    const Color line = {128, 96, 164};
    for (int y = 0; y < SIZE; y++)
        for (int x = 0; x < SIZE; x++) {
            int here = area[y][x];
            bool edge = false, outer = false;
            for (int dy = -1; dy <= 1; dy++)
                for (int dx = -1; dx <= 1; dx++) {
                    int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= SIZE || ny >= SIZE || area[ny][nx] == here)
                        continue;
                    edge = true;
                    outer = outer || here < 0 || area[ny][nx] < 0;
                }
            if (!edge)
                continue;
            if (outer)
                blend(x, y, {104, 76, 140}, here < 0 ? 0.55f : 0.9f);
            else if ((x + y) % 16 < 10)
                blend(x, y, line, 0.85f);
        }
}

// 5 x 7 capitals, top row first.
struct Glyph {
    char letter;
    const char* rows[7];
};
static const Glyph FONT[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
};

static bool glyph_pixel(char letter, int column, int row)
{
    for (const Glyph& g : FONT)
        if (g.letter == letter)
            return g.rows[row][column] == '#';
    return false;
}

// Text centred on column cx with its top at row top, each font pixel scale x scale, with
// a one-pixel light halo so it reads over streets.
static void paint_text(const char* text, float cx, float top, int scale, Color ink)
{
    int n = (int)strlen(text);
    int advance = 6 * scale;
    int left = (int)(cx - (n * advance - scale) / 2.0f);
    for (int pass = 0; pass < 2; pass++)
        for (int i = 0; i < n; i++)
            for (int row = 0; row < 7; row++)
                for (int column = 0; column < 5; column++) {
                    if (!glyph_pixel(text[i], column, row))
                        continue;
                    int x0 = left + i * advance + column * scale;
                    int y0 = (int)top - (row + 1) * scale;
                    for (int y = y0; y < y0 + scale; y++)
                        for (int x = x0; x < x0 + scale; x++) {
                            if (pass == 1) {
                                blend(x, y, ink, 1.0f);
                                continue;
                            }
                            for (int dy = -1; dy <= 1; dy++)
                                for (int dx = -1; dx <= 1; dx++)
                                    blend(x + dx, y + dy, {252, 250, 244}, 0.85f);
                        }
                }
}

static void paint_labels()
{
    const Color ink = {92, 64, 124};
    for (int b = 0; b < BEAT_AREAS && b < (int)loaded_beat_count(); b++) {
        const BeatRecord& beat = beats[b];
        // below the column, which stands on the beat's position
        float x = lon_to_x(beat.lon), y = lat_to_y(beat.lat);
        paint_text(beat.name, x, y - 12, 2, ink);
    }
    paint_text("ZAVRO BAYOU", 170, bayou_y(170) - 12, 1, {70, 120, 170});
}

int main(int argc, char** argv)
{
    const char* path = argc > 1 ? argv[1] : "data/maps/basemap.bmp";
    const char* beat_list = argc > 2 ? argv[2] : "data/district.csv";
    if (!load_records(beat_list)) {
        fprintf(stderr, "make_basemap: cannot read the beat list %s\n", beat_list);
        return 1;
    }
    paint_plan();
    paint_beats();
    paint_labels();

    RgbImage image;
    alloc_image(SIZE, SIZE, 3, &image);
    if (!image.pixels) {
        fprintf(stderr, "make_basemap: out of memory\n");
        return 1;
    }
    for (int y = 0; y < SIZE; y++)
        for (int x = 0; x < SIZE; x++)
            for (int k = 0; k < 3; k++) {
                float v = canvas[y][x][k];
                image.pixels[((size_t)y * SIZE + x) * 3 + k] = (uint8_t)(v < 0 ? 0 : v > 255 ? 255 : v + 0.5f);
            }
    int ok = write_bmp(path, &image);
    free_image(&image);
    if (!ok) {
        fprintf(stderr, "make_basemap: cannot write %s\n", path);
        return 1;
    }
    printf("wrote %s (%d x %d)\n", path, SIZE, SIZE);
    return 0;
}
