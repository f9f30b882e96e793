// vantric-print: lays out puzzle lists on pages to print, as one PDF or an
// SVG file a page, with their solutions at the end on request.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/print_arguments.h"
#include "cli/print_document.h"
#include "cli/print_input.h"
#include "cli/print_output.h"
#include "cli/standard_output.h"
#include "model/tables.h"

namespace {

bool toStandardOutput(const PrintOptions& options) {
  return options.output == nullptr || std::strcmp(options.output, "-") == 0;
}

}  // namespace

int main(int argc, char** argv) {
  PrintOptions options{};
  int fileCount = 0;
  const int early = readPrintArguments(argc, argv, options, &fileCount);
  if (early >= 0) return flushOutput() ? early : reportWriteFailure("vantric-print");
  // A PDF's bytes would only garble a terminal, as a compressor's would.
  if (toStandardOutput(options) && isatty(STDOUT_FILENO)) {
    std::fprintf(stderr, "vantric-print: standard output is a terminal; name a file with -o\n");
    return kStatusWrongArguments;
  }
  // A reader that has gone makes the write fail with status 3, as for the
  // other commands, rather than end the process by SIGPIPE.
  std::signal(SIGPIPE, SIG_IGN);
  initTables();
  std::vector<PrintPuzzle> puzzles;
  const int status = readPrintPuzzles(argv + 1, fileCount, puzzles);
  if (status != 0) return status;
  std::vector<std::string> files;
  if (!drawDocument(options, puzzles, files)) return kStatusCannotWrite;
  if (toStandardOutput(options)) return writeStandardOutput(files[0]) ? 0 : kStatusCannotWrite;
  std::vector<std::string> names;
  if (options.svg) {
    for (std::size_t page = 0; page < files.size(); ++page)
      names.push_back(svgPageName(options.output, int(page) + 1));
  } else {
    names.emplace_back(options.output);
  }
  // Ctrl-C waits while the pages go to disk, so that it leaves the files
  // whole or not there, never a hidden temporary one beside them.
  sigset_t interrupts;
  sigset_t before;
  sigemptyset(&interrupts);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&interrupts, signal);
  sigprocmask(SIG_BLOCK, &interrupts, &before);
  const bool written = writeFilesWhole(names, files);
  sigprocmask(SIG_SETMASK, &before, nullptr);
  return written ? 0 : kStatusCannotWrite;
}
