// Readers never wait on a file: a pipe, or a device whose read would wait,
// is refused at once.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "storage/readablefile.h"
#include "storage/taskfile.h"
#include "tests/storage/noisy_task.h"
#include "tests/support/task_builder.h"
#include "tests/support/temp_dir.h"

TEST(SpecialFiles, AreRefusedWithoutWaitingAndTheTaskStays) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.Path("pipe").c_str(), 0600), 0);
    struct Case {
        std::string path;
        StatusKind status;
    };
    std::vector<Case> cases = {{dir.Path("pipe"), StatusKind::CannotOpen}};
    // The terminal side of a pseudo-terminal: reading it would wait for typing.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0 && ::ptsname(master))
        cases.push_back({::ptsname(master), StatusKind::Refused});

    auto task = MakeNoisyTask();
    auto before = MakeTask();
    CopyTask(*task, *before);
    ::alarm(20);  // a reader that waits ends this program instead of hanging it
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(LoadFromFile(*task, c.path).status.kind, c.status);
        EXPECT_EQ(DescribeDifference(*task, *before), "");
        std::string bytes;
        EXPECT_FALSE(ReadWholeFile(c.path, 1000, bytes).ok());
    }
    ::alarm(0);
    if (master >= 0) ::close(master);

    // A character device that reads like a file is one; files read up to a limit.
    EXPECT_EQ(LoadFromFile(*task, "/dev/null").status.kind, StatusKind::Ok);
    TempDir::Write(dir.Path("f"), "12345");
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(dir.Path("f"), 5, bytes).ok());
    EXPECT_EQ(bytes, "12345");
    const Status tooLarge = ReadWholeFile(dir.Path("f"), 4, bytes);
    EXPECT_EQ(tooLarge.kind, StatusKind::Refused);
    EXPECT_EQ(tooLarge.error, EFBIG);
    const Status missing = ReadWholeFile(dir.Path("missing"), 4, bytes);
    EXPECT_EQ(missing.kind, StatusKind::CannotOpen);
    EXPECT_EQ(missing.error, ENOENT);
}
