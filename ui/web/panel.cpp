// The page's side panel: hints, explanations, ratings and new puzzles.
#include "ui/web/panel.h"

#include <cstdio>
#include <cstring>

#include "logic/rating.h"
#include "logic/step_text.h"
#include "solver/search.h"
#include "solver/solution_count.h"

namespace {

enum class PuzzleCheck { kUnique, kRepeat, kNoSolution, kSeveral };

// Solves the givens into workspace.solver.solution and says whether they
// make a puzzle with one solution.
PuzzleCheck checkPuzzle(PanelWorkspace& workspace, const int givens[kCellCount]) {
  GameState& state = workspace.solver;
  for (CellIndex c = 0; c < kCellCount; ++c) state.board[c] = givens[c];
  runSolve(state);
  if (!state.solutionFound)
    return state.nodeCount == 0 ? PuzzleCheck::kRepeat : PuzzleCheck::kNoSolution;
  return countSolutions(state) == 1 ? PuzzleCheck::kUnique : PuzzleCheck::kSeveral;
}

// The reason a puzzle has no steps, in a sentence, and as --rate words it.
struct Refusal {
  PuzzleCheck check;
  const char* sentence;
  const char* word;
};
constexpr Refusal kRefusals[] = {
    {PuzzleCheck::kRepeat, "The puzzle repeats a digit in a row, column or box.", "Invalid"},
    {PuzzleCheck::kNoSolution, "The puzzle has no solution.", "NoSolution"},
    {PuzzleCheck::kSeveral,
     "The puzzle has more than one solution, so no chain of logic leads to one answer.",
     "MultipleSolutions"},
};

const Refusal* refusalOf(PuzzleCheck check) {
  for (const Refusal& refusal : kRefusals)
    if (refusal.check == check) return &refusal;
  return nullptr;
}

void clearAnswer(PanelAnswer& answer) {
  answer.text[0] = '\0';
  answer.puzzle[0] = '\0';
  for (PanelMark& mark : answer.marks) mark = kMarkNone;
}

// Appends to the answer's text, cutting what does not fit.
void appendAnswer(PanelAnswer& answer, const char* text) {
  const std::size_t length = std::strlen(answer.text);
  std::snprintf(answer.text + length, sizeof answer.text - length, "%s", text);
}

void writeCell(char* text, int size, CellIndex cell) {
  std::snprintf(text, std::size_t(size), "r%dc%d", cell / 9 + 1, cell % 9 + 1);
}

// The cells holding a digit that is not the solution's; true when there is one.
bool reportWrongCells(const int board[kCellCount], const int solution[kCellCount],
                      PanelAnswer& answer) {
  CellIndex first = kNoCell;
  int count = 0;
  for (CellIndex c = 0; c < kCellCount; ++c) {
    if (board[c] == 0 || board[c] == solution[c]) continue;
    if (first == kNoCell) first = c;
    answer.marks[c] = kMarkWrong;
    ++count;
  }
  if (first == kNoCell) return false;
  char cell[8];
  writeCell(cell, int(sizeof cell), first);
  char line[160];
  std::snprintf(line, sizeof line, "%s is wrong: its %d is not the solution's digit.", cell,
                board[first]);
  appendAnswer(answer, line);
  if (count == 2) appendAnswer(answer, " 1 more square is wrong too.");
  if (count > 2) {
    std::snprintf(line, sizeof line, " %d more squares are wrong too.", count - 1);
    appendAnswer(answer, line);
  }
  return true;
}

void markStep(const Step& step, PanelAnswer& answer) {
  const auto mark = [&answer](CellIndex cell, PanelMark kind) {
    if (kind > answer.marks[cell]) answer.marks[cell] = kind;
  };
  for (int i = 0; i < step.cellCount; ++i) mark(step.cells[i], kMarkPattern);
  for (int i = 0; i < step.nodeCount; ++i) mark(step.nodes[i].cell, kMarkPattern);
  for (CellIndex c = 0; c < kCellCount; ++c)
    if (step.eliminations[c] != 0) mark(c, kMarkRemoval);
  if (step.placedCell != kNoCell) mark(step.placedCell, kMarkPlacement);
}

bool isFull(const int board[kCellCount]) {
  for (CellIndex c = 0; c < kCellCount; ++c)
    if (board[c] == 0) return false;
  return true;
}

// Checks the puzzle and the player's digits; false, with the reason in the
// answer, when no step can be given from board.
bool checkPosition(PanelWorkspace& workspace, const int givens[kCellCount],
                   const int board[kCellCount], PanelAnswer& answer) {
  const Refusal* refusal = refusalOf(checkPuzzle(workspace, givens));
  if (refusal != nullptr) {
    appendAnswer(answer, refusal->sentence);
    return false;
  }
  if (reportWrongCells(board, workspace.solver.solution, answer)) return false;
  if (isFull(board)) {
    appendAnswer(answer, "The puzzle is solved.");
    return false;
  }
  return true;
}

constexpr char kUnfinished[] =
    "No step was found within the rater's work bound: this position needs longer chains.";

struct Explanation {
  PanelAnswer* answer;
  int stepsCut;
};

// Room kept at the end of the text for the cut notice and the rating line.
constexpr std::size_t kClosingRoom = 256;

void explainStep(const Step& step, const LogicGrid&, void* data) {
  Explanation& explanation = *static_cast<Explanation*>(data);
  char line[kStepTextSize];
  formatRatedStep(step, line, int(sizeof line));
  PanelAnswer& answer = *explanation.answer;
  const std::size_t length = std::strlen(answer.text);
  if (explanation.stepsCut > 0 ||
      length + std::strlen(line) + 1 + kClosingRoom > sizeof answer.text) {
    ++explanation.stepsCut;
    return;
  }
  appendAnswer(answer, line);
  appendAnswer(answer, "\n");
}

const Difficulty* difficultyOf(int tenths) {
  for (const Difficulty& difficulty : kDifficulties)
    if (difficulty.minRating <= tenths && tenths <= difficulty.maxRating) return &difficulty;
  return nullptr;
}

void writeRatingLine(const RatingResult& result, PanelAnswer& answer) {
  char fields[96];
  if (result.finished) {
    formatRatingFields(result, fields, int(sizeof fields));
  } else {
    const int tenths = ratingTenths(result.reached);
    std::snprintf(fields, sizeof fields, ">=%d.%d Unfinished", tenths / 10, tenths % 10);
  }
  appendAnswer(answer, fields);
}

}  // namespace

