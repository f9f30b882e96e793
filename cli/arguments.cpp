// The argument reading vantric-solve and vantric-make share.
#include "cli/arguments.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "cli/worker_threads.h"
#include "logic/logic_context.h"
#include "state/version.h"

bool readUnsignedNumber(const char* text, std::uint64_t high, std::uint64_t* value) {
  // strtoull would skip leading blanks and take " -5" as 2^64 - 5.
  if (*text == '\0') return false;
  std::uint64_t read = 0;
  for (; *text != '\0'; ++text) {
    if (*text < '0' || *text > '9') return false;
    const unsigned digit = unsigned(*text - '0');
    if (digit > high || read > (high - digit) / 10) return false;
    read = read * 10 + digit;
  }
  *value = read;
  return true;
}

bool readWholeNumber(const char* text, long long low, long long high, long long* value) {
  std::uint64_t read = 0;
  if (!readUnsignedNumber(text, std::uint64_t(high), &read) || read < std::uint64_t(low))
    return false;
  *value = static_cast<long long>(read);
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
  std::uint64_t value = 0;
  if (!readUnsignedNumber(text, UINT64_MAX, &value) || value == 0) return false;
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

int reportWrongArgument(const char* program, const char* message, const char* arg) {
  if (arg == nullptr) {
    std::fprintf(stderr, "%s: %s\n", program, message);
  } else {
    std::fprintf(stderr, "%s: %s '%s'\n", program, message, arg);
  }
  std::fprintf(stderr, "Try '%s --help'.\n", program);
  return kStatusWrongArguments;
}

int reportWrongValue(const char* program, const char* option, const char* wants,
                     const char* value) {
  if (value == nullptr) {
    std::fprintf(stderr, "%s: %s wants %s\n", program, option, wants);
  } else {
    std::fprintf(stderr, "%s: %s wants %s, not '%s'\n", program, option, wants, value);
  }
  std::fprintf(stderr, "Try '%s --help'.\n", program);
  return kStatusWrongArguments;
}
