// The Timeline and GIS panels and the About box, driven through the recording platform
// on the headless context, as a user would drive them.
#include "tests/gl_fixture.h"

namespace {

class Panels : public GlTest {
protected:
    void SetUp() override { start(64, 64); }
    std::string date_text() { return test_control(timeline_panel, IDC_DATE_TEXT)->text; }
    unsigned bar_pos() { return test_control(timeline_panel, IDC_TIME_BAR)->bar_pos; }
};

// Start-up makes the five panels in their order; three show at once. The Timeline panel
// starts paused at the first date with "Year" chosen, whatever play_mode held.
TEST_F(Panels, StartUpCreatesThePanelsInOrder)
{
    const struct { Panel handle; int id, shown; } panels[] = {{gis_panel, IDD_GIS_PANEL, 1},
        {query_panel, IDD_QUERY_PANEL, 1}, {timeline_panel, IDD_TIMELINE_PANEL, 1},
        {info_panel, IDD_INFO_PANEL, 0}, {about_box, IDD_ABOUT_BOX, 0}, {chart_panel, IDD_CHART_PANEL, 0}};
    for (int i = 0; i < 6; i++)
        EXPECT_EQ((std::vector<int>{i + 1, panels[i].id, panels[i].shown}),
                  (std::vector<int>{panels[i].handle, test_platform.panels[i].panel_template->dialog_id,
                                    panel_is_visible(panels[i].handle)}));
    const TestControl* bar = test_control(timeline_panel, IDC_TIME_BAR);
    EXPECT_EQ((std::vector<unsigned>{132, 46716, 132}), (std::vector<unsigned>{bar->bar_low, bar->bar_high, bar->bar_pos}));
    EXPECT_EQ("January,1,1990", date_text());
    EXPECT_EQ((std::vector<int>{STEP_YEAR, 1, 0, 0, 2}),
              (std::vector<int>{combo_current(timeline_panel, IDC_STEP_UNIT), test_control(timeline_panel, IDC_PLAY_PAUSE)->checked,
                                test_control(timeline_panel, IDC_PLAY_FORWARD)->checked,
                                combo_current(gis_panel, IDC_MAP_CHOICE), combo_current(gis_panel, IDC_HEIGHT_SCALE)}));
    EXPECT_TRUE(test_platform.commands.empty());  // the program's own settings notify nothing
}

TEST_F(Panels, PlayButtonsAndStepUnit)
{
    const struct { int id; uint8_t mode; } plays[] = {
        {IDC_PLAY_FORWARD, PLAY_FORWARD}, {IDC_PLAY_BACKWARD, PLAY_BACKWARD}, {IDC_PLAY_PAUSE, PLAY_PAUSED}};
    for (const auto& c : plays) {
        EXPECT_EQ(1, test_click(timeline_panel, c.id));
        EXPECT_EQ(c.mode, play_mode);
        EXPECT_EQ(1, test_control(timeline_panel, c.id)->checked);
    }
    for (uint8_t unit : {STEP_DAY, STEP_MONTH, STEP_YEAR}) {
        EXPECT_EQ(1, test_choose_row(timeline_panel, IDC_STEP_UNIT, unit));
        EXPECT_EQ(unit, step_unit);
    }
    EXPECT_EQ(1, test_notify(timeline_panel, IDC_PLAY_FORWARD, CODE_DOUBLE_CLICKED));
    EXPECT_EQ(PLAY_PAUSED, play_mode);
    EXPECT_EQ(0, test_click(timeline_panel, IDC_DAY_LABEL));  // not a command of the panel
    EXPECT_EQ(START_DATE, current_date);  // playing is the frame timer's business
}

// Each button steps by its own unit and the bar and text follow at once (the rebuild
// refreshes the panel); the bar moves in raw packed values, past its high end too (how
// it fills is the Qt panels' test).
TEST_F(Panels, PlusAndMinusStepTheDateAndRefreshThePanel)
{
    const struct { PackedDate from; int id; const char* text; } cases[] = {
        {START_DATE, IDC_MONTH_PLUS, "February,1,1990"},
        {make_date(10, 1, 31), IDC_MONTH_PLUS, "February,29,2000"},
        {make_date(11, 3, 31), IDC_MONTH_MINUS, "February,28,2001"},
        {make_date(0, 12, 31), IDC_DAY_PLUS, "January,1,1991"},
        {START_DATE, IDC_DAY_MINUS, "December,31,2021"},  // the year field wraps
        {make_date(10, 2, 29), IDC_YEAR_PLUS, "February,28,2001"},
        {make_date(22, 12, 31), IDC_DAY_PLUS, "January,1,2013"},  // beyond the bar's end
        {make_date(5, 6, 15), IDC_YEAR_MINUS, "June,15,1994"},
    };
    for (const auto& c : cases) {
        current_date = c.from;
        EXPECT_EQ(1, test_click(timeline_panel, c.id)) << c.text;
        EXPECT_EQ(c.text, date_text());
        EXPECT_EQ(current_date, bar_pos()) << c.text;
    }
}

TEST_F(Panels, HeightScaleSetsTheScaleAndRebuilds)
{
    const struct { int row; float scale; uint8_t options; } cases[] = {
        {0, 0.01f, 0x00}, {1, 0.1f, 0x08}, {2, 1.0f, 0x10}};
    for (const auto& c : cases) {
        delete_map(0);
        EXPECT_EQ(1, test_choose_row(gis_panel, IDC_HEIGHT_SCALE, c.row));
        EXPECT_EQ(c.scale, vertical_scale);
        EXPECT_EQ(c.options, gis_options);
        EXPECT_TRUE(glIsList(COLUMN_LIST)) << c.row;
    }
    EXPECT_EQ(1, test_choose_row(gis_panel, IDC_MAP_CHOICE, 0));  // "Basemap" again: read anew
    EXPECT_TRUE(test_platform.messages.empty());
}

// An arrow's press holds its movement and the mouse until the left button comes up,
// wherever; a double click starts nothing; a release with nothing held is harmless.
TEST_F(Panels, ArrowsHoldTheMovementUntilTheButtonComesUp)
{
    const struct { int id; uint8_t move; } arrows[] = {
        {IDC_NAV_TILT_MINUS, AUTO_MOVE_TILT_MINUS}, {IDC_NAV_TILT_PLUS, AUTO_MOVE_TILT_PLUS},
        {IDC_NAV_HEADING_MINUS, AUTO_MOVE_HEADING_MINUS}, {IDC_NAV_HEADING_PLUS, AUTO_MOVE_HEADING_PLUS},
        {IDC_NAV_ZOOM_IN, AUTO_MOVE_ZOOM_IN}, {IDC_NAV_ZOOM_OUT, AUTO_MOVE_ZOOM_OUT}};
    TestPanel& gis = test_platform.panels[gis_panel - 1];
    for (const auto& c : arrows) {
        EXPECT_EQ(1, test_click(gis_panel, c.id));
        EXPECT_EQ((std::pair{c.move, 1}), (std::pair{auto_move, gis.captured}));
        EXPECT_EQ(1, test_left_button_up(gis_panel));
        EXPECT_EQ((std::pair{(uint8_t)AUTO_MOVE_NONE, 0}), (std::pair{auto_move, gis.captured}));
    }
    EXPECT_EQ(1, test_notify(gis_panel, IDC_NAV_ZOOM_IN, CODE_SELECTION_CHANGED));  // double click
    EXPECT_EQ(1, test_left_button_up(gis_panel));
    EXPECT_EQ((std::pair{(uint8_t)AUTO_MOVE_NONE, 0}), (std::pair{auto_move, gis.captured}));
}

// The close box and Escape hide a panel and keep its state; OK hides the About box.
TEST_F(Panels, CancelHidesAndKeepsState)
{
    test_click(timeline_panel, IDC_MONTH_PLUS);
    test_choose_row(timeline_panel, IDC_STEP_UNIT, STEP_DAY);
    for (Panel panel : {gis_panel, query_panel, timeline_panel}) {
        EXPECT_EQ(1, test_cancel(panel));
        EXPECT_EQ(0, panel_is_visible(panel));
        panel_show(panel);
    }
    EXPECT_EQ("February,1,1990", date_text());
    EXPECT_EQ(STEP_DAY, combo_current(timeline_panel, IDC_STEP_UNIT));
    for (int id : {PANEL_CANCEL, IDC_ABOUT_OK}) {
        panel_show(about_box);
        EXPECT_EQ(1, test_notify(about_box, id, CODE_CLICKED));
        EXPECT_EQ(0, panel_is_visible(about_box)) << id;
    }
    panel_show(about_box);
    EXPECT_EQ(1, test_notify(about_box, IDC_CONTACT_GROUP, CODE_CLICKED));  // any other command
    EXPECT_EQ(1, panel_is_visible(about_box));
}

}  // namespace
