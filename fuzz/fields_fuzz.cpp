// fields_fuzz.cpp: arbitrary bytes as one read of the crime-type list through
// parse_field_line, checked against strtoll; then as a whole list file through
// read_field_row, whose rows must cut the bytes the way the reads do.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "store/field_list.h"

// The first read of bytes, as fgets takes it: at most FIELD_LINE_SIZE - 1 bytes, through
// the first line feed.
static size_t first_read(const std::string& bytes, size_t from)
{
    size_t length = bytes.size() - from;
    if (length > (size_t)FIELD_LINE_SIZE - 1)
        length = FIELD_LINE_SIZE - 1;
    size_t line_feed = bytes.find('\n', from);
    if (line_feed != std::string::npos && line_feed - from + 1 < length)
        length = line_feed - from + 1;
    return length;
}

static void check_one_read(const std::string& read)
{
    char line[FIELD_LINE_SIZE];
    memcpy(line, read.data(), read.size());
    line[read.size()] = '\0';
    const std::string text(line);  // what a string function sees: up to the first NUL
    uint8_t code = parse_field_line(line);
    size_t comma = text.find(',');
    if (comma == std::string::npos) {
        std::string label = text;
        if (!label.empty() && label.back() == '\n')
            label.pop_back();
        if (!label.empty() && label.back() == '\r')
            label.pop_back();
        if (code != 0 || label != line)
            abort();
        return;
    }
    if (text.compare(0, comma, line) != 0 || strlen(line) != comma)
        abort();  // the label is everything before the first comma
    errno = 0;
    long long value = strtoll(text.c_str() + comma + 1, nullptr, 10);
    if (errno == 0 && code != (uint8_t)(unsigned long long)value)
        abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes((const char*)data, size);
    check_one_read(bytes.substr(0, first_read(bytes, 0)));
    if (size == 0)
        return 0;

    FILE* file = fmemopen((void*)data, size, "r");
    if (!file)
        abort();
    char label[FIELD_LINE_SIZE];
    uint8_t code;
    size_t from = 0;
    while (read_field_row(file, label, &code)) {
        if (from >= size)
            abort();  // a row beyond the bytes
        size_t length = first_read(bytes, from);
        std::string expected = bytes.substr(from, length);
        char copy[FIELD_LINE_SIZE];
        memcpy(copy, expected.data(), length);
        copy[length] = '\0';
        if (parse_field_line(copy) != code || strcmp(copy, label) != 0)
            abort();
        from += length;
    }
    fclose(file);
    if (from != size)
        abort();  // every byte belongs to a row
    return 0;
}
