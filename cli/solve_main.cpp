// vantric-solve: solves every puzzle of its input lists, on one or more threads.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "cli/claimed_items.h"
#include "cli/ordered_output.h"
#include "cli/output_format.h"
#include "cli/position_check.h"
#include "cli/puzzle_reader.h"
#include "cli/result_text.h"
#include "cli/solve_arguments.h"
#include "cli/standard_output.h"
#include "cli/stream_signals.h"
#include "cli/worker_threads.h"
#include "cli/zeroed_memory.h"
#include "generator/canonical_form.h"
#include "logic/rating.h"
#include "logic/step_text.h"
#include "model/tables.h"
#include "solver/clock.h"
#include "solver/search.h"
#include "solver/solution_count.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

struct Totals {
  long long puzzles;
  long long verdicts[3];
  long long nodes;
  double seconds;
  // Unfinished ratings by what stopped them.
  long long unfinished[kRatingLimitCount];
  // Puzzles --unique left out, a form written before.
  long long repeats;
};

constexpr int kBatchSize = 4096;
// Explanations run to many kilobytes a puzzle: a batch holds fewer of them.
constexpr int kExplainBatchSize = 64;
// The verdict's fields and the solution, the count, the rating's fields and
// the canonical form.
constexpr int kResultTextSize = 160 + 1 + kCellCount;
// A worker takes this many lines at a time, so that workers seldom meet on
// the shared counter or on neighbouring lines; it writes what is ready when
// it has solved them. A rating takes long enough to be a claim of its own.
constexpr int kLinesPerClaim = 16;
constexpr int kRatedLinesPerClaim = 1;

enum Verdict { kFound, kNone, kInvalid };
const char* const kVerdictNames[] = {"found", "none", "invalid"};

// One line of input and, when it is a puzzle, its output line.
struct BatchLine {
  // A cell count below 81: the line is not a puzzle.
  PuzzleLine entry;
  Verdict verdict;
  int nodes;
  double seconds;
  int textLength;
  char text[kResultTextSize];
  // The rating when one ran, finished or not, for --format; unrated says
  // why there is none, or why it is unfinished.
  bool rated;
  RatingResult rating;
  const char* unrated;
  double ratingSeconds;
  // Why its rating stopped short; kNone when it finished or was not rated.
  RatingLimit limit;
  // With --explain: the steps and the rating, one a line; with --hint, the
  // hint's lines after them.
  std::string explanation;
  // With --format: the line it makes.
  std::string formatted;
  // The canonical form, when the options need it.
  char form[kCellCount];
};

// Lines are read a batch at a time, solved by every worker at once and
// written in their order as soon as they and those before them are solved;
// the next batch is read while the workers start on this one. Its lines grow
// to the longest batch so far.
struct Batch {
  std::vector<BatchLine> lines;
  int length;
  ClaimedItems claims;
};

// A worker's memory, taken when a batch first needs that many workers: the
// search's state, and the rater's context, whose pages only --rate and
// --explain touch.
struct SolveWorkspace {
  GameState state;
  LogicContext logic;
  CanonicalWorkspace canonical;
};

// What a run works with. The workers read its options and fill the lines of
// the batch being solved, each in a workspace of its own; the totals, the
// status and standard output belong to whichever thread is writing.
struct SolveRun {
  SolveOptions options;
  // Whether each puzzle is rated and its solutions counted, as the options
  // and the format ask.
  bool rating;
  bool counting;
  bool findingForms;
  Totals totals;
  // With --unique, the forms written so far.
  std::unordered_set<std::string_view> formsSeen;
  std::vector<std::unique_ptr<char[]>> formStore;
  int formStoreUsed;
  PuzzleReader reader;
  Batch batches[2];
  Batch* solving;
  const char* inputName;
  OrderedOutput output;
  // The worst status a line called for so far.
  int lineStatus;
  // The errno of a failed write, 0 while none failed.
  int writeError;
  double lastFlushSeconds;
  ZeroedPointer<SolveWorkspace> workspaces[kMaxThreads];
};

