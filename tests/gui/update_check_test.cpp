#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "app/program_identity.h"
#include "gui/loopback_http_server.h"
#include "gui/update_answer.h"
#include "gui/update_fetch.h"
#include "gui/update_schedule.h"
#include "settings/catalogue.h"
#include "settings/conversion_settings.h"

namespace {

// A proxy named in the environment would take the loopback requests elsewhere.
class UpdateCheck : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
            unsetenv(name);
        buildCatalogue();
    }
};

const std::string kAgent = titledName(programTitle, programVersion);

std::string okAnswer(const std::string& body)
{
    return "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + body;
}

std::string fetchOnce(std::vector<ServerStep> steps, int timeLimitMs = kUpdateTimeLimitMs)
{
    LoopbackHttpServer server(std::move(steps));
    return fetchUpdateBody(server.url(), kAgent, timeLimitMs);
}

int64_t millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

TEST_F(UpdateCheck, TheServersNumberDecidesWhatTheUserIsTold)
{
    struct Case {
        std::string body;
        UpdateOutcome outcome;
        std::string title;
    };
    const Case cases[] = {
        {"301\r\n", UpdateOutcome::NewVersion, "New Update"},
        {"300\r\n", UpdateOutcome::NoUpdate, "No Update"},
        {"abc", UpdateOutcome::ConnectionProblem, "Error"},
        {"3015", UpdateOutcome::NewVersion, "New Update"},            // only three characters count
        {" 29 ", UpdateOutcome::NoUpdate, "No Update"},               // blanks go first
        {"301\r\n\r\n999", UpdateOutcome::NewVersion, "New Update"},  // ends at the next blank line
        {std::string("\x01\xff\x00", 3) + "301", UpdateOutcome::ConnectionProblem, "Error"},
        {std::string("3\x00", 2) + "01", UpdateOutcome::NoUpdate, "No Update"},  // text ends at a zero byte
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.body));
        UpdateOutcome outcome = updateOutcome(fetchOnce({{okAnswer(c.body)}}), programVersion);
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(updateNotice(outcome).title, c.title);
    }
    EXPECT_EQ(updateNotice(UpdateOutcome::ConnectionProblem).text, "Internet connection problems!");
    EXPECT_EQ(updateNotice(UpdateOutcome::NewVersion).text,
              "A new version of Tessaly PCD to JPG is available! Are you ready to download it right now?");
}

TEST_F(UpdateCheck, SendsExactlyOnePlainRequest)
{
    LoopbackHttpServer server({{okAnswer("300")}});
    EXPECT_EQ(fetchUpdateBody(server.url(), kAgent), "300");
    EXPECT_EQ(server.receivedRequest(), "GET /files/korvane.dat HTTP/1.0\r\n"
                                        "Host: 127.0.0.1\r\n"
                                        "Accept: */*\r\n"
                                        "User-Agent: Tessaly PCD to JPG 3.0\r\n"
                                        "Connection: close\r\n"
                                        "\r\n");
}

TEST_F(UpdateCheck, ReadsAnAnswerThatArrivesInPieces)
{
    EXPECT_EQ(fetchOnce({{"HTTP/1.0 200 OK\r\n", 100}, {"\r\n3", 100}, {"01\r\n"}}), "301");
}

TEST_F(UpdateCheck, GivesUpAtTheTimeLimit)
{
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(fetchOnce({{"", 6000}}, 1000), "");  // accepts and never answers
    int64_t silent = millisecondsSince(start);
    EXPECT_GE(silent, 900);
    EXPECT_LT(silent, 3000);

    // Data that keeps trickling in does not keep the request alive either,
    // and a body cut short by the limit names no version.
    std::vector<ServerStep> trickle{{"HTTP/1.0 200 OK\r\n\r\n", 100}};
    for (int i = 0; i < 60; ++i)
        trickle.push_back({"3", 100});
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(fetchOnce(trickle, 1000), "");
    EXPECT_LT(millisecondsSince(start), 3000);
}

