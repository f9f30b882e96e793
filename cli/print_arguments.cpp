// vantric-print's command line: the usage text and the options.
#include "cli/print_arguments.h"

#include <cstring>

#include "cli/arguments.h"

const char kPrintUsage[] =
    "Usage: vantric-print [--per-page N] [--paper a4|letter] [--title TEXT]\n"
    "                     [--answers] [--svg] [-o FILE] [FILE...]\n"
    "Lays out the puzzles of the FILEs, or of standard input when no FILE is\n"
    "given or FILE is -, on pages to print, and writes them as one PDF to the\n"
    "FILE of -o, or to standard output. The puzzles are read as vantric-solve\n"
    "reads them, one a line. The first field after a puzzle that is a rating,\n"
    "as vantric-make --rate writes it (7.2 ForcingChain) and the lists do\n"
    "(HASH PUZZLE 7.2, ID;PUZZLE;SOLUTION;7.2, PUZZLE ED=7.2/1.2/1.2), is\n"
    "printed under its grid with its difficulty: Easy 1.0-2.3, Medium\n"
    "2.5-4.5, Hard 5.0-6.9, Expert 7.0 and up, a rating between two taking\n"
    "the word below it.\n"
    "\n"
    "  --per-page N  puzzles on a page: 1, 2, 4 (unless given) or 6\n"
    "  --paper P     a4 (unless given) or letter\n"
    "  --title TEXT  a heading on every page, up to 60 characters\n"
    "  --answers     add pages of the solutions at the end, 12 a page\n"
    "  --svg         write one SVG file a page, named after the FILE of -o\n"
    "                with the page's number: -o week.svg writes week-1.svg,\n"
    "                week-2.svg and so on\n"
    "  -o FILE       write to FILE, through a temporary file beside it that\n"
    "                takes its name once all is written; - for standard output\n"
    "  --version     print the version and exit\n"
    "  --help        print this help and exit\n"
    "\n"
    "Every puzzle must have exactly one solution; each line that is not such a\n"
    "puzzle is named with its line number, and nothing is written. At most\n"
    "10000 puzzles a run.\n"
    "\n"
    "Exit status: 0 when the pages were written, 1 when some line was not a\n"
    "puzzle with one solution or there was no puzzle, 2 when a file could not\n"
    "be opened or read or the arguments are wrong, 3 when the output could\n"
    "not be written.\n";

namespace {

// The characters of UTF-8 text, or -1 when it is not UTF-8: cairo draws
// nothing of a string it cannot decode.
int utf8Length(const char* text) {
  int characters = 0;
  for (const unsigned char* at = reinterpret_cast<const unsigned char*>(text); *at != 0;) {
    int following = 0;
    unsigned least = 0;
    unsigned code = *at;
    if (code < 0x80) {
      following = 0;
    } else if ((code & 0xE0) == 0xC0) {
      following = 1;
      least = 0x80;
      code &= 0x1F;
    } else if ((code & 0xF0) == 0xE0) {
      following = 2;
      least = 0x800;
      code &= 0x0F;
    } else if ((code & 0xF8) == 0xF0) {
      following = 3;
      least = 0x10000;
      code &= 0x07;
    } else {
      return -1;
    }
    ++at;
    for (int i = 0; i < following; ++i, ++at) {
      if ((*at & 0xC0) != 0x80) return -1;
      code = code << 6 | (*at & 0x3Fu);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return -1;
    // Control characters have no glyph to print.
    if (code < 0x20 || code == 0x7F) return -1;
    ++characters;
  }
  return characters;
}

}  // namespace

int readPrintArguments(int argc, char** argv, PrintOptions& options, int* fileCount) {
  options = PrintOptions{4, Paper::kA4, nullptr, false, false, nullptr};
  *fileCount = 0;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (optionsEnded || arg[0] != '-' || std::strcmp(arg, "-") == 0) {
      argv[1 + (*fileCount)++] = argv[i];
    } else if (std::strcmp(arg, "--") == 0) {
      optionsEnded = true;
    } else if (answerHelpOrVersion(arg, "vantric-print", kPrintUsage)) {
      return 0;
    } else if (std::strcmp(arg, "--answers") == 0) {
      options.answers = true;
    } else if (std::strcmp(arg, "--svg") == 0) {
      options.svg = true;
    } else if (std::strcmp(arg, "--per-page") == 0) {
      long long perPage = 0;
      if (value == nullptr || !readWholeNumber(value, 1, 6, &perPage) || perPage == 3 ||
          perPage == 5)
        return reportWrongValue("vantric-print", "--per-page", "1, 2, 4 or 6", value);
      options.perPage = int(perPage);
      ++i;
    } else if (std::strcmp(arg, "--paper") == 0) {
      if (value != nullptr && std::strcmp(value, "a4") == 0) {
        options.paper = Paper::kA4;
      } else if (value != nullptr && std::strcmp(value, "letter") == 0) {
        options.paper = Paper::kLetter;
      } else {
        return reportWrongValue("vantric-print", "--paper", "a4 or letter", value);
      }
      ++i;
    } else if (std::strcmp(arg, "--title") == 0) {
      const int length = value == nullptr ? -1 : utf8Length(value);
      if (length < 1 || length > kMaxTitleCharacters)
        return reportWrongValue("vantric-print", "--title",
                                "UTF-8 text of 1 to 60 printable characters", value);
      options.title = value;
      ++i;
    } else if (std::strcmp(arg, "-o") == 0) {
      if (value == nullptr || value[0] == '\0')
        return reportWrongValue("vantric-print", "-o", "a file name", value);
      options.output = value;
      ++i;
    } else {
      return reportWrongArgument("vantric-print", "unknown option", arg);
    }
  }
  if (options.svg && (options.output == nullptr || std::strcmp(options.output, "-") == 0))
    return reportWrongArgument("vantric-print",
                               "--svg writes files of their own and wants -o FILE");
  return -1;
}
