// data_fixture.cpp: the data-state reset and file helpers shared by the tests.
#include "tests/data_fixture.h"

#include <cstring>
#include <fstream>
#include <sstream>

#include "query/query.h"
#include "store/dates.h"

void reset_data_state()
{
    memset(beats, 0, sizeof beats);
    memset(beat_maxima, 0, sizeof beat_maxima);
    memset(query_flags, 0, sizeof query_flags);
    query_flags[0] = NO_QUERY;
    beat_count = 0;
    current_date = START_DATE;
    clear_query();
}

std::string read_file(const std::string& path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}
