#include "platform/console.h"

#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <utility>

#include "platform/interruption_cleanup.h"

void ignoreBrokenPipes()
{
    signal(SIGPIPE, SIG_IGN);
}

namespace {

// What a terminal would obey instead of showing: a file name holding an
// escape sequence could retitle, clear or reprogram it. Control characters
// (C0, DEL and, as UTF-8, C1) become "?"; everything else stays as it is.
std::string shownOnTerminal(const std::string& text)
{
    std::string shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool c1 = byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if (c1)
            ++i;
        shown += byte < 0x20 || byte == 0x7F || c1 ? '?' : text[i];
    }
    return shown;
}

thread_local std::vector<std::string>* t_capture = nullptr;

}  // namespace

CapturedLines::CapturedLines()
{
    t_capture = &lines_;
}

CapturedLines::~CapturedLines()
{
    t_capture = nullptr;
}

std::vector<std::string> CapturedLines::take()
{
    return std::exchange(lines_, {});
}

bool outputIsTerminal()
{
    return isatty(STDOUT_FILENO);
}

void showStatusLine(const std::string& text)
{
    if (!outputIsTerminal())
        return;
    std::string shown = shownOnTerminal(text);
    winsize size{};
    // The last column is left free: some terminals wrap as soon as it is written.
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 1 && shown.size() >= size.ws_col)
        shown.resize(size.ws_col - 1u);
    shown = "\r" + shown + "\033[K";
    std::fwrite(shown.data(), 1, shown.size(), stdout);
    std::fflush(stdout);
}

void clearStatusLine()
{
    if (!outputIsTerminal())
        return;
    std::fputs("\r\033[K", stdout);
    std::fflush(stdout);
}

void printLine(const std::string& text)
{
    if (t_capture) {
        t_capture->push_back(text);
        return;
    }
    // A file or a pipe gets the text byte for byte.
    const std::string shown = isatty(STDOUT_FILENO) ? shownOnTerminal(text) : text;
    std::fwrite(shown.data(), 1, shown.size(), stdout);
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
