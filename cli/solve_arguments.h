// vantric-solve's command line.
#pragma once

struct SolveOptions {
  bool stats;
  bool count;
  bool rate;
  bool explain;
  int jobs;
  // The chain nodes a rating may visit, as LogicContext::workBound has it.
  long long workBound;
  bool hint;
  // Add the puzzle's canonical form to its line; keep only the first puzzle
  // of each form.
  bool canonical;
  bool unique;
  // The output line's format, null for the default line.
  const char* format;
};

// The exit statuses the usage text gives besides the shared ones.
constexpr int kStatusNotAPuzzle = 1;
constexpr int kStatusCannotRead = 2;

extern const char kSolveUsage[];

// Reads the options, moving the file names to the front of argv in the same
// walk, so that argv[1] to argv[*fileCount] name the inputs in their order.
// -1 when the run goes on, otherwise the exit status: help, version or a
// wrong argument, with its message written.
int readSolveArguments(int argc, char** argv, int processors, SolveOptions& options,
                       int* fileCount);
