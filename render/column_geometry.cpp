// column_geometry.cpp: where a beat's column stands, how high, in which colour.
// Single precision throughout, as the display lists take it.
#include "render/columns.h"

#include "query/query.h"
#include "query/report.h"

int colour_blind_safe = 0;

// By palette (the design's, the colour-blind safe one), then SideBand.
static const float SIDE_PALETTES[2][3][3] = {
    {{1.0f, 0.09f, 0.09f}, {1.0f, 1.0f, 0.09f}, {0.09f, 1.0f, 0.09f}},  // red, yellow, green
    {{0.9f, 0.38f, 0.0f}, {0.8f, 0.8f, 0.8f}, {0.0f, 0.45f, 0.7f}},     // orange, light grey, blue
};

const float* side_colour(int band)
{
    return SIDE_PALETTES[colour_blind_safe ? 1 : 0][band < SIDE_ABOVE || band > SIDE_BELOW ? SIDE_ABOVE : band];
}

void basemap_texcoord(float x, float y, float* s, float* t)
{
    const float span_x = MAP_EAST - MAP_WEST;    // 0.113098145
    const float span_y = MAP_NORTH - MAP_SOUTH;  // 0.091999054
    *s = (x - MAP_WEST) / span_x;
    *t = (y - MAP_SOUTH) / span_y;
}

void column_geometry(float lon, float lat, uint32_t value, float scale, ColumnGeometry* out)
{
    float west = lon - COLUMN_SIDE / 2;
    float south = lat - COLUMN_SIDE / 2;
    float east = west + COLUMN_SIDE;
    float north = south + COLUMN_SIDE;
    const float xs[4] = {west, east, east, west};
    const float ys[4] = {south, south, north, north};
    for (int c = 0; c < 4; c++) {
        out->x[c] = xs[c];
        out->y[c] = ys[c];
        basemap_texcoord(xs[c], ys[c], &out->s[c], &out->t[c]);
    }
    out->height = column_top_height(value, scale);
}

int side_band(BeatIndex beat)
{
    float b = 0.0f;
    float g = 0.0f;
    if (!(beat >= 0 && beat < MAX_BEATS && year_ratio(beat, &b) && year_ratio(CITYWIDE_BEAT, &g)))
        return SIDE_ABOVE;
    // the edges in float, so a ratio exactly on an edge is yellow
    float upper = g + COLOR_BAND;
    float lower = g - COLOR_BAND;
    if (b > upper)
        return SIDE_ABOVE;
    if (b < lower)
        return SIDE_BELOW;
    return SIDE_NEAR;
}

void column_color(BeatIndex beat, float rgba[4])
{
    const float* color = side_colour(side_band(beat));
    rgba[0] = color[0];
    rgba[1] = color[1];
    rgba[2] = color[2];
    rgba[3] = (selected_beat == NO_BEAT || selected_beat == beat) ? 1.0f : SELECTED_OTHERS_ALPHA;
}

void column_face(const ColumnGeometry* column, const float base_rgba[4], float scale, int face,
                 ColumnFace* out)
{
    face &= COLUMN_FACES - 1;
    int p = face;
    int q = (face + 1) % COLUMN_FACES;
    for (int k = 0; k < 3; k++)
        out->rgba[k] = base_rgba[k] - COLUMN_FACE_SHADE[face];
    out->rgba[3] = base_rgba[3];
    float top = side_texture_top(column->height, scale);
    const int corner[4] = {p, q, q, p};
    const float z[4] = {0.0f, 0.0f, column->height, column->height};
    const float s[4] = {0.0f, 1.0f, 1.0f, 0.0f};
    const float t[4] = {0.0f, 0.0f, top, top};
    for (int v = 0; v < 4; v++) {
        out->x[v] = column->x[corner[v]];
        out->y[v] = column->y[corner[v]];
        out->z[v] = z[v];
        out->s[v] = s[v];
        out->t[v] = t[v];
    }
}
