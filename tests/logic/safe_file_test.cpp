// safe_file: what a replaced file keeps, links, and failures that say why.
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "store/safe_file.h"
#include "tests/data_fixture.h"

using SafeFileTest = InScratchFolder;
namespace fs = std::filesystem;

static int save(const char* path, const std::string& bytes)
{
    SafeFile file;
    if (!safe_file_open(&file, path))
        return 0;
    safe_file_write(&file, bytes.data(), bytes.size());
    return safe_file_commit(&file);
}

static mode_t mode_of(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0 ? info.st_mode & 07777 : (mode_t)-1;
}

static int entries(const char* folder)
{
    return (int)std::distance(fs::directory_iterator(folder), {});
}

// A replaced file keeps its permission bits, whatever the umask; a new file gets 0666
// less the umask, which is never changed to find out.
TEST_F(SafeFileTest, ModesOfReplacedAndNewFiles)
{
    struct Case { mode_t umask; mode_t old_mode; mode_t expected; } cases[] = {
        {022, 0640, 0640}, {077, 0644, 0644}, {022, 0600, 0600}, {022, 0755, 0755},
        {022, 0444, 0444}, {0, 02640, 02640},
        {022, (mode_t)-1, 0644}, {077, (mode_t)-1, 0600}, {027, (mode_t)-1, 0640}};
    for (const Case& c : cases) {
        fs::remove("out.csv");
        if (c.old_mode != (mode_t)-1) {
            std::ofstream("out.csv") << "old";
            ASSERT_EQ(0, chmod("out.csv", c.old_mode));
        }
        mode_t saved = umask(c.umask);
        EXPECT_EQ(1, save("out.csv", "new")) << std::oct << c.old_mode;
        umask(saved);
        EXPECT_EQ("new", read_file("out.csv"));
        EXPECT_EQ(c.expected, mode_of("out.csv")) << std::oct << c.umask << " " << c.old_mode;
        EXPECT_EQ(2, entries(".")) << "no temporary file left";  // data, out.csv
    }
}

// Writing through a symbolic link (relative links count from the link's folder, chains
// are followed, a dangling link creates its target) replaces the file at the end and
// leaves every link a link.
TEST_F(SafeFileTest, LinksAreFollowedAndKept)
{
    fs::create_directories("sub");
    std::ofstream("sub/real.csv") << "old";
    ASSERT_EQ(0, chmod("sub/real.csv", 0600));
    struct Case { const char* link; const char* points_to; const char* end; } cases[] = {
        {"direct", "sub/real.csv", "sub/real.csv"},
        {"sub/inner", "real.csv", "sub/real.csv"},
        {"chain", "sub/inner", "sub/real.csv"},
        {"dangling", "sub/made.csv", "sub/made.csv"}};
    for (const Case& c : cases) {
        ASSERT_EQ(0, symlink(c.points_to, c.link));
        EXPECT_EQ(1, save(c.link, c.link)) << c.link;
        EXPECT_TRUE(fs::is_symlink(c.link)) << c.link;
        EXPECT_EQ(c.link, read_file(c.end)) << c.link;
    }
    EXPECT_EQ(0600u, mode_of("sub/real.csv"));
    EXPECT_EQ(3, entries("sub"));  // inner, real.csv, made.csv
    ASSERT_EQ(0, symlink("loop_b", "loop_a"));
    ASSERT_EQ(0, symlink("loop_a", "loop_b"));
    errno = 0;
    EXPECT_EQ(0, save("loop_a", "x"));
    EXPECT_EQ(ELOOP, errno);
}

// Failures return 0 with an errno for the message, leave an existing file as it was and
// no temporary file behind.
TEST_F(SafeFileTest, FailuresSayWhy)
{
    const std::string longest(255, 'n');  // legal, but no room for the suffix
    std::ofstream(longest) << "old";
    fs::create_directories("folder");
    std::ofstream("kept.csv") << "old";
    struct Case { std::string path; long write_limit; int error; } cases[] = {
        {longest, -1, ENAMETOOLONG}, {longest.substr(1), -1, ENAMETOOLONG},
        {longest.substr(7), -1, 0}, {"no_such_folder/out.csv", -1, ENOENT},
        {"", -1, ENOENT}, {"folder", -1, EISDIR}, {"kept.csv", 2, ENOSPC}};
    for (const Case& c : cases) {
        safe_file_write_limit = c.write_limit;
        errno = 0;
        EXPECT_EQ(c.error == 0, save(c.path.c_str(), "new")) << c.path.size();
        safe_file_write_limit = -1;
        if (c.error != 0) {
            EXPECT_EQ(c.error, errno) << c.path.size() << ": " << strerror(errno);
        }
        fs::remove(longest.substr(7));
        EXPECT_EQ("old", read_file(longest));
        EXPECT_EQ("old", read_file("kept.csv"));
        EXPECT_EQ(4, entries(".")) << c.path.size();  // data, folder, both files
    }
}

// A writable file in a folder that allows no new file: the save fails with EACCES and
// the file stays. Permission bits do not stop root, so as root the save runs in a child
// process that has given up root for the unprivileged user 65534.
TEST_F(SafeFileTest, FolderWithoutRoomForANewFile)
{
    fs::create_directories("locked");
    std::ofstream("locked/kept.csv") << "old";
    ASSERT_EQ(0, chmod("locked/kept.csv", 0666));
    ASSERT_EQ(0, chmod("locked", 0555));
    ASSERT_EQ(0, chmod(".", 0755));  // the child must reach the folder
    auto attempt = []() {
        errno = 0;
        int saved = save("locked/kept.csv", "new");
        return saved == 0 && errno == EACCES;
    };
    if (geteuid() != 0) {
        EXPECT_TRUE(attempt());
    } else {
        pid_t child = fork();
        ASSERT_NE(-1, child);
        if (child == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(2);
            _exit(attempt() ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(child, waitpid(child, &status, 0));
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(0, WEXITSTATUS(status)) << "2: could not give up root";
    }
    EXPECT_EQ("old", read_file("locked/kept.csv"));
    EXPECT_EQ(1, entries("locked"));
    chmod("locked", 0755);
}
