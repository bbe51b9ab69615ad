// Worker threads on Windows, straight from the system: the module then
// needs no threads runtime of the compiler's (which would keep per-thread
// memory that a host unloading the module never gets back).
#include <windows.h>

#include "imaging/WorkerThreads.h"
#include "imaging/WorkerThreadsPlatform.h"

namespace {

struct ThreadStart {
    void (*task)(void*, int);
    void* context;
    int index;
};

DWORD WINAPI ThreadMain(LPVOID parameter)
{
    const ThreadStart& start = *static_cast<const ThreadStart*>(parameter);
    start.task(start.context, start.index);
    return 0;
}

// A host calls the module on one thread at a time, and a thread-local
// variable would take the compiler's threads runtime (see above).
int g_nCallerCount = 0;

}  // namespace

int CallerThreadCount() { return g_nCallerCount; }

void SetCallerThreadCount(int count) { g_nCallerCount = count; }

int HardwareThreadCount()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return static_cast<int>(info.dwNumberOfProcessors);
}

bool ReadThreadSetting(char* text, int capacity)
{
    const DWORD n = GetEnvironmentVariableA("VEYDRA_THREADS", text, static_cast<DWORD>(capacity));
    return n > 0 && n < static_cast<DWORD>(capacity);
}

void RunTasksOnThreads(int count, void (*task)(void*, int), void* context)
{
    ThreadStart starts[kMaxWorkerThreads];
    HANDLE handles[kMaxWorkerThreads];
    int started = 0;
    int leftOver[kMaxWorkerThreads];
    int left = 0;
    for (int i = 1; i < count && i < kMaxWorkerThreads; ++i) {
        starts[i] = ThreadStart{task, context, i};
        // A small stack is plenty: the stages keep their buffers on the heap.
        HANDLE h = CreateThread(nullptr, 256 * 1024, ThreadMain, &starts[i], STACK_SIZE_PARAM_IS_A_RESERVATION,
                                nullptr);
        if (h)
            handles[started++] = h;
        else
            leftOver[left++] = i;
    }
    task(context, 0);
    for (int k = 0; k < left; ++k)
        task(context, leftOver[k]);
    if (started > 0)
        WaitForMultipleObjects(static_cast<DWORD>(started), handles, TRUE, INFINITE);
    for (int k = 0; k < started; ++k)
        CloseHandle(handles[k]);
}
