// The open and save dialogs as the program uses them, answered by the recording platform
// (which moves the working directory to "/" while a dialog is shown).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "panels/file_dialogs.h"
#include "tests/data_fixture.h"
#include "tests/test_platform.h"

namespace {

class FileDialogs : public InScratchFolder {
protected:
    std::string home, out;  // the start-up folder, and a folder in it with "/"
    void SetUp() override
    {
        InScratchFolder::SetUp();
        test_platform_reset();
        init_file_dialogs();
        home = std::filesystem::current_path().string();
        out = home + "/out/";
        std::filesystem::create_directories("out");
    }
    // One request answered with answers: its result, path as the caller sees it after.
    int ask(int save, const std::vector<std::string>& answers, std::string* path)
    {
        test_platform.dialog_answers = answers;
        char buffer[FILE_PATH_SIZE] = "unchanged";
        int result = save ? save_file_dialog(buffer, ".csv") : open_file_dialog(buffer, ".csv");
        *path = buffer;
        EXPECT_EQ(home, std::filesystem::current_path().string()) << "back in the start-up folder";
        return result;
    }
};

// Each dialog starts in the folder of the last file chosen in either; only the save
// dialog adds the extension; a cancel changes nothing.
TEST_F(FileDialogs, FoldersExtensionAndCancel)
{
    struct Case { int save; std::string answer, path, starts_in; } cases[] = {
        {1, out + "report.CSV", out + "report.CSV.csv", home},
        {0, home + "/list", home + "/list", out},  // a missing file, as typed
        {1, DIALOG_CANCEL, "unchanged", home + "/"},
        {0, DIALOG_CANCEL, "unchanged", home + "/"},
        {1, out + "x.csv", out + "x.csv", home + "/"},
    };
    for (const Case& c : cases) {
        std::string path;
        EXPECT_EQ(c.path != "unchanged", ask(c.save, {c.answer}, &path)) << c.answer;
        EXPECT_EQ(c.path, path);
        EXPECT_EQ(c.starts_in, test_platform.dialogs.back().folder) << c.answer;
        EXPECT_EQ(".csv", test_platform.dialogs.back().ext);
    }
    EXPECT_EQ(out, last_dir);
    EXPECT_TRUE(test_platform.messages.empty());

    snprintf(last_dir, sizeof last_dir, "/proc/self/");  // as after a failed export there
    std::string path;
    ask(1, {DIALOG_CANCEL}, &path);
    EXPECT_EQ(getenv("HOME"), test_platform.dialogs.back().folder);
}

// The dialog asked only about the name as typed: when the added extension names an
// existing file the user is asked again, and No shows the dialog again where the user
// was, with the name as typed. A path beyond 255 characters,
// from the platform or with the extension, is refused with a message, not cut.
TEST_F(FileDialogs, NoSilentReplaceNoCutPath)
{
    std::ofstream("out/report.csv") << "kept";
    const std::string n251 = out + std::string(251 - out.size(), 'n');
    struct Case { std::string answer; int reply; std::string path; size_t asked, refused; } cases[] = {
        {out + "report", 0, out + "other.csv", 1, 0},
        {out + "report", 1, out + "report.csv", 1, 0},
        {out + "report.csv", 0, out + "report.csv", 0, 0},  // the dialog's own question covered it
        {n251, 0, n251 + ".csv", 0, 0},
        {n251 + "n", 0, "unchanged", 0, 1},
        {n251 + std::string(300, 'n'), 0, "unchanged", 0, 1},
    };
    for (const Case& c : cases) {
        remember_start_dir();
        test_platform.questions.clear();
        test_platform.messages.clear();
        test_platform.yes_no_answers = {c.reply};
        std::string path;
        EXPECT_EQ(c.path != "unchanged", ask(1, {c.answer, out + "other"}, &path)) << c.answer;
        EXPECT_EQ(c.asked && !c.reply ? out + "|report" : home + "|", test_platform.dialogs.back().folder + "|" + test_platform.dialogs.back().name);
        EXPECT_EQ(c.path, path);
        EXPECT_EQ(c.path != "unchanged" ? out : home, last_dir);
        EXPECT_EQ(c.asked, test_platform.questions.size());
        for (const RecordedMessage& q : test_platform.questions)
            EXPECT_EQ(out + "report.csv already exists.\nDo you want to replace it?/Confirm Save As", q.text + "/" + q.caption);
        EXPECT_EQ(c.refused, test_platform.messages.size());
        for (const RecordedMessage& m : test_platform.messages)
            EXPECT_EQ(std::string(PATH_TOO_LONG_TEXT) + "/Error", m.text + "/" + m.caption);
        for (const RecordedMessage& m : test_platform.messages)
            EXPECT_EQ(c.answer.size() < 256 ? c.answer + ".csv: File name too long" : "File name too long", m.details);
    }
    EXPECT_EQ("kept", read_file("out/report.csv"));
}

}  // namespace
