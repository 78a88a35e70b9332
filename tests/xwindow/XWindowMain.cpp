// Test main of the window-manager tests: starts Xvfb and openbox, then an xcb QApplication on
// that display; without them an offscreen one, and the tests skip.
#include "XDisplay.h"
#include "views/Controls.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace
{

XDisplay display;
std::vector<pid_t> started; // ended in reverse order at exit

bool onPath(const char *program)
{
    const std::string command = std::string("command -v ") + program + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

pid_t spawn(std::vector<std::string> args, int stdoutFd = -1)
{
    std::vector<char *> argv;
    for (std::string &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdoutFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, stdoutFd, 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    if (pid > 0)
        started.push_back(pid);
    return pid;
}

void endStarted()
{
    for (auto it = started.rbegin(); it != started.rend(); ++it) {
        kill(*it, SIGTERM);
        waitpid(*it, nullptr, 0);
    }
    started.clear();
}

// Waits (at most a few seconds) until a command succeeds.
bool waitFor(const std::string &command)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000) {
        if (std::system((command + " >/dev/null 2>&1").c_str()) == 0)
            return true;
        QThread::msleep(50);
    }
    return false;
}

void startDisplay()
{
    if (!onPath("Xvfb") || !onPath("openbox") || !onPath("xprop")) {
        display.reason = "Xvfb, openbox oder xprop nicht installiert";
        return;
    }
    int fds[2];
    if (pipe(fds) != 0) {
        display.reason = "keine Pipe";
        return;
    }
    // Xvfb picks a free display number and writes it to the pipe.
    spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1600x1200x24", "-nolisten", "tcp"});
    close(fds[1]);
    char buffer[16] = {};
    const ssize_t n = read(fds[0], buffer, sizeof buffer - 1);
    close(fds[0]);
    if (n <= 0) {
        display.reason = "Xvfb ließ sich nicht starten";
        return;
    }
    display.name = ":" + std::string(buffer, static_cast<size_t>(n)).substr(0, std::string(buffer).find('\n'));
    setenv("DISPLAY", display.name.c_str(), 1);
    spawn({"openbox"});
    if (!waitFor("xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'")) {
        display.reason = "openbox meldete sich nicht";
        return;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    display.ready = true;
}

} // namespace

const XDisplay &TestDisplay() { return display; }

int main(int argc, char **argv)
{
    bool listing = false; // test discovery needs no display
    for (int i = 1; i < argc; ++i)
        listing |= std::string(argv[i]) == "--gtest_list_tests";
    if (!listing)
        startDisplay();
    if (!display.ready)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int status = 0;
    {
        QApplication app(argc, argv);
        std::setlocale(LC_ALL, "");
        ui::ApplyFeldoraStyle();
        ::testing::InitGoogleTest(&argc, argv);
        status = RUN_ALL_TESTS();
    }
    endStarted();
    return status;
}
