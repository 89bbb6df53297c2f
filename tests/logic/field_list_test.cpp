// The crime-type list's rows: label and code of one read (the reads themselves are
// checked by the fuzz harness and the Query panel's tests).
#include <gtest/gtest.h>

#include "store/field_list.h"

// The first comma ends the label, kept as written; the code keeps its low 8 bits, of any
// length of digits; a row without a comma is all label, its line end dropped, code 0.
TEST(FieldList, LabelAndCode)
{
    struct Case { const char* line; const char* label; int code; } cases[] = {
        {"Aggravated Assault,3\n", "Aggravated Assault", 3},
        {" Theft ,\t 17 \r\n", " Theft ", 17},
        {"Auto Theft,6", "Auto Theft", 6},
        {"Theft,300\n", "Theft", 44},
        {"Theft,-1\n", "Theft", 255},
        {"Theft,99999999999999999999\n", "Theft", 255},  // 10^20 - 1
        {"Theft,+7x9\n", "Theft", 7},
        {"A,B,7\n", "A", 0},
        {",9\n", "", 9},
        {"Burglary\r\n", "Burglary", 0},
        {"Burglary", "Burglary", 0},
        {"\n", "", 0},
    };
    for (const Case& c : cases) {
        char line[FIELD_LINE_SIZE];
        snprintf(line, sizeof line, "%s", c.line);
        EXPECT_EQ(c.code, parse_field_line(line)) << c.line;
        EXPECT_STREQ(c.label, line) << c.line;
    }
}
