// The view's mouse, wheel and key handlers and the frame-timer tick, driven through the
// recording platform on the headless context: (state, event) to (state, frames drawn).
#include <tuple>

#include "tests/gl_fixture.h"

namespace {

enum Kind { LEFT_PRESS, LEFT_UP, RIGHT_PRESS, RIGHT_UP, MOVE, WHEEL, KEY_UP, TICK };

struct Event {
    Kind kind;
    unsigned flags;  // MK_* for presses and moves
    int a, b;        // position; or wheel delta / key code / timer id in a
};

void send(const Event& e)
{
    switch (e.kind) {
    case LEFT_PRESS: on_left_press(e.flags, (int16_t)e.a, (int16_t)e.b); break;
    case LEFT_UP: on_left_release((int16_t)e.a, (int16_t)e.b); break;
    case RIGHT_PRESS: on_right_press(e.flags, (int16_t)e.a, (int16_t)e.b); break;
    case RIGHT_UP: on_right_release((int16_t)e.a, (int16_t)e.b); break;
    case MOVE: on_mouse_move(e.flags, (int16_t)e.a, (int16_t)e.b); break;
    case WHEEL: on_wheel((int16_t)e.a); break;
    case KEY_UP: on_key_release(e.a); break;
    case TICK: on_timer(e.a); break;
    }
}

struct View {
    float tilt, heading, distance;
};

class Input : public GlTest {
protected:
    void SetUp() override
    {
        start(1021, 700);
        step_unit = STEP_MONTH;
    }
    void set_view(const View& v)
    {
        view_tilt = v.tilt;
        view_heading = v.heading;
        view_distance = v.distance;
    }
};

// Drags, the wheel and keys: the bindings, their factors and clamps, and which events draw.
TEST_F(Input, GesturesChangeTheViewAndTheDate)
{
    const unsigned L = MK_LBUTTON, R = MK_RBUTTON, S = MK_SHIFT, C = MK_CONTROL;
    const struct Case {
        const char* name;
        View before;
        Event events[2];
        View after;
        PackedDate date;  // current_date afterwards, from 1 March 2000
        int frames;
    } cases[] = {
        {"move with no button", {0, 0, 20}, {{MOVE, 0, 50, 80}, {MOVE, S | C, 9, 9}}, {0, 0, 20}, make_date(10, 3, 1), 0},
        {"right drag up 200", {0, 0, 20}, {{RIGHT_PRESS, R, 100, 300}, {MOVE, R, 100, 100}}, {90, 0, 20}, make_date(10, 3, 1), 2},
        {"right drag right, down", {10, 0, 20}, {{RIGHT_PRESS, R, 100, 100}, {MOVE, R | C, 130, 105}}, {5, -30, 20}, make_date(10, 3, 1), 2},
        {"heading stops at -180", {0, -170, 20}, {{RIGHT_PRESS, R, 100, 100}, {MOVE, R, 130, 100}}, {0, -180, 20}, make_date(10, 3, 1), 2},
        {"drag leaving the window", {0, 0, 20}, {{RIGHT_PRESS, R, 5, 5}, {MOVE, R, -20, -10}}, {15, 25, 20}, make_date(10, 3, 1), 2},
        {"shift right drag down 40", {0, 0, 20}, {{RIGHT_PRESS, R | S, 100, 100}, {MOVE, R | S, 100, 140}}, {0, 0, 30}, make_date(10, 3, 1), 2},
        {"shift right drag up stops at 7", {0, 0, 20}, {{RIGHT_PRESS, R, 100, 300}, {MOVE, R | S, 0, 100}}, {0, 0, 7}, make_date(10, 3, 1), 2},
        {"wheel 120 and 1", {0, 0, 20}, {{WHEEL, 0, 120, 0}, {WHEEL, 0, 1, 0}}, {0, 0, 20 * 0.95f * 0.95f}, make_date(10, 3, 1), 2},
        {"wheel 0 zooms in", {0, 0, 20}, {{WHEEL, 0, 0, 0}, {WHEEL, 0, -1, 0}}, {0, 0, 20 * 0.95f * 1.05f}, make_date(10, 3, 1), 2},
        {"wheel in stops at 7", {0, 0, 7.2f}, {{WHEEL, 0, 120, 0}, {WHEEL, 0, -120, 0}}, {0, 0, 7 * 1.05f}, make_date(10, 3, 1), 2},
        {"left drag right steps once", {0, 0, 20}, {{LEFT_PRESS, L, 100, 100}, {MOVE, L, 400, 100}}, {0, 0, 20}, make_date(10, 4, 1), 1},
        {"left drag left", {0, 0, 20}, {{LEFT_PRESS, L, 100, 100}, {MOVE, L, 99, 100}}, {0, 0, 20}, make_date(10, 2, 1), 1},
        {"left drag vertical draws", {0, 0, 20}, {{LEFT_PRESS, L, 100, 100}, {MOVE, L, 100, 300}}, {0, 0, 20}, make_date(10, 3, 1), 1},
        {"left drag with shift", {0, 0, 20}, {{LEFT_PRESS, L, 100, 100}, {MOVE, L | S, 300, 100}}, {0, 0, 20}, make_date(10, 3, 1), 0},
        {"right arrow up, left", {0, 0, 20}, {{KEY_UP, 0, VK_RIGHT, 0}, {KEY_UP, 0, VK_RIGHT, 0}}, {0, 0, 20}, make_date(10, 5, 1), 2},
        {"other key draws only", {0, 0, 20}, {{KEY_UP, 0, 0x41, 0}, {KEY_UP, 0, VK_LEFT, 0}}, {0, 0, 20}, make_date(10, 2, 1), 2},
        {"releases draw", {0, 0, 20}, {{LEFT_UP, 0, 3, 4}, {RIGHT_UP, 0, 5, 6}}, {0, 0, 20}, make_date(10, 3, 1), 2},
    };
    for (const Case& c : cases) {
        set_view(c.before);
        current_date = make_date(10, 3, 1);
        test_platform.frames_swapped = 0;
        for (const Event& e : c.events)
            send(e);
        EXPECT_FLOAT_EQ(c.after.tilt, view_tilt) << c.name;
        EXPECT_FLOAT_EQ(c.after.heading, view_heading) << c.name;
        EXPECT_FLOAT_EQ(c.after.distance, view_distance) << c.name;
        EXPECT_EQ(c.date, current_date) << c.name;
        EXPECT_EQ(c.frames, test_platform.frames_swapped) << c.name;
    }
}

// A press takes the focus and the mouse, a release gives it back; a move with no button
// keeps the last position, so the next drag measures from the release.
TEST_F(Input, PressCapturesAndTheLastPositionStays)
{
    on_right_press(MK_RBUTTON, 10, 20);
    EXPECT_EQ(1, test_platform.mouse_captured);
    on_right_release(40, 20);
    EXPECT_EQ(0, test_platform.mouse_captured);
    on_mouse_move(0, 500, 500);
    view_heading = 0;
    on_mouse_move(MK_RBUTTON, 45, 20);
    EXPECT_FLOAT_EQ(-5.0f, view_heading);
    last_mouse_x = 32767;  // differences are 16-bit
    on_mouse_move(MK_RBUTTON, -32768, 20);
    EXPECT_FLOAT_EQ(-6.0f, view_heading);
}

// A tick plays the timeline by step_unit, then moves the camera for a held arrow, then
// draws; another timer's tick does nothing.
TEST_F(Input, TickPlaysAndRepeatsTheHeldArrow)
{
    const struct Case {
        PlayMode play;
        uint8_t unit, move;
        View before;
        PackedDate date;  // from 31 January 2004
        View after;
    } cases[] = {
        {PLAY_FORWARD, STEP_MONTH, AUTO_MOVE_NONE, {0, 0, 20}, make_date(14, 2, 29), {0, 0, 20}},
        {PLAY_BACKWARD, STEP_DAY, AUTO_MOVE_TILT_MINUS, {0, 0, 20}, make_date(14, 1, 30), {-2.5f, 0, 20}},
        {PLAY_PAUSED, STEP_YEAR, AUTO_MOVE_TILT_PLUS, {90, 0, 20}, make_date(14, 1, 31), {90, 0, 20}},
        {PLAY_FORWARD, STEP_YEAR, AUTO_MOVE_HEADING_MINUS, {0, -179, 20}, make_date(15, 1, 31), {0, -180, 20}},
        {PLAY_PAUSED, STEP_DAY, AUTO_MOVE_HEADING_PLUS, {0, 10, 20}, make_date(14, 1, 31), {0, 12.5f, 20}},
        {PLAY_PAUSED, STEP_DAY, AUTO_MOVE_ZOOM_IN, {0, 0, 7}, make_date(14, 1, 31), {0, 0, 7}},
        {PLAY_PAUSED, STEP_DAY, AUTO_MOVE_ZOOM_IN, {0, 0, 20}, make_date(14, 1, 31), {0, 0, 20 * 0.975f}},
        {PLAY_PAUSED, STEP_DAY, AUTO_MOVE_ZOOM_OUT, {0, 0, 2000}, make_date(14, 1, 31), {0, 0, 2000 * 1.05f}},
    };
    for (const Case& c : cases) {
        play_mode = c.play;
        step_unit = c.unit;
        auto_move = c.move;
        set_view(c.before);
        current_date = make_date(14, 1, 31);
        test_platform.events.clear();
        on_timer(FRAME_TIMER_ID + 1);
        EXPECT_TRUE(test_platform.events.empty());
        on_timer(FRAME_TIMER_ID);
        EXPECT_EQ(c.date, current_date) << +c.play << " " << +c.move;
        EXPECT_FLOAT_EQ(c.after.tilt, view_tilt) << +c.move;
        EXPECT_FLOAT_EQ(c.after.heading, view_heading) << +c.move;
        EXPECT_FLOAT_EQ(c.after.distance, view_distance) << +c.move;
        ASSERT_EQ(1u, test_platform.events.size());
        EXPECT_EQ("frame", test_platform.events[0]);
    }
}

// A tick draws only when what the view shows changed since the frame on the screen: every
// panel's change shows at the next tick, an input's at once; an unchanged tick draws
// nothing, and neither does the tick after a change.
TEST_F(Input, TickDrawsOnlyAChangedScene)
{
    ASSERT_EQ(1, read_records("data/district.csv"));
    query_panel_refresh(query_panel);
    struct Case {
        const char* name;
        std::function<void()> change;
        int frames_of_change, frames_of_tick;
    } cases[] = {
        {"nothing", [] {}, 0, 0},
        {"month +", [] { test_click(timeline_panel, IDC_MONTH_PLUS); }, 0, 1},
        {"height scale", [] { test_choose_row(gis_panel, IDC_HEIGHT_SCALE, 1); }, 0, 1},
        {"map choice", [] { test_choose_row(gis_panel, IDC_MAP_CHOICE, 0); }, 0, 1},
        {"crime types", [] { test_set_rows(query_panel, IDC_CRIME_LIST, {1, 4}); }, 0, 1},
        {"beat chosen", [] { test_choose_row(query_panel, IDC_BEAT_LIST, 3); }, 0, 1},
        {"arrow held", [] { test_click(gis_panel, IDC_NAV_ZOOM_OUT); }, 0, 1},
        {"arrow let go", [] { test_left_button_up(gis_panel); }, 0, 0},
        {"playing", [] { play_mode = PLAY_FORWARD; }, 0, 1},
        {"paused", [] { play_mode = PLAY_PAUSED; }, 0, 0},
        {"resized", [] { on_resize(900, 600); }, 0, 1},
        {"wheel", [] { on_wheel(120); }, 1, 0},
        {"right arrow", [] { on_key_release(VK_RIGHT); }, 1, 0},
        {"default location", [] { on_menu_command(21); }, 1, 0},
    };
    for (const Case& c : cases) {
        on_timer(FRAME_TIMER_ID);  // the screen up to date
        test_platform.frames_swapped = 0;
        c.change();
        EXPECT_EQ(c.frames_of_change, test_platform.frames_swapped) << c.name;
        on_timer(FRAME_TIMER_ID);
        EXPECT_EQ(c.frames_of_change + c.frames_of_tick, test_platform.frames_swapped) << c.name;
        if (play_mode != PLAY_FORWARD && auto_move == AUTO_MOVE_NONE) {  // nothing moves on its own
            on_timer(FRAME_TIMER_ID);
            EXPECT_EQ(c.frames_of_change + c.frames_of_tick, test_platform.frames_swapped) << c.name;
        }
    }
    test_platform.frames_swapped = 0;
    on_paint();  // a paint always draws
    EXPECT_EQ(1, test_platform.frames_swapped);
}

// Ctrl + left press selects the beat under the mouse (its report in the Info panel, the
// Query panel's list following) or clears the selection; Ctrl + right press centres on it.
TEST_F(Input, CtrlClicksPickBeats)
{
    ASSERT_EQ(1, read_records("data/district.csv"));
    query_panel_refresh(query_panel);
    for (uint16_t& flag : query_flags)
        flag = 1;
    set_height_choice(0);  // 100:1, every top below the eye
    make_columns();
    // straight above, a beat's top centre is drawn where its scene position projects
    const int16_t cx = 510, cy = 350;  // the client's middle: the view centre
    center_view_on(beats[2].lon, beats[2].lat);
    on_left_press(MK_LBUTTON | MK_CONTROL, cx, cy);
    EXPECT_EQ((std::vector<int>{2, 2, 1}), (std::vector<int>{selected_beat, list_current(query_panel, IDC_BEAT_LIST),
                                                           panel_is_visible(info_panel)}));
    EXPECT_NE(std::string::npos, test_control(info_panel, IDC_INFO_TEXT)->text.find("Crime total for beat CEDAR: "));
    on_left_press(MK_LBUTTON | MK_CONTROL, 3, 3);  // the map's corner: no column
    EXPECT_EQ((std::pair{-1, -1}), (std::pair{selected_beat, list_current(query_panel, IDC_BEAT_LIST)}));

    // Ctrl + right press a little off the centred beat (well inside its acceptance circle)
    // centres on the beat again; on nothing, the centre stays
    const Vec3 on_beat = view_center;
    view_center.x += 0.05f, view_center.y -= 0.05f;
    const Vec3 off = view_center;
    on_right_press(MK_RBUTTON | MK_CONTROL, 3, 3);
    EXPECT_EQ(std::tuple(off.x, off.y), std::tuple(view_center.x, view_center.y));
    int frames = test_platform.frames_swapped;
    on_right_press(MK_RBUTTON | MK_CONTROL, cx, cy);
    EXPECT_EQ(std::tuple(on_beat.x, on_beat.y, on_beat.z), std::tuple(view_center.x, view_center.y, view_center.z));
    EXPECT_EQ(frames + 1, test_platform.frames_swapped);
}

}  // namespace
