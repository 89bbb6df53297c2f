// columns.h: the beat columns. The geometry and colour rules are plain functions with no
// OpenGL (column_geometry.cpp); make_columns (columns_gl.cpp) only emits them into the
// display lists MAP_LIST and COLUMN_LIST.
// Model coordinates: x longitude, y latitude (degrees), z a crime count.
#pragma once

#include <cstdint>

#include "render/view_state.h"
#include "store/crime_data.h"

constexpr float COLUMN_SIDE = 0.001f;         // footprint side, degrees
constexpr float SELECTED_OTHERS_ALPHA = 0.15f;  // beats other than the selected one
constexpr float COLOR_BAND = 0.05f;             // yellow within the citywide ratio +- this
constexpr float COLUMN_TOP_GREY = 0.66f;        // tops: the basemap darkened to 66 %

// Subtracted from a side's red, green and blue, by face: south, east, north, west
// (the faces c0-c1, c1-c2, c2-c3, c3-c0).
constexpr float COLUMN_FACE_SHADE[4] = {0.09f, 0.06f, 0.03f, 0.0f};

// One column: corners c0 (south-west), c1 (south-east), c2 (north-east), c3 (north-west),
// all at the top height, with their basemap texture coordinates.
struct ColumnGeometry {
    float x[4];
    float y[4];
    float height;  // column_top_height, counts
    float s[4];    // basemap texture coordinates of the corners
    float t[4];
};

// The basemap texture coordinate of a model point; outside 0..1 off the map.
void basemap_texcoord(float x, float y, float* s, float* t);

// The height of a column's top, counts, for a month sum of value at the given scale:
// the offset keeps a zero count 0.00125 scene units high at every scale.
inline float column_top_height(uint32_t value, float scale)
{
    return (float)value + 1.0f / (100.0f * scale);
}

// The column of a beat at (lon, lat) whose month sum is value, at the given scale
// (0.01, 0.1 or 1).
void column_geometry(float lon, float lat, uint32_t value, float scale, ColumnGeometry* out);

// The three side colours: the beat's year ratio above the citywide one + COLOR_BAND (or
// a ratio undefined), within COLOR_BAND of it, below it - COLOR_BAND.
enum SideBand { SIDE_ABOVE = 0, SIDE_NEAR = 1, SIDE_BELOW = 2 };
// 0: red, yellow, green; 1: orange, light grey, blue, which readers with red-green colour
// blindness tell apart. Start 0.
extern int colour_blind_safe;
// Red, green and blue (0..1) of a band in the palette colour_blind_safe chooses.
const float* side_colour(int band);
// The band of beat from the last query evaluation: SIDE_ABOVE also when a ratio is
// undefined or beat is not a beat.
int side_band(BeatIndex beat);

// Base side colour and alpha of beat (red, green, blue, alpha), from the last query
// evaluation and selected_beat: red above the citywide ratio + 0.05 or when a ratio is
// undefined, green below it - 0.05, yellow between (edges included).
void column_color(BeatIndex beat, float rgba[4]);

// The side faces in drawing order; face f runs from corner f to corner (f + 1) % 4.
enum ColumnFaceSide { FACE_SOUTH = 0, FACE_EAST = 1, FACE_NORTH = 2, FACE_WEST = 3 };
constexpr int COLUMN_FACES = 4;

// One side face, ready to emit as a quad: colour, then for each vertex v the stripe
// texture coordinate (s[v], t[v]) and the vertex (x[v], y[v], z[v]). Vertices: P at the
// ground, Q at the ground, Q at the top, P at the top.
struct ColumnFace {
    float rgba[4];  // base side colour less COLUMN_FACE_SHADE[face], alpha kept
    float x[4];
    float y[4];
    float z[4];     // 0 or the column height, counts
    float s[4];     // 0 at P, 1 at Q
    float t[4];     // 0 at the ground, side_texture_top at the top
};

// Face f (ColumnFaceSide) of a column whose base side colour is base_rgba, at the given
// vertical scale.
void column_face(const ColumnGeometry* column, const float base_rgba[4], float scale, int face,
                 ColumnFace* out);

// Texture t at the top edge of a side: one stripe-texture repeat, so one black band,
// per 1 / scale counts.
inline float side_texture_top(float height, float scale)
{
    return scale * height;
}

// Rebuilds MAP_LIST and COLUMN_LIST from the beat table after evaluating the query.
// Needs the main window's OpenGL context current.
void make_columns();
