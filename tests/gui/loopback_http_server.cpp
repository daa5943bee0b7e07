#include "gui/loopback_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

int millisecondsLeft(Clock::time_point end)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

int boundLoopbackSocket(int& port)
{
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (fd >= 0)
            close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

// Waits up to ms for the client; false when it has hung up or time is out.
bool clientStillThere(int fd, int ms)
{
    pollfd watch{fd, POLLIN, 0};
    while (poll(&watch, 1, ms) > 0) {
        char scrap[512];
        if (recv(fd, scrap, sizeof scrap, 0) <= 0)
            return false;
    }
    return true;
}

void sendAll(int fd, const std::string& bytes, Clock::time_point end)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        pollfd watch{fd, POLLOUT, 0};
        if (poll(&watch, 1, millisecondsLeft(end)) <= 0)
            return;
        ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n <= 0)
            return;
        sent += static_cast<size_t>(n);
    }
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer(std::vector<ServerStep> steps, int lifetimeMs)
{
    listener_ = boundLoopbackSocket(port_);
    if (listener_ >= 0 && listen(listener_, 1) == 0)
        thread_ = std::thread(&LoopbackHttpServer::serve, this, std::move(steps), lifetimeMs);
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    if (thread_.joinable())
        thread_.join();
    if (listener_ >= 0)
        close(listener_);
}

std::string LoopbackHttpServer::url(const std::string& scheme) const
{
    return scheme + "://127.0.0.1:" + std::to_string(port_) + "/files/korvane.dat";
}

std::string LoopbackHttpServer::receivedRequest()
{
    if (thread_.joinable())
        thread_.join();
    return request_;
}

void LoopbackHttpServer::serve(std::vector<ServerStep> steps, int lifetimeMs)
{
    Clock::time_point end = Clock::now() + std::chrono::milliseconds(lifetimeMs);
    pollfd waiting{listener_, POLLIN, 0};
    if (poll(&waiting, 1, millisecondsLeft(end)) <= 0)
        return;
    int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0)
        return;

    while (request_.find("\r\n\r\n") == std::string::npos) {
        pollfd watch{client, POLLIN, 0};
        if (poll(&watch, 1, std::min(500, millisecondsLeft(end))) <= 0)
            break;
        char buffer[1024];
        ssize_t n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        request_.append(buffer, static_cast<size_t>(n));
    }
    for (const ServerStep& step : steps) {
        sendAll(client, step.bytes, end);
        if (step.pauseMs > 0 && !clientStillThere(client, std::min(step.pauseMs, millisecondsLeft(end))))
            break;
    }
    close(client);
}

int closedLoopbackPort()
{
    int port = 0;
    int fd = boundLoopbackSocket(port);
    if (fd >= 0)
        close(fd);
    return port;
}
