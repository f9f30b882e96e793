// Flushing standard output and saying why it failed, for both commands.
#include "cli/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool flushOutput() {
  return std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
}

int reportWriteFailure(const char* program) {
  std::fprintf(stderr, "%s: cannot write standard output: %s\n", program, std::strerror(errno));
  return kStatusCannotWrite;
}
