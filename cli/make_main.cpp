// vantric-make: makes puzzles with one solution each, minimal under a
// symmetry of their clues unless asked otherwise, on one or more threads.
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

#include "cli/claimed_items.h"
#include "cli/make_arguments.h"
#include "cli/ordered_output.h"
#include "cli/progress_line.h"
#include "cli/result_text.h"
#include "cli/standard_output.h"
#include "cli/stream_signals.h"
#include "cli/worker_threads.h"
#include "cli/zeroed_memory.h"
#include "generator/canonical_form.h"
#include "model/tables.h"
#include "solver/clock.h"

namespace {

// Candidates are made a batch at a time by every worker at once and written
// in index order as the workers finish them, so the puzzles kept never
// depend on the threads.
constexpr int kBatchSize = 4096;
// A worker takes this many candidates at a time.
constexpr int kCandidatesPerClaim = 4;

// The candidates grow to the longest batch so far, not kBatchSize at once.
struct Batch {
  std::vector<Candidate> candidates;
  std::uint64_t first;
  int length;
  ClaimedItems claims;
};

struct Totals {
  long long made;
  long long tried;
  long long rejected[kRejectionCount];
  long long rejectedInRow;
};

// What a run works with. The workers read its options and make the batch's
// candidates, each in a workspace of its own, taken when a batch first needs
// that many workers; the rater's part of it is touched only with --rate or
// --rating. The totals, the progress line and standard output belong to
// whichever thread is writing.
struct MakeRun {
  MakeOptions options;
  Totals totals;
  Batch batch;
  OrderedOutput output;
  ProgressLine progress;
  double startSeconds;
  bool gaveUp;
  // The errno of a failed write, 0 while none failed.
  int writeError;
  double lastFlushSeconds;
  ZeroedPointer<MakerWorkspace> workspaces[kMaxThreads];
  // The writing thread's, for --canonical: a form takes a few microseconds.
  ZeroedPointer<CanonicalWorkspace> canonical;
};

char outputBuffer[1 << 16];

// A worker: takes claims until none is left, the output has stopped or
// Ctrl-C asked the run to end, when the claims taken are finished, so that
// every puzzle made is written.
void makeBatchCandidates(int worker, void* context) {
  MakeRun& run = *static_cast<MakeRun*>(context);
  MakerWorkspace& workspace = *run.workspaces[worker];
  Batch& batch = run.batch;
  int first = 0;
  int end = 0;
  while (!interrupted() && !outputStopped(run.output) && claimItems(batch.claims, &first, &end)) {
    for (int i = first; i < end && !outputStopped(run.output); ++i) {
      makeCandidate(workspace, run.options.request, run.options.seed,
                    batch.first + std::uint64_t(i), batch.candidates[i]);
      markDone(run.output, i);
    }
    writeDone(run.output);
  }
}

// Gives each of a batch's workers its workspace, taken and prepared once a run.
void prepareWorkspaces(MakeRun& run, int workers) {
  for (int worker = 0; worker < workers; ++worker) {
    if (run.workspaces[worker] != nullptr) continue;
    run.workspaces[worker] = allocateZeroed<MakerWorkspace>();
    prepareMakerWorkspace(*run.workspaces[worker]);
  }
}

// Enough candidates for the puzzles still wanted at the rate kept so far,
// and a few for every worker.
int batchLength(const MakeRun& run, long long wanted) {
  const Totals& totals = run.totals;
  const double perPuzzle = double(totals.tried + 1) / double(totals.made + 1);
  const double needed = double(wanted) * perPuzzle * 1.25 + run.options.jobs * kCandidatesPerClaim;
  return needed > kBatchSize ? kBatchSize : int(needed);
}

// "made 12 of 100, tried 4567, 3.1 puzzles/s" while the run goes on.
void updateProgress(MakeRun& run) {
  const double seconds = elapsedSeconds();
  if (!progressDue(run.progress, seconds)) return;
  const Totals& totals = run.totals;
  const double spent = seconds - run.startSeconds;
  char text[160];
  std::snprintf(text, sizeof text, "vantric-make: made %lld of %lld, tried %lld, %.1f puzzles/s",
                totals.made, run.options.count, totals.tried,
                spent > 0.0 ? double(totals.made) / spent : 0.0);
  drawProgressLine(run.progress, seconds, text);
}

bool noteWriteFailure(MakeRun& run) {
  if (run.writeError == 0) run.writeError = errno != 0 ? errno : EIO;
  return false;
}

void writeLine(MakeRun& run, const Candidate& candidate) {
  const MakeOptions& options = run.options;
  // 81 cells, the rating fields and the newline.
  char line[kCellCount + 1 + kRatingFieldsSize];
  int length = kCellCount;
  if (options.canonical) {
    int form[kCellCount];
    findCanonicalForm(*run.canonical, candidate.board, form);
    writeFormText(form, line);
  } else {
    writeFormText(candidate.board, line);
  }
  if (options.printRating) {
    line[length++] = ' ';
    length = appendRatingFields(line, length, candidate.ratingTenths, candidate.hardest,
                                candidate.hardestLevel);
  }
  line[length++] = '\n';
  std::fwrite(line, 1, size_t(length), stdout);
}

// Counts a candidate in index order and writes it when kept; false once the
// puzzles wanted are written, the run gave up or the write failed.
bool takeCandidate(int index, void* context) {
  MakeRun& run = *static_cast<MakeRun*>(context);
  const MakeOptions& options = run.options;
  Totals& totals = run.totals;
  const Candidate& candidate = run.batch.candidates[index];
  ++totals.tried;
  if (candidate.rejection == Rejection::kKept) {
    makeRoomForOutput(run.progress);
    writeLine(run, candidate);
    ++totals.made;
    totals.rejectedInRow = 0;
    // glibc's fwrite can count a line as written when flushing the buffer
    // failed; the stream's error mark tells.
    if (std::ferror(stdout) != 0) return noteWriteFailure(run);
    return totals.made < options.count;
  }
  ++totals.rejected[int(candidate.rejection)];
  if (++totals.rejectedInRow == options.giveUp) {
    run.gaveUp = true;
    return false;
  }
  return true;
}

// After a run of candidates: what was written goes out, and then the
// progress line, which must not stand before it on a shared terminal. Rated
// candidates take long enough for their lines to go out at once; others
// come fast, and the next claim a worker ends, or the end of the batch,
// takes their lines a few milliseconds later.
bool flushCandidates(void* context) {
  MakeRun& run = *static_cast<MakeRun*>(context);
  const bool promptly = run.options.request.rate || run.progress.sharesTerminal;
  if (!(promptly ? flushOutput() : flushOutputSoon(&run.lastFlushSeconds)))
    return noteWriteFailure(run);
  updateProgress(run);
  return true;
}

void reportGiveUp(const MakeRun& run) {
  const MakeOptions& options = run.options;
  const Totals& totals = run.totals;
  std::fprintf(stderr,
               "vantric-make: gave up after %lld candidates in a row without one kept; "
               "%lld of %lld puzzles made\n",
               options.giveUp, totals.made, options.count);
  // Minimal puzzles with many clues are rare; putting clues back is not.
  if (options.request.minimality != Minimality::kNone &&
      totals.rejected[int(Rejection::kClues)] * 2 > totals.tried)
    std::fprintf(stderr,
                 "vantric-make: few minimal puzzles have that many clues; --not-minimal puts "
                 "clues back\n");
}

// Makes and writes the puzzles; the exit status.
int makePuzzles(MakeRun& run) {
  const MakeOptions& options = run.options;
  Totals& totals = run.totals;
  Batch& batch = run.batch;
  OrderedOutput& output = run.output;
  output.writeItem = takeCandidate;
  output.endWrites = flushCandidates;
  output.context = &run;
  std::uint64_t nextIndex = 0;
  while (!outputStopped(output) && !interrupted()) {
    batch.first = nextIndex;
    batch.length = batchLength(run, options.count - totals.made);
    if (int(batch.candidates.size()) < batch.length) batch.candidates.resize(batch.length);
    openClaims(batch.claims, batch.length, kCandidatesPerClaim);
    openOutput(output, batch.length);
    const int workers = workersFor(batch.claims, options.jobs);
    prepareWorkspaces(run, workers);
    startThreads(workers, makeBatchCandidates, &run);
    makeBatchCandidates(0, &run);
    waitForThreads();
    writeDone(output);
    if (run.writeError == 0 && !flushOutput()) noteWriteFailure(run);
    nextIndex += std::uint64_t(batch.length);
  }
  clearProgressLine(run.progress);
  if (run.writeError != 0) return reportWriteError("vantric-make", run.writeError);
  if (!flushOutput()) return reportWriteFailure("vantric-make");
  if (run.gaveUp) {
    reportGiveUp(run);
    return kStatusGaveUp;
  }
  return totals.made < options.count ? kStatusInterrupted : 0;
}

// A seed that differs from run to run: the time, the steady clock and where
// the system placed the stack.
std::uint64_t drawSeed() {
  const int onStack = 0;
  std::uint64_t seed = mixBits(std::uint64_t(std::time(nullptr)));
  seed = mixBits(seed ^ std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()));
  return mixBits(seed ^ std::uint64_t(reinterpret_cast<std::uintptr_t>(&onStack)));
}