char outputBuffer[1 << 16];

// The output line of a solved puzzle, written by the worker that solved it;
// solutions is -1 without --count.
void formatResult(const GameState& state, int solutions, BatchLine& line) {
  // A board that repeats a digit is not searched at all.
  const Verdict verdict = state.solutionFound ? kFound : state.nodeCount == 0 ? kInvalid : kNone;
  // At most 7 + 3 * 12 + 20 + 81 + 2 characters: the text has room.
  char* text = line.text;
  int length = appendText(text, 0, kVerdictNames[verdict]);
  text[length++] = ' ';
  length = appendNumber(text, length, state.nodeCount);
  text[length++] = ' ';
  length = appendNumber(text, length, state.deepestSlot);
  text[length++] = ' ';
  length = appendSeconds(text, length, state.solveSeconds);
  text[length++] = ' ';
  for (CellIndex c = 0; c < kCellCount; ++c)
    text[length++] = state.solutionFound ? char('0' + state.solution[c]) : '.';
  if (solutions >= 0) {
    text[length++] = ' ';
    length = appendNumber(text, length, solutions);
  }
  text[length++] = '\n';
  line.textLength = length;
  line.verdict = verdict;
  line.nodes = state.nodeCount;
  line.seconds = state.solveSeconds;
}

// Why a puzzle gets no rating, as the rating fields and the explanation say it.
const char* unratedReason(const GameState& state, int solutions) {
  if (!state.solutionFound) return state.nodeCount == 0 ? "Invalid" : "NoSolution";
  return solutions > 1 ? "MultipleSolutions" : nullptr;
}

void explainStep(const Step& step, const LogicGrid&, void* data) {
  std::string& explanation = *static_cast<std::string*>(data);
  char text[kStepTextSize];
  formatRatedStep(step, text, int(sizeof text));
  explanation += "  ";
  explanation += text;
  explanation += '\n';
}

// Rates a solved puzzle of one solution, from its pencil marks when it has
// them, and appends the rating fields to its line (with --rate) and its
// steps to its explanation (with --explain). Pencil marks that leave out a
// digit of the solution are listed instead: no sound step starts from them.
void rateLine(const SolveOptions& options, const GameState& state, int solutions,
              LogicContext& context, BatchLine& line) {
  const GridText& puzzle = line.entry.puzzle;
  char fields[kRatingFieldsSize];
  const char* reason = unratedReason(state, solutions);
  RatingResult& result = line.rating;
  result = RatingResult{};
  line.limit = RatingLimit::kNone;
  line.ratingSeconds = 0.0;
  std::string* explanation = options.explain ? &line.explanation : nullptr;
  std::string faults;
  if (reason == nullptr && puzzle.marked &&
      appendPositionFaults(puzzle, puzzle, state.solution, faults)) {
    reason = "WrongPosition";
    if (explanation != nullptr) *explanation += faults;
  }
  line.rated = reason == nullptr;
  if (reason == nullptr) {
    const StepObserver observer = explanation != nullptr ? explainStep : nullptr;
    const double start = elapsedSeconds();
    if (puzzle.marked) {
      LogicGrid grid;
      readPositionGrid(puzzle, grid);
      rateGrid(context, grid, result, observer, explanation);
    } else {
      int board[kCellCount];
      for (CellIndex c = 0; c < kCellCount; ++c) board[c] = puzzle.value[c];
      ratePuzzle(context, board, result, observer, explanation);
    }
    line.ratingSeconds = elapsedSeconds() - start;
    line.limit = result.limit;
  }
  line.unrated = reason;
  if (reason != nullptr) {
    std::snprintf(fields, sizeof fields, "- %s", reason);
  } else if (!result.finished) {
    appendReachedRating(fields, 0, ratingTenths(result.reached));
  } else {
    appendRatingFields(fields, 0, ratingTenths(result.rating), result.hardest, result.hardestLevel);
  }
  if (options.rate) {
    // The line's newline goes after the two fields; 160 characters hold them.
    int length = line.textLength - 1;
    line.text[length++] = ' ';
    length = appendText(line.text, length, fields);
    line.text[length++] = '\n';
    line.textLength = length;
  }
  if (explanation != nullptr) {
    *explanation += "  rating ";
    *explanation += fields;
    *explanation += '\n';
  }
}

