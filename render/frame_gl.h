// frame_gl.h: the frame: the OpenGL state it relies on, the projection of the client
// area, the camera and the map's lists drawn from the view variables (render/view_state.h).
// Needs the main window's OpenGL context current.
#pragma once

// Blending, texture and read-buffer state, the clear colour, then STRIPE_TEXTURE.
void init_gl_state();

// The viewport over client_width x client_height and the frustum of its aspect. A height
// of 0 or less (a minimised window) sets the viewport but keeps the last projection.
void set_projection();

// Draws the whole frame into the back buffer from the view variables.
void render_scene();

// 1 when a frame drawn now would differ from the last one drawn (the lists, a texture,
// the camera or the client size changed since), or none was drawn yet.
int scene_changed_since_drawn();

// Deletes both textures and both display lists (a second call is harmless). Returns 1,
// or 0 when OpenGL had recorded an error by then.
int free_view_objects();
