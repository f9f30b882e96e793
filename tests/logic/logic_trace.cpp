// A developer's view of the rater: every step of each puzzle read from
// standard input (the first 81 cells of a line), with its rating.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "logic/rating.h"
#include "logic/step_text.h"
#include "logic/technique_names.h"
#include "tests/logic/logic_support.h"

namespace {

void printStep(const Step& step, const LogicGrid&, void*) {
  char text[1024];
  formatStep(step, text, sizeof text);
  std::printf("%.1f %s\n", double(ratingTenths(step.rating)) / 10.0, text);
}

}  // namespace

int main(int argc, char** argv) {
  const bool quiet = argc > 1 && std::strcmp(argv[1], "-q") == 0;
  auto context = std::make_unique<LogicContext>();
  char line[4096];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
    std::string text(line);
    std::string cells;
    for (const char c : text) {
      if (c == '#') break;
      if ((c >= '0' && c <= '9') || c == '.') cells += c;
      if (cells.size() == kCellCount) break;
    }
    if (cells.size() < kCellCount) continue;
    int board[kCellCount];
    readBoard(cells, board);
    std::printf("# %s\n", cells.c_str());
    RatingResult result;
    ratePuzzle(*context, board, result, quiet ? nullptr : printStep, nullptr);
    char name[64];
    writeTechniqueName(result.hardest, result.hardestLevel, name, sizeof name);
    std::printf("rating %.1f %s%s\n", double(ratingTenths(result.rating)) / 10.0, name,
                result.finished ? "" : " unfinished");
  }
  return 0;
}
