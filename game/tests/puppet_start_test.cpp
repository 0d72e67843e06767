// The game program itself: it starts with no configuration at all, keeps running, and ends cleanly
// with status 0 when the desktop asks it to close (SDL turns SIGTERM into a quit request).
#include "child_environment.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Waits up to the given time for the child; returns its wait status, or -1 while it still runs.
int waitFor(pid_t child, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

}  // namespace

TEST(PuppetProgram, RunsWithoutConfigurationAndQuitsWhenClosed) {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "dolvane-puppet-XXXXXX").string();
    const fs::path folder = mkdtemp(pattern.data());
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    prepareChildEnvironment();

    char* const argv[] = {const_cast<char*>(PUPPET), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, PUPPET, nullptr, nullptr, argv, environ);
    fs::current_path(previous);
    ASSERT_EQ(spawned, 0);

    EXPECT_EQ(waitFor(child, std::chrono::milliseconds(1500)), -1) << "the game ended by itself";
    kill(child, SIGTERM);
    const int status = waitFor(child, std::chrono::seconds(10));
    if (status == -1) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        FAIL() << "the game did not quit when asked to close";
    }
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 0);
    fs::remove_all(folder);
}
