// map_gl.h: the view's two textures and the drawing of its two display lists.
// Needs the main window's OpenGL context current.
#pragma once

#include <cstdint>

// Fixed object names, chosen by the program rather than requested from OpenGL.
constexpr unsigned MAP_TEXTURE = 10;     // the basemap image
constexpr unsigned STRIPE_TEXTURE = 11;  // white with a black top eighth: count bands
constexpr unsigned MAP_LIST = 10;        // basemap rectangle and column tops
constexpr unsigned COLUMN_LIST = 11;     // column sides

constexpr int STRIPE_SIZE = 64;          // texels per side
constexpr int STRIPE_BLACK_FROM = 56;    // rows 56 .. 63 are black

// Builds STRIPE_TEXTURE: rows 0-55 white, 56-63 black, repeating, linear filters.
void make_stripe_texture();

// Draws MAP_LIST with MAP_TEXTURE and COLUMN_LIST with STRIPE_TEXTURE, with depth
// test, blending and texturing on only around the two calls.
void draw_map();

// Path of the basemap, relative to the start-up directory.
constexpr const char* BASEMAP_PATH = "data/maps/basemap.bmp";

// Loads the basemap into MAP_TEXTURE when the map choice of gis_options is 0; any other
// choice has no map and leaves the texture as it is. Returns 1, or 0 when the basemap
// cannot be read (the texture then kept).
int make_map();

// Deletes MAP_LIST and COLUMN_LIST, and with delete_textures nonzero also both textures.
void delete_map(uint8_t delete_textures);
