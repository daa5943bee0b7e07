#include "platform/clock.h"

#include <chrono>
#include <ctime>
#include <random>
#include <thread>

int32_t currentLocalTime()
{
    return fileTimeToLocalTime(static_cast<int64_t>(std::time(nullptr)));
}

int64_t localTimeToFileTime(int32_t localSeconds)
{
    std::time_t asUtc = localSeconds;
    std::tm wall{};
    gmtime_r(&asUtc, &wall);
    wall.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&wall));
}

int32_t fileTimeToLocalTime(int64_t fileTime)
{
    std::time_t t = static_cast<std::time_t>(fileTime);
    std::tm wall{};
    localtime_r(&t, &wall);
    return static_cast<int32_t>(timegm(&wall));
}

int64_t monotonicMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void sleepMilliseconds(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

int32_t randomInRange(int32_t low, int32_t high)
{
    static thread_local std::mt19937 engine{std::random_device{}()};
    return std::uniform_int_distribution<int32_t>(low, high)(engine);
}
