// Input as it arrives, through the POSIX file descriptor under the stream.
#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "cli/arriving_input.h"
#include "cli/stream_signals.h"

int readArrivedInput(std::FILE* file, unsigned char* buffer, int size) {
  // The wait is a poll that Ctrl-C's pipe ends too; a read that would fail
  // polls as ready, so that the read reports it.
  pollfd ready[2] = {{fileno(file), POLLIN, 0}, {interruptionDescriptor(), POLLIN, 0}};
  for (;;) {
    if (interrupted()) return 0;
    if (poll(ready, ready[1].fd < 0 ? 1 : 2, -1) < 0 && errno == EINTR) continue;
    if (interrupted()) return 0;
    const ssize_t count = read(ready[0].fd, buffer, size_t(size));
    if (count >= 0 || errno != EINTR) return int(count);
  }
}

bool inputWouldWait(std::FILE* file) {
  // A closed or failed descriptor polls as ready, so that its read reports it.
  pollfd input = {fileno(file), POLLIN, 0};
  return poll(&input, 1, 0) == 0;
}
