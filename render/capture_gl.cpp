// capture_gl.cpp: the frame read back; see capture_gl.h.
#include "render/capture_gl.h"

#include <GL/gl.h>

int read_frame(RgbImage* image)
{
    if (!image->pixels || image->bytes_per_pixel != 3)
        return 0;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);  // rows of width x 3 bytes, as the BMP writer takes them
    glReadPixels(0, 0, image->width, image->height, GL_RGB, GL_UNSIGNED_BYTE, image->pixels);
    return 1;
}
