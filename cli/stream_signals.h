// What the system tells both commands about their streams: Ctrl-C, a reader
// that has gone, and whether a stream is a terminal.
#pragma once

#include <cstdio>

// Both usage texts give this exit status when Ctrl-C ended the run, as a
// shell gives for a process that SIGINT ended.
constexpr int kStatusInterrupted = 130;

// From here on Ctrl-C asks the run to end on whole lines, and a second one
// ends it at once; a write to a pipe whose reader has gone fails, rather than
// end the process by SIGPIPE. A Ctrl-C the process was started to ignore
// stays ignored.
void catchStreamSignals();
// True once Ctrl-C asked the run to end.
bool interrupted();
// A descriptor that polls as readable once the run is interrupted, so that
// a wait for input ends then too; -1 where the system reads input otherwise.
int interruptionDescriptor();
bool isTerminal(std::FILE* stream);
