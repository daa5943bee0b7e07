#pragma once

#include <string>
#include <thread>
#include <vector>

// What the server sends, then how long it waits before the next step; a
// wait ends early when the client hangs up.
struct ServerStep {
    std::string bytes;
    int pauseMs = 0;
};

// A scripted server on 127.0.0.1 at a port of the system's choosing, for one
// connection: it reads the request (up to its blank line, or until the
// client has been quiet for half a second), plays the steps and closes. It
// never runs longer than lifetimeMs, and the destructor waits for it.
class LoopbackHttpServer {
public:
    explicit LoopbackHttpServer(std::vector<ServerStep> steps, int lifetimeMs = 8000);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    std::string url(const std::string& scheme = "http") const;  // path /files/korvane.dat
    // The bytes of the request, once the server has finished.
    std::string receivedRequest();

private:
    void serve(std::vector<ServerStep> steps, int lifetimeMs);
    int listener_ = -1;
    int port_ = 0;
    std::string request_;
    std::thread thread_;
};

// A loopback port nobody listens on.
int closedLoopbackPort();
