// data_fixture.h: a reset of the process-wide data state that loads and evaluations
// change, and a scratch working folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

typedef std::vector<uint8_t> Bytes;

// Empties the beat table, maxima and query results; current_date back to START_DATE,
// query_flags to "no query".
void reset_data_state();

// The whole file at path.
std::string read_file(const std::string& path);
inline Bytes read_bytes(const std::string& path)
{
    const std::string text = read_file(path);
    return Bytes(text.begin(), text.end());
}

// size pseudo-random bytes (xorshift32 from seed, not 0): neighbours unlike each other.
inline Bytes random_bytes(size_t size, uint32_t seed)
{
    Bytes bytes(size);
    for (uint8_t& byte : bytes) {
        seed ^= seed << 13, seed ^= seed >> 17, seed ^= seed << 5;
        byte = (uint8_t)seed;
    }
    return bytes;
}

// A fresh temporary working folder holding an empty data/beats, for as long as it lives.
class ScratchFolder {
    const std::filesystem::path home = std::filesystem::current_path();
    char folder[32] = "/tmp/zavro_test_XXXXXX";
public:
    ScratchFolder()
    {
        if (!mkdtemp(folder))
            ADD_FAILURE() << "no scratch folder";
        std::filesystem::current_path(folder);
        std::filesystem::create_directories("data/beats");
    }
    ~ScratchFolder()
    {
        std::filesystem::current_path(home);
        std::filesystem::remove_all(folder);
    }
};

// Runs each test in a ScratchFolder, from a reset data state.
class InScratchFolder : public ::testing::Test {
    std::unique_ptr<ScratchFolder> scratch;
protected:
    void SetUp() override
    {
        reset_data_state();
        scratch = std::make_unique<ScratchFolder>();
    }
    void TearDown() override { scratch.reset(); }
};
