#pragma once

#include <string>

// How long one update request may take, from connecting to the last byte.
constexpr int kUpdateTimeLimitMs = 10000;

// Asks the server at url for the version file with one HTTP/1.0 GET naming
// agent as the User-Agent, and returns updateBodyStart of the answer: "" when
// url is empty, nothing usable arrived within timeLimitMs, or the server
// answered with anything but success. Blocks; meant for a helper thread.
std::string fetchUpdateBody(const std::string& url, const std::string& agent, int timeLimitMs = kUpdateTimeLimitMs);
