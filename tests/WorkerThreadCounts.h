// The thread counts every result must come out the same for: one thread,
// two, and more than the build machines have (so runs share cores).
#pragma once

#include "imaging/WorkerThreads.h"

const int kThreadCounts[] = {1, 2, 7};

// Sets the worker thread count for one scope, then goes back to the default.
// Small jobs are shared out too, so the small images of the tests take the
// threaded paths.
class CScopedWorkerThreads {
public:
    explicit CScopedWorkerThreads(int count)
    {
        SetWorkerThreadCount(count);
        SetSplitSmallJobs(count > 1);
    }
    ~CScopedWorkerThreads()
    {
        SetWorkerThreadCount(0);
        SetSplitSmallJobs(false);
    }
    CScopedWorkerThreads(const CScopedWorkerThreads&) = delete;
    CScopedWorkerThreads& operator=(const CScopedWorkerThreads&) = delete;
};
