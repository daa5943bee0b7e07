#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct HttpAnswer {
    long status = 0;        // 0 when no status line arrived
    std::string raw;        // status line, header lines, blank line and body as received
    bool timedOut = false;  // the time limit ended the request
};

// One HTTP/1.0 GET of url ("http" or "https") that sends exactly the given
// header lines, in that order, and nothing of its own. Keeps at most maxBytes
// of the answer and stops reading once it has them; the whole request, from
// name lookup to the last byte, takes at most timeoutMs. Redirects are not
// followed and no other scheme is fetched.
HttpAnswer httpGet(const std::string& url, const std::vector<std::string>& headerLines, size_t maxBytes, int timeoutMs);

// The host part of url as it goes into a Host header, or "" when url does not
// parse. A url without a scheme counts as "http".
std::string urlHost(const std::string& url);
