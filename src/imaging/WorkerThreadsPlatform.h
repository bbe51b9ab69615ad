// What the worker threads need from the system; one implementation per
// platform, chosen at build time.
#pragma once

// Hardware threads of the machine; 0 when unknown.
int HardwareThreadCount();

// The VEYDRA_THREADS setting of the process environment; false when unset.
bool ReadThreadSetting(char* text, int capacity);

// A thread count that holds for the calling thread alone (0: none), so that
// front ends rendering on several threads at once can each ask for their own.
// Where the module runs on a host's one thread it is an ordinary variable;
// where threads come from the C++ library it is one per thread.
int CallerThreadCount();
void SetCallerThreadCount(int count);

// Runs task(context, i) for i = 0 ... count - 1, task 0 on the calling
// thread and each other on a thread of its own, and returns when all have
// returned. A thread that cannot be started has its task run on the calling
// thread instead. Tasks do not throw.
void RunTasksOnThreads(int count, void (*task)(void* context, int index), void* context);