void preparePanel(PanelWorkspace& workspace) {
  prepareMakerWorkspace(workspace.maker);
}

void writeHint(PanelWorkspace& workspace, const int givens[kCellCount], const int board[kCellCount],
               PanelAnswer& answer) {
  clearAnswer(answer);
  if (!checkPosition(workspace, givens, board, answer)) return;
  LogicContext& context = workspace.maker.logic;
  if (!findNextStep(context, board)) {
    appendAnswer(answer, kUnfinished);
    return;
  }
  formatRatedStep(context.step, answer.text, int(sizeof answer.text));
  markStep(context.step, answer);
}

void writeExplanation(PanelWorkspace& workspace, const int givens[kCellCount],
                      const int board[kCellCount], PanelAnswer& answer) {
  clearAnswer(answer);
  if (!checkPosition(workspace, givens, board, answer)) return;
  Explanation explanation{&answer, 0};
  RatingResult result{};
  ratePuzzle(workspace.maker.logic, board, result, explainStep, &explanation);
  if (explanation.stepsCut > 0) {
    char line[96];
    std::snprintf(line, sizeof line, "(%d more steps are left out here)\n", explanation.stepsCut);
    appendAnswer(answer, line);
  }
  appendAnswer(answer, "rating ");
  writeRatingLine(result, answer);
}

void writeRating(PanelWorkspace& workspace, const int givens[kCellCount], PanelAnswer& answer) {
  clearAnswer(answer);
  const Refusal* refusal = refusalOf(checkPuzzle(workspace, givens));
  if (refusal != nullptr) {
    appendAnswer(answer, "- ");
    appendAnswer(answer, refusal->word);
    appendAnswer(answer, "\n");
    appendAnswer(answer, refusal->sentence);
    return;
  }
  RatingResult result{};
  ratePuzzle(workspace.maker.logic, givens, result);
  writeRatingLine(result, answer);
  const Difficulty* difficulty =
      result.finished ? difficultyOf(ratingTenths(result.rating)) : nullptr;
  if (difficulty != nullptr) {
    appendAnswer(answer, "\n");
    appendAnswer(answer, difficulty->name);
  }
}

void makePanelPuzzle(PanelWorkspace& workspace, int difficulty, std::uint64_t seed,
                     PanelAnswer& answer) {
  clearAnswer(answer);
  if (difficulty < 0 || difficulty >= kDifficultyCount) difficulty = 0;
  const Difficulty& wanted = kDifficulties[difficulty];
  const MakeRequest request = {Symmetry::kRotate180, 0,    kCellCount,         wanted.minRating,
                               wanted.maxRating,     true, Minimality::kOrbits};
  Candidate candidate{};
  for (int index = 0; index < kMakeAttempts; ++index) {
    makeCandidate(workspace.maker, request, seed, std::uint64_t(index), candidate);
    if (candidate.rejection != Rejection::kKept) continue;
    for (CellIndex c = 0; c < kCellCount; ++c)
      answer.puzzle[c] = candidate.board[c] == 0 ? '.' : char('0' + candidate.board[c]);
    answer.puzzle[kCellCount] = '\0';
    char line[96];
    std::snprintf(line, sizeof line, "A new %s puzzle, rated %d.%d, with %d clues.", wanted.name,
                  candidate.ratingTenths / 10, candidate.ratingTenths % 10, candidate.clueCount);
    appendAnswer(answer, line);
    return;
  }
  char line[96];
  std::snprintf(line, sizeof line, "No %s puzzle came out of %d tries; ask again.", wanted.name,
                kMakeAttempts);
  appendAnswer(answer, line);
}
