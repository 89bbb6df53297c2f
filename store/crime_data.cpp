// crime_data.cpp: storage of the beat table; zero at start.
#include "store/crime_data.h"

BeatRecord beats[MAX_BEATS];
uint32_t beat_count = 0;
uint32_t beat_table_generation = 0;
uint32_t beat_maxima[MAX_BEATS][CRIME_TYPE_COUNT];
