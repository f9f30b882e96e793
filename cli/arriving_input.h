// Reads vantric-solve's input as it arrives, so that a producer that pauses
// gets its answers before it sends more.
#pragma once

#include <cstdio>

// Reads up to size bytes of file, waiting only while none has arrived; the
// count, 0 at the end of the input or once Ctrl-C asked the run to end, or
// -1 with errno set when reading fails.
int readArrivedInput(std::FILE* file, unsigned char* buffer, int size);
// Whether the next read of file would wait: nothing has arrived and the
// input has not ended. True where the system cannot tell.
bool inputWouldWait(std::FILE* file);