// The next step from the line's position, after the explanation, and its
// rating; or what keeps the position from one: the puzzle's verdict, with
// the repeated digits that make it invalid, the position's faults, or a
// full grid.
void hintLine(const GameState& state, int solutions, LogicContext& context, BatchLine& line) {
  const PuzzleLine& entry = line.entry;
  const GridText& position = entry.hasPosition ? entry.position : entry.puzzle;
  std::string& out = line.explanation;
  char fields[kRatingFieldsSize];
  const char* reason = unratedReason(state, solutions);
  if (!state.solutionFound && state.nodeCount == 0) appendRepeatedDigits(entry.puzzle.value, out);
  if (reason == nullptr && appendPositionFaults(entry.puzzle, position, state.solution, out))
    reason = "WrongPosition";
  if (reason == nullptr && isFullGrid(position)) reason = "Solved";
  if (reason == nullptr) {
    LogicGrid grid;
    readPositionGrid(position, grid);
    if (findNextStepOnGrid(context, grid)) {
      const Step& step = context.step;
      explainStep(step, grid, &out);
      appendRatingFields(fields, 0, ratingTenths(step.rating), step.technique, step.level);
    } else {
      reason = "Unfinished";
    }
  }
  if (reason != nullptr) std::snprintf(fields, sizeof fields, "- %s", reason);
  out += "  rating ";
  out += fields;
  out += '\n';
}

// The line --format makes of a solved, and perhaps rated, puzzle.
void formatLine(const SolveRun& run, const GameState& state, int solutions, BatchLine& line) {
  const FormatValues values = {&line.entry.puzzle,
                               state.solutionFound ? state.solution : nullptr,
                               solutions,
                               line.entry.lineNumber,
                               line.rated ? &line.rating : nullptr,
                               line.unrated,
                               line.ratingSeconds,
                               line.form};
  line.formatted.clear();
  appendFormattedLine(line.formatted, run.options.format, values);
}

// The canonical form of the line's puzzle, and with --canonical the field
// that shows it, last on the line.
void findLineForm(const SolveOptions& options, SolveWorkspace& workspace, BatchLine& line) {
  int board[kCellCount];
  int form[kCellCount];
  for (CellIndex c = 0; c < kCellCount; ++c) board[c] = line.entry.puzzle.value[c];
  findCanonicalForm(workspace.canonical, board, form);
  writeFormText(form, line.form);
  if (!options.canonical) return;
  int length = line.textLength - 1;
  line.text[length++] = ' ';
  for (CellIndex c = 0; c < kCellCount; ++c) line.text[length++] = line.form[c];
  line.text[length++] = '\n';
  line.textLength = length;
}

// Solves a line that is a puzzle and rates it, hints at its position and
// formats its line as the options ask.
void solveLine(const SolveRun& run, SolveWorkspace& workspace, BatchLine& line) {
  const SolveOptions& options = run.options;
  GameState& state = workspace.state;
  for (CellIndex c = 0; c < kCellCount; ++c) state.board[c] = line.entry.puzzle.value[c];
  runSolve(state);
  const bool unique = run.rating || options.hint;
  const int solutions =
      run.counting || (unique && state.solutionFound) ? countSolutions(state) : -1;
  formatResult(state, options.count ? solutions : -1, line);
  line.explanation.clear();
  line.rated = false;
  line.unrated = unratedReason(state, solutions);
  line.limit = RatingLimit::kNone;
  workspace.logic.workBound = options.workBound;
  if (run.rating) rateLine(options, state, solutions, workspace.logic, line);
  if (options.hint) hintLine(state, solutions, workspace.logic, line);
  if (run.findingForms) findLineForm(options, workspace, line);
  if (options.format != nullptr) formatLine(run, state, solutions, line);
}

