// The View menu and what the view says in words, through the recording platform: the
// legend and the palette, the tooltip over a column, the Chart panel, the time bar, a
// typed date, the keys, and the saved place, date and query.
#include "panels/chart_panel.h"
#include "render/hover.h"
#include "shell/view_menu.h"
#include "tests/gl_fixture.h"

namespace {

class ViewMenu : public GlTest {
protected:
    void SetUp() override
    {
        start(1021, 700);
        ASSERT_EQ(1, load_beat_list("data/district.csv"));
        query_flags[0] = 0, query_flags[ROBBERY] = 1;
        set_current_date(make_date(2004 - BASE_YEAR, 3, 1));
        draw_frame();
    }
    std::string date_text() { return test_control(timeline_panel, IDC_DATE_TEXT)->text; }
};

// The legend shows from the start and follows the date at once; the menu's checks say
// what is on; the palette changes the legend and the columns.
TEST_F(ViewMenu, LegendAndPalette)
{
    EXPECT_EQ((std::map<int, int>{{CMD_LEGEND, 1}, {CMD_COLOUR_BLIND, 0}}), test_platform.menu_checks);
    EXPECT_EQ(1, test_platform.legend_visible);
    EXPECT_STREQ("Date: March,1,2004", test_platform.legend.date_text);
    EXPECT_STREQ("Counted: Robbery", test_platform.legend.types_text);
    on_key_release(VK_RIGHT);  // a year on
    EXPECT_STREQ("Date: March,1,2005", test_platform.legend.date_text);
    on_menu_command(CMD_LEGEND);
    EXPECT_EQ(std::pair(0, 0), std::pair(test_platform.legend_visible, test_platform.menu_checks[CMD_LEGEND]));
    on_key_release(VK_RIGHT);
    EXPECT_EQ(0, test_platform.legend_visible);
    on_menu_command(CMD_LEGEND);
    on_menu_command(CMD_COLOUR_BLIND);
    EXPECT_EQ(1, test_platform.menu_checks[CMD_COLOUR_BLIND]);
    float rgba[4];
    column_color(0, rgba);
    EXPECT_EQ(side_colour(side_band(0))[2], rgba[2]);
    EXPECT_EQ(0.8f, test_platform.legend.swatch[SIDE_NEAR][0]);  // light grey
    on_menu_command(CMD_COLOUR_BLIND);
}

// Resting on a column shows its tooltip and draws nothing; off every column it goes.
TEST_F(ViewMenu, TooltipOverAColumn)
{
    const float top[3] = {beats[2].lon, beats[2].lat, column_top_height(query_value[2], vertical_scale)};
    float x, y, depth;
    ASSERT_EQ(1, project_to_client(top, &x, &y, &depth));
    const int frames = test_platform.frames_swapped;
    on_mouse_move(0, (int16_t)x, (int16_t)y);
    char expected[256];
    ASSERT_EQ(1, format_hover_text(2, expected, sizeof expected));
    EXPECT_EQ(expected, test_platform.tooltip);
    EXPECT_EQ(0, test_platform.tooltip.rfind("CEDAR\nMarch 2004: ", 0)) << test_platform.tooltip;
    on_mouse_move(0, 3, 3);
    EXPECT_EQ("", test_platform.tooltip);
    EXPECT_EQ(frames, test_platform.frames_swapped);
}

// The chart: shown by the first beat chosen, not by later ones; its series, title and
// mark; a pick in it moves the date to that month, and the mark follows every step; the
// district's when no beat is chosen.
TEST_F(ViewMenu, ChartPanel)
{
    const TestControl* plot = test_control(chart_panel, IDC_CHART_PLOT);
    EXPECT_EQ(0, panel_is_visible(chart_panel));
    test_choose_row(query_panel, IDC_BEAT_LIST, 0);
    EXPECT_EQ(std::pair(1, std::string("ALDER: Robbery")), std::pair(panel_is_visible(chart_panel), plot->text));
    EXPECT_EQ((std::vector<int>{156, (1999 - BASE_YEAR) * 12, 5 * 12 + 2, (int)beats[0].months[0].counts.count[ROBBERY]}),
              (std::vector<int>{plot->chart.count, plot->chart.first_month, plot->marker, (int)plot->chart.values[0]}));
    test_pick(chart_panel, IDC_CHART_PLOT, 25);
    EXPECT_EQ("February,1,2001", date_text());
    on_key_release(VK_RIGHT);
    EXPECT_EQ(37, plot->marker);
    beat_report(NO_BEAT);
    draw_frame();
    EXPECT_EQ("District: Robbery", plot->text);
    test_cancel(chart_panel);
    test_choose_row(query_panel, IDC_BEAT_LIST, 1);
    EXPECT_EQ(0, panel_is_visible(chart_panel));
    on_menu_command(CMD_SHOW_CHART_PANEL);
    EXPECT_EQ(std::pair(1, std::string("BIRCH: Robbery")), std::pair(panel_is_visible(chart_panel), plot->text));
}

// The bar goes to the first of the month under the pointer, between months too; a typed
// date goes to its first day; Space plays and pauses; Home and End are Data Start and End.
TEST_F(ViewMenu, TimeYouCanPointAtAndType)
{
    EXPECT_EQ(23u, test_control(timeline_panel, IDC_TIME_BAR)->ticks.size());
    const struct { unsigned raw; const char* date; } picks[] = {
        {make_date(14, 3, 17), "March,1,2004"}, {make_date(14, 12, 31) + 0x80u, "December,1,2004"},
        {make_date(15, 1, 1) - 0x80u, "January,1,2005"}};
    for (const auto& c : picks) {
        test_pick(timeline_panel, IDC_TIME_BAR, (int)c.raw);
        EXPECT_EQ(c.date, date_text()) << c.raw;
    }
    test_platform.month_year_answers = {{7, 2005}};
    on_menu_command(CMD_GO_TO_DATE);
    EXPECT_EQ("July,1,2005", date_text());
    on_menu_command(CMD_GO_TO_DATE);  // cancelled
    EXPECT_EQ("July,1,2005", date_text());
    on_key_release(VK_SPACE);
    EXPECT_EQ(std::pair(PLAY_FORWARD, 1), std::pair(play_mode, test_control(timeline_panel, IDC_PLAY_FORWARD)->checked));
    on_key_release(VK_SPACE);
    EXPECT_EQ(std::pair(PLAY_PAUSED, 1), std::pair(play_mode, test_control(timeline_panel, IDC_PLAY_PAUSE)->checked));
    on_key_release(VK_END);
    EXPECT_EQ("November,1,2011", date_text());
    on_key_release(VK_HOME);
    EXPECT_EQ("January,1,1999", date_text());
}

// Until something is saved the Saved items do nothing; then they bring it back.
TEST_F(ViewMenu, SavedPlaceDateAndQuery)
{
    for (int command : {CMD_SAVED_LOCATION, CMD_SAVED_TIME, CMD_SAVED_QUERY})
        on_menu_command(command);
    EXPECT_EQ(std::pair(std::string("March,1,2004"), 20.0f), std::pair(date_text(), view_distance));
    for (int command : {CMD_SAVE_LOCATION, CMD_SAVE_TIME, CMD_SAVE_QUERY})
        on_menu_command(command);
    view_tilt = 30, view_heading = -40, view_distance = 9, view_center = {1, 2, 3};
    on_key_release(VK_LEFT);
    on_menu_command(CMD_DEFAULT_QUERY);
    for (int command : {CMD_SAVED_LOCATION, CMD_SAVED_TIME, CMD_SAVED_QUERY})
        on_menu_command(command);
    EXPECT_EQ((std::vector<float>{0, 0, 20, default_view_center.x, default_view_center.y}),
              (std::vector<float>{view_tilt, view_heading, view_distance, view_center.x, view_center.y}));
    EXPECT_EQ("March,1,2004", date_text());
    EXPECT_EQ(std::pair(1, 1), std::pair(list_is_selected(query_panel, IDC_CRIME_LIST, ROBBERY), list_selected_count(query_panel, IDC_CRIME_LIST)));
}

}  // namespace