TEST_F(UpdateCheck, MisbehavingServersGiveNoVersion)
{
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(fetchUpdateBody("http://127.0.0.1:" + std::to_string(closedLoopbackPort()) + "/", kAgent), "");
    EXPECT_EQ(fetchUpdateBody("", kAgent), "");
    EXPECT_EQ(fetchUpdateBody("file:///etc/hostname", kAgent), "");
    EXPECT_EQ(fetchOnce({{"HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n301"}}), "");  // no blank line
    EXPECT_EQ(fetchOnce({{"301\r\n"}}), "");                                             // not HTTP at all
    EXPECT_EQ(fetchOnce({{"HTTP/1.0 404 Not Found\r\n\r\n404"}}), "");
    EXPECT_EQ(fetchOnce({{"HTTP/1.0 302 Found\r\nLocation: http://127.0.0.1:1/\r\n\r\n302"}}), "");
    // Headers longer than the kept answer: the body is never reached.
    EXPECT_EQ(fetchOnce({{"HTTP/1.0 200 OK\r\nX-Padding: " + std::string(3000, 'x') + "\r\n\r\n301"}}), "");
    // What arrived before the server hung up is all there is.
    EXPECT_EQ(fetchOnce({{"HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n30"}}), "30");
    // A megabyte is read no further than the start.
    EXPECT_EQ(fetchOnce({{okAnswer(std::string(1 << 20, '7'))}}), "777");
    EXPECT_LT(millisecondsSince(start), 5000);
}

TEST_F(UpdateCheck, AnHttpsAddressIsNeverFetchedInPlainText)
{
    LoopbackHttpServer server({{"HTTP/1.0 200 OK\r\n\r\n301"}});
    EXPECT_EQ(fetchUpdateBody(server.url("https"), kAgent, 2000), "");
    std::string request = server.receivedRequest();
    ASSERT_FALSE(request.empty());
    EXPECT_EQ(request[0], '\x16');  // the start of a TLS handshake
}

TEST(AutomaticUpdateCheck, AsksOnlyOnceTheIntervalHasPassed)
{
    constexpr int32_t now = 1700000000;
    constexpr int32_t hour = 3600;
    constexpr int32_t day = 24 * hour;
    struct Case {
        int32_t range;
        int32_t updateDate;
        bool asks;
    };
    const Case cases[] = {
        {0, now - 25 * hour, true},   {0, now - 23 * hour, false},
        {1, now - 8 * day, true},     {1, now - 6 * day, false},
        {4, now - 179 * day, false},  {5, 0, false},  // never, whatever the date
        {5, now - 1000 * day, false}, {2, 0, true},
        {9, now - 29 * day, false},  // unknown codes count as a month
        {9, now - 31 * day, true},    {-1, now - 31 * day, true},
        {0, now + 5 * day, false},  // a date ahead of the clock
        {0, INT32_MAX, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "range " << c.range << ", date " << c.updateDate);
        ConversionSettings settings;
        settings.updateRange = c.range;
        settings.updateDate = c.updateDate;
        int asked = 0;
        runAutomaticCheck(
            settings, now, [&] { return ++asked, false; }, [] {});
        EXPECT_EQ(asked, c.asks ? 1 : 0);
        EXPECT_EQ(settings.updateDate, c.asks ? now : c.updateDate);
    }
}

TEST(AutomaticUpdateCheck, TheDateMovesOnWhateverTheAnswer)
{
    constexpr int32_t now = 1700000000;
    for (bool yes : {false, true}) {
        ConversionSettings settings;
        settings.updateRange = 0;
        settings.updateDate = now - 2 * 24 * 3600;
        int checks = 0;
        runAutomaticCheck(
            settings, now, [&] { return yes; }, [&] { ++checks; });
        EXPECT_EQ(checks, yes ? 1 : 0);
        EXPECT_EQ(settings.updateDate, now);
        // The next start, an hour later, does not ask again.
        int asked = 0;
        runAutomaticCheck(
            settings, now + 3600, [&] { return ++asked, true; }, [] {});
        EXPECT_EQ(asked, 0);
    }
}