// One worker: takes the batch's next unsolved lines until none is left, the
// output failed or Ctrl-C asked the run to end, and writes what is ready
// after each claim.
void solveBatchLines(int worker, void* context) {
  SolveRun& run = *static_cast<SolveRun*>(context);
  SolveWorkspace& workspace = *run.workspaces[worker];
  Batch& batch = *run.solving;
  int first = 0;
  int end = 0;
  while (!interrupted() && !outputStopped(run.output) && claimItems(batch.claims, &first, &end)) {
    for (int index = first; index < end && !outputStopped(run.output); ++index) {
      BatchLine& line = batch.lines[index];
      if (line.entry.cellCount == kCellCount) solveLine(run, workspace, line);
      markDone(run.output, index);
    }
    writeDone(run.output);
  }
}

// Gives each of a batch's workers its workspace, taken once a run.
void prepareWorkspaces(SolveRun& run, int workers) {
  for (int worker = 0; worker < workers; ++worker)
    if (run.workspaces[worker] == nullptr)
      run.workspaces[worker] = allocateZeroed<SolveWorkspace>();
}

int batchSize(const SolveOptions& options) {
  return options.explain ? kExplainBatchSize : kBatchSize;
}

// Fills an empty batch from the reader, waiting for input only while the
// batch is empty and waitForFirst is set. kLineRead when the batch is full,
// otherwise how the reading stopped.
ReadResult readBatch(SolveRun& run, Batch& batch, bool waitForFirst) {
  batch.length = 0;
  const int size = batchSize(run.options);
  while (batch.length < size) {
    const bool mayPause = batch.length > 0 || !waitForFirst;
    if (batch.length == int(batch.lines.size())) batch.lines.emplace_back();
    BatchLine& line = batch.lines[batch.length];
    const ReadResult result = readPuzzleLine(run.reader, mayPause, line.entry);
    if (result != kLineRead) return result;
    ++batch.length;
  }
  return kLineRead;
}

bool noteWriteFailure(SolveRun& run) {
  if (run.writeError == 0) run.writeError = errno != 0 ? errno : EIO;
  return false;
}

// Whether a form is new to the run, keeping it when it is. The forms are
// kept in blocks that never move, so the set's views of them stay valid.
bool keepFirstOfForm(SolveRun& run, const char form[kCellCount]) {
  constexpr int kFormsPerBlock = 4096;
  if (run.formsSeen.count(std::string_view(form, kCellCount)) != 0) return false;
  if (run.formStore.empty() || run.formStoreUsed == kFormsPerBlock) {
    run.formStore.push_back(std::make_unique<char[]>(std::size_t(kFormsPerBlock) * kCellCount));
    run.formStoreUsed = 0;
  }
  char* kept = run.formStore.back().get() + std::size_t(run.formStoreUsed++) * kCellCount;
  std::memcpy(kept, form, kCellCount);
  run.formsSeen.insert(std::string_view(kept, kCellCount));
  return true;
}

