// Processes for the commands' tests, through posix_spawn.
#include "tests/cli/command_process.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Milliseconds left of a bound, for poll.
int millisecondsLeft(std::chrono::steady_clock::time_point start, double seconds) {
  const double left = seconds - secondsSince(start);
  return left > 0.0 ? int(left * 1000.0) + 1 : 0;
}

}  // namespace

CommandProcess::~CommandProcess() {
  if (pid <= 0) return;
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

void startCommand(CommandProcess& process, const char* program,
                  const std::vector<std::string>& arguments, int input, int output, int error) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input, 0);
  posix_spawn_file_actions_adddup2(&actions, output, 1);
  posix_spawn_file_actions_adddup2(&actions, error, 2);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  sigaddset(&defaults, SIGINT);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  process.pending.clear();
  if (posix_spawn(&process.pid, program, &actions, &attributes, argv.data(), environ) != 0)
    std::abort();
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
}

int waitWithin(CommandProcess& process, double seconds) {
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    int raw = 0;
    if (waitpid(process.pid, &raw, WNOHANG) == process.pid) {
      process.pid = 0;
      return WIFEXITED(raw) ? WEXITSTATUS(raw) : 256 + WTERMSIG(raw);
    }
    if (secondsSince(start) > seconds) {
      kill(process.pid, SIGKILL);
      waitpid(process.pid, &raw, 0);
      process.pid = 0;
      return -1;
    }
    // A poll of nothing, as a bounded pause between looks.
    poll(nullptr, 0, 10);
  }
}

std::string readLineWithin(CommandProcess& process, int descriptor, double seconds) {
  const auto start = std::chrono::steady_clock::now();
  size_t end = 0;
  while ((end = process.pending.find('\n')) == std::string::npos) {
    pollfd ready = {descriptor, POLLIN, 0};
    char chunk[4096];
    const ssize_t count = poll(&ready, 1, millisecondsLeft(start, seconds)) == 1
                              ? read(descriptor, chunk, sizeof chunk)
                              : -1;
    if (count <= 0) return "";
    process.pending.append(chunk, size_t(count));
  }
  const std::string line = process.pending.substr(0, end);
  process.pending.erase(0, end + 1);
  return line;
}

std::string readAllWithin(int descriptor, double seconds) {
  const auto start = std::chrono::steady_clock::now();
  std::string text;
  for (;;) {
    pollfd ready = {descriptor, POLLIN, 0};
    char chunk[4096];
    const ssize_t count = poll(&ready, 1, millisecondsLeft(start, seconds)) == 1
                              ? read(descriptor, chunk, sizeof chunk)
                              : -1;
    if (count <= 0) return text;
    text.append(chunk, size_t(count));
  }
}
