// A recording fake of the window system for the native tests.
#pragma once

#include <cstdint>

#include "state/platform.h"
#include "tests/fake/recording_surface.h"

// What the portable program asked of the window system, in order.
enum class PlatformCall {
  kBeep,
  kAskOkCancel,
  kShowInformation,
  kSetTextBoxText,
  kSetTextBoxTextAtEnd,
  kGetTextBoxText,
  kGetTextBoxSelection,
  kSetTextBoxSelection,
  kUncheckEntryBox,
  kInvalidateStatusLine,
  kSetMenuCheck,
  kFocusMainWindow,
  kDispatchNextMessage,
  kPostQuit,
  kOpenWebPage,
};

struct PlatformRecord {
  PlatformCall call;
  // The beep kind, text box, command or check state, as the call has them.
  unsigned number;
  int flag;
  // When the call happened: the solver's node count and the surface's call
  // count, so tests can place it among other effects.
  int nodeCount;
  int drawCallCount;
  char text[256];
  char caption[64];
};

struct FakePlatform {
  static constexpr int kMaxRecords = 4096;
  static constexpr int kBoxSize = 20000;

  PlatformRecord records[kMaxRecords];
  int recordCount;

  char boxText[2][kBoxSize];
  // How often each box was written and shown at its end.
  int scrolls[2];
  // Each box's selection, start and end; writing its text empties it at 0.
  int selection[2][2];
  bool menuChecks[16];  // by command - 40000

  // The answer to the next questions: true for OK.
  bool answerOk;
  // Called instead of showing a question, before it is answered (may be null).
  void (*onQuestion)();
  // Whether openWebPage finds a browser.
  bool browserOpens;

  // Messages waiting in the fake queue, and what dispatching one does.
  int pendingMessages;
  void (*onDispatch)();

  // The fake performance counter: every read advances it by counterStep.
  std::int64_t counter;
  std::int64_t counterStep;
  std::int64_t frequency;
  std::uint32_t tickCount;

  RecordingSurface surface;
};

extern FakePlatform fake;

// Clears the records and puts the fake back to a quiet, idle start.
void resetFake();
// How many records of one kind there are.
int countCalls(PlatformCall call);
// The last record of one kind, or null.
const PlatformRecord* lastCall(PlatformCall call);