// Writes a solved line in input order, or says that it is not a puzzle;
// false when the write failed.
bool writeBatchLine(int index, void* context) {
  SolveRun& run = *static_cast<SolveRun*>(context);
  const BatchLine& line = run.solving->lines[index];
  if (line.entry.cellCount < kCellCount) {
    if (!flushOutput()) return noteWriteFailure(run);
    std::fprintf(stderr, "vantric-solve: %s:%lld: not a puzzle (%d cells)\n", run.inputName,
                 line.entry.lineNumber, line.entry.cellCount);
    run.lineStatus = kStatusNotAPuzzle;
    return true;
  }
  Totals& totals = run.totals;
  if (run.options.unique && !keepFirstOfForm(run, line.form)) {
    ++totals.repeats;
    return true;
  }
  if (run.options.format != nullptr) {
    std::fwrite(line.formatted.data(), 1, line.formatted.size(), stdout);
  } else {
    std::fwrite(line.text, 1, size_t(line.textLength), stdout);
  }
  if (run.options.explain || run.options.hint)
    std::fwrite(line.explanation.data(), 1, line.explanation.size(), stdout);
  ++totals.puzzles;
  ++totals.verdicts[line.verdict];
  totals.nodes += line.nodes;
  totals.seconds += line.seconds;
  ++totals.unfinished[int(line.limit)];
  // glibc's fwrite can count a line as written when flushing the buffer
  // failed; the stream's error mark tells.
  return std::ferror(stdout) == 0 || noteWriteFailure(run);
}

// A rating takes long enough that its line goes out at once; solved lines
// come fast, and the next claim a worker ends, or the end of the batch,
// takes them a few milliseconds later.
bool flushBatchLines(void* context) {
  SolveRun& run = *static_cast<SolveRun*>(context);
  const bool rating = run.options.rate || run.options.explain;
  return (rating ? flushOutput() : flushOutputSoon(&run.lastFlushSeconds)) || noteWriteFailure(run);
}

// Solves every puzzle of one stream; the exit status it calls for. The next
// batch is read while the workers solve a full one; a batch that ends where
// the input pauses is written and flushed before reading waits for more.
int solveStream(SolveRun& run, std::FILE* file, const char* name) {
  openPuzzleReader(run.reader, file);
  run.inputName = name;
  run.lineStatus = 0;
  // Nothing read yet: the first batch waits for its input as after a pause.
  ReadResult input = kInputPaused;
  run.batches[0].length = 0;
  for (int current = 0;; current ^= 1) {
    Batch& batch = run.batches[current];
    Batch& next = run.batches[current ^ 1];
    if (batch.length == 0 && input == kInputPaused) {
      if (!flushOutput()) return reportWriteFailure("vantric-solve");
      input = readBatch(run, batch, true);
    }
    if (batch.length == 0 || interrupted()) break;
    const bool rating = run.options.rate || run.options.explain;
    openClaims(batch.claims, batch.length, rating ? kRatedLinesPerClaim : kLinesPerClaim);
    openOutput(run.output, batch.length);
    const int workers = workersFor(batch.claims, run.options.jobs);
    prepareWorkspaces(run, workers);
    run.solving = &batch;
    startThreads(workers, solveBatchLines, &run);
    next.length = 0;
    if (input == kLineRead) input = readBatch(run, next, false);
    solveBatchLines(0, &run);
    waitForThreads();
    writeDone(run.output);
    if (run.writeError == 0 && !flushOutput()) noteWriteFailure(run);
    if (run.writeError != 0) return reportWriteError("vantric-solve", run.writeError);
  }
  if (interrupted()) return kStatusInterrupted;
  const int status = run.lineStatus;
  if (input != kReadFailed) return status;
  if (!flushOutput()) return reportWriteFailure("vantric-solve");
  std::fprintf(stderr, "vantric-solve: cannot read %s: %s\n",
               file == stdin ? "standard input" : name, std::strerror(run.reader.readError));
  return kStatusCannotRead;
}

