#include "imaging/WorkerThreads.h"

#include <atomic>
#include <cstdlib>
#include <exception>

#include "imaging/WorkerThreadsPlatform.h"

namespace {

std::atomic<int> g_nOverride{0};
std::atomic<bool> g_bSplitSmallJobs{false};

int DefaultCount()
{
    char text[16] = {};
    if (ReadThreadSetting(text, sizeof text)) {
        char* end = nullptr;
        const long n = std::strtol(text, &end, 10);
        if (end != text && *end == '\0' && n >= 1)
            return n > kMaxWorkerThreads ? kMaxWorkerThreads : static_cast<int>(n);
    }
    // Even a machine that reports one thread gains from two: one stage's
    // threads spend much of their time waiting on memory.
    const int hardware = HardwareThreadCount();
    if (hardware < 2)
        return 2;
    return hardware > kMaxWorkerThreads ? kMaxWorkerThreads : hardware;
}

struct RunSet {
    int count;
    int runs;
    void (*body)(void*, int, int);
    void* context;
    std::exception_ptr failures[kMaxWorkerThreads];
};

void RunOne(void* context, int index)
{
    RunSet& set = *static_cast<RunSet*>(context);
    // Even shares, the first runs one longer when the count does not divide.
    const int share = set.count / set.runs;
    const int extra = set.count % set.runs;
    const int begin = index * share + (index < extra ? index : extra);
    const int end = begin + share + (index < extra ? 1 : 0);
    try {
        set.body(set.context, begin, end);
    } catch (...) {
        set.failures[index] = std::current_exception();
    }
}

}  // namespace

int WorkerThreadCount()
{
    const int caller = CallerThreadCount();
    if (caller > 0)
        return caller;
    const int set = g_nOverride.load(std::memory_order_relaxed);
    if (set > 0)
        return set;
    // Read once: the environment does not change under a run.
    static const int fromSystem = DefaultCount();
    return fromSystem;
}

void SetWorkerThreadCount(int count)
{
    g_nOverride.store(count > kMaxWorkerThreads ? kMaxWorkerThreads : count, std::memory_order_relaxed);
}

CScopedThreadCount::CScopedThreadCount(int count) : m_nPrevious(CallerThreadCount())
{
    if (count > 0)
        SetCallerThreadCount(count > kMaxWorkerThreads ? kMaxWorkerThreads : count);
}

CScopedThreadCount::~CScopedThreadCount() { SetCallerThreadCount(m_nPrevious); }

void SetSplitSmallJobs(bool split) { g_bSplitSmallJobs.store(split, std::memory_order_relaxed); }

void ParallelForRuns(int count, int minRun, void (*body)(void*, int, int), void* context)
{
    if (count <= 0)
        return;
    if (minRun < 1 || g_bSplitSmallJobs.load(std::memory_order_relaxed))
        minRun = 1;
    int runs = WorkerThreadCount();
    if (runs > count / minRun)
        runs = count / minRun;
    if (runs <= 1) {
        body(context, 0, count);
        return;
    }
    RunSet set{count, runs, body, context, {}};
    RunTasksOnThreads(runs, RunOne, &set);
    for (int i = 0; i < runs; ++i) {
        if (set.failures[i])
            std::rethrow_exception(set.failures[i]);
    }
}
