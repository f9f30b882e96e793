// Input as it arrives, through the Windows C runtime, which returns what a
// pipe or console holds but cannot tell whether more is on its way.
#include <io.h>

#include "cli/arriving_input.h"

int readArrivedInput(std::FILE* file, unsigned char* buffer, int size) {
  return _read(_fileno(file), buffer, unsigned(size));
}

// The reader asks only after a read returned less than it asked for, which
// is how a paused producer shows here.
bool inputWouldWait(std::FILE*) {
  return true;
}
