// Tests of vantric-solve run as a process.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/result_text.h"
#include "logic/rating.h"
#include "state/version.h"
#include "tests/cli/command_process.h"
#include "tests/solver/solver_support.h"
#include "tests/support/file_text.h"

namespace {

// The search fills the empty board with the tests' solved grid.
constexpr const char* kEmptyBoardLine = kSolvedGrid;

struct Outcome {
  int status;
  std::vector<std::string> out;
  std::string err;
};

// A folder of this run's own, so that the runs of two builds at once do not
// meet in each other's files; removed when the run ends.
struct ScratchFolder {
  std::string path;
  ScratchFolder() : path(testing::TempDir() + "vantric_solve_XXXXXX") {
    if (mkdtemp(path.data()) == nullptr) std::abort();
    path += "/";
  }
  ~ScratchFolder() { std::filesystem::remove_all(path); }
};

std::string scratch(const char* name) {
  static const ScratchFolder folder;
  return folder.path + name;
}

// Runs vantric-solve with arguments and standard input; collects the lines
// of standard output, the whole of standard error and the exit status. With
// mergeErrors, standard error goes into the lines of standard output. The
// arguments come last, so that redirections among them override these.
Outcome run(const std::string& arguments, const std::string& input, bool mergeErrors = false) {
  const std::string in = scratch("in");
  const std::string out = scratch("out");
  const std::string err = scratch("err");
  writeFile(in, input);
  const std::string command = std::string("'") + VANTRIC_SOLVE_PATH + "' < '" + in + "' > '" + out +
                              "' " + (mergeErrors ? std::string("2>&1") : "2> '" + err + "'") +
                              " " + arguments;
  const int raw = std::system(command.c_str());
  Outcome outcome;
  outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::istringstream lines(readFile(out));
  for (std::string line; std::getline(lines, line);) outcome.out.push_back(line);
  outcome.err = mergeErrors ? "" : readFile(err);
  return outcome;
}

// Splits "VERDICT NODES DEPTH SECONDS GRID".
std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> parts;
  std::istringstream words(line);
  for (std::string word; words >> word;) parts.push_back(word);
  return parts;
}

// An output line without its SECONDS field, which differs from run to run;
// messages stay whole.
std::string withoutSeconds(const std::string& line) {
  if (line.rfind("vantric-solve:", 0) == 0) return line;
  std::vector<std::string> parts = fields(line);
  if (parts.size() > 3) parts.erase(parts.begin() + 3);
  std::string joined;
  for (const std::string& part : parts) joined += (joined.empty() ? "" : " ") + part;
  return joined;
}

// vantric-solve with a pipe at each end, fed a line at a time.
struct Coprocess {
  pid_t pid;
  int input;
  int output;
  // Output read but not yet taken as lines.
  std::string pending;
};

Coprocess startCoprocess() {
  int toSolve[2];
  int fromSolve[2];
  if (pipe(toSolve) != 0 || pipe(fromSolve) != 0) std::abort();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, toSolve[0], 0);
  posix_spawn_file_actions_adddup2(&actions, fromSolve[1], 1);
  for (const int end : {toSolve[0], toSolve[1], fromSolve[0], fromSolve[1]})
    posix_spawn_file_actions_addclose(&actions, end);
  char path[] = VANTRIC_SOLVE_PATH;
  char* const arguments[] = {path, nullptr};
  Coprocess solve = {0, toSolve[1], fromSolve[0], ""};
  if (posix_spawn(&solve.pid, path, &actions, nullptr, arguments, environ) != 0) std::abort();
  posix_spawn_file_actions_destroy(&actions);
  close(toSolve[0]);
  close(fromSolve[1]);
  return solve;
}

// The next line of output without its end, or "" when none comes within
// 20 seconds or the output ends.
std::string readLineWithin(Coprocess& solve) {
  size_t end = 0;
  while ((end = solve.pending.find('\n')) == std::string::npos) {
    pollfd ready = {solve.output, POLLIN, 0};
    char chunk[4096];
    const ssize_t count =
        poll(&ready, 1, 20000) == 1 ? read(solve.output, chunk, sizeof chunk) : -1;
    if (count <= 0) return "";
    solve.pending.append(chunk, size_t(count));
  }
  const std::string line = solve.pending.substr(0, end);
  solve.pending.erase(0, end + 1);
  return line;
}

