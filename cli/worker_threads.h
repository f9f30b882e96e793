// Runs one piece of work on several threads at once, for vantric-solve --jobs.
#pragma once

constexpr int kMaxThreads = 64;

// How many threads the machine runs at once, at least 1.
int processorCount();
// Calls work(0) to work(count - 1) at once, each on a thread of its own,
// work(0) on the calling thread, and returns when every call has returned.
// count is 1 to kMaxThreads. A thread that cannot be started leaves its call
// to the calling thread, after its own.
void runOnThreads(int count, void (*work)(int index));
