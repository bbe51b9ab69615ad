// Worker threads where the C++ library has them (the native builds).
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

#include "imaging/WorkerThreadsPlatform.h"

namespace {

thread_local int t_nCallerCount = 0;

}  // namespace

int CallerThreadCount() { return t_nCallerCount; }

void SetCallerThreadCount(int count) { t_nCallerCount = count; }

int HardwareThreadCount() { return static_cast<int>(std::thread::hardware_concurrency()); }

bool ReadThreadSetting(char* text, int capacity)
{
    const char* value = std::getenv("VEYDRA_THREADS");
    if (!value || capacity <= 0)
        return false;
    std::strncpy(text, value, static_cast<size_t>(capacity - 1));
    text[capacity - 1] = '\0';
    return true;
}

void RunTasksOnThreads(int count, void (*task)(void*, int), void* context)
{
    std::vector<std::thread> threads;
    std::vector<int> leftOver;
    for (int i = 1; i < count; ++i) {
        try {
            threads.emplace_back(task, context, i);
        } catch (const std::system_error&) {
            leftOver.push_back(i);
        }
    }
    task(context, 0);
    for (int i : leftOver)
        task(context, i);
    for (std::thread& t : threads)
        t.join();
}
