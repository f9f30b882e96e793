// Runs one piece of work on several threads at once, for vantric-solve's and
// vantric-make's --jobs.
#pragma once

constexpr int kMaxThreads = 64;

// How many threads the machine runs at once, at least 1.
int processorCount();
// Starts work(1, context) to work(count - 1, context), each on a thread of
// its own, and returns at once; count is 1 to kMaxThreads. The caller
// usually runs work(0, context) itself meanwhile.
void startThreads(int count, void (*work)(int index, void* context), void* context);
// Returns when every call that startThreads began has returned. A call whose
// thread could not be started runs here, on the calling thread; the
// environment variable VANTRIC_THREAD_LIMIT=N lets at most N threads
// start, so that tests see it.
void waitForThreads();
