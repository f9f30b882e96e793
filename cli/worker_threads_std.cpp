// Worker threads from the C++ library, where it has them.
#include <thread>

#include "cli/worker_threads.h"

namespace {

std::thread threads[kMaxThreads];
int startedCount;

}  // namespace

int processorCount() {
  const unsigned count = std::thread::hardware_concurrency();
  return count == 0 ? 1 : int(count);
}

void startThreads(int count, void (*work)(int index)) {
  for (int i = 1; i < count; ++i) threads[i] = std::thread(work, i);
  startedCount = count;
}

void waitForThreads() {
  for (int i = 1; i < startedCount; ++i) threads[i].join();
  startedCount = 0;
}
