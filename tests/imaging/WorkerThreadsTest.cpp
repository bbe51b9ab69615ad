#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <utility>
#include <vector>

#include "imaging/WorkerThreads.h"

namespace {

// The thread count alone, small jobs kept whole.
class CThreadCountOnly {
public:
    explicit CThreadCountOnly(int count) { SetWorkerThreadCount(count); }
    ~CThreadCountOnly() { SetWorkerThreadCount(0); }
};

TEST(WorkerThreads, DefaultIsAtLeastTwoAndAtMostTheCap)
{
    SetWorkerThreadCount(0);
    EXPECT_GE(WorkerThreadCount(), 1);  // VEYDRA_THREADS=1 may ask for one
    EXPECT_LE(WorkerThreadCount(), kMaxWorkerThreads);
    {
        CThreadCountOnly scoped(kMaxWorkerThreads + 5);
        EXPECT_EQ(WorkerThreadCount(), kMaxWorkerThreads);
    }
    CThreadCountOnly scoped(3);
    EXPECT_EQ(WorkerThreadCount(), 3);
}

// Every index lands in exactly one run; runs are contiguous, at most one per
// thread, and none shorter than asked unless the whole job is.
TEST(WorkerThreads, RunsCoverEveryIndexOnce)
{
    const struct {
        int threads, count, minRun;
        bool split;
        int runs;
    } cases[] = {
        {1, 100, 1, false, 1},  {2, 100, 1, false, 2}, {7, 100, 1, false, 7}, {7, 100, 30, false, 3},
        {7, 10, 16, false, 1},  {7, 10, 16, true, 7},  {7, 3, 1, false, 3},   {4, 0, 1, false, 0},
        {16, 1000, 1, false, 16},
    };
    for (const auto& c : cases) {
        CThreadCountOnly scoped(c.threads);
        SetSplitSmallJobs(c.split);
        std::vector<std::atomic<int>> seen(static_cast<size_t>(c.count));
        std::mutex lock;
        std::vector<std::pair<int, int>> runs;
        ParallelFor(c.count, c.minRun, [&](int begin, int end) {
            for (int i = begin; i < end; ++i)
                seen[static_cast<size_t>(i)]++;
            std::lock_guard<std::mutex> hold(lock);
            runs.emplace_back(begin, end);
        });
        for (int i = 0; i < c.count; ++i)
            EXPECT_EQ(seen[static_cast<size_t>(i)].load(), 1) << "index " << i;
        SetSplitSmallJobs(false);
        EXPECT_EQ(static_cast<int>(runs.size()), c.runs) << c.threads << " threads, " << c.count << " items";
        for (const auto& run : runs)
            EXPECT_TRUE(run.second - run.first >= c.minRun || runs.size() == 1 || c.split);
    }
}

// A failing run does not stop the others, and its exception reaches the
// caller once all have finished.
TEST(WorkerThreads, AFailureComesBackToTheCaller)
{
    CThreadCountOnly scoped(4);
    std::atomic<int> done{0};
    EXPECT_THROW(ParallelFor(4, 1,
                             [&](int begin, int) {
                                 if (begin == 2)
                                     throw std::runtime_error("run 2");
                                 ++done;
                             }),
                 std::runtime_error);
    EXPECT_EQ(done.load(), 3);
}

}  // namespace
