// The menu bar's commands, the snapshot's capture and the page fit, through the recording
// platform on the headless context.
#include <tuple>

#include "tests/gl_fixture.h"

namespace {

class MenuTest : public GlTest {
protected:
    const std::string district = (fs::current_path() / "data/district.csv").string();
    std::string scratch_folder;

    void SetUp() override
    {
        start(1021, 700);
        enter_scratch();
        scratch_folder = fs::current_path().string();
        test_platform.events.clear();
    }
    // Chooses command with the given dialog answers; the messages it showed.
    Texts choose(int command, std::vector<std::string> answers = {})
    {
        test_platform.dialog_answers = answers;
        test_platform.messages.clear();
        on_menu_command(command);
        return test_messages();
    }
    // Chooses command with the given answer; it must report one error, with details.
    void expect_error(int command, const std::string& answer, const std::string& details)
    {
        const Texts shown = choose(command, {answer});
        ASSERT_EQ(1u, shown.size()) << testing::PrintToString(shown);
        EXPECT_EQ(0u, shown[0].rfind("Error: ", 0)) << shown[0];
        EXPECT_EQ(details, test_platform.messages.back().details);
    }
};


// Loading: the list's beats in the Query panel and "Load complete", the timeline at its
// start and the columns rebuilt from the new table (the query evaluated for the first
// date); a list that cannot be loaded says so twice (the loader's and the command's
// message) and leaves the date, the table and the columns; a cancel says nothing.
// Export: "Save complete" only when the file was written.
TEST_F(MenuTest, LoadAndExport)
{
    std::ofstream("list.csv") << "H\nA\n";
    std::ofstream("data/beats/A.csv") << "H\n1990,1,Jan,7,5\n";
    query_flags[0] = query_flags[1] = 1;
    current_date = make_date(15, 6, 3);
    ASSERT_EQ(1, read_records("list.csv"));
    EXPECT_EQ((std::vector<uint32_t>{1, START_DATE, 12, 1}),
              (std::vector<uint32_t>{beat_count, current_date, query_value[0], glIsList(COLUMN_LIST)}));
    EXPECT_EQ(Texts{}, choose(CMD_LOAD_DATA, {DIALOG_CANCEL}));
    EXPECT_EQ(Texts{"Info: Load complete"}, choose(CMD_LOAD_DATA, {district}));
    EXPECT_EQ(6, list_count(query_panel, IDC_BEAT_LIST));
    EXPECT_EQ(".csv", test_platform.dialogs.back().ext);
    current_date = make_date(15, 6, 3);
    delete_map(0);
    for (const char* path : {"/missing.csv", "/data"}) {  // absent, a folder
        EXPECT_EQ((Texts{"ERROR: read_records(): fopen error", "Error: Can't load data file!!"}),
                  choose(CMD_LOAD_DATA, {scratch_folder + path}));
        for (const RecordedMessage& m : test_platform.messages)
            EXPECT_EQ(scratch_folder + path + (path[1] == 'm' ? ": No such file or directory" : ": Is a directory"), m.details);
    }
    EXPECT_EQ((std::vector<uint32_t>{6, make_date(15, 6, 3), 0}),
              (std::vector<uint32_t>{beat_count, current_date, glIsList(COLUMN_LIST)}));

    EXPECT_EQ(Texts{"Info: Save complete"}, choose(CMD_EXPORT_CSV, {scratch_folder + "/values"}));
    EXPECT_EQ(0, read_file(scratch_folder + "/values.csv").rfind("BEAT,QUERY_VAL\r\nALDER,0\r\n", 0));
    expect_error(CMD_EXPORT_CSV, scratch_folder + "/no/such/folder.csv", scratch_folder + "/no/such/folder.csv: No such file or directory");
    EXPECT_EQ(Texts{}, choose(CMD_EXPORT_CSV, {DIALOG_CANCEL}));
}

// The snapshot: timer stopped, the wait, the frame drawn and read, the dialog, the file,
// the timer again; rows of a client 1021 pixels wide come out straight. A cancel writes
// nothing and restarts the timer; a client with no area is reported, not read.
TEST_F(MenuTest, SnapshotOrderRowsAndFailures)
{
    const std::string path = scratch_folder + "/shot";
    EXPECT_EQ(Texts{"Info: Save complete"}, choose(CMD_SAVE_SNAPSHOT, {path}));
    EXPECT_EQ((Texts{"stop timer 1", "wait 251", "frame", "message Save complete", "start timer 1", "frame"}),
              test_platform.events);
    EXPECT_EQ(".bmp", test_platform.dialogs.back().ext);
    RgbImage saved = {};
    ASSERT_EQ(1, read_bmp((path + ".bmp").c_str(), &saved));
    ASSERT_EQ((std::pair{1021, 700}), (std::pair{saved.width, saved.height}));
    const std::vector<unsigned char> drawn = gl_context_read_rgb(0, 0, 1021, 700);
    EXPECT_EQ(0, memcmp(drawn.data(), saved.pixels, drawn.size()));
    free_image(&saved);

    test_platform.events.clear();
    EXPECT_EQ(Texts{}, choose(CMD_SAVE_SNAPSHOT, {DIALOG_CANCEL}));
    EXPECT_EQ(125, test_platform.timer_period_ms[FRAME_TIMER_ID]);
    EXPECT_EQ(2, std::distance(fs::directory_iterator(scratch_folder), fs::directory_iterator()));  // data, shot.bmp

    expect_error(CMD_SAVE_SNAPSHOT, scratch_folder + "/no/such/folder.bmp", scratch_folder + "/no/such/folder.bmp: No such file or directory");
    on_resize(1021, 0);  // minimised
    const size_t dialogs = test_platform.dialogs.size();
    expect_error(CMD_SAVE_SNAPSHOT, path + "2", "");
    EXPECT_EQ(dialogs, test_platform.dialogs.size());  // no dialog for nothing
    EXPECT_EQ(125, test_platform.timer_period_ms[FRAME_TIMER_ID]);
}

// A page of the image's proportions is filled; a wider image leaves equal bands above
// and below, a taller one left and right.
TEST(PageFit, ScalesToFitAndCentres)
{
    const struct { int pw, ph, iw, ih; float scale, x, y; } cases[] = {
        {800, 600, 400, 300, 2.0f, 0, 0},
        {800, 600, 800, 300, 1.0f, 0, 150},
        {800, 600, 400, 600, 1.0f, 200, 0},
        {4958, 7016, 1021, 700, 4958.0f / 1021.0f, 0, (7016 - 700 * (4958.0f / 1021.0f)) * 0.5f},
    };
    for (const auto& c : cases) {
        PageFit fit;
        fit_image_to_page(c.pw, c.ph, c.iw, c.ih, &fit);
        EXPECT_FLOAT_EQ(c.scale, fit.scale) << c.iw << "x" << c.ih;
        EXPECT_FLOAT_EQ(c.x, fit.x) << c.iw << "x" << c.ih;
        EXPECT_FLOAT_EQ(c.y, fit.y) << c.iw << "x" << c.ih;
    }
}

// Print: the captured view resampled to power-of-two sides and placed by the fit; a
// cancel says nothing, a printer that cannot take the page is reported; the timer runs again.
TEST_F(MenuTest, PrintPlacesThePageOrReportsThePrinter)
{
    test_platform.page_width = 2042;
    test_platform.page_height = 2800;
    EXPECT_EQ(Texts{"Info: Print spooled"}, choose(CMD_PRINT));
    EXPECT_EQ((std::pair{1024, 1024}), test_platform.printed_size);
    EXPECT_EQ((std::vector<float>{0, 700, 2042, 1400}), test_platform.printed_rect);
    const struct { int error; const char* text; } failures[] = {
        {0, nullptr}, {1, "Error: Cannot choose printer pixel format!"}, {2, "Error: Cannot set printer pixel format!"}};
    for (const auto& f : failures) {
        test_platform.print_answer = 0;
        test_platform.print_error = f.error;
        EXPECT_EQ(f.text ? Texts{f.text} : Texts{}, choose(CMD_PRINT)) << f.error;
        EXPECT_EQ(125, test_platform.timer_period_ms[FRAME_TIMER_ID]);
    }
}

// The view, date and query commands, and the items with no action, each end in a frame.
TEST_F(MenuTest, ViewDateQueryAndPanelCommands)
{
    const struct { int command; PackedDate from, to; } dates[] = {
        {CMD_DEFAULT_TIME, make_date(5, 5, 5), START_DATE},
        {CMD_DATA_START, make_date(5, 5, 5), 0x4884},
        {CMD_DATA_END, make_date(5, 5, 5), 0xAD84},
        {CMD_DATA_END, (PackedDate)(make_date(5, 5, 5) | 3), 0xAD87},  // low bits kept
        {CMD_SAVED_TIME, make_date(5, 5, 5), make_date(5, 5, 5)},
    };
    for (const auto& c : dates) {
        current_date = c.from;
        test_platform.frames_swapped = 0;
        on_menu_command(c.command);
        EXPECT_EQ(c.to, current_date) << c.command;
        EXPECT_EQ(1, test_platform.frames_swapped) << c.command;
    }
    EXPECT_EQ("November,1,2011", test_control(timeline_panel, IDC_DATE_TEXT)->text.substr(0, 15));

    view_center = {1, 2, 3};
    view_tilt = 40;
    on_menu_command(CMD_SAVED_LOCATION);
    EXPECT_EQ(1.0f, view_center.x);
    on_menu_command(CMD_DEFAULT_LOCATION);
    EXPECT_EQ(std::tuple(default_view_center.x, default_view_center.z, 40.0f),
              std::tuple(view_center.x, view_center.z, view_tilt));

    query_flags[2] = 1;
    on_menu_command(CMD_DEFAULT_QUERY);  // word 0 from "no query" to 0, the others kept
    EXPECT_EQ(0, query_flags[0]);
    EXPECT_EQ(1, query_flags[2]);
    EXPECT_EQ(1, list_is_selected(query_panel, IDC_CRIME_LIST, 2));

    const struct { int command; Panel* panel; } shows[] = {
        {CMD_SHOW_GIS_PANEL, &gis_panel}, {CMD_SHOW_QUERY_PANEL, &query_panel},
        {CMD_SHOW_TIMELINE_PANEL, &timeline_panel}, {CMD_SHOW_INFO_PANEL, &info_panel},
        {CMD_ABOUT, &about_box}};
    for (const auto& c : shows) {
        panel_hide(*c.panel);
        on_menu_command(c.command);
        EXPECT_EQ(1, panel_is_visible(*c.panel)) << c.command;
    }
    test_platform.frames_swapped = 0;
    on_menu_command(999);
    EXPECT_EQ(1, test_platform.frames_swapped);
}

// Quit: timer stopped, the GL objects deleted while the context lives, the panels, then
// the window, whose teardown ends the program with 0; no frame afterwards.
TEST_F(MenuTest, QuitInOrder)
{
    on_menu_command(CMD_QUIT);
    EXPECT_EQ((Texts{"stop timer 1", "destroy window"}), test_platform.events);
    EXPECT_FALSE(glIsTexture(MAP_TEXTURE));
    EXPECT_FALSE(glIsList(COLUMN_LIST));
    for (const TestPanel& panel : test_platform.panels)
        EXPECT_EQ(0, panel.alive);
    EXPECT_EQ(0, gis_panel);
    EXPECT_EQ(1, test_platform.gl_context_released);
    EXPECT_EQ(0, test_platform.quit_code);
}

// The context going frees the view's objects however the window closed; a second free,
// as after Quit, is harmless.
TEST_F(MenuTest, ContextGoingFreesTheViewObjects)
{
    for (int pass = 0; pass < 2; pass++) {
        on_gl_context_destroyed();
        EXPECT_EQ((std::vector<int>{0, 0, 0, 0, GL_NO_ERROR}),
                  (std::vector<int>{glIsTexture(MAP_TEXTURE), glIsTexture(STRIPE_TEXTURE), glIsList(MAP_LIST),
                                    glIsList(COLUMN_LIST), (int)glGetError()})) << pass;
    }
}

}  // namespace
