// print.h: the captured view on one printer page, scaled to fit and centred on a white
// page, upright.
#pragma once

#include "render/image.h"

constexpr const char* PRINT_DOCUMENT_NAME = "ZAVROView 1.0b printout";

// Where an image lies on a page: scaled by scale (the smaller of the two page-to-image
// quotients) and moved by x, y from the page's bottom-left corner, so the left-over width
// or height is split evenly on both sides. Sizes in pixels; all values single precision.
struct PageFit {
    float scale;
    float x, y;
};

// The fit of an image of image_width x image_height on a page_width x page_height page.
// Every size must be at least 1.
void fit_image_to_page(int page_width, int page_height, int image_width, int image_height,
                       PageFit* fit);

// The printable area of the page print_begin set up, in device pixels.
extern int page_width;
extern int page_height;

// The print dialog and a page. Returns 1 when a page is ready; 0 when the user cancelled
// (nothing shown) or the printer could not be set up for a page ("Cannot choose printer
// pixel format!" or "Cannot set printer pixel format!", caption "Error").
int print_begin();

// Prints image (3 bytes a pixel, row 0 the bottom of the view) on the page print_begin
// made ready, through a power-of-two resampling stretched back over the image's own
// rectangle with linear filtering, and ends the document. Returns 1, or 0 when the image
// could not be resampled or the page not finished.
int print_image(const RgbImage* image);
