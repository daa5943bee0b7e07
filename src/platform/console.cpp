#include "platform/console.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>

#include "platform/interruption_cleanup.h"

void ignoreBrokenPipes()
{
    signal(SIGPIPE, SIG_IGN);
}

void printLine(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void printErrorLine(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

void setConsoleTitle(const std::string& title)
{
    if (!isatty(STDOUT_FILENO))
        return;
    std::fprintf(stdout, "\033]0;%s\007", title.c_str());
    std::fflush(stdout);
}

void waitForKey()
{
    if (!isatty(STDIN_FILENO))
        return;
    termios saved{};
    if (tcgetattr(STDIN_FILENO, &saved) != 0)
        return;
    termios raw = saved;
    raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    // A Ctrl-C meanwhile must not leave the terminal without its echo.
    registerTerminalState(saved);
    tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    char key = 0;
    [[maybe_unused]] ssize_t got = read(STDIN_FILENO, &key, 1);
    tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    withdrawTerminalState();
}
