// The Query panel driven through the recording platform on the headless context: the
// crime list and query_flags, the beat list, and choosing a beat.
#include "tests/gl_fixture.h"

namespace {

std::vector<int> selected_rows(int id)
{
    std::vector<int> rows;
    for (int row = 0; row < list_count(query_panel, id); row++)
        if (list_is_selected(query_panel, id, row) == 1)
            rows.push_back(row);
    return rows;
}

std::vector<uint16_t> flags()
{
    return std::vector<uint16_t>(query_flags, query_flags + CRIME_TYPE_COUNT);
}

// The program started in the current folder: with the sample data in the repository
// root, or in a scratch folder holding only a field list.
class QueryPanel : public GlTest {
protected:
    void start_with_sample()  // in March 2004
    {
        start(64, 64);
        ASSERT_EQ(1, read_records("data/district.csv"));
        query_panel_refresh(query_panel);
        current_date = make_date(2004 - BASE_YEAR, 3, 1);
    }
    void start_with_fields(const char* fields)  // null: none
    {
        if (!scratch)
            enter_scratch();
        fs::remove_all("data/ui");
        fs::create_directories(fields ? "data/ui" : "data/ui/fields.ui");
        if (fields)
            std::ofstream("data/ui/fields.ui", std::ios::binary) << fields;
        memset(field_codes, 0, sizeof field_codes);
        start(64, 64);
    }
};

// The user's rows become query_flags (NO_QUERY for none; row 0 alone is 1) and the
// columns are rebuilt at once; a refresh shows the words again, row 0 unselected under
// no query, and delivers no command back to the panel.
TEST_F(QueryPanel, CrimeRowsToFlagsAndBack)
{
    start_with_sample();
    EXPECT_EQ(std::vector<std::string>({"Murder", "Rape", "Robbery", "Aggravated Assault", "Burglary",
                                        "Theft", "Auto Theft"}),
              test_control(query_panel, IDC_CRIME_LIST)->rows);
    EXPECT_EQ(IDC_CRIME_LIST, test_platform.focused_control);
    struct Case { std::vector<int> rows; std::vector<uint16_t> flags; uint32_t area_total; } cases[] = {
        {{0}, {1, 0, 0, 0, 0, 0, 0}, 50},
        {{2, 5}, {0, 0, 1, 0, 0, 1, 0}, 7208},
        {{}, {NO_QUERY, 0, 0, 0, 0, 0, 0}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(1, test_set_rows(query_panel, IDC_CRIME_LIST, c.rows));
        EXPECT_EQ(c.flags, flags());
        EXPECT_EQ(c.area_total, query_area_total);
    }
    struct Refresh { std::vector<uint16_t> flags; std::vector<int> rows; } refreshes[] = {
        {{NO_QUERY, 1, 0, 1, 0, 0, 0}, {1, 3}}, {{0, 0, 0, 0, 0, 0, 9}, {6}}, {{254, 0, 0, 0, 0, 0, 0}, {0}}};
    test_platform.commands.clear();
    for (const Refresh& r : refreshes) {
        std::copy(r.flags.begin(), r.flags.end(), query_flags);
        query_panel_refresh(query_panel);
        EXPECT_EQ(r.rows, selected_rows(IDC_CRIME_LIST));
    }
    EXPECT_TRUE(test_platform.commands.empty());
}

// The beat list holds the loaded beats in table order and the selected beat as its
// current row; a selected beat the list lacks leaves it without one.
TEST_F(QueryPanel, BeatList)
{
    start_with_sample();
    EXPECT_EQ(std::vector<std::string>({"ALDER", "BIRCH", "CEDAR", "LINDEN", "MAPLE", "CITYWD"}),
              test_control(query_panel, IDC_BEAT_LIST)->rows);
    struct Case { uint32_t beats; int selected, current; } cases[] = {
        {6, 5, 5}, {6, -1, -1}, {6, 6, -1}, {3, 4, -1}, {3, 2, 2}};
    for (const Case& c : cases) {
        beat_count = c.beats;
        selected_beat = c.selected;
        query_panel_refresh(query_panel);
        EXPECT_EQ((int)c.beats, list_count(query_panel, IDC_BEAT_LIST));
        EXPECT_EQ(c.current, list_current(query_panel, IDC_BEAT_LIST)) << c.selected;
    }
}

// Choosing a beat centres the view over it (x and y at double precision, stored as
// floats; z kept), selects it and appends its report to the Info panel, each time.
// Losing the current row, or choosing a beat without a name, clears the selection and
// moves and reports nothing.
TEST_F(QueryPanel, ChoosingABeatMovesTheViewAndReports)
{
    start_with_sample();
    test_set_rows(query_panel, IDC_CRIME_LIST, {2, 5});
    view_center.z = 3.0f;
    struct Case { int row; float x, y; const char* line; } cases[] = {
        {0, -98.9144745f, 32.6894112f, "Crime total for beat ALDER: 135, 1.87%\r\nBeat ALDER crime vs. citywide: 7.25%"},
        {4, -91.7642059f, 27.0394611f, "Crime total for beat MAPLE: 75, 1.04%\r\nBeat MAPLE crime vs. citywide: -22.81%"},
        {0, -98.9144745f, 32.6894112f, "Crime total for beat ALDER: 135, 1.87%"},
        {-1, -98.9144745f, 32.6894112f, nullptr},
    };
    std::string log;
    for (const Case& c : cases) {
        EXPECT_EQ(1, test_choose_row(query_panel, IDC_BEAT_LIST, c.row));
        EXPECT_EQ((std::vector<float>{c.x, c.y, 3.0f, (float)c.row, 1}),
                  (std::vector<float>{view_center.x, view_center.y, view_center.z, (float)selected_beat,
                                      (float)panel_is_visible(info_panel)}));
        const std::string now = test_control(info_panel, IDC_INFO_TEXT)->text;
        ASSERT_EQ(log, now.substr(0, log.size())) << "earlier blocks stay";
        const std::string added = now.substr(log.size());
        EXPECT_EQ(c.line ? 1 : 0, (int)std::count(added.begin(), added.end(), '*') / 59);
        if (c.line) {
            const std::string lines = std::string("Date: March,1,2004\r\nCrime total for ZAVRO area: 7208\r\n") + c.line;
            EXPECT_NE(std::string::npos, added.find(lines)) << added;
        }
        log = now;
    }
    beats[1].name[0] = '\0';  // a blank line of the beat list: its row is no beat
    EXPECT_EQ(1, test_choose_row(query_panel, IDC_BEAT_LIST, 1));
    EXPECT_EQ((std::vector<float>{-98.9144745f, -1}), (std::vector<float>{view_center.x, (float)selected_beat}));
    EXPECT_EQ(log, test_control(info_panel, IDC_INFO_TEXT)->text);
}

// Every row of the field list is listed, codes kept for the first eight; a type the list
// lacks is never chosen (its word 0, not the list's error value); a chosen row past the
// seventh stands for no type. A list that cannot be read is reported, the lists stay
// empty and the focus where it was.
TEST_F(QueryPanel, FieldListsOfOtherShapes)
{
    struct Case { const char* fields; std::vector<int> rows; std::vector<uint16_t> flags; std::vector<uint8_t> codes; } cases[] = {
        {"Murder,300\nRape\nRobbery,2\n", {0, 2}, {1, 0, 1, 0, 0, 0, 0}, {44, 0, 2, 0, 0, 0, 0, 0}},
        {"A,10\nB,11\nC\nD\nE\nF\nG\nH,17\nI,18\nJ,19\n", {8}, {0, 0, 0, 0, 0, 0, 0}, {10, 11, 0, 0, 0, 0, 0, 17}},
        {nullptr, {}, {NO_QUERY, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        start_with_fields(c.fields);
        EXPECT_EQ(c.codes, std::vector<uint8_t>(field_codes, field_codes + FIELD_CODE_ROWS));
        test_set_rows(query_panel, IDC_CRIME_LIST, c.rows);
        EXPECT_EQ(c.flags, flags());
        if (c.fields) {
            EXPECT_EQ(std::count(c.fields, c.fields + strlen(c.fields), '\n'), list_count(query_panel, IDC_CRIME_LIST));
            EXPECT_EQ(IDC_CRIME_LIST, test_platform.focused_control);
            continue;
        }
        EXPECT_EQ((std::pair{0, 0}), (std::pair{list_count(query_panel, IDC_CRIME_LIST), test_platform.focused_control}));
        // the map is not in this folder either
        EXPECT_EQ((Texts{"ERROR!: make_map() - can't read map!", "ERROR!: init_query() - can't read fields!"}), test_messages());
        EXPECT_EQ("data/ui/fields.ui: Is a directory", test_platform.messages.back().details);
    }
}

}  // namespace
