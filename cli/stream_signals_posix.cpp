// Signals and terminals through POSIX: SIGINT's handler notes the request
// and wakes a wait for input through a pipe of the process's own.
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

#include "cli/stream_signals.h"

namespace {

// Lock-free, so that the handler may set it.
std::atomic<bool> interruptRequested;
static_assert(std::atomic<bool>::is_always_lock_free);
int wakePipe[2] = {-1, -1};

// A descriptor above the three standard ones, which may be closed when the
// process starts: the pipe must not stand in for one of them.
int aboveStandardStreams(int descriptor) {
  if (descriptor > 2) return descriptor;
  const int moved = fcntl(descriptor, F_DUPFD_CLOEXEC, 3);
  close(descriptor);
  return moved;
}

extern "C" void noteInterrupt(int) {
  interruptRequested.store(true);
  const int saved = errno;
  const char byte = 1;
  // A full pipe is readable already.
  [[maybe_unused]] const ssize_t written = write(wakePipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

void catchStreamSignals() {
  std::signal(SIGPIPE, SIG_IGN);
  struct sigaction before {};
  if (sigaction(SIGINT, nullptr, &before) != 0 || before.sa_handler == SIG_IGN) return;
  if (pipe(wakePipe) == 0) {
    for (int& end : wakePipe) {
      end = aboveStandardStreams(end);
      fcntl(end, F_SETFD, FD_CLOEXEC);
    }
    fcntl(wakePipe[1], F_SETFL, O_NONBLOCK);
  } else {
    wakePipe[0] = wakePipe[1] = -1;
  }
  // Writes restart after the handler, so that no line is cut by it; a wait
  // for input is woken by the pipe. The handler is used once.
  struct sigaction action {};
  action.sa_handler = noteInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  sigaction(SIGINT, &action, nullptr);
}

bool interrupted() {
  return interruptRequested.load(std::memory_order_relaxed);
}

int interruptionDescriptor() {
  return wakePipe[0];
}

bool isTerminal(std::FILE* stream) {
  return isatty(fileno(stream)) == 1;
}
