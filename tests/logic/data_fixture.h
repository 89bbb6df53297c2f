// data_fixture.h: the logic tests' stand-in for the OpenGL column rebuild, a reset of the
// process-wide data state that loads and evaluations change, and a scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/test_platform.h"

// make_columns calls so far; the fake evaluates the query as the real rebuild does.
extern int make_columns_calls;

// Empties the beat table, maxima and query results; current_date back to 1 January
// 1990, query_flags to "no query", make_columns_calls to 0.
void reset_data_state();

// The whole file at path.
std::string read_file(const std::string& path);

// Runs each test in a fresh temporary working folder holding an empty data/beats, from a
// reset data state.
class InScratchFolder : public ::testing::Test {
    const std::filesystem::path home = std::filesystem::current_path();
    char folder[32] = "/tmp/zavro_test_XXXXXX";
protected:
    void SetUp() override
    {
        reset_data_state();
        test_platform_reset();
        ASSERT_NE(nullptr, mkdtemp(folder));
        std::filesystem::current_path(folder);
        std::filesystem::create_directories("data/beats");
    }
    void TearDown() override
    {
        std::filesystem::current_path(home);
        std::filesystem::remove_all(folder);
    }
};
