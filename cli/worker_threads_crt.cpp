// Worker threads from the Windows C runtime, for MinGW-w64 builds whose C++
// library has no std::thread.
#include <process.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <thread>

#include "cli/worker_threads.h"

namespace {

void (*threadWork)(int index, void* context);
void* threadContext;
std::atomic<int> finishedThreads;
int startedThreads;
int leftOver[kMaxThreads];
int leftOverCount;

// The number of threads the tests let start, as in worker_threads_std.cpp.
int startLimit() {
  const char* text = std::getenv("VANTRIC_THREAD_LIMIT");
  return text == nullptr ? kMaxThreads : std::atoi(text);
}

void __cdecl runThread(void* argument) {
  threadWork(int(reinterpret_cast<std::intptr_t>(argument)), threadContext);
  finishedThreads.fetch_add(1, std::memory_order_release);
}

}  // namespace

int processorCount() {
  // Windows sets this for every process; the C runtime offers nothing else
  // that tells.
  const char* text = std::getenv("NUMBER_OF_PROCESSORS");
  const long count = text == nullptr ? 1 : std::strtol(text, nullptr, 10);
  return count < 1 ? 1 : count > kMaxThreads ? kMaxThreads : int(count);
}

void startThreads(int count, void (*work)(int index, void* context), void* context) {
  threadWork = work;
  threadContext = context;
  finishedThreads.store(0, std::memory_order_relaxed);
  startedThreads = 0;
  leftOverCount = 0;
  const int limit = startLimit();
  for (int i = 1; i < count; ++i) {
    // The thread's handle closes itself when the thread ends.
    const std::uintptr_t thread =
        startedThreads < limit
            ? _beginthread(runThread, 0, reinterpret_cast<void*>(std::intptr_t(i)))
            : std::uintptr_t(-1);
    if (thread == std::uintptr_t(-1)) {
      leftOver[leftOverCount++] = i;
    } else {
      ++startedThreads;
    }
  }
}

void waitForThreads() {
  for (int i = 0; i < leftOverCount; ++i) threadWork(leftOver[i], threadContext);
  leftOverCount = 0;
  while (finishedThreads.load(std::memory_order_acquire) != startedThreads)
    std::this_thread::yield();
}