void printStats(const SolveRun& run, double wallSeconds) {
  const Totals& totals = run.totals;
  const double perSecond = totals.seconds > 0.0 ? double(totals.puzzles) / totals.seconds : 0.0;
  const double perNode = totals.nodes > 0 ? totals.seconds * 1e9 / double(totals.nodes) : 0.0;
  std::fprintf(stderr,
               "vantric-solve: %lld puzzles, %lld found, %lld none, %lld invalid, %lld nodes, "
               "%.6f seconds, %.1f puzzles/s, %.1f ns/node, %.6f seconds wall on %d jobs\n",
               totals.puzzles, totals.verdicts[kFound], totals.verdicts[kNone],
               totals.verdicts[kInvalid], totals.nodes, totals.seconds, perSecond, perNode,
               wallSeconds, run.options.jobs);
  if (run.options.unique)
    std::fprintf(stderr, "vantric-solve: %lld repeats of an earlier form left out\n",
                 totals.repeats);
  if (!run.options.rate && !run.options.explain) return;
  long long unfinished = 0;
  for (int limit = 1; limit < kRatingLimitCount; ++limit) unfinished += totals.unfinished[limit];
  std::fprintf(stderr, "vantric-solve: %lld ratings unfinished", unfinished);
  for (int limit = 1; limit < kRatingLimitCount; ++limit) {
    std::fprintf(stderr, "%s%lld %s", limit == 1 ? ": " : ", ", totals.unfinished[limit],
                 ratingLimitWords(RatingLimit(limit)));
  }
  std::fprintf(stderr, "\n");
}

// Solves the named inputs in turn, or standard input when none is named;
// the exit status, the worst any input called for. A failed write ends the
// run at once.
int solveInputs(SolveRun& run, char* const* names, int count) {
  int status = 0;
  for (int i = 0; i < (count == 0 ? 1 : count); ++i) {
    const char* name = count == 0 ? "-" : names[i];
    int inputStatus = 0;
    if (std::strcmp(name, "-") == 0) {
      inputStatus = solveStream(run, stdin, "-");
    } else {
      std::FILE* file = std::fopen(name, "rb");
      if (file == nullptr) {
        const int openError = errno;
        if (!flushOutput()) return reportWriteFailure("vantric-solve");
        std::fprintf(stderr, "vantric-solve: cannot open %s: %s\n", name, std::strerror(openError));
        inputStatus = kStatusCannotRead;
      } else {
        inputStatus = solveStream(run, file, name);
        std::fclose(file);
      }
    }
    if (inputStatus == kStatusCannotWrite || inputStatus == kStatusInterrupted) return inputStatus;
    if (inputStatus > status) status = inputStatus;
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const std::unique_ptr<SolveRun> run = std::make_unique<SolveRun>();
  int fileCount = 0;
  const int early = readSolveArguments(argc, argv, processorCount(), run->options, &fileCount);
  if (early >= 0) return flushOutput() ? early : reportWriteFailure("vantric-solve");
  const char* format = run->options.format;
  run->rating =
      run->options.rate || run->options.explain || (format != nullptr && formatRates(format));
  run->counting = run->options.count || (format != nullptr && formatCounts(format));
  run->findingForms = run->options.canonical || run->options.unique ||
                      (format != nullptr && formatShowsForm(format));

#ifdef _WIN32
  // Every byte of the input counts; text mode would end it at a Ctrl-Z.
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  catchStreamSignals();
  std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
  initTables();
  run->output.writeItem = writeBatchLine;
  run->output.endWrites = flushBatchLines;
  run->output.context = run.get();
  // Each batch's lines in one allocation, whose pages are used only as far
  // as lines are read.
  for (Batch& batch : run->batches) batch.lines.reserve(std::size_t(batchSize(run->options)));
  // The clock starts on its first reading; taking it here, before any worker
  // runs, keeps the workers to reading it.
  const double startSeconds = elapsedSeconds();
  const int status = solveInputs(*run, argv + 1, fileCount);
  if (status == kStatusCannotWrite) return status;
  if (!flushOutput()) return reportWriteFailure("vantric-solve");
  if (run->options.stats) printStats(*run, elapsedSeconds() - startSeconds);
  return status;
}
