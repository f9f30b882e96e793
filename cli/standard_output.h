// The end of vantric-solve's and vantric-make's output: a write that failed,
// at once or in the buffer, ends the run with its own exit status.
#pragma once

// Both usage texts give this exit status when the output could not be written.
constexpr int kStatusCannotWrite = 3;

// Writes out what standard output holds; false when it failed, now or before.
bool flushOutput();
// The same, unless the last flush was less than a few milliseconds ago,
// when what it holds waits for the next call or flushOutput: lines that come
// fast go out a few hundred a write, not one each. lastFlushSeconds is the
// caller's, on elapsedSeconds's clock.
bool flushOutputSoon(double* lastFlushSeconds);
// Says on standard error why standard output could not be written, by
// errno; kStatusCannotWrite.
int reportWriteFailure(const char* program);
// The same for the errno a failed write left, on whichever thread it was.
int reportWriteError(const char* program, int error);