void printStats(const MakeRun& run, double seconds) {
  const MakeOptions& options = run.options;
  const Totals& totals = run.totals;
  const long long rejected = totals.tried - totals.made;
  std::fprintf(stderr,
               "vantric-make: %lld puzzles, %lld candidates, %lld rejected (%lld clues, "
               "%lld rating, %lld unrated, %lld not minimal), %.3f seconds, %.1f puzzles/s on "
               "%d jobs, seed %llu\n",
               totals.made, totals.tried, rejected, totals.rejected[int(Rejection::kClues)],
               totals.rejected[int(Rejection::kRating)],
               totals.rejected[int(Rejection::kUnfinishedRating)],
               totals.rejected[int(Rejection::kNotMinimal)], seconds,
               seconds > 0.0 ? double(totals.made) / seconds : 0.0, options.jobs,
               static_cast<unsigned long long>(options.seed));
}

}  // namespace

int main(int argc, char** argv) {
  const std::unique_ptr<MakeRun> run = std::make_unique<MakeRun>();
  MakeOptions& options = run->options;
  const int early = readMakeArguments(argc, argv, processorCount(), options);
  if (early >= 0) return flushOutput() ? early : reportWriteFailure("vantric-make");
  if (!options.seedGiven) options.seed = drawSeed();
  catchStreamSignals();
  std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
  initTables();
  if (options.canonical) run->canonical = allocateZeroed<CanonicalWorkspace>();
  run->startSeconds = elapsedSeconds();
  openProgressLine(run->progress, run->startSeconds);
  const int status = makePuzzles(*run);
  if (status == kStatusCannotWrite) return status;
  if (options.stats) printStats(*run, elapsedSeconds() - run->startSeconds);
  return status;
}
