// print.cpp: fitting the view on a page and handing it to the printer; see print.h.
#include "print/print.h"

#include "platform/platform.h"

int page_width = 0;
int page_height = 0;

int print_begin()
{
    int printer_error = 0;
    if (platform_print_begin(PRINT_DOCUMENT_NAME, &page_width, &page_height, &printer_error))
        return 1;
    if (printer_error == 1)
        platform_message_box("Cannot choose printer pixel format!", "Error");
    else if (printer_error)
        platform_message_box("Cannot set printer pixel format!", "Error");
    return 0;
}

int print_image(const RgbImage* image)
{
    PageFit fit;
    fit_image_to_page(page_width, page_height, image->width, image->height, &fit);
    // the page takes the texture's resolution but the image's own proportions
    RgbImage texture = {};
    if (!scale_image_pow2(image, &texture))
        return 0;
    int printed = platform_print_page(texture.pixels, texture.width, texture.height, fit.x, fit.y,
                                      (float)image->width * fit.scale,
                                      (float)image->height * fit.scale);
    free_image(&texture);
    return printed;
}