// The largest resident size, in kilobytes, of vantric-solve run with
// arguments on the file input, its output dropped.
long peakKilobytes(const std::string& arguments, const std::string& input) {
  const std::string command = std::string("exec '") + VANTRIC_SOLVE_PATH + "' " + arguments +
                              " < '" + input + "' > /dev/null";
  char shell[] = "/bin/sh";
  char option[] = "-c";
  char* const argv[] = {shell, option, const_cast<char*>(command.c_str()), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, shell, nullptr, nullptr, argv, environ) != 0) std::abort();
  int raw = 0;
  rusage usage{};
  if (wait4(pid, &raw, 0, &usage) != pid || !WIFEXITED(raw) || WEXITSTATUS(raw) != 0) return -1;
  return usage.ru_maxrss;
}

std::string boardText(const int board[kCellCount], char empty) {
  std::string text(kCellCount, empty);
  for (int c = 0; c < kCellCount; ++c)
    if (board[c] != 0) text[c] = char('0' + board[c]);
  return text;
}

}  // namespace

TEST(SolveCommand, OneLinePerPuzzle) {
  const Outcome o = run(
      "",
      std::string(kEmptyBoard) + "\n" +
          "55...............................................................................\n" +
          ".23456789"
          "1........" +
          std::string(63, '.') + "\n");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.err, "");
  ASSERT_EQ(o.out.size(), 3u);
  const std::vector<std::string> empty = fields(o.out[0]);
  ASSERT_EQ(empty.size(), 5u);
  EXPECT_EQ(empty[0], "found");
  EXPECT_EQ(empty[1], "48");
  EXPECT_EQ(empty[2], "47");
  // Seconds with six decimals; how many depends on the machine.
  ASSERT_GE(empty[3].size(), 8u);
  EXPECT_EQ(empty[3].find_first_not_of("0123456789."), std::string::npos) << empty[3];
  EXPECT_EQ(empty[3][empty[3].size() - 7], '.') << empty[3];
  EXPECT_EQ(empty[4], kEmptyBoardLine);
  EXPECT_EQ(o.out[0], "found 48 47 " + empty[3] + " " + kEmptyBoardLine);
  EXPECT_EQ(o.out[1].substr(0, 11), "invalid 0 0");
  EXPECT_EQ(fields(o.out[1])[4], std::string(81, '.'));
  EXPECT_EQ(o.out[2].substr(0, 9), "none 1 0 ");
}

// The output line's numbers are written by hand, as printf writes them.
TEST(SolveCommand, ResultTextAsPrintfWritesIt) {
  const double seconds[] = {0.0, 0.0000004, 0.0000006, 0.25, 1.9999996, 123.4567891, 86400.5};
  for (const double value : seconds) {
    char expected[64];
    char text[64];
    std::snprintf(expected, sizeof expected, "%.6f", value);
    text[appendSeconds(text, 0, value)] = '\0';
    EXPECT_STREQ(text, expected) << value;
  }
  const long long numbers[] = {0, 7, -12, 1234567890123LL, LLONG_MIN};
  for (const long long value : numbers) {
    char text[64];
    text[appendNumber(text, appendText(text, 0, "n="), value)] = '\0';
    EXPECT_EQ(std::string(text), "n=" + std::to_string(value));
  }
}

// Both commands write their rating fields with this piece, the side panel
// with the rating engine's own: they agree for every technique and level,
// and the longest stays within its room.
TEST(SolveCommand, RatingFieldsAsTheRatingEngineWritesThem) {
  for (int technique = 0; technique < int(Technique::kCount); ++technique) {
    for (int level = 0; level <= 5; ++level) {
      for (const int tenths : {10, 23, 72, 99, 100, 119, 999}) {
        RatingResult result{};
        result.rating = tenths / 10.0;
        result.hardest = Technique(technique);
        result.hardestLevel = level;
        char expected[64];
        formatRatingFields(result, expected, int(sizeof expected));
        // The bytes past the room the fields are given stay as they were.
        char text[kRatingFieldsSize + 8];
        std::fill(std::begin(text), std::end(text), '#');
        const int length = appendRatingFields(text, 0, ratingTenths(result.rating), result.hardest,
                                              result.hardestLevel);
        EXPECT_EQ(std::string(text, size_t(length)), expected);
        EXPECT_EQ(text[length], '\0');
        EXPECT_EQ(std::string(text + kRatingFieldsSize, 8), std::string(8, '#'));
      }
    }
  }
}

TEST(SolveCommand, LinesThatAreNotPuzzles) {
  const std::string puzzle = kEmptyBoard;
  // Lines 6 and 7 are as long as a puzzle: a comment, and 80 cells with a
  // skipped byte among them.
  const Outcome o = run("", "# a comment with 81 dots " + puzzle + "\n\n   \r\n12345\n" + puzzle +
                                "\n#" + puzzle.substr(1) + "\n" + puzzle.substr(0, 40) + "x" +
                                puzzle.substr(41) + "\n" + puzzle + "\n" + puzzle.substr(0, 80));
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err,
            "vantric-solve: -:4: not a puzzle (5 cells)\n"
            "vantric-solve: -:7: not a puzzle (80 cells)\n"
            "vantric-solve: -:9: not a puzzle (80 cells)\n");
  ASSERT_EQ(o.out.size(), 2u);
  EXPECT_EQ(fields(o.out[0])[4], kEmptyBoardLine);
  EXPECT_EQ(fields(o.out[1])[4], kEmptyBoardLine);
}

