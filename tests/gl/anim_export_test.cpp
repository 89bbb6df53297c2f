// "Export Animation..": the files written decoded by the ffmpeg command-line tools and
// compared with the snapshots of the same dates; a cancel and a full disk.
#include <gif_lib.h>
#include <sys/mount.h>

#include <cstdio>

#include "render/anim_export.h"
#include "shell/export_animation.h"
#include "shell/view_menu.h"
#include "tests/gl_fixture.h"

namespace {

constexpr int W = 160, H = 117;  // an odd height: the MP4 gets a repeated last row
typedef std::vector<unsigned char> Pixels;

class AnimExport : public GlTest {
protected:
    std::string out;  // a fresh folder for the files written
    void SetUp() override
    {
        char folder[] = "/tmp/zavro_anim_XXXXXX";
        ASSERT_TRUE(mkdtemp(folder));
        out = folder;
        start(W, H);
        ASSERT_EQ(1, load_beat_list("data/district.csv"));
        for (int t = 0; t < CRIME_TYPE_COUNT; t++)
            query_flags[t] = 1;
        view_tilt = 60.0f, view_distance = 16.0f;
        set_height_choice(1);  // 10:1, so the tops stay in the picture
        set_current_date(make_date(2010 - BASE_YEAR, 7, 1));
        test_platform.messages.clear();
    }
    void TearDown() override
    {
        fs::remove_all(out);
        GlTest::TearDown();
    }
    // The command with the dialog answered: monthly from January 2004, frames frames.
    void run(AnimFormat format, const std::string& path, int frames, int caption = 0)
    {
        test_platform.animation_answers.push_back([=](AnimRequest* r) {
            r->from_date = make_date(2004 - BASE_YEAR, 1, 1);
            r->to_date = make_date(2004 - BASE_YEAR, (unsigned)frames, 1);
            r->step = STEP_MONTH, r->format = format, r->caption = caption;
            return 1;
        });
        test_platform.dialog_answers.push_back(path);
        on_menu_command(CMD_EXPORT_ANIMATION);
    }
    // The snapshot of month k of 2004 as "Save Snapshot.." takes it, top row first.
    Pixels snapshot(int k)
    {
        const PackedDate user = current_date;
        set_current_date(make_date(2004 - BASE_YEAR, (unsigned)k + 1, 1));
        draw_frame();
        Pixels bottom_up = gl_context_read_rgb(0, 0, W, H), top_down(bottom_up.size());
        for (int y = 0; y < H; y++)
            memcpy(&top_down[(size_t)y * W * 3], &bottom_up[(size_t)(H - 1 - y) * W * 3], W * 3);
        set_current_date(user);
        return top_down;
    }
    static std::string command_output(const std::string& command)
    {
        std::string out;
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[1 << 16];
        for (size_t got; pipe && (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, got);
        if (pipe)
            pclose(pipe);
        return out;
    }
    // "width,height,frames" of the first video stream, as ffprobe counts them.
    static std::string probe(const std::string& path)
    {
        std::string out = command_output("ffprobe -v error -select_streams v:0 -count_frames -show_entries "
                                         "stream=width,height,nb_read_frames -of csv=p=0 '" + path + "'");
        return out.substr(0, out.find_last_not_of("\n,") + 1);
    }
    // Every frame decoded to RGB, width x height each, top row first.
    static std::vector<Pixels> decode(const std::string& path, int width, int height)
    {
        const std::string raw = command_output("ffmpeg -v error -i '" + path + "' -f rawvideo -pix_fmt rgb24 -");
        std::vector<Pixels> frames;
        const size_t size = (size_t)width * height * 3;
        for (size_t at = 0; at + size <= raw.size(); at += size)
            frames.emplace_back(raw.begin() + (long)at, raw.begin() + (long)(at + size));
        return frames;
    }
    // Mean absolute difference per channel over the view's W x H, top-left aligned.
    static double difference(const Pixels& frame, int frame_width, const Pixels& view)
    {
        double sum = 0;
        for (int y = 0; y < H; y++)
            for (int x = 0; x < W * 3; x++)
                sum += std::abs(frame[(size_t)y * frame_width * 3 + x] - view[(size_t)y * W * 3 + x]);
        return sum / (W * H * 3);
    }
    static Texts folder(const fs::path& where)
    {
        Texts names;
        for (const auto& entry : fs::directory_iterator(where))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

// Each video holds one frame per month at the view's size (MP4's height made even), and
// frame k is the snapshot of month k within the codec's error, nearer to it than to the
// months beside it; the dialog offered the current date to Data End at the Timeline's
// unit, 4 frames a second, MP4, caption on; the user's date is back afterwards.
TEST_F(AnimExport, VideosHoldTheSnapshotsOfTheirDates)
{
    std::vector<Pixels> snapshots;
    for (int k = 0; k < 6; k++)
        snapshots.push_back(snapshot(k));
    ASSERT_GT(difference(snapshots[1], W, snapshots[2]), 0.1) << "the months look alike: no test of the order";
    for (AnimFormat format : {ANIM_MP4, ANIM_WEBM}) {
        const std::string path = out + (format == ANIM_MP4 ? "/a.mp4" : "/a.webm");
        run(format, path, 6);
        EXPECT_EQ(Texts{"Info: Save complete"}, test_messages());
        test_platform.messages.clear();
        const int height = format == ANIM_MP4 ? H + 1 : H;
        EXPECT_EQ(std::to_string(W) + "," + std::to_string(height) + ",6", probe(path));
        const std::vector<Pixels> frames = decode(path, W, height);
        ASSERT_EQ(6u, frames.size()) << path;
        for (int k = 0; k < 6; k++) {
            const double own = difference(frames[k], W, snapshots[k]);
            EXPECT_LT(own, 6.0) << path << " frame " << k;
            for (int other : {k - 1, k + 1}) {
                if (other >= 0 && other < 6) {
                    EXPECT_LT(own, difference(frames[k], W, snapshots[other])) << path << " frame " << k;
                }
            }
        }
    }
    const AnimRequest& offered = test_platform.animation_offered.at(0);
    EXPECT_EQ(make_date(2010 - BASE_YEAR, 7, 1), offered.from_date);
    EXPECT_EQ(make_date(2011 - BASE_YEAR, 11, 1), offered.to_date);
    EXPECT_EQ(std::tuple(STEP_YEAR, 4, (int)ANIM_MP4, 1), std::tuple(offered.step, offered.fps, offered.format, offered.caption));
    EXPECT_EQ(make_date(2010 - BASE_YEAR, 7, 1), current_date);
    EXPECT_EQ(FRAME_PERIOD_MS, test_platform.timer_period_ms[FRAME_TIMER_ID]);
}

// A GIF with the caption: the view above the strip, every pixel the snapshot's mapped to
// the nearest colour of the file's one palette (the lowest index of equals).
TEST_F(AnimExport, GifIsTheSnapshotInItsPalette)
{
    const std::string path = out + "/a.gif";
    run(ANIM_GIF, path, 4, 1);
    EXPECT_EQ(Texts{"Info: Save complete"}, test_messages());
    const int height = H + TEST_CAPTION_HEIGHT;
    EXPECT_EQ(std::to_string(W) + "," + std::to_string(height) + ",4", probe(path));
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    ASSERT_TRUE(gif && gif->SColorMap);
    std::vector<GifColorType> palette(gif->SColorMap->Colors, gif->SColorMap->Colors + gif->SColorMap->ColorCount);
    DGifCloseFile(gif, &error);
    auto mapped = [&](const unsigned char* rgb) {
        size_t best = 0;
        int best_distance = 1 << 30;
        for (size_t i = 0; i < palette.size(); i++) {
            const int r = rgb[0] - palette[i].Red, g = rgb[1] - palette[i].Green, b = rgb[2] - palette[i].Blue;
            if (r * r + g * g + b * b < best_distance)
                best_distance = r * r + g * g + b * b, best = i;
        }
        return palette[best];
    };
    const std::vector<Pixels> frames = decode(path, W, height);
    ASSERT_EQ(4u, frames.size());
    const unsigned char strip_grey[3] = {TEST_CAPTION_GREY, TEST_CAPTION_GREY, TEST_CAPTION_GREY};
    for (int k = 0; k < 4; k++) {
        Pixels expected = snapshot(k);
        expected.resize((size_t)W * height * 3);
        for (size_t p = (size_t)W * H; p < (size_t)W * height; p++)
            memcpy(&expected[p * 3], strip_grey, 3);
        for (size_t p = 0; p < (size_t)W * height; p++) {
            const GifColorType c = mapped(&expected[p * 3]);
            expected[p * 3] = c.Red, expected[p * 3 + 1] = c.Green, expected[p * 3 + 2] = c.Blue;
        }
        EXPECT_TRUE(frames[k] == expected) << "frame " << k << " is not the snapshot in the palette";
    }
}

// A cancel leaves the old file as it was and nothing beside it, with no message; PNG
// frames go into a new folder, which a later export replaces whole.
TEST_F(AnimExport, CancelLeavesNothingAndFramesReplaceTheirFolder)
{
    const std::string path = out + "/a.mp4";
    std::ofstream(path) << "old";
    test_platform.progress_cancel_at = 2;
    run(ANIM_MP4, path, 6);
    EXPECT_EQ(Texts{}, test_messages());
    EXPECT_EQ(Texts{"a.mp4"}, folder(out));
    EXPECT_EQ(3u, fs::file_size(path));
    run(ANIM_PNG, out + "/frames", 6);
    EXPECT_EQ(Texts{"a.mp4"}, folder(out));
    EXPECT_EQ(0, test_platform.progress_open);
    test_platform.progress_cancel_at = -1;
    run(ANIM_PNG, out + "/frames", 5);
    run(ANIM_PNG, out + "/frames", 3);
    EXPECT_EQ((Texts{"frame_00001.png", "frame_00002.png", "frame_00003.png"}), folder(out + "/frames"));
    EXPECT_EQ(std::to_string(W) + "," + std::to_string(H) + ",1", probe(out + "/frames/frame_00003.png"));
    EXPECT_EQ((Texts{"a.mp4", "frames"}), folder(out));
    std::ofstream(out + "/frames/notes.txt") << "mine";
    run(ANIM_PNG, out + "/frames", 2);  // a folder with a file of the user's is left alone
    EXPECT_EQ("Error: Can't write animation to " + out +
                  "/frames: the folder holds files other than the frames of an earlier export",
              test_messages().back());
    EXPECT_EQ(4u, folder(out + "/frames").size());
}

// A full disk: the message names the file and the reason, and the old file stays.
TEST_F(AnimExport, FullDiskIsReportedAndKeepsTheOldFile)
{
    const std::string disk = out + "/disk";
    fs::create_directory(disk);
    if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=48k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here (" << strerror(errno)
                     << "; it needs root with CAP_SYS_ADMIN): the full-disk case is not tested";
    const std::string path = disk + "/a.gif";
    std::ofstream(path) << "old";
    run(ANIM_GIF, path, 12);
    const Texts names = folder(disk);
    const uintmax_t size = fs::file_size(path);
    umount(disk.c_str());
    ASSERT_EQ(1u, test_platform.messages.size());
    EXPECT_EQ("Can't write animation to " + path + ": No space left on device", test_platform.messages[0].text);
    EXPECT_EQ("Error", test_platform.messages[0].caption);
    EXPECT_EQ(path + ": No space left on device", test_platform.messages[0].details);
    EXPECT_EQ(Texts{"a.gif"}, names);
    EXPECT_EQ(3u, size);
}

}  // namespace
