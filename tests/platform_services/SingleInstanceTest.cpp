// The single instance as a lock file.

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TempFolder.h"
#include "platform/instance/CFlockSingleInstance.h"

namespace dw::platform {
namespace {

using test::CTempFolder;

TEST(FlockSingleInstance, SecondStartLearnsItIsSecondUntilTheFirstLetsGo)
{
    CTempFolder folder;
    const std::string lock = folder / "instance.lock";
    // Two objects open the file separately, as two processes would.
    CFlockSingleInstance first({lock});
    CFlockSingleInstance second({lock});
    ASSERT_EQ(first.Acquire(), InstanceRole::First);
    EXPECT_EQ(first.HeldPath(), lock);
    EXPECT_EQ(first.Acquire(), InstanceRole::First);
    EXPECT_EQ(second.Acquire(), InstanceRole::Second);
    EXPECT_EQ(second.HeldPath(), "");

    first.Release();
    EXPECT_EQ(second.Acquire(), InstanceRole::First);
}

TEST(FlockSingleInstance, LockEndsWithTheProcessThatHeldIt)
{
    CTempFolder folder;
    const std::string lock = folder / "instance.lock";
    int toParent[2];
    int toChild[2];
    ASSERT_EQ(pipe(toParent), 0);
    ASSERT_EQ(pipe(toChild), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The holder: takes the lock, says so, and ends (without releasing) when told to.
        CFlockSingleInstance holder({lock});
        const char role = holder.Acquire() == InstanceRole::First ? 'F' : 'S';
        (void)!write(toParent[1], &role, 1);
        char go = 0;
        (void)!read(toChild[0], &go, 1);
        _exit(0);
    }
    char role = 0;
    ASSERT_EQ(read(toParent[0], &role, 1), 1);
    ASSERT_EQ(role, 'F');

    CFlockSingleInstance second({lock});
    EXPECT_EQ(second.Acquire(), InstanceRole::Second);

    ASSERT_EQ(write(toChild[1], "x", 1), 1);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(second.Acquire(), InstanceRole::First);
    for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]})
        close(fd);
}

TEST(FlockSingleInstance, ProgramsStartedLaterDoNotInheritTheLock)
{
    CTempFolder folder;
    CFlockSingleInstance instance({folder / "instance.lock"});
    ASSERT_EQ(instance.Acquire(), InstanceRole::First);
    int lockFd = -1;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(entry.path(), error) == instance.HeldPath())
            lockFd = std::stoi(entry.path().filename().string());
    }
    ASSERT_GE(lockFd, 0);
    EXPECT_TRUE(fcntl(lockFd, F_GETFD) & FD_CLOEXEC);
}

TEST(FlockSingleInstance, UnusableLocationsFallBackAndNoneAtAllRunsAlone)
{
    CTempFolder folder;
    // A plain file where a folder is expected makes the first candidate unusable.
    const std::string blocker = folder / "not-a-folder";
    std::ofstream(blocker) << "x";
    const std::string fallback = folder / "data/VEXLO Dunwake 75 tri-mode/instance.lock";

    CFlockSingleInstance first({blocker + "/instance.lock", fallback});
    EXPECT_EQ(first.Acquire(), InstanceRole::First);
    EXPECT_EQ(first.HeldPath(), fallback);
    CFlockSingleInstance second({blocker + "/instance.lock", fallback});
    EXPECT_EQ(second.Acquire(), InstanceRole::Second);

    // Nowhere to put a lock: the program runs rather than refusing to start.
    CFlockSingleInstance nowhere({blocker + "/instance.lock"});
    EXPECT_EQ(nowhere.Acquire(), InstanceRole::First);
    EXPECT_EQ(nowhere.HeldPath(), "");
    CFlockSingleInstance noCandidates({});
    EXPECT_EQ(noCandidates.Acquire(), InstanceRole::First);
}

TEST(FlockSingleInstance, LockFileCandidatesFromTheFolders)
{
    struct Case {
        const char* what;
        std::string runtime;
        std::string data;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"run-time folder first", "/run/user/1000", "/home/a/.local/share/VEXLO Dunwake 75 tri-mode",
            {"/run/user/1000/VEXLO Dunwake 75 tri-mode.lock", "/home/a/.local/share/VEXLO Dunwake 75 tri-mode/VEXLO Dunwake 75 tri-mode.lock"}},
        {"no run-time folder", "", "/d/VEXLO Dunwake 75 tri-mode", {"/d/VEXLO Dunwake 75 tri-mode/VEXLO Dunwake 75 tri-mode.lock"}},
        {"nothing known", "", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CFlockSingleInstance::LockFileCandidates(c.runtime, c.data), c.expected);
    }
}

}  // namespace
}  // namespace dw::platform
