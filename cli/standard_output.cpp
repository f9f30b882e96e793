// Flushing standard output and saying why it failed, for both commands.
#include "cli/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "solver/clock.h"

namespace {

constexpr double kFlushGapSeconds = 0.002;

}  // namespace

bool flushOutput() {
  return std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
}

bool flushOutputSoon(double* lastFlushSeconds) {
  const double now = elapsedSeconds();
  if (now - *lastFlushSeconds < kFlushGapSeconds) return std::ferror(stdout) == 0;
  *lastFlushSeconds = now;
  return flushOutput();
}

int reportWriteFailure(const char* program) {
  return reportWriteError(program, errno);
}

int reportWriteError(const char* program, int error) {
  std::fprintf(stderr, "%s: cannot write standard output: %s\n", program, std::strerror(error));
  return kStatusCannotWrite;
}
