// gl_fixture.h: what the GL tests share: the program's headers, a reset of everything the
// program keeps between runs, and a fixture that starts it on the headless context and
// the recording platform, and deletes what it built afterwards.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "panels/gis_panel.h"
#include "panels/info_panel.h"
#include "panels/panel_templates.h"
#include "panels/panels.h"
#include "panels/query_panel.h"
#include "panels/timeline.h"
#include "print/print.h"
#include "query/query.h"
#include "query/report.h"
#include "render/columns.h"
#include "render/image.h"
#include "render/map_gl.h"
#include "render/pick.h"
#include "render/view_state.h"
#include "shell/command_line.h"
#include "panels/file_dialogs.h"
#include "shell/menu.h"
#include "shell/records.h"
#include "render/frame_gl.h"
#include "shell/startup.h"
#include "shell/view.h"
#include "store/dates.h"
#include "tests/data_fixture.h"
#include "tests/gl_context.h"
#include "tests/test_platform.h"

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

// The recording platform, the data and every setting back as at a first start: paused,
// stepping by year, the basemap at 1:1, the default view, no beat selected.
inline void reset_program_state()
{
    test_platform_reset();
    reset_data_state();
    play_mode = PLAY_PAUSED;
    step_unit = STEP_YEAR;
    auto_move = AUTO_MOVE_NONE;
    gis_options = 0;
    set_height_choice(2);
    view_distance = 20.0f;
    view_tilt = view_heading = 0.0f;
    view_center = default_view_center;
    selected_beat = -1;
    last_mouse_x = last_mouse_y = 0;
    start_beat_list[0] = 0;
}

// The program on a width x height context: started (PROGRAM: on_startup and on_resize),
// only its view made (GL_STATE: init_gl_state, the basemap, the lists and on_resize), or
// just reset (NOTHING).
class GlTest : public ::testing::Test {
protected:
    std::unique_ptr<ScratchFolder> scratch;  // enter_scratch: the test's working folder
    void enter_scratch() { scratch = std::make_unique<ScratchFolder>(); }
    enum Start { NOTHING, GL_STATE, PROGRAM };
    void start(int width, int height, Start how = PROGRAM)
    {
        ASSERT_TRUE(gl_context_open(width, height));
        reset_program_state();
        if (how == PROGRAM)
            on_startup();
        else if (how == GL_STATE) {
            init_gl_state();
            make_map();
            make_columns();
        }
        if (how != NOTHING)
            on_resize(width, height);
    }
    void TearDown() override
    {
        start_beat_list[0] = 0;
        scratch.reset();
        delete_map(1);
        gl_context_close();
    }
};
