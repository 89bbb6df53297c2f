// loader_files_fuzz.cpp: the loader's files on disk, for what memory cannot show (the
// parsing is loader_fuzz's): the parts of the input written as list.csv, data/beats/B.csv
// and data/beats/B_yr.csv and read through load_records, every other beat's files missing.
// An input whose first byte is below 64 has every read fail after that many bytes: a
// list that fails must leave the table as it was.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "store/loader.h"
#include "store/regular_file.h"

namespace fs = std::filesystem;

static BeatRecord saved_beats[MAX_BEATS];
static uint32_t saved_maxima[MAX_BEATS][CRIME_TYPE_COUNT], saved_count;

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
    memcpy(saved_beats, beats, sizeof beats);
    memcpy(saved_maxima, beat_maxima, sizeof beat_maxima);
    saved_count = beat_count;
    regular_file_read_limit = size > 0 && data[0] < 64 ? data[0] : -1;
    int loaded = load_records("list.csv");
    if (!loaded && (regular_file_read_limit < 0 || beat_count != saved_count ||
                    memcmp(saved_beats, beats, sizeof beats) || memcmp(saved_maxima, beat_maxima, sizeof beat_maxima)))
        abort();
    regular_file_read_limit = -1;
    if (beat_count > (uint32_t)MAX_BEATS)
        abort();

    fs::current_path(home);
    fs::remove_all(scratch);
    return 0;
}
