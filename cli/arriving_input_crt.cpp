// Input as it arrives, through the Windows C runtime, which returns what a
// pipe or console holds but cannot tell whether more is on its way.
#include <io.h>

#include "cli/arriving_input.h"
#include "cli/stream_signals.h"

// A console read that Ctrl-C breaks returns at once, as the end or a failure.
int readArrivedInput(std::FILE* file, unsigned char* buffer, int size) {
  if (interrupted()) return 0;
  const int count = _read(_fileno(file), buffer, unsigned(size));
  return interrupted() ? 0 : count;
}

// The reader asks only after a read returned less than it asked for, which
// is how a paused producer shows here.
bool inputWouldWait(std::FILE*) {
  return true;
}
