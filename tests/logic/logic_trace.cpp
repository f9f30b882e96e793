// A developer's view of the rater: every step of each puzzle read from
// standard input (the first 81 cells of a line), with its rating.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "logic/rating.h"
#include "logic/step_text.h"
#include "logic/technique_names.h"
#include "tests/logic/logic_support.h"

namespace {

void appendCellName(std::string& out, int cell) {
  out += 'r';
  out += char('1' + cell / 9);
  out += 'c';
  out += char('1' + cell % 9);
}

// The step's facts for scripts/compare-steps.py: its one-word name, what it
// places and removes, and the cells and digits of its pattern.
void printStepFacts(const Step& step) {
  char name[64];
  writeTechniqueName(step.technique, step.level, name, sizeof name);
  std::string facts = std::string("= ") + name + " place";
  if (step.placedCell != kNoCell) {
    facts += ' ';
    appendCellName(facts, step.placedCell);
    facts += char('0' + step.placedDigit);
  }
  facts += " removes";
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    if (step.eliminations[cell] == 0) continue;
    facts += ' ';
    appendCellName(facts, cell);
    for (int digit = 1; digit <= 9; ++digit) {
      if (step.eliminations[cell] & digitBit(digit)) facts += char('0' + digit);
    }
  }
  facts += " cells";
  for (int i = 0; i < step.cellCount; ++i) {
    facts += ' ';
    appendCellName(facts, step.cells[i]);
  }
  facts += " digits ";
  for (int digit = 1; digit <= 9; ++digit) {
    if (step.digits & digitBit(digit)) facts += char('0' + digit);
  }
  if (step.complexity > 0) facts += " complexity " + std::to_string(step.complexity);
  std::printf("%s\n", facts.c_str());
}

void printStep(const Step& step, const LogicGrid&, void* withFacts) {
  char text[1024];
  formatStep(step, text, sizeof text);
  std::printf("%.1f %s\n", double(ratingTenths(step.rating)) / 10.0, text);
  if (*static_cast<const bool*>(withFacts)) printStepFacts(step);
}

// The N of -w N, decimal digits alone; 0 sets no bound.
bool readBound(const char* text, LogicContext& context) {
  char* end = nullptr;
  const long long bound = std::strtoll(text, &end, 10);
  if (*text < '0' || *text > '9' || *end != '\0' || bound < 0) return false;
  context.workBound = bound == 0 ? kNoWorkBound : bound;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // -q prints only each puzzle's rating; -m adds a line of facts to each step;
  // -w N lets a rating visit N chain nodes, 0 for no bound.
  bool quiet = false;
  bool withFacts = false;
  auto context = std::make_unique<LogicContext>();
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-q") == 0) {
      quiet = true;
    } else if (std::strcmp(argv[i], "-m") == 0) {
      withFacts = true;
    } else if (std::strcmp(argv[i], "-w") == 0 && i + 1 < argc &&
               readBound(argv[i + 1], *context)) {
      ++i;
    } else {
      std::fprintf(stderr, "usage: logic_trace [-q | -m] [-w NODES] < puzzles\n");
      return 2;
    }
  }
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
    ratePuzzle(*context, board, result, quiet ? nullptr : printStep, &withFacts);
    char name[64];
    writeTechniqueName(result.hardest, result.hardestLevel, name, sizeof name);
    std::printf("rating %.1f %s%s\n", double(ratingTenths(result.rating)) / 10.0, name,
                result.finished ? "" : " unfinished");
  }
  return 0;
}