TEST(SolveCommand, PositionTextRulesOnLongBinaryLines) {
  // Grid drawn with separators, '*' for empty cells, binary bytes, a NUL,
  // and a megabyte of noise after the 81st cell.
  std::string line = "|*";
  line += std::string("\0\xff\x01", 3);
  line += std::string(80, '.');
  line += std::string(1 << 20, '7');
  const Outcome o = run("", line + "\n" + std::string(1 << 20, 'x') + "\n");
  EXPECT_EQ(o.status, 1);
  ASSERT_EQ(o.out.size(), 1u);
  EXPECT_EQ(fields(o.out[0])[4], kEmptyBoardLine);
  EXPECT_EQ(o.err, "vantric-solve: -:2: not a puzzle (0 cells)\n");
}

TEST(SolveCommand, FilesInTurnAndStandardInputAsDash) {
  // The input's second line, without an LF, ends where the file's second
  // line did, so that the LF the file left in the buffer must not be read.
  const std::string puzzle = kEmptyBoard;
  const std::string file = scratch("puzzles.txt");
  writeFile(file, puzzle + "\n" + puzzle + "\n12345\n");
  const Outcome o = run("--stats '" + file + "' - '" + file + "'", puzzle + "\n" + puzzle);
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out.size(), 6u);
  EXPECT_NE(o.err.find(file + ":3: not a puzzle (5 cells)\n"), std::string::npos) << o.err;
  EXPECT_NE(o.err.find("6 puzzles, 6 found, 0 none, 0 invalid, 288 nodes"), std::string::npos)
      << o.err;
  EXPECT_NE(o.err.find("ns/node"), std::string::npos) << o.err;
  EXPECT_NE(o.err.find("seconds wall on"), std::string::npos) << o.err;
}

TEST(SolveCommand, MissingFileEndsWithStatusTwo) {
  const Outcome o = run("/nonexistent/puzzles.txt", "");
  EXPECT_EQ(o.status, 2);
  EXPECT_NE(o.err.find("/nonexistent/puzzles.txt"), std::string::npos) << o.err;
  EXPECT_TRUE(o.out.empty());
  // A line that is not a puzzle after it leaves the status at 2.
  EXPECT_EQ(run("/nonexistent/puzzles.txt -", "12345\n").status, 2);
}

TEST(SolveCommand, HelpAndUnknownOptions) {
  const Outcome help = run("--help", "");
  EXPECT_EQ(help.status, 0);
  ASSERT_FALSE(help.out.empty());
  EXPECT_EQ(help.out[0],
            "Usage: vantric-solve [--count] [--rate] [--explain] [--jobs N] [--stats]");

  // The version the About box shows.
  const Outcome version = run("--stats --version", "");
  EXPECT_EQ(version.status, 0);
  ASSERT_EQ(version.out.size(), 1u);
  EXPECT_EQ(version.out[0], std::string("vantric-solve version ") + kVersionText);
  EXPECT_EQ(version.err, "");

  // One line names the wrong argument, and one points to --help.
  const Outcome wrong = run("--fast", "");
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(wrong.err, "vantric-solve: unknown option '--fast'\nTry 'vantric-solve --help'.\n");

  for (const char* jobs :
       {"--jobs 0", "--jobs -3", "--jobs two", "--jobs 2x", "--jobs ' 2'", "--jobs +2", "--jobs"}) {
    const Outcome bad = run(jobs, kEmptyBoard);
    EXPECT_EQ(bad.status, 2) << jobs;
    EXPECT_TRUE(bad.out.empty()) << jobs;
    EXPECT_EQ(bad.err.rfind("vantric-solve: --jobs wants a number", 0), 0u) << jobs << bad.err;
    EXPECT_NE(bad.err.find("\nTry 'vantric-solve --help'.\n"), std::string::npos) << bad.err;
  }
  EXPECT_EQ(run("--jobs two", "").err,
            "vantric-solve: --jobs wants a number of threads, 1 or more, not 'two'\n"
            "Try 'vantric-solve --help'.\n");
}

