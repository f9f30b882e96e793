// Worker threads from the Windows C runtime, for MinGW-w64 builds whose C++
// library has no std::thread.
#include <process.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <thread>

#include "cli/worker_threads.h"

namespace {

void (*threadWork)(int index);
std::atomic<int> finishedThreads;

void __cdecl runThread(void* argument) {
  threadWork(int(reinterpret_cast<std::intptr_t>(argument)));
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

void runOnThreads(int count, void (*work)(int index)) {
  threadWork = work;
  finishedThreads.store(0, std::memory_order_relaxed);
  int started = 0;
  int leftOver[kMaxThreads];
  int leftOverCount = 0;
  for (int i = 1; i < count; ++i) {
    // The thread's handle closes itself when the thread ends.
    if (_beginthread(runThread, 0, reinterpret_cast<void*>(std::intptr_t(i))) ==
        std::uintptr_t(-1)) {
      leftOver[leftOverCount++] = i;
    } else {
      ++started;
    }
  }
  work(0);
  for (int i = 0; i < leftOverCount; ++i) work(leftOver[i]);
  while (finishedThreads.load(std::memory_order_acquire) != started) std::this_thread::yield();
}
