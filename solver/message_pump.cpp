// The window messages a search dispatches so that the window stays alive.
#include "solver/message_pump.h"

#include "state/platform.h"

void pumpMessages(bool blocking) {
  if (blocking) {
    dispatchNextMessage();
    return;
  }
  // Messages posted by the handlers themselves are dispatched too: the loop
  // stops only when the queue is empty.
  while (isMessagePending()) dispatchNextMessage();
}
