// replay_main.cpp: runs a fuzz harness over every file of a corpus folder, so that the
// seeds and every finding kept there are checked on each test run without libFuzzer.
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    DIR* folder = argc == 2 ? opendir(argv[1]) : nullptr;
    if (!folder) {
        fprintf(stderr, "usage: %s CORPUS_FOLDER (a folder that can be read)\n", argv[0]);
        return 2;
    }
    int files = 0;
    while (dirent* entry = readdir(folder)) {
        if (entry->d_name[0] == '.')
            continue;
        FILE* input = fopen((std::string(argv[1]) + "/" + entry->d_name).c_str(), "rb");
        if (!input)
            continue;
        std::vector<uint8_t> bytes(1 << 20);  // corpus files are small; the rest is cut
        bytes.resize(fread(bytes.data(), 1, bytes.size(), input));
        fclose(input);
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        files++;
    }
    closedir(folder);
    printf("replayed %d inputs\n", files);
    return files > 0 ? 0 : 1;
}
