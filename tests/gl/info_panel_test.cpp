// The Info panel's log, Clear and Save, through the recording platform (whose text box
// wraps at test_platform.text_columns characters).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "panels/info_panel.h"
#include "panels/panel_templates.h"
#include "panels/panels.h"
#include "panels/file_dialogs.h"
#include "store/safe_file.h"
#include "tests/data_fixture.h"
#include "tests/test_platform.h"

namespace {

class InfoPanel : public InScratchFolder {
protected:
    std::string home;
    void SetUp() override
    {
        InScratchFolder::SetUp();
        test_platform_reset();
        init_file_dialogs();
        home = std::filesystem::current_path().string();
        info_panel = platform_create_panel(&INFO_PANEL_TEMPLATE, info_panel_proc);
    }
    std::string& log() { return test_control(info_panel, IDC_INFO_TEXT)->text; }
    int lines() { return text_line_count(info_panel, IDC_INFO_TEXT); }
};

// A block and one empty line; the next block follows that line. The hidden panel shows
// and the end of the log is in view.
TEST_F(InfoPanel, AppendShowsTheEnd)
{
    ASSERT_EQ(0, panel_is_visible(info_panel));
    info_append("a\r\nb\r\n");
    EXPECT_EQ("a\r\nb\r\n\r\n", log());
    EXPECT_EQ((std::pair{1, 1}), (std::pair{panel_is_visible(info_panel), test_control(info_panel, IDC_INFO_TEXT)->scrolled_to_end}));
    info_append("c\r\n");
    EXPECT_EQ("a\r\nb\r\n\r\nc\r\n\r\n", log());
}

// Past 198 display lines (a wrapped line counts once per display line) the oldest whole
// lines go, and no more of them than needed; the newest block stays whole at the end.
TEST_F(InfoPanel, LineLimitCountsWrappedLines)
{
    for (size_t width : {10, 40, 41, 85}) {
        log() = "";
        std::string history;
        for (int block = 0; block < 80; block++) {
            std::string text;
            for (int line = 0; line < 5; line++)
                text += std::string(width - (line % 2) * (width / 2), (char)('a' + block % 26)) + "\r\n";
            info_append(text.c_str());
            history += text + "\r\n";
            const std::string kept = log();
            ASSERT_LE(lines(), INFO_LINE_LIMIT) << width;
            const size_t dropped = history.size() - kept.size();
            ASSERT_EQ(history.substr(dropped), kept) << width;
            ASSERT_GE(kept.size(), text.size() + 2);
            if (dropped) {  // whole lines, and the last one dropped would not have fitted
                ASSERT_EQ('\n', history[dropped - 1]);
                log() = history.substr(history.rfind('\n', dropped - 2) + 1);
                EXPECT_GT(lines(), INFO_LINE_LIMIT) << width << " " << block;
                log() = kept;
            }
        }
    }
}

// A log that would pass 52,223 characters loses its oldest whole lines until the new
// block fits (on a text box wide enough not to wrap).
TEST_F(InfoPanel, CharacterLimitDropsWholeLines)
{
    test_platform.text_columns = 0;
    const std::string old = "A\r\n" + std::string(40000, 'B') + "\r\nC\r\n";
    const size_t room = INFO_LOG_SIZE - 1 - old.size() - 2;  // for the block, before its CR LF
    struct Case { size_t block; size_t dropped; } cases[] = {
        {room, 0}, {room + 1, 3}, {room + 3, 3}, {room + 4, 40005}, {room + 40005, 40005}, {room + 40006, old.size()}};
    for (const Case& c : cases) {
        log() = old;
        const std::string block = std::string(c.block - 2, 'N') + "\r\n";
        info_append(block.c_str());
        EXPECT_EQ(old.substr(c.dropped) + block + "\r\n", log()) << c.block - room;
        EXPECT_LE(log().size(), (size_t)INFO_LOG_SIZE - 1);
    }
}

// "Clear" then "Save" writes an empty file; a log is saved with every carriage return
// as a blank and every line feed as the line end "\n". Each save reports "Save
// complete"; a cancel does nothing. Only a click counts.
TEST_F(InfoPanel, ClearAndSave)
{
    log() = "a\r\nb\r\n\r\n";
    EXPECT_EQ(1, test_notify(info_panel, IDC_INFO_CLEAR, CODE_DOUBLE_CLICKED));
    EXPECT_EQ("a\r\nb\r\n\r\n", log());
    EXPECT_EQ(1, test_click(info_panel, IDC_INFO_CLEAR));
    test_platform.dialog_answers = {home + "/empty", home + "/log.txt", DIALOG_CANCEL};
    EXPECT_EQ(1, test_click(info_panel, IDC_INFO_SAVE));
    log() = "a\r\nb\r\n\r\n";
    EXPECT_EQ(1, test_click(info_panel, IDC_INFO_SAVE));
    EXPECT_EQ(1, test_click(info_panel, IDC_INFO_SAVE));
    EXPECT_EQ("", read_file("empty.txt"));
    EXPECT_EQ("a \nb \n \n", read_file("log.txt"));
    EXPECT_EQ(".txt", test_platform.dialogs.back().ext);
    ASSERT_EQ(2u, test_platform.messages.size());
    for (const RecordedMessage& m : test_platform.messages)
        EXPECT_EQ("Save complete/Info", m.text + "/" + m.caption);
    EXPECT_EQ(0, test_click(info_panel, IDC_INFO_TEXT));
}

// A save that cannot be written says so, instead of "Save complete", and an existing
// file keeps its contents.
TEST_F(InfoPanel, FailedSaveKeepsTheOldFile)
{
    std::ofstream("kept.txt") << "old\n";
    log() = "new\r\n";
    struct Case { std::string answer; long write_limit; std::string reason; } cases[] = {
        {"/kept", 2, "kept.txt: No space left on device"}, {"/missing/log.txt", -1, "missing/log.txt: No such file or directory"}};
    for (const Case& c : cases) {
        test_platform.messages.clear();
        test_platform.dialog_answers = {home + c.answer};
        test_platform.yes_no_answers = {1};  // replace kept.txt when asked
        safe_file_write_limit = c.write_limit;
        info_save();
        safe_file_write_limit = -1;
        ASSERT_EQ(1u, test_messages().size()) << c.answer;
        EXPECT_EQ(0u, test_messages()[0].find("Error: Can't save the log to " + home)) << c.answer;
        EXPECT_EQ(home + "/" + c.reason, test_platform.messages[0].details);
        EXPECT_EQ("old\n", read_file("kept.txt"));
        EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator("."), {}));  // data, kept.txt
    }
}

}  // namespace
