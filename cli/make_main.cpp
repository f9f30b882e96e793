// vantric-make: makes puzzles with one solution each, minimal under a
// symmetry of their clues, on one or more threads.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

#include "cli/claimed_items.h"
#include "cli/make_arguments.h"
#include "cli/result_text.h"
#include "cli/standard_output.h"
#include "cli/worker_threads.h"
#include "cli/zeroed_memory.h"
#include "model/tables.h"
#include "solver/clock.h"

namespace {

// Candidates are made a batch at a time by every worker at once, then
// walked in index order, so the puzzles kept never depend on the threads.
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
  long long rejected[4];
};

// What a run works with. The workers read its options and make the batch's
// candidates, each in a workspace of its own, taken when a batch first needs
// that many workers; the rater's part of it is touched only with --rate or
// --rating.
struct MakeRun {
  MakeOptions options;
  Totals totals;
  Batch batch;
  ZeroedPointer<MakerWorkspace> workspaces[kMaxThreads];
};

char outputBuffer[1 << 16];

void makeBatchCandidates(int worker, void* context) {
  MakeRun& run = *static_cast<MakeRun*>(context);
  MakerWorkspace& workspace = *run.workspaces[worker];
  Batch& batch = run.batch;
  int first = 0;
  int end = 0;
  while (claimItems(batch.claims, &first, &end)) {
    for (int i = first; i < end; ++i)
      makeCandidate(workspace, run.options.request, run.options.seed,
                    batch.first + std::uint64_t(i), batch.candidates[i]);
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

void writeLine(const MakeOptions& options, const Candidate& candidate) {
  // 81 cells, the rating fields and the newline.
  char line[kCellCount + 1 + kRatingFieldsSize];
  int length = 0;
  for (CellIndex c = 0; c < kCellCount; ++c)
    line[length++] = candidate.board[c] == 0 ? '.' : char('0' + candidate.board[c]);
  if (options.printRating) {
    line[length++] = ' ';
    length = appendRatingFields(line, length, candidate.ratingTenths, candidate.hardest,
                                candidate.hardestLevel);
  }
  line[length++] = '\n';
  std::fwrite(line, 1, size_t(length), stdout);
}

// Makes and writes the puzzles; the exit status.
int makePuzzles(MakeRun& run) {
  const MakeOptions& options = run.options;
  Totals& totals = run.totals;
  Batch& batch = run.batch;
  std::uint64_t nextIndex = 0;
  long long rejectedInRow = 0;
  while (totals.made < options.count) {
    batch.first = nextIndex;
    batch.length = batchLength(run, options.count - totals.made);
    if (int(batch.candidates.size()) < batch.length) batch.candidates.resize(batch.length);
    openClaims(batch.claims, batch.length, kCandidatesPerClaim);
    const int workers = workersFor(batch.claims, options.jobs);
    prepareWorkspaces(run, workers);
    startThreads(workers, makeBatchCandidates, &run);
    makeBatchCandidates(0, &run);
    waitForThreads();
    nextIndex += std::uint64_t(batch.length);
    for (int i = 0; i < batch.length && totals.made < options.count; ++i) {
      const Candidate& candidate = batch.candidates[i];
      ++totals.tried;
      if (candidate.rejection == Rejection::kKept) {
        writeLine(options, candidate);
        ++totals.made;
        rejectedInRow = 0;
        continue;
      }
      ++totals.rejected[int(candidate.rejection)];
      if (++rejectedInRow == options.giveUp) {
        if (!flushOutput()) return reportWriteFailure("vantric-make");
        std::fprintf(stderr,
                     "vantric-make: gave up after %lld candidates in a row without one kept; "
                     "%lld of %lld puzzles made\n",
                     options.giveUp, totals.made, options.count);
        return kStatusGaveUp;
      }
    }
    // glibc's fwrite can count a line as written when flushing the buffer
    // failed; the stream's error mark tells.
    if (std::ferror(stdout) != 0) return reportWriteFailure("vantric-make");
  }
  return 0;
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
               "%lld rating, %lld unrated), %.3f seconds, %.1f puzzles/s on %d jobs, seed %llu\n",
               totals.made, totals.tried, rejected, totals.rejected[int(Rejection::kClues)],
               totals.rejected[int(Rejection::kRating)],
               totals.rejected[int(Rejection::kUnfinishedRating)], seconds,
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
  std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
  initTables();
  const double startSeconds = elapsedSeconds();
  const int status = makePuzzles(*run);
  if (status == kStatusCannotWrite) return status;
  if (!flushOutput()) return reportWriteFailure("vantric-make");
  if (options.stats) printStats(*run, elapsedSeconds() - startSeconds);
  return status;
}
