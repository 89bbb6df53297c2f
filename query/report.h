// report.h: the selected beat and, later, its text report.
#pragma once

// Index of the selected beat, -1 = none. Other beats' columns turn translucent.
extern int selected_beat;
