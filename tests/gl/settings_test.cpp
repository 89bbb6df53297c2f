// The settings kept between runs, through the recording platform: what one run leaves
// the next start shows; a value that does not do gives that item its start value; the
// layout reset; the recent lists and a dropped file.
#include "panels/chart_panel.h"
#include "shell/settings.h"
#include "shell/view_menu.h"
#include "tests/gl_fixture.h"

namespace {

class SettingsTest : public GlTest {
protected:
    void SetUp() override { start(1024, 700); }
    Settings read_checked()
    {
        Settings settings;
        read_settings(&settings);
        check_places(&settings, test_platform.screens.data(), (int)test_platform.screens.size());
        return settings;
    }
    Settings start_values()
    {
        Settings settings;
        default_settings(&settings);
        return settings;
    }
};

int same(const Settings& a, const Settings& b) { return memcmp(&a, &b, sizeof a) == 0; }
std::vector<int> place_of(const WindowPlace& w) { return {w.placed, w.x, w.y, w.width, w.height, w.maximised}; }
std::vector<int> place_of(Panel panel)
{
    int x = -1, y = -1;
    panel_place(panel, &x, &y);
    return {x, y, panel_is_visible(panel)};
}

// Everything changed in one run is what the next start shows, the panels' lists too.
TEST_F(SettingsTest, WhatARunLeavesTheNextStartShows)
{
    EXPECT_TRUE(same(start_values(), read_checked()));
    test_platform.window = {1, 30, 40, 900, 600, 1};
    panel_move(timeline_panel, 300, 200), panel_hide(gis_panel), panel_show(info_panel), show_chart_panel();
    test_choose_row(gis_panel, IDC_HEIGHT_SCALE, 0);
    test_choose_row(timeline_panel, IDC_STEP_UNIT, STEP_MONTH);
    on_menu_command(CMD_LEGEND), on_menu_command(CMD_COLOUR_BLIND);
    remember_folder_of("/tmp/x.csv");
    ASSERT_EQ(1, load_beat_list("data/district.csv"));
    on_menu_command(CMD_QUIT);
    const auto saved = test_platform.settings;
    gl_context_close();
    start(1024, 700, NOTHING);
    test_platform.settings = saved;
    place_main_window();
    on_startup();
    EXPECT_EQ((std::vector<int>{1, 30, 40, 900, 600, 1}), place_of(test_platform.window));
    EXPECT_EQ((std::vector<int>{300, 200, 1, 0, 1, 1}), (std::vector<int>{place_of(timeline_panel)[0], place_of(timeline_panel)[1],
              panel_is_visible(query_panel), panel_is_visible(gis_panel), panel_is_visible(info_panel), panel_is_visible(chart_panel)}));
    EXPECT_EQ((std::vector<int>{0, STEP_MONTH, 0, 1}), (std::vector<int>{combo_current(gis_panel, IDC_HEIGHT_SCALE),
              combo_current(timeline_panel, IDC_STEP_UNIT), test_platform.menu_checks[CMD_LEGEND], colour_blind_safe}));
    EXPECT_EQ(0.01f, vertical_scale);
    EXPECT_STREQ("/tmp/", last_dir);
    EXPECT_EQ(fs::current_path().string() + "/data/district.csv", test_platform.menu_texts[CMD_RECENT_DATA]);
    EXPECT_EQ("", test_platform.menu_texts[CMD_RECENT_DATA + 1]);
}

// Each bad value gives its own item the start value; unreadable settings give all of them.
TEST_F(SettingsTest, BadValuesGiveTheStartValues)
{
    test_platform.settings = {
        {"window/width", "99"}, {"window/height", "700"}, {"window/x", "-980"}, {"window/y", "0"},
        {"timeline_panel/x", "1020"}, {"timeline_panel/y", "5"}, {"gis_panel/x", "1"}, {"gis_panel/y", "x"},
        {"info_panel/shown", "yes"}, {"view/height_scale", "2:1"}, {"timeline/step_unit", "Week"},
        {"view/legend", "01x"}, {"dialogs/folder", "/no/such/folder/"}, {"recent/1", "data/district.csv"}};
    EXPECT_TRUE(same(start_values(), read_checked()));
    test_platform.settings = {{"window/width", "1000"}, {"window/height", "700"}, {"window/x", "-900"},
                              {"window/y", "10"}, {"query_panel/x", "5"}, {"query_panel/y", "5"}};
    const Settings kept = read_checked();  // 100 pixels of its top on the screen; the panel off it
    EXPECT_EQ((std::vector<int>{1, -900, 10, 1000, 700, 0, 0}),
              (std::vector<int>{kept.window.placed, kept.window.x, kept.window.y, kept.window.width,
                                kept.window.height, kept.window.maximised, kept.panels[1].placed}));
    test_platform.screens = {{0, 0, 800, 600}};  // smaller than the window
    EXPECT_EQ(1024, read_checked().window.width);
    test_platform.settings_readable = 0;
    EXPECT_TRUE(same(start_values(), read_checked()));
}

// Reset Layout: the window at the top of its screen, kept on it, and the panels as at start;
// it stands after the View menu's own items, "Recent Data" last.
TEST_F(SettingsTest, ResetLayout)
{
    test_platform.window = {1, 600, 300, 500, 400, 1};
    panel_move(query_panel, 400, 300), panel_hide(timeline_panel), show_chart_panel();
    on_menu_command(CMD_RESET_LAYOUT);
    EXPECT_EQ((std::vector<int>{1, 1280 - 1024, 0, 1024, 768, 0}), place_of(test_platform.window));
    EXPECT_EQ((std::vector<int>{QUERY_PANEL_TEMPLATE.x, QUERY_PANEL_TEMPLATE.y, 1, 1, 0}),
              (std::vector<int>{place_of(query_panel)[0], place_of(query_panel)[1], place_of(query_panel)[2],
                                panel_is_visible(timeline_panel), panel_is_visible(chart_panel)}));
    const MenuItem* last = VIEW_MENU.items + VIEW_MENU.item_count - 3;
    EXPECT_EQ((std::vector<int>{0, CMD_RESET_LAYOUT, CMD_RECENT_DATA + 4}),
              (std::vector<int>{last[0].text != nullptr, last[1].command_id, last[2].submenu->items[4].command_id}));
}

// Five lists kept, the latest first and each once; one gone from its place is reported,
// then forgotten; a dropped list loads as one chosen in the open dialog.
TEST_F(SettingsTest, RecentListsAndADroppedFile)
{
    for (const char* path : {"/a.csv", "/b.csv", "/c.csv", "/d.csv", "/e.csv", "/f.csv", "/c.csv"})
        remember_recent_list(path);
    EXPECT_EQ((Texts{"/c.csv", "/f.csv", "/e.csv", "/d.csv", "/b.csv"}), Texts(recent_lists, recent_lists + RECENT_LISTS));
    on_menu_command(CMD_RECENT_DATA + 1);
    EXPECT_EQ((Texts{"ERROR: read_records(): fopen error", "Error: Can't load data file!!"}), test_messages());
    EXPECT_EQ("/e.csv", test_platform.menu_texts[CMD_RECENT_DATA + 1]);
    test_platform.messages.clear();
    const std::string district = fs::current_path() / "data/district.csv";
    on_file_dropped(district.c_str());
    EXPECT_EQ(std::pair(Texts{"Info: Load complete"}, 6), std::pair(test_messages(), list_count(query_panel, IDC_BEAT_LIST)));
    EXPECT_EQ(district, recent_lists[0]);
}

}  // namespace
