// report.cpp: selection state of the Info report.
#include "query/report.h"

int selected_beat = -1;
