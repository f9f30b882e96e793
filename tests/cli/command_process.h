// The commands run as processes whose streams and signals a test holds:
// pipes, files or a terminal at each end, waited for with a bound.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// A process no test waited for is killed when its test ends, however it ends.
struct CommandProcess {
  pid_t pid = 0;
  // Output read but not yet taken as lines.
  std::string pending;
  CommandProcess() = default;
  CommandProcess(const CommandProcess&) = delete;
  CommandProcess& operator=(const CommandProcess&) = delete;
  ~CommandProcess();
};

// Starts program with arguments, its standard input, output and error on
// the descriptors given, SIGPIPE and SIGINT at their defaults.
void startCommand(CommandProcess& process, const char* program,
                  const std::vector<std::string>& arguments, int input, int output, int error);
// The exit status, 256 + N when signal N ended the process, or -1 when it
// did not end within seconds, when it is killed.
int waitWithin(CommandProcess& process, double seconds);
// The next line read from descriptor without its end, or "" when none comes
// within seconds or the output ends.
std::string readLineWithin(CommandProcess& process, int descriptor, double seconds);
// Whatever descriptor holds until its end, or until seconds have passed.
std::string readAllWithin(int descriptor, double seconds);
