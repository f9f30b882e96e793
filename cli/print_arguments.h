// vantric-print's command line.
#pragma once

#include "cli/print_layout.h"

// The longest title, in characters; its bytes are UTF-8.
constexpr int kMaxTitleCharacters = 60;

struct PrintOptions {
  // 1, 2, 4 or 6.
  int perPage;
  Paper paper;
  // Null without --title.
  const char* title;
  bool answers;
  // One SVG file a page rather than one PDF.
  bool svg;
  // Null or "-" for standard output.
  const char* output;
};

extern const char kPrintUsage[];

// Reads the options, moving the file names to the front of argv in the same
// walk, so that argv[1] to argv[*fileCount] name the inputs in their order.
// -1 when the run goes on, otherwise the exit status: help, version or a
// wrong argument, with its message written.
int readPrintArguments(int argc, char** argv, PrintOptions& options, int* fileCount);
