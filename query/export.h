// export.h: the query values of the loaded beats as a CSV file.
#pragma once

// Writes "BEAT,QUERY_VAL" and one "NAME,VALUE" line per loaded beat (query_value of the
// last evaluation), every line ending in CR LF. Returns 1 when the whole file was
// written; 0 when it could not be created or written, leaving no partial file and any
// existing file of that name as it was.
int export_query_values(const char* path);
