#include "platform/http_get.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace {

void initialiseCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Receiver {
    std::string* raw;
    size_t maxBytes;
};

size_t keepAnswer(char* data, size_t size, size_t count, void* context)
{
    auto* receiver = static_cast<Receiver*>(context);
    size_t bytes = size * count;
    size_t room = receiver->maxBytes - receiver->raw->size();
    receiver->raw->append(data, std::min(bytes, room));
    // Anything but the full count ends the transfer: the answer is long enough.
    return bytes < room ? bytes : 0;
}

using EasyHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using HeaderList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;
using UrlHandle = std::unique_ptr<CURLU, decltype(&curl_url_cleanup)>;

}  // namespace

HttpAnswer httpGet(const std::string& url, const std::vector<std::string>& headerLines, size_t maxBytes, int timeoutMs)
{
    HttpAnswer answer;
    initialiseCurlOnce();
    EasyHandle curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl || maxBytes == 0)
        return answer;

    // Every header curl would add by itself is replaced by one of ours or
    // switched off, so the request holds exactly the lines given.
    HeaderList headers(nullptr, curl_slist_free_all);
    for (const std::string& line : headerLines) {
        curl_slist* grown = curl_slist_append(headers.get(), line.c_str());
        if (!grown)
            return answer;
        static_cast<void>(headers.release());  // the grown list holds it now
        headers.reset(grown);
    }

    Receiver receiver{&answer.raw, maxBytes};
    CURL* h = curl.get();
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_DEFAULT_PROTOCOL, "http");
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(h, CURLOPT_HEADER, 1L);  // the status line and headers reach keepAnswer too
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, keepAnswer);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &receiver);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(timeoutMs));
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);  // runs on a helper thread
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 1L);

    CURLcode result = curl_easy_perform(h);
    answer.timedOut = result == CURLE_OPERATION_TIMEDOUT;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &answer.status);
    return answer;
}

std::string urlHost(const std::string& url)
{
    initialiseCurlOnce();
    UrlHandle parsed(curl_url(), curl_url_cleanup);
    if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), CURLU_GUESS_SCHEME) != CURLUE_OK)
        return "";
    char* host = nullptr;
    if (curl_url_get(parsed.get(), CURLUPART_HOST, &host, 0) != CURLUE_OK)
        return "";
    std::string text = host;
    curl_free(host);
    return text;
}
