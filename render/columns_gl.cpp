// columns_gl.cpp: emits the basemap rectangle and the beat columns into MAP_LIST and
// COLUMN_LIST. Every number comes from the column rules of column_geometry.cpp.
#include <GL/gl.h>

#include "query/query.h"
#include "render/columns.h"
#include "render/map_gl.h"
#include "store/crime_data.h"

// Working storage of one build, kept between the two lists: geometry and base side colour.
static ColumnGeometry built_columns[MAX_BEATS];
static float built_colors[MAX_BEATS][4];

static void emit_map_list(BeatIndex count)
{
    glDeleteLists(MAP_LIST, 1);
    glNewList(MAP_LIST, GL_COMPILE);
    // the opaque rectangle is the first thing a frame draws: it needs no blending, and
    // with the depth buffer just cleared every comparison would pass (depth still written)
    glDisable(GL_BLEND);
    glDepthFunc(GL_ALWAYS);
    glBegin(GL_QUADS);
    glColor3f(1.0f, 1.0f, 1.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(MAP_WEST, MAP_SOUTH, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(MAP_EAST, MAP_SOUTH, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(MAP_EAST, MAP_NORTH, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(MAP_WEST, MAP_NORTH, 0.0f);
    glEnd();
    glEnable(GL_BLEND);
    glDepthFunc(GL_LESS);
    glBegin(GL_QUADS);
    for (BeatIndex i = 0; i < count; i++) {
        ColumnGeometry* column = &built_columns[i];
        column_geometry(beats[i].lon, beats[i].lat, query_value[i], vertical_scale, column);
        column_color(i, built_colors[i]);
        glColor4f(COLUMN_TOP_GREY, COLUMN_TOP_GREY, COLUMN_TOP_GREY, built_colors[i][3]);
        for (int c = 0; c < 4; c++) {
            glTexCoord2f(column->s[c], column->t[c]);
            glVertex3f(column->x[c], column->y[c], column->height);
        }
    }
    glEnd();
    glEndList();
}

static void emit_column_list(BeatIndex count)
{
    glDeleteLists(COLUMN_LIST, 1);
    glNewList(COLUMN_LIST, GL_COMPILE);
    glBegin(GL_QUADS);
    for (BeatIndex i = 0; i < count; i++) {
        const ColumnGeometry* column = &built_columns[i];
        for (int face = FACE_SOUTH; face < COLUMN_FACES; face++) {
            ColumnFace quad;
            column_face(column, built_colors[i], vertical_scale, face, &quad);
            glColor4f(quad.rgba[0], quad.rgba[1], quad.rgba[2], quad.rgba[3]);
            for (int v = 0; v < 4; v++) {
                glTexCoord2f(quad.s[v], quad.t[v]);
                glVertex3f(quad.x[v], quad.y[v], quad.z[v]);
            }
        }
    }
    glEnd();
    glEndList();
}

void make_columns()
{
    eval_query();
    BeatIndex count = loaded_beat_count();
    emit_map_list(count);
    emit_column_list(count);
    scene_generation++;
}
