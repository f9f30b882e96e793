// Signals and terminals through the Windows C runtime, which calls SIGINT's
// handler on a thread of its own for Ctrl-C and Ctrl-Break, and sets the
// signal back to its default first, so that a second Ctrl-C ends the
// process. Windows has no SIGPIPE: a write to a pipe whose reader has gone
// fails by itself.
#include <io.h>

#include <atomic>
#include <csignal>
#include <initializer_list>

#include "cli/stream_signals.h"

namespace {

std::atomic<bool> interruptRequested;
static_assert(std::atomic<bool>::is_always_lock_free);

void __cdecl noteInterrupt(int) {
  interruptRequested.store(true);
}

}  // namespace

void catchStreamSignals() {
  for (const int number : {SIGINT, SIGBREAK}) {
    if (std::signal(number, noteInterrupt) == SIG_IGN) std::signal(number, SIG_IGN);
  }
}

bool interrupted() {
  return interruptRequested.load(std::memory_order_relaxed);
}

// A console read that Ctrl-C breaks returns by itself.
int interruptionDescriptor() {
  return -1;
}

bool isTerminal(std::FILE* stream) {
  return _isatty(_fileno(stream)) != 0;
}
