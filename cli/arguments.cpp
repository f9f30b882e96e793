// The argument reading vantric-solve and vantric-make share.
#include "cli/arguments.h"

#include "logic/logic_context.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/worker_threads.h"
#include "state/version.h"

bool readWholeNumber(const char* text, long long low, long long high, long long* value) {
  char* end = nullptr;
  errno = 0;
  const long long read = std::strtoll(text, &end, 10);
  if (end == text || *end != '\0' || errno != 0 || read < low || read > high) return false;
  *value = read;
  return true;
}

bool readWorkBound(const char* text, long long* bound) {
  // A trillion nodes take a day or so; more is not a bound.
  if (!readWholeNumber(text, 0, 1'000'000'000'000LL, bound)) return false;
  if (*bound == 0) *bound = kNoWorkBound;
  return true;
}

int defaultJobCount(int processors) {
  return processors < kMaxThreads ? processors : kMaxThreads;
}

bool readJobCount(const char* text, int* jobs) {
  long long value = 0;
  if (!readWholeNumber(text, 1, LLONG_MAX, &value)) return false;
  *jobs = value > kMaxThreads ? kMaxThreads : int(value);
  return true;
}

bool answerHelpOrVersion(const char* arg, const char* program, const char* usage) {
  if (std::strcmp(arg, "--help") == 0) {
    std::fputs(usage, stdout);
  } else if (std::strcmp(arg, "--version") == 0) {
    std::printf("%s version %s\n", program, kVersionText);
  } else {
    return false;
  }
  return true;
}

int reportWrongArgument(const char* program, const char* usage, const char* message,
                        const char* arg) {
  if (arg == nullptr) {
    std::fprintf(stderr, "%s: %s\n%s", program, message, usage);
  } else {
    std::fprintf(stderr, "%s: %s '%s'\n%s", program, message, arg, usage);
  }
  return kStatusWrongArguments;
}
