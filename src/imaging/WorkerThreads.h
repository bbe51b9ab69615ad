// The few threads a run's row-independent stages share.
//
// A stage hands ParallelFor a count of independent pieces of work (rows,
// column groups, bands); it splits them into one contiguous run per thread,
// runs them at once and returns when all are done. No thread outlives the
// call, so a plug-in's threads come and go within the host call that needs
// them, and nothing is left running when a host unloads the module.
//
// Every piece must write only what belongs to it and read nothing another
// piece writes: the result is then the same bits for any number of threads,
// which the tests hold the stages to.
#pragma once

// How many threads a stage uses, the first that is set of: the calling
// thread's own count (CScopedThreadCount below), the process's count
// (SetWorkerThreadCount; 0 or less unsets it), the VEYDRA_THREADS
// environment value when it holds a number from 1 on, and the machine's
// hardware threads (at least 2, at most kMaxWorkerThreads).
int WorkerThreadCount();
void SetWorkerThreadCount(int count);

const int kMaxWorkerThreads = 16;

// For the scope of one call: `count` threads (at most kMaxWorkerThreads)
// for the stages this thread runs, whatever the count above says; 0 or less
// leaves it. Other threads' calls keep their own count.
class CScopedThreadCount {
public:
    explicit CScopedThreadCount(int count);
    ~CScopedThreadCount();
    CScopedThreadCount(const CScopedThreadCount&) = delete;
    CScopedThreadCount& operator=(const CScopedThreadCount&) = delete;

private:
    int m_nPrevious;
};

// For tests and fuzz targets: share out even jobs below their minimum run,
// so that small images take the threaded paths too.
void SetSplitSmallJobs(bool split);

// The least work worth a thread of its own, in pixels a stage handles:
// starting and joining a thread costs little on Linux but about as much as
// a million pixels of blending under Wine, so a preview-sized job stays on
// the calling thread. Plain fills and copies are cheaper per pixel and
// need four times as many.
const int kMinPixelsPerThread = 1 << 20;
const int kMinCopiedPixelsPerThread = 4 << 20;

// Runs of lines `lineLength` pixels long that hold at least `pixels` pixels.
inline int LinesPerThread(int lineLength, int pixels = kMinPixelsPerThread)
{
    return lineLength > 0 && pixels / lineLength > 1 ? pixels / lineLength : 1;
}

// Calls body(begin, end) over 0 ... count - 1 in contiguous runs, at most one
// per thread and none shorter than minRun (so small jobs stay on the calling
// thread). An exception thrown by a run is thrown again here once every
// thread has finished; when several throw, the first run's wins.
void ParallelForRuns(int count, int minRun, void (*body)(void* context, int begin, int end), void* context);

template <class Body>
void ParallelFor(int count, int minRun, const Body& body)
{
    ParallelForRuns(
        count, minRun,
        [](void* context, int begin, int end) { (*static_cast<const Body*>(context))(begin, end); },
        const_cast<void*>(static_cast<const void*>(&body)));
}
