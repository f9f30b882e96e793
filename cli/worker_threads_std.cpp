// Worker threads from the C++ library, where it has them.
#include <cstdlib>
#include <system_error>
#include <thread>

#include "cli/worker_threads.h"

namespace {

void (*threadWork)(int index, void* context);
void* threadContext;
std::thread threads[kMaxThreads];
int startedCount;
int leftOver[kMaxThreads];
int leftOverCount;

// The number of threads the tests let start, from VANTRIC_THREAD_LIMIT;
// those beyond it fail as when the system refuses a thread.
int startLimit() {
  const char* text = std::getenv("VANTRIC_THREAD_LIMIT");
  return text == nullptr ? kMaxThreads : std::atoi(text);
}

// False when the thread could not start, as when the process is out of
// memory for its stack; a start the tests do not allow fails the same way.
bool startThread(int index, bool allowed) {
  try {
    if (!allowed)
      throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    threads[index] = std::thread(threadWork, index, threadContext);
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

}  // namespace

int processorCount() {
  const unsigned count = std::thread::hardware_concurrency();
  return count == 0 ? 1 : int(count);
}

void startThreads(int count, void (*work)(int index, void* context), void* context) {
  threadWork = work;
  threadContext = context;
  startedCount = 0;
  leftOverCount = 0;
  const int limit = startLimit();
  for (int i = 1; i < count; ++i) {
    if (startThread(i, startedCount < limit)) {
      ++startedCount;
    } else {
      leftOver[leftOverCount++] = i;
    }
  }
}

void waitForThreads() {
  for (int i = 0; i < leftOverCount; ++i) threadWork(leftOver[i], threadContext);
  leftOverCount = 0;
  for (std::thread& thread : threads)
    if (thread.joinable()) thread.join();
}
