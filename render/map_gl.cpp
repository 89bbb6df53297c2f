// map_gl.cpp: textures of the view and the drawing of its display lists.
#include "render/map_gl.h"

#include <GL/gl.h>
#include <cstdlib>
#include <cstring>

#include "render/image.h"
#include "render/view_state.h"

// Uploads an RGB image (rows bottom-up) into the bound 2-D texture, repeating, linear.
static void upload_texture(int width, int height, const unsigned char* rgb)
{
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

void make_stripe_texture()
{
    const int row_bytes = STRIPE_SIZE * 3;
    unsigned char* texels = (unsigned char*)malloc((size_t)row_bytes * STRIPE_SIZE);
    if (!texels)
        return;
    memset(texels, 255, (size_t)row_bytes * STRIPE_BLACK_FROM);
    memset(texels + (size_t)row_bytes * STRIPE_BLACK_FROM, 0,
           (size_t)row_bytes * (STRIPE_SIZE - STRIPE_BLACK_FROM));
    glBindTexture(GL_TEXTURE_2D, STRIPE_TEXTURE);
    upload_texture(STRIPE_SIZE, STRIPE_SIZE, texels);
    free(texels);
    scene_generation++;
}

void draw_map()
{
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, MAP_TEXTURE);
    glCallList(MAP_LIST);
    glBindTexture(GL_TEXTURE_2D, STRIPE_TEXTURE);
    glCallList(COLUMN_LIST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
}

int make_map()
{
    if ((gis_options & MAP_CHOICE_MASK) != 0)
        return 1;
    RgbImage image = {};
    if (!read_bmp(BASEMAP_PATH, &image))
        return 0;
    glBindTexture(GL_TEXTURE_2D, MAP_TEXTURE);
    upload_texture(image.width, image.height, image.pixels);
    free_image(&image);
    scene_generation++;
    return 1;
}

void delete_map(uint8_t delete_textures)
{
    if (delete_textures) {
        const GLuint textures[2] = {MAP_TEXTURE, STRIPE_TEXTURE};
        glDeleteTextures(2, textures);
    }
    glDeleteLists(MAP_LIST, 1);
    glDeleteLists(COLUMN_LIST, 1);
    scene_generation++;
}
