#include "engine/file_gate.h"

#include <condition_variable>
#include <mutex>

namespace {

std::mutex gateMutex;
std::condition_variable gateOpened;
bool gateClosed = false;

}  // namespace

void closeFileGate()
{
    std::lock_guard<std::mutex> lock(gateMutex);
    gateClosed = true;
}

void openFileGate()
{
    {
        std::lock_guard<std::mutex> lock(gateMutex);
        gateClosed = false;
    }
    gateOpened.notify_all();
}

void passFileGate()
{
    std::unique_lock<std::mutex> lock(gateMutex);
    gateOpened.wait(lock, [] { return !gateClosed; });
}
