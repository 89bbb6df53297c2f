// query.cpp: query evaluation.
#include "query/query.h"

uint16_t query_flags[CRIME_TYPE_COUNT] = {NO_QUERY, 0, 0, 0, 0, 0, 0};
uint32_t query_value[MAX_BEATS];
uint32_t query_year_value[MAX_BEATS];
uint32_t query_year_max[MAX_BEATS];
uint32_t query_area_total;
