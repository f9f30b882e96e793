// Input as it arrives, through the POSIX file descriptor under the stream.
#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "cli/arriving_input.h"

int readArrivedInput(std::FILE* file, unsigned char* buffer, int size) {
  for (;;) {
    const ssize_t count = read(fileno(file), buffer, size_t(size));
    if (count >= 0 || errno != EINTR) return int(count);
  }
}

bool inputWouldWait(std::FILE* file) {
  // A closed or failed descriptor polls as ready, so that its read reports it.
  pollfd input = {fileno(file), POLLIN, 0};
  return poll(&input, 1, 0) == 0;
}
