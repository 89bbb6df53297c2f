// loader_fuzz.cpp: arbitrary bytes through load_records (the line parsers alone are
// lines_fuzz's) as a beat list, 0xFF, the monthly file of beat "B", 0xFF, its yearly file;
// then the query, all types chosen, is evaluated on whatever it read.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "query/query.h"
#include "store/loader.h"

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes((const char*)data, size);
    // a fresh working folder for this input only: the caller's relative paths (the corpus
    // folder libFuzzer writes to) must keep working between inputs
    const fs::path home = fs::current_path();
    char scratch[] = "/tmp/zavro_loader_fuzz_XXXXXX";
    if (!mkdtemp(scratch) || !fs::create_directories(std::string(scratch) + "/data/beats"))
        abort();
    fs::current_path(scratch);
    std::istringstream parts(bytes);
    std::string list, months;
    std::getline(std::getline(parts, list, '\xFF'), months, '\xFF');
    std::ofstream("list.csv", std::ios::binary) << list;
    std::ofstream("data/beats/B.csv", std::ios::binary) << months;
    std::ofstream("data/beats/B_yr.csv", std::ios::binary) << parts.rdbuf();
    for (int t = 0; t < CRIME_TYPE_COUNT; t++)
        query_flags[t] = 1;
    if (!load_records("list.csv") || beat_count > (uint32_t)MAX_BEATS)
        abort();
    eval_query();
    for (const BeatRecord& beat : beats)
        if (!memchr(beat.name, '\0', sizeof beat.name))
            abort();  // every name stays terminated

    fs::current_path(home);
    fs::remove_all(scratch);
    return 0;
}
