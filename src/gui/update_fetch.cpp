#include "gui/update_fetch.h"

#include "gui/update_answer.h"
#include "platform/http_get.h"

namespace {

// The whole answer the version file needs: a status line, a few headers and a number.
constexpr size_t kAnswerLimit = 2048;

}  // namespace

std::string fetchUpdateBody(const std::string& url, const std::string& agent, int timeLimitMs)
{
    if (url.empty())
        return "";
    std::string host = urlHost(url);
    if (host.empty())
        return "";
    std::string userAgent = agent.empty() ? "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; en)" : agent;
    HttpAnswer answer = httpGet(url, {"Host: " + host, "Accept: */*", "User-Agent: " + userAgent, "Connection: close"},
                                kAnswerLimit, timeLimitMs);
    // A body cut short by the time limit, or an error or redirect page, does
    // not name the newest version even when it starts with digits.
    if (answer.timedOut || answer.status < 200 || answer.status > 299)
        return "";
    return updateBodyStart(answer.raw);
}
