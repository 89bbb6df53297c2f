// field_list.cpp: the rows of the crime-type list; see field_list.h.
#include "store/field_list.h"

#include <cstring>

#include "store/loader.h"

// The low 8 bits of the decimal integer at text. Arithmetic modulo 2^32 keeps the low
// bits of any length of digits exact, and cannot overflow as a signed parse would.
static uint8_t code_low_bits(const char* text)
{
    while (is_blank(*text))
        text++;
    int negative = *text == '-';
    if (*text == '-' || *text == '+')
        text++;
    uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; text++)
        value = value * 10u + (uint32_t)(*text - '0');
    return (uint8_t)(negative ? 0u - value : value);
}

uint8_t parse_field_line(char* line)
{
    char* comma = strchr(line, ',');
    if (comma) {
        *comma = '\0';
        return code_low_bits(comma + 1);
    }
    // a label alone: the line end is not part of it, in either convention
    size_t length = strlen(line);
    if (length && line[length - 1] == '\n')
        line[--length] = '\0';
    if (length && line[length - 1] == '\r')
        line[--length] = '\0';
    return 0;
}

int read_field_row(FILE* file, char* label, uint8_t* code)
{
    char line[FIELD_LINE_SIZE];
    if (!fgets(line, sizeof line, file))
        return 0;
    *code = parse_field_line(line);
    memcpy(label, line, strlen(line) + 1);
    return 1;
}
