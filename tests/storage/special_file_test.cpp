// Readers never wait on a file: pipes, sockets, folders and devices that
// would block are refused at once.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "storage/readablefile.h"
#include "storage/taskfile.h"
#include "tests/storage/noisy_task.h"
#include "tests/support/task_builder.h"
#include "tests/support/temp_dir.h"

namespace {

// A bound unix socket at path; -1 when none can be made.
int BindSocket(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
        return fd;
    if (fd >= 0) ::close(fd);
    return -1;
}

// The terminal side of a new pseudo-terminal: a device whose read would wait.
std::string PseudoTerminal(int& master) {
    master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) return {};
    const char* name = ::ptsname(master);
    return name ? name : "";
}

}  // namespace

TEST(SpecialFiles, AreRefusedWithoutWaitingAndTheTaskStays) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.Path("pipe").c_str(), 0600), 0);
    const int socket = BindSocket(dir.Path("socket"));
    int master = -1;
    const std::string terminal = PseudoTerminal(master);
    struct Case {
        std::string path;
        LoadStatus status;
    };
    std::vector<Case> cases = {{dir.Path("pipe"), LoadStatus::CannotOpen},
                               {dir.path(), LoadStatus::CannotOpen}};
    if (socket >= 0) cases.push_back({dir.Path("socket"), LoadStatus::CannotOpen});
    // A read of the terminal would wait for typing: it fails at once instead.
    if (!terminal.empty()) cases.push_back({terminal, LoadStatus::Refused});

    auto task = MakeNoisyTask();
    auto before = MakeTask();
    CopyTask(*task, *before);
    ::alarm(20);  // a reader that blocks ends the test program instead of hanging it
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const LoadResult result = LoadFromFile(*task, c.path);
        EXPECT_EQ(result.status, c.status);
        if (c.status == LoadStatus::CannotOpen) {
            EXPECT_EQ(result.message, "Файл не открылся.");
        }
        EXPECT_EQ(DescribeDifference(*task, *before), "");
        std::string bytes;
        EXPECT_NE(ReadWholeFile(c.path, 1000, bytes), ReadFileStatus::Read);
    }
    ::alarm(0);
    if (socket >= 0) ::close(socket);
    if (master >= 0) ::close(master);

    // A character device that reads like a file is a file.
    EXPECT_EQ(LoadFromFile(*task, "/dev/null").status, LoadStatus::Loaded);
}

TEST(ReadWholeFile, ReadsUpToTheLimit) {
    TempDir dir;
    TempDir::Write(dir.Path("f"), "12345");
    struct Case {
        std::string path;
        std::size_t limit;
        ReadFileStatus status;
        std::string bytes;
    };
    const Case cases[] = {
        {dir.Path("f"), 5, ReadFileStatus::Read, "12345"},
        {dir.Path("f"), 4, ReadFileStatus::TooLarge, ""},
        {dir.Path("missing"), 10, ReadFileStatus::CannotOpen, ""},
        {"/dev/null", 10, ReadFileStatus::Read, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " " + std::to_string(c.limit));
        std::string bytes = "stale";
        EXPECT_EQ(ReadWholeFile(c.path, c.limit, bytes), c.status);
        EXPECT_EQ(bytes, c.bytes);
    }
}
