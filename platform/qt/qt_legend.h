// qt_legend.h: the legend over the view's bottom-right corner: the three side colours
// and what they mean, what one black band stands for, the crime types counted and the
// date (render/readout.h). It takes no input and is not part of the GL frame.
#pragma once

#include <QWidget>

struct Legend;

// The legend box, a child of view that keeps to its bottom-right corner; hidden at first.
QWidget* make_legend_widget(QWidget* view, const QFont& font);

// Shows legend, repainting only when it differs from what the box shows.
void legend_widget_show(QWidget* box, const Legend* legend);