TEST(SolveCommand, ZerosAreEmptyCells) {
  // A puzzle and its solution on one line: the first 81 cells are the puzzle.
  const std::string solution =
      "864371259325849761971265843436192587198657432257483916689734125713528694542916378";
  const Outcome o = run("",
                        "004300209005009001070060043006002087190007400050083000600000105003508690"
                        "042910300," +
                            solution + "\n" + std::string(kCellCount, '0') + "\n");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.err, "");
  ASSERT_EQ(o.out.size(), 2u);
  EXPECT_EQ(fields(o.out[0])[0], "found");
  EXPECT_EQ(fields(o.out[0])[4], solution);
  EXPECT_EQ(withoutSeconds(o.out[1]), std::string("found 48 47 ") + kEmptyBoardLine);
}

TEST(SolveCommand, CountAddsTheNumberOfSolutions) {
  // No solution, one, several, and a repeated digit.
  const std::string boards =
      "1................1.....2.3......3.2...1.4......5....6..3......4.7..8...962...7...\n"
      ".................1.....2.3......3.2...1.4......5....6..3......4.7..8...962...7...\n" +
      std::string(kEmptyBoard) + "\n" + "55" + std::string(79, '.') + "\n";
  const Outcome plain = run("", boards);
  const Outcome counted = run("--count", boards);
  EXPECT_EQ(counted.status, 0);
  ASSERT_EQ(plain.out.size(), 4u);
  ASSERT_EQ(counted.out.size(), 4u);
  const char* expected[] = {"0", "1", "2", "0"};
  for (int i = 0; i < 4; ++i) {
    // The other fields are those of a run without the count.
    std::vector<std::string> parts = fields(counted.out[i]);
    ASSERT_EQ(parts.size(), 6u) << counted.out[i];
    EXPECT_EQ(parts[5], expected[i]) << counted.out[i];
    EXPECT_EQ(withoutSeconds(counted.out[i]), withoutSeconds(plain.out[i]) + " " + parts[5]);
  }
  EXPECT_EQ(fields(counted.out[0])[0], "none");
  EXPECT_EQ(fields(counted.out[3])[0], "invalid");

  // Against plain backtracking, on random boards of every kind.
  setUpBoard(kEmptyBoard);
  std::mt19937 random(811);
  std::string input;
  int completions[200];
  for (int i = 0; i < 200; ++i) {
    int board[kCellCount];
    makeRandomBoard(board, i % 4, random);
    completions[i] = countCompletions(board, 2);
    input += boardText(board, '0') + "\n";
  }
  const Outcome randomBoards = run("--count", input);
  ASSERT_EQ(randomBoards.out.size(), 200u);
  int seen[3] = {0, 0, 0};
  for (int i = 0; i < 200; ++i) {
    EXPECT_EQ(fields(randomBoards.out[i])[5], std::to_string(completions[i])) << i;
    ++seen[completions[i]];
  }
  EXPECT_GT(seen[0], 10);
  EXPECT_GT(seen[1], 10);
  EXPECT_GT(seen[2], 10);
}

TEST(SolveCommand, JobsKeepTheOutputOfOneJob) {
  // Found, none, invalid and lines that are not puzzles, with comments and
  // blank lines, written with both kinds of empty cell; repeated past the
  // size of one batch.
  setUpBoard(kEmptyBoard);
  std::mt19937 random(1208);
  std::string lines;
  for (int i = 0; i < 300; ++i) {
    int board[kCellCount];
    makeRandomBoard(board, i % 4, random);
    const std::string text = boardText(board, i % 3 == 0 ? '0' : '.');
    if (i % 29 == 0) {
      lines += text.substr(0, 40 + i % 41) + "\n";
    } else if (i % 31 == 0) {
      lines += "# " + text + "\n\n";
    } else {
      lines += text + "\n";
    }
  }
  std::string input;
  for (int copy = 0; copy < 15; ++copy) input += lines;

  for (const char* count : {"", "--count "}) {
    const Outcome one = run(std::string(count) + "--jobs 1", input, true);
    const Outcome four = run(std::string(count) + "--jobs 4", input, true);
    EXPECT_EQ(one.status, 1);
    EXPECT_EQ(four.status, 1);
    ASSERT_EQ(one.out.size(), four.out.size());
    int kinds[4] = {0, 0, 0, 0};
    for (size_t i = 0; i < one.out.size(); ++i) {
      ASSERT_EQ(withoutSeconds(four.out[i]), withoutSeconds(one.out[i])) << "line " << i;
      const std::string first = fields(one.out[i])[0];
      ++kinds[first == "found" ? 0 : first == "none" ? 1 : first == "invalid" ? 2 : 3];
    }
    EXPECT_GT(kinds[0], 1000) << count;
    EXPECT_GT(kinds[1], 300) << count;
    EXPECT_GT(kinds[2], 800) << count;
    EXPECT_EQ(kinds[3], 15 * 11) << count;
  }

  // More jobs than threads kept for workers, on as many lines.
  std::string hundred;
  for (int i = 0; i < 100; ++i) hundred += std::string(kEmptyBoard) + "\n";
  for (const char* jobs : {"100", "99999999999"}) {
    const Outcome capped = run(std::string("--stats --jobs ") + jobs, hundred);
    EXPECT_EQ(capped.status, 0) << jobs;
    EXPECT_EQ(capped.out.size(), 100u) << jobs;
    EXPECT_NE(capped.err.find(" on 64 jobs\n"), std::string::npos) << jobs << capped.err;
  }
}

