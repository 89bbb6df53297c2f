// print.h: the captured view on one printer page, scaled to fit and centred on a white
// page, upright (the fit is fit_image_to_page, render/image.h).
#pragma once

#include "render/image.h"

constexpr const char* PRINT_DOCUMENT_NAME = "ZAVROView 1.0b printout";

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
