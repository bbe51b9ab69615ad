#include "Batch.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <new>
#include <ostream>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "PngImage.h"
#include "RenderJob.h"
#include "imaging/WorkerThreads.h"

namespace {

// The lines of a batch, written whole by one thread at a time; the progress
// count, when kept, is taken off the terminal before a line and put back
// after it.
class CBatchReport {
public:
    CBatchReport(std::ostream& out, std::ostream& err, bool progress, size_t total)
        : m_out(out), m_err(err), m_bProgress(progress), m_nTotal(total)
    {
        ShowProgress();
    }

    void Done(const std::string& line, const std::string& log, bool failed)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ClearProgress();
        (failed ? m_err : m_out) << line << "\n";
        (failed ? m_err : m_out).flush();
        if (!log.empty())
            m_err << log;
        m_err.flush();
        ++m_nDone;
        m_nFailed += failed ? 1 : 0;
        ShowProgress();
    }

    void Finish()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ClearProgress();
    }

    size_t Failed() const { return m_nFailed; }

private:
    void ShowProgress()
    {
        if (!m_bProgress)
            return;
        m_err << "\rveydra: " << m_nDone << "/" << m_nTotal << " files";
        if (m_nFailed)
            m_err << ", " << m_nFailed << " failed";
        m_err.flush();
    }
    void ClearProgress()
    {
        if (m_bProgress)
            m_err << "\r\033[K";
    }

    std::mutex m_mutex;
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_bProgress;
    size_t m_nTotal;
    size_t m_nDone = 0;
    size_t m_nFailed = 0;
};

// The message names the file it is about; one that does not gets the
// input's name in front.
std::string FailureLine(const std::string& input, const std::string& message)
{
    const bool named = message.compare(0, input.size(), input) == 0;
    return "veydra: error: " + (named ? message : input + ": " + message);
}

void RenderOne(const RenderOptions& batch, const std::string& input, int threads, CBatchReport& report)
{
    RenderOptions options = batch;
    options.input = input;
    options.inputs.assign(1, input);
    options.output = OutputPathFor(input, batch.outDir);
    options.notes.clear();  // said once, before the batch
    options.threads = threads;
    std::ostringstream log;
    try {
        const RenderOutcome outcome = RunRender(options, log);
        std::string line = input + " -> " + options.output;
        if (outcome.fitted)
            line += ": " + DescribePlacement(outcome.placement);
        report.Done(line, log.str(), false);
    } catch (const std::bad_alloc&) {
        report.Done(FailureLine(input, "out of memory (image too large)"), log.str(), true);
    } catch (const std::exception& e) {
        report.Done(FailureLine(input, e.what()), log.str(), true);
    }
}

}  // namespace

BatchSplit SplitBatch(int files, int jobsAsked, int threadsAsked, int hardwareThreads)
{
    BatchSplit split;
    split.jobs = std::max(1, std::min(files, jobsAsked > 0 ? jobsAsked : hardwareThreads));
    split.threadsPerRender = threadsAsked > 0 ? threadsAsked : std::max(1, hardwareThreads / split.jobs);
    return split;
}

int RunBatch(const RenderOptions& options, std::ostream& out, std::ostream& err, bool showProgress)
{
    for (const std::string& note : options.notes)
        err << "veydra: " << note << "\n";
    std::error_code error;
    std::filesystem::create_directories(options.outDir, error);
    if (!std::filesystem::is_directory(options.outDir)) {
        err << "veydra: error: " << options.outDir << ": cannot make the output directory"
            << (error ? " (" + error.message() + ")" : std::string()) << "\n";
        return 1;
    }

    const std::vector<std::string>& inputs = options.inputs;
    const BatchSplit split =
        SplitBatch(static_cast<int>(inputs.size()), options.jobs, options.threads, WorkerThreadCount());
    CBatchReport report(out, err, showProgress, inputs.size());
    std::atomic<size_t> next{0};
    const auto work = [&]() {
        for (size_t i = next++; i < inputs.size(); i = next++)
            RenderOne(options, inputs[i], split.threadsPerRender, report);
    };
    std::vector<std::thread> threads;
    for (int j = 1; j < split.jobs; ++j) {
        try {
            threads.emplace_back(work);
        } catch (const std::system_error&) {
            break;  // fewer files at once; the ones running take the rest
        }
    }
    work();
    for (std::thread& t : threads)
        t.join();
    report.Finish();
    return report.Failed() ? 1 : 0;
}
