// data_fixture.cpp: make_columns without OpenGL. The real one lives with the GL code,
// which the logic tests do not link; like it, this one evaluates the query.
#include "tests/logic/data_fixture.h"

#include <cstring>
#include <fstream>
#include <sstream>

#include "query/query.h"
#include "render/columns.h"
#include "store/dates.h"

int make_columns_calls = 0;

void make_columns()
{
    make_columns_calls++;
    eval_query();
}

void reset_data_state()
{
    memset(beats, 0, sizeof beats);
    memset(beat_maxima, 0, sizeof beat_maxima);
    memset(query_flags, 0, sizeof query_flags);
    query_flags[0] = NO_QUERY;
    beat_count = 0;
    current_date = 0x0084;
    clear_query();
    make_columns_calls = 0;
}

std::string read_file(const std::string& path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}