// Failed reads and writes end with their own status and message; a line ends
// at a lone CR as at LF and CR LF, and '#' ends its cells; threads the system
// refuses leave their share to the calling thread; a producer that pauses
// gets its answers before it sends more.
TEST(SolveCommand, InputAndOutputFaults) {
  const std::string puzzle = kEmptyBoard;
  const std::string found = std::string("found 48 47 ") + kEmptyBoardLine;
  // Long runs take boards that repeat a digit, which cost no search.
  const std::string repeated = "55" + std::string(79, '.') + "\n";
  const std::string invalid = "invalid 0 0 " + std::string(81, '.');
  const std::string list = scratch("long_list.txt");
  std::string lines;
  for (int i = 0; i < 20000; ++i) lines += repeated;
  writeFile(list, lines);

  // A long list fails while it is printed, and the run ends there: the rest
  // of its input stays unread. A short one fails when the output ends.
  const std::string writeFailed = "vantric-solve: cannot write standard output: ";
  const std::string solve = std::string("'") + VANTRIC_SOLVE_PATH + "'";
  const std::string err = scratch("err");
  const std::string unread = scratch("unread");
  std::system(("{ " + solve + " --stats > /dev/full 2> '" + err + "'; echo $?; wc -l; } < '" +
               list + "' > '" + unread + "'")
                  .c_str());
  std::istringstream after(readFile(unread));
  int status = 0;
  int unreadLines = 0;
  after >> status >> unreadLines;
  EXPECT_EQ(status, 3);
  EXPECT_GT(unreadLines, 5000);
  EXPECT_EQ(readFile(err), writeFailed + "No space left on device\n");
  const Outcome closed = run("--stats >&-", puzzle);
  EXPECT_EQ(closed.status, 3);
  EXPECT_EQ(closed.err, writeFailed + "Bad file descriptor\n");
  EXPECT_EQ(run("--help > /dev/full", "").status, 3);
  const std::string pipeErr = scratch("pipe_err");
  std::FILE* head =
      popen(("trap '' PIPE; exec " + solve + " '" + list + "' 2> '" + pipeErr + "'").c_str(), "r");
  char first[256] = "";
  ASSERT_NE(std::fgets(first, sizeof first, head), nullptr);
  const int piped = pclose(head);
  EXPECT_EQ(withoutSeconds(first), invalid);
  EXPECT_TRUE(WIFEXITED(piped) && WEXITSTATUS(piped) == 3) << piped;
  EXPECT_EQ(readFile(pipeErr), writeFailed + "Broken pipe\n");

  const std::string folder = scratch("");
  const std::string reads[][2] = {
      {"'" + folder + "'", "cannot read " + folder + ": Is a directory"},
      {"/proc/self/mem", "cannot read /proc/self/mem: Input/output error"},
      {"<&-", "cannot read standard input: Bad file descriptor"}};
  for (const auto& read : reads) {
    const Outcome o = run(read[0], puzzle + "\n");
    EXPECT_EQ(o.status, 2) << read[0];
    EXPECT_EQ(o.err, "vantric-solve: " + read[1] + "\n");
    EXPECT_TRUE(o.out.empty()) << read[0];
  }

  const Outcome ends =
      run("", puzzle + "\n" + puzzle + "\r\n\r\n12345\r" + puzzle.substr(0, 80) +
                  " # rating 9.2\n   # note\r" + puzzle + "# rated\r" + puzzle + "\r");
  EXPECT_EQ(ends.status, 1);
  EXPECT_EQ(ends.err,
            "vantric-solve: -:4: not a puzzle (5 cells)\n"
            "vantric-solve: -:5: not a puzzle (80 cells)\n");
  ASSERT_EQ(ends.out.size(), 4u);
  for (const std::string& line : ends.out) EXPECT_EQ(withoutSeconds(line), found);

  setenv("VANTRIC_THREAD_LIMIT", "1", 1);
  const Outcome refused = run("--jobs 8 '" + list + "'", "");
  unsetenv("VANTRIC_THREAD_LIMIT");
  EXPECT_EQ(refused.status, 0);
  EXPECT_EQ(refused.out.size(), 20000u);
  EXPECT_EQ(refused.err, "");

  // Each round's answers are awaited, with a bound, before the next round
  // goes in; a line that has begun to arrive holds back none before it; the
  // last round fills a batch exactly.
  Coprocess coprocess = startCoprocess();
  struct Round {
    std::string sent;
    int answers;
    std::string answer;
  };
  const Round rounds[] = {{puzzle + "\n", 1, found},
                          {puzzle + "\r\n" + puzzle + "\r", 2, found},
                          {"\n" + puzzle + "\n", 1, found},
                          {puzzle + "\n" + puzzle.substr(0, 40), 1, found},
                          {puzzle.substr(40) + "\n", 1, found},
                          {lines.substr(0, 4096 * repeated.size()), 4096, invalid}};
  for (const Round& round : rounds) {
    // A thread feeds the round, which may hold more than the pipe does.
    const std::string& sent = round.sent;
    std::thread feeder([&sent, &coprocess] {
      for (ssize_t count = 0, at = 0; size_t(at) < sent.size() && count >= 0; at += count)
        count = write(coprocess.input, sent.data() + at, sent.size() - size_t(at));
    });
    int answered = 0;
    while (answered < round.answers && withoutSeconds(readLineWithin(coprocess)) == round.answer)
      ++answered;
    feeder.join();
    EXPECT_EQ(answered, round.answers);
  }
  close(coprocess.input);
  EXPECT_EQ(readLineWithin(coprocess), "");
  close(coprocess.output);
  int raw = 0;
  waitpid(coprocess.pid, &raw, 0);
  EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << raw;
}

