// What the view says in words: the legend for each height scale, palette and query; the
// tooltip of a column; and the colour-blind palette seen with deuteranopia.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "query/query.h"
#include "render/columns.h"
#include "render/readout.h"
#include "store/dates.h"
#include "tests/data_fixture.h"

namespace {

TEST(Readout, LegendFollowsScaleQueryDateAndPalette)
{
    reset_data_state();
    current_date = make_date(2004 - BASE_YEAR, 3, 1);
    const struct { unsigned height; int safe; uint16_t flags[7]; const char* scale; const char* types; } cases[] = {
        {0, 0, {NO_QUERY}, "One black band: 100 crimes", "Counted: no crime type chosen"},
        {1, 1, {0, 0, 1, 0, 0, 9}, "One black band: 10 crimes", "Counted: Robbery, Theft"},
        {2, 0, {1, 1, 1, 1, 1, 1, 1}, "One black band: 1 crime",
         "Counted: Murder, Rape, Robbery, Aggravated Assault, Burglary, Theft, Auto Theft"},
        {2, 0, {0}, "One black band: 1 crime", "Counted: no crime type chosen"}};
    for (const auto& c : cases) {
        set_height_choice(c.height), colour_blind_safe = c.safe;
        memcpy(query_flags, c.flags, sizeof query_flags);
        Legend legend;
        make_legend(&legend);
        EXPECT_EQ(std::string(c.scale), legend.scale_text);
        EXPECT_EQ(std::string(c.types), legend.types_text);
        EXPECT_STREQ("Date: March,1,2004", legend.date_text);
        EXPECT_STREQ("within 5 points of citywide", legend.band_text[SIDE_NEAR]);
        EXPECT_EQ(c.safe ? 0.8f : 1.0f, legend.swatch[SIDE_NEAR][0]);
    }
    colour_blind_safe = 0;
}

TEST(Readout, TooltipOfAColumn)
{
    reset_data_state();
    beat_count = MAX_BEATS;
    strcpy(beats[0].name, "ALDER"), strcpy(beats[CITYWIDE_BEAT].name, "CITYWD");
    current_date = make_date(2004 - BASE_YEAR, 3, 17);
    const uint32_t month[MAX_BEATS] = {45, 1, 100, 54, 160, 9000};
    for (int b = 0; b < MAX_BEATS; b++)
        query_value[b] = month[b];
    query_year_value[0] = 400, query_year_max[0] = 1000;
    query_year_value[CITYWIDE_BEAT] = 38, query_year_max[CITYWIDE_BEAT] = 100;
    char text[512];
    ASSERT_EQ(1, format_hover_text(0, text, sizeof text));
    EXPECT_STREQ("ALDER\nMarch 2004: 45 crimes\nShare of the district: 12.50%\n"
                 "This year: 40.00% of its largest yearly counts\nCitywide: 38.00% of its largest yearly counts",
                 text);
    ASSERT_EQ(1, format_hover_text(CITYWIDE_BEAT, text, sizeof text));
    EXPECT_STREQ("CITYWD\nMarch 2004: 9000 crimes\nCitywide reference\n"
                 "This year: 38.00% of its largest yearly counts\nCitywide: 38.00% of its largest yearly counts",
                 text);
    ASSERT_EQ(1, format_hover_text(1, text, sizeof text));
    EXPECT_NE(nullptr, strstr(text, ": 1 crime\n")) << text;
    EXPECT_NE(nullptr, strstr(text, "This year: no yearly figures\n")) << text;
    beat_count = 1;
    EXPECT_EQ(0, format_hover_text(1, text, sizeof text));
    EXPECT_EQ(0, format_hover_text(0, text, 20));
    EXPECT_STREQ("", text);
}

// Lab lightness and opponents of an sRGB colour as a deuteranope sees it (the
// full-severity simulation matrix on linear RGB).
void deuteranope_lab(const float* srgb, double lab[3])
{
    const double m[3][3] = {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.01182, 0.04294, 0.968881}};
    double lin[3], sim[3];
    for (int i = 0; i < 3; i++)
        lin[i] = srgb[i] <= 0.04045 ? srgb[i] / 12.92 : pow((srgb[i] + 0.055) / 1.055, 2.4);
    for (int i = 0; i < 3; i++)
        sim[i] = std::fmin(1.0, std::fmax(0.0, m[i][0] * lin[0] + m[i][1] * lin[1] + m[i][2] * lin[2]));
    const double xyz[3] = {(0.4124 * sim[0] + 0.3576 * sim[1] + 0.1805 * sim[2]) / 0.9505,
                           0.2126 * sim[0] + 0.7152 * sim[1] + 0.0722 * sim[2],
                           (0.0193 * sim[0] + 0.1192 * sim[1] + 0.9505 * sim[2]) / 1.089};
    double f[3];
    for (int i = 0; i < 3; i++)
        f[i] = xyz[i] > 0.008856 ? cbrt(xyz[i]) : 7.787 * xyz[i] + 16.0 / 116;
    lab[0] = 116 * f[1] - 16, lab[1] = 500 * (f[0] - f[1]), lab[2] = 200 * (f[1] - f[2]);
}

// The smallest colour difference (CIE76) between two of the three side colours.
double closest_pair()
{
    double lab[3][3], closest = 1e9;
    for (int band = 0; band < 3; band++)
        deuteranope_lab(side_colour(band), lab[band]);
    for (int a = 0; a < 3; a++)
        for (int b = a + 1; b < 3; b++)
            closest = std::fmin(closest, std::hypot(lab[a][0] - lab[b][0], lab[a][1] - lab[b][1], lab[a][2] - lab[b][2]));
    return closest;
}

// Red, yellow and green come within 20 units of each other for a deuteranope; the safe
// palette keeps every pair more than 40 apart.
TEST(Readout, SafePaletteStaysApartForDeuteranopes)
{
    colour_blind_safe = 0;
    EXPECT_LT(closest_pair(), 20.0);
    colour_blind_safe = 1;
    EXPECT_GT(closest_pair(), 40.0);
    colour_blind_safe = 0;
}

}  // namespace
