// What vantric-solve's and vantric-make's command lines share: --help,
// --version, --jobs N, whole numbers and the message for a wrong argument.
#pragma once

#include <cstdint>

// Both usage texts give this exit status for wrong arguments.
constexpr int kStatusWrongArguments = 2;

// A whole number written in decimal digits alone, all of text, at most
// high; no sign, blank or other character is taken.
bool readUnsignedNumber(const char* text, std::uint64_t high, std::uint64_t* value);
// The same within [low, high], both 0 or more.
bool readWholeNumber(const char* text, long long low, long long high, long long* value);
// The N of --max-work N, the chain nodes a rating may visit: 0 for no bound,
// as the rating context takes it (kNoWorkBound).
bool readWorkBound(const char* text, long long* bound);
// --jobs's default: one thread per processor, as many as are kept for workers.
int defaultJobCount(int processors);
// The N of --jobs N, 1 or more; more than the threads kept for workers is
// capped.
bool readJobCount(const char* text, int* jobs);
// Prints the usage for --help or "PROGRAM version ..." for --version; false,
// printing nothing, for any other argument.
bool answerHelpOrVersion(const char* arg, const char* program, const char* usage);
// Writes "PROGRAM: MESSAGE 'ARG'" (MESSAGE alone without ARG) and, as the GNU
// tools do, "Try 'PROGRAM --help'." on standard error; kStatusWrongArguments.
int reportWrongArgument(const char* program, const char* message, const char* arg = nullptr);
// The same for an option's value: "PROGRAM: OPTION wants WANTS, not 'VALUE'",
// or without the value when none followed the option.
int reportWrongValue(const char* program, const char* option, const char* wants, const char* value);