// --rate gives the grader's rating of rated puzzles and a verdict word for
// the others; --explain lists the steps whose largest rating is the
// puzzle's, the same on any number of jobs.
TEST(SolveCommand, RateAndExplain) {
  std::ifstream rated(std::string(VANTRIC_DATA_DIR) + "/rated/se_rated_top1465_sample.txt");
  ASSERT_TRUE(rated.is_open());
  std::string input;
  std::vector<std::string> expected;
  std::string line;
  for (int i = 0; std::getline(rated, line); ++i) {
    if (i % 25 != 0) continue;
    input += line.substr(0, kCellCount) + "\n";
    expected.push_back(line.substr(kCellCount + 1));
  }
  const std::string unrated =
      "1................1.....2.3......3.2...1.4......5....6..3......4.7..8...962...7...\n" +
      std::string(kEmptyBoard) + "\n" + "55" + std::string(79, '.') + "\n";
  const char* reasons[] = {"NoSolution", "MultipleSolutions", "Invalid"};
  input += unrated;

  const Outcome plain = run("", input);
  const Outcome rate = run("--rate --jobs 2", input);
  ASSERT_EQ(rate.status, 0) << rate.err;
  ASSERT_EQ(rate.out.size(), expected.size() + 3);
  for (size_t i = 0; i < rate.out.size(); ++i) {
    std::vector<std::string> parts = fields(rate.out[i]);
    ASSERT_EQ(parts.size(), 7u) << rate.out[i];
    if (i < expected.size()) {
      EXPECT_EQ(parts[5], expected[i]) << rate.out[i];
      EXPECT_NE(parts[6].find_first_not_of(
                    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
                0u);
    } else {
      EXPECT_EQ(parts[5] + " " + parts[6], std::string("- ") + reasons[i - expected.size()]);
    }
    EXPECT_EQ(withoutSeconds(rate.out[i]),
              withoutSeconds(plain.out[i]) + " " + parts[5] + " " + parts[6]);
  }

  const Outcome one = run("--explain --jobs 1", input);
  const Outcome three = run("--explain --jobs 3", input);
  ASSERT_EQ(one.status, 0);
  ASSERT_EQ(one.out.size(), three.out.size());
  size_t puzzle = 0;
  double largest = 0.0;
  for (size_t i = 0; i < one.out.size(); ++i) {
    const std::string& text = one.out[i];
    const bool explanation = text.rfind("  ", 0) == 0;
    ASSERT_EQ(explanation ? three.out[i] : withoutSeconds(three.out[i]),
              explanation ? text : withoutSeconds(text))
        << "line " << i;
    if (text.rfind("  rating ", 0) == 0) {
      const std::vector<std::string> parts = fields(rate.out[puzzle]);
      EXPECT_EQ(text, "  rating " + parts[5] + " " + parts[6]);
      if (puzzle < expected.size()) {
        EXPECT_EQ(largest, std::stod(parts[5])) << text;
      }
      ++puzzle;
      largest = 0.0;
    } else if (explanation) {
      largest = std::max(largest, std::stod(text.substr(2)));
    } else {
      EXPECT_EQ(withoutSeconds(text), withoutSeconds(plain.out[puzzle]));
    }
  }
  EXPECT_EQ(puzzle, expected.size() + 3);
}

// A bound too small for a puzzle stops its rating at what it has reached,
// which the whole rating is not below, and --max-work 0 lifts the bound.
TEST(SolveCommand, WorkBoundGivesTheRatingReached) {
  // The first of top1465.txt, rated 9.0: its path needs dynamic chains.
  const std::string puzzle =
      "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........\n";
  const Outcome full = run("--rate", puzzle);
  ASSERT_EQ(full.status, 0);
  const std::vector<std::string> finished = fields(full.out[0]);
  EXPECT_EQ(finished[5] + " " + finished[6], "9.0 DynamicContradictionForcingChain");
  for (const char* bound : {"1", "3000", "30000"}) {
    const Outcome cut = run(std::string("--rate --max-work ") + bound, puzzle);
    ASSERT_EQ(cut.status, 0) << cut.err;
    const std::vector<std::string> parts = fields(cut.out[0]);
    ASSERT_EQ(parts.size(), 7u) << cut.out[0];
    EXPECT_EQ(parts[6], "Unfinished") << bound;
    ASSERT_EQ(parts[5].rfind(">=", 0), 0u) << parts[5];
    // The chain producers were reached, Nishio's at least, and the rating
    // finished is not below what was reached.
    const double reached = std::stod(parts[5].substr(2));
    EXPECT_GE(reached, 7.5) << bound;
    EXPECT_LE(reached, 9.0) << bound;
  }
  const Outcome explain = run("--explain --max-work 1", puzzle);
  EXPECT_EQ(explain.out.back().rfind("  rating >=", 0), 0u) << explain.out.back();
  const Outcome unbounded = run("--rate --max-work 0", puzzle);
  EXPECT_EQ(fields(unbounded.out[0])[5], "9.0");
  for (const char* wrong : {"-1", "x", "1e6", ""}) {
    const Outcome refused = run(std::string("--rate --max-work '") + wrong + "'", puzzle);
    EXPECT_EQ(refused.status, 2) << wrong;
    EXPECT_NE(refused.err.find("--max-work"), std::string::npos) << refused.err;
  }
}

// A worker's memory is taken for the threads a run starts, which a short
// list keeps to a few whatever --jobs asks: 64 rating contexts would add
// 160 MB.
TEST(SolveCommand, MemoryFollowsTheThreadsStarted) {
  std::ifstream rated(std::string(VANTRIC_DATA_DIR) + "/rated/se_rated_dev.txt");
  ASSERT_TRUE(rated.is_open());
  std::string input;
  std::string line;
  for (int i = 0; i < 20 && std::getline(rated, line); ++i)
    input += line.substr(line.find(' ') + 1, kCellCount) + "\n";
  const std::string list = scratch("twenty_rated.txt");
  writeFile(list, input);
  const long one = peakKilobytes("--rate --jobs 1", list);
  const long many = peakKilobytes("--rate --jobs 64", list);
  ASSERT_GT(one, 0);
  ASSERT_GT(many, 0);
  EXPECT_LT(many, one + 16 * 1024) << one << " KB on one job, " << many << " KB on 64";
}

namespace {

const std::string kHardestList = std::string(VANTRIC_DATA_DIR) + "/forum_hardest_1106.txt";

int openForWriting(const std::string& path) {
  return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream split(text);
  for (std::string line; std::getline(split, line);) lines.push_back(line);
  return lines;
}

}  // namespace

// Each answer goes out as soon as it and those before it are ready: the
// first ratings of the hardest list, minutes of work, come at once. A
// reader that has gone, or a full disk, ends the run within a rating or so,
// with status 3, SIGPIPE at its default. The work bound keeps each rating
// short in the sanitizer build too, where one at the default takes seconds.
TEST(SolveCommand, AnswersGoOutAsReadyAndAFailedWriteEndsTheRun) {
  int fromSolve[2];
  ASSERT_EQ(pipe2(fromSolve, O_CLOEXEC), 0);
  const int none = open("/dev/null", O_RDONLY | O_CLOEXEC);
  const std::string err = scratch("ready_err");
  int errors = openForWriting(err);
  CommandProcess solve;
  startCommand(solve, VANTRIC_SOLVE_PATH,
               {"--rate", "--jobs", "2", "--max-work", "300000", kHardestList}, none, fromSolve[1],
               errors);
  close(fromSolve[1]);
  close(errors);
  for (int i = 0; i < 2; ++i) {
    const std::string line = readLineWithin(solve, fromSolve[0], 20.0);
    EXPECT_EQ(fields(line).size(), 7u) << "line " << i << ": " << line;
  }
  close(fromSolve[0]);
  EXPECT_EQ(waitWithin(solve, 20.0), 3);
  EXPECT_EQ(readFile(err), "vantric-solve: cannot write standard output: Broken pipe\n");

  const int full = open("/dev/full", O_WRONLY | O_CLOEXEC);
  ASSERT_GE(full, 0);
  errors = openForWriting(err);
  startCommand(solve, VANTRIC_SOLVE_PATH, {"--rate", "--max-work", "300000", kHardestList}, none,
               full, errors);
  close(full);
  close(errors);
  close(none);
  EXPECT_EQ(waitWithin(solve, 20.0), 3);
  EXPECT_EQ(readFile(err),
            "vantric-solve: cannot write standard output: No space left on device\n");
}

// Ctrl-C ends the run with status 130 on whole lines, the answers to the
// first puzzles, whether it is solving or waiting for input.
TEST(SolveCommand, CtrlCEndsOnWholeLines) {
  const std::string out = scratch("interrupted_out");
  const int none = open("/dev/null", O_RDWR | O_CLOEXEC);
  const int output = openForWriting(out);
  CommandProcess solve;
  startCommand(solve, VANTRIC_SOLVE_PATH,
               {"--rate", "--jobs", "2", "--max-work", "300000", kHardestList}, none, output, none);
  close(output);
  const auto start = std::chrono::steady_clock::now();
  while (readFile(out).empty() &&
         std::chrono::steady_clock::now() - start < std::chrono::seconds(30))
    poll(nullptr, 0, 20);
  kill(solve.pid, SIGINT);
  EXPECT_EQ(waitWithin(solve, 20.0), 130);
  const std::string text = readFile(out);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n');
  const std::vector<std::string> lines = linesOf(text);
  std::ifstream hardest(kHardestList);
  std::string first;
  std::string line;
  for (size_t i = 0; i < lines.size() && std::getline(hardest, line); ++i) first += line + "\n";
  const Outcome again = run("--rate --max-work 300000", first);
  ASSERT_EQ(again.out.size(), lines.size());
  for (size_t i = 0; i < lines.size(); ++i)
    EXPECT_EQ(withoutSeconds(lines[i]), withoutSeconds(again.out[i])) << "line " << i;

  int toSolve[2];
  int fromSolve[2];
  ASSERT_EQ(pipe2(toSolve, O_CLOEXEC), 0);
  ASSERT_EQ(pipe2(fromSolve, O_CLOEXEC), 0);
  startCommand(solve, VANTRIC_SOLVE_PATH, {}, toSolve[0], fromSolve[1], none);
  close(toSolve[0]);
  close(fromSolve[1]);
  close(none);
  const std::string puzzle = std::string(kEmptyBoard) + "\n";
  ASSERT_EQ(write(toSolve[1], puzzle.data(), puzzle.size()), ssize_t(puzzle.size()));
  EXPECT_EQ(withoutSeconds(readLineWithin(solve, fromSolve[0], 20.0)),
            std::string("found 48 47 ") + kEmptyBoardLine);
  kill(solve.pid, SIGINT);
  EXPECT_EQ(waitWithin(solve, 20.0), 130);
  EXPECT_EQ(readAllWithin(fromSolve[0], 20.0), "");
  close(toSolve[1]);
  close(fromSolve[0]);
}

// A full grid takes no step: it rates 0.0 and says so.
TEST(SolveCommand, AFullGridRatesSolved) {
  const Outcome rate = run("--rate", std::string(kSolvedGrid) + "\n");
  ASSERT_EQ(rate.out.size(), 1u);
  const std::vector<std::string> parts = fields(rate.out[0]);
  ASSERT_EQ(parts.size(), 7u) << rate.out[0];
  EXPECT_EQ(parts[5] + " " + parts[6], "0.0 Solved");
  const Outcome explain = run("--explain", std::string(kSolvedGrid) + "\n");
  ASSERT_EQ(explain.out.size(), 2u);
  EXPECT_EQ(explain.out[1], "  rating 0.0 Solved");
  const Outcome formatted = run("--format '%r %t'", std::string(kSolvedGrid) + "\n");
  ASSERT_EQ(formatted.out.size(), 1u);
  EXPECT_EQ(formatted.out[0], "0.0 Solved");
  char text[kRatingFieldsSize];
  text[appendRatingFields(text, 0, 0, Technique::kHiddenSingle, 0)] = '\0';
  EXPECT_STREQ(text, "0.0 Solved");
}
