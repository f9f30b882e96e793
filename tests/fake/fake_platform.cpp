// A recording fake of the window system for the native tests.
#include "tests/fake/fake_platform.h"
#include "state/game_state.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

FakePlatform fake;

namespace {

PlatformRecord& record(PlatformCall call, unsigned number = 0, int flag = 0,
                       const char* text = nullptr, const char* caption = nullptr) {
  static PlatformRecord overflow;
  PlatformRecord& r =
      fake.recordCount < FakePlatform::kMaxRecords ? fake.records[fake.recordCount] : overflow;
  if (fake.recordCount < FakePlatform::kMaxRecords) ++fake.recordCount;
  r.call = call;
  r.number = number;
  r.flag = flag;
  r.nodeCount = game.nodeCount;
  r.drawCallCount = fake.surface.count;
  std::snprintf(r.text, sizeof r.text, "%s", text ? text : "");
  std::snprintf(r.caption, sizeof r.caption, "%s", caption ? caption : "");
  return r;
}

}  // namespace

void resetFake() {
  fake.recordCount = 0;
  for (auto& text : fake.boxText) text[0] = '\0';
  fake.scrolls[0] = fake.scrolls[1] = 0;
  for (auto& selection : fake.selection) selection[0] = selection[1] = 0;
  for (bool& check : fake.menuChecks) check = false;
  fake.onQuestion = nullptr;
  fake.pendingMessages = 0;
  fake.onDispatch = nullptr;
  fake.counter = 0;
  fake.tickCount = 0;
  fake.surface.clear();
  fake.answerOk = true;
  fake.browserOpens = true;
  fake.counterStep = 0;
  fake.frequency = 1000000;
}

int countCalls(PlatformCall call) {
  int n = 0;
  for (int i = 0; i < fake.recordCount; ++i)
    if (fake.records[i].call == call) ++n;
  return n;
}

const PlatformRecord* lastCall(PlatformCall call) {
  for (int i = fake.recordCount - 1; i >= 0; --i)
    if (fake.records[i].call == call) return &fake.records[i];
  return nullptr;
}

void beep(unsigned kind) {
  record(PlatformCall::kBeep, kind);
}

bool askOkCancel(const char* text, const char* caption) {
  record(PlatformCall::kAskOkCancel, 0, 0, text, caption);
  if (fake.onQuestion) fake.onQuestion();
  return fake.answerOk;
}

void showInformation(const char* text, const char* caption) {
  record(PlatformCall::kShowInformation, 0, 0, text, caption);
}

void setTextBoxText(TextBox box, const char* text) {
  record(PlatformCall::kSetTextBoxText, unsigned(box), 0, text);
  std::snprintf(fake.boxText[box], FakePlatform::kBoxSize, "%s", text);
  fake.selection[box][0] = fake.selection[box][1] = 0;
}

void setTextBoxTextAtEnd(TextBox box, const char* text) {
  record(PlatformCall::kSetTextBoxTextAtEnd, unsigned(box), 0, text);
  std::snprintf(fake.boxText[box], FakePlatform::kBoxSize, "%s", text);
  fake.selection[box][0] = fake.selection[box][1] = 0;
  ++fake.scrolls[box];
}

void getTextBoxText(TextBox box, char* buffer, int size) {
  record(PlatformCall::kGetTextBoxText, unsigned(box));
  std::snprintf(buffer, size_t(size), "%s", fake.boxText[box]);
}

void getTextBoxSelection(TextBox box, int* start, int* end) {
  record(PlatformCall::kGetTextBoxSelection, unsigned(box));
  *start = fake.selection[box][0];
  *end = fake.selection[box][1];
}

void setTextBoxSelection(TextBox box, int start, int end) {
  record(PlatformCall::kSetTextBoxSelection, unsigned(box), start);
  fake.selection[box][0] = start;
  fake.selection[box][1] = end;
}

void uncheckEntryBox() {
  record(PlatformCall::kUncheckEntryBox);
}

DrawSurface& windowSurface() {
  return fake.surface;
}

void invalidateStatusLine() {
  record(PlatformCall::kInvalidateStatusLine);
}

void setMenuCheck(int command, bool checked) {
  record(PlatformCall::kSetMenuCheck, unsigned(command), checked ? 1 : 0);
  int slot = command - 40000;
  if (slot >= 0 && slot < 16) fake.menuChecks[slot] = checked;
}

void focusMainWindow() {
  record(PlatformCall::kFocusMainWindow);
}

bool isMessagePending() {
  return fake.pendingMessages > 0;
}

void dispatchNextMessage() {
  record(PlatformCall::kDispatchNextMessage);
  if (fake.pendingMessages > 0) --fake.pendingMessages;
  if (fake.onDispatch) fake.onDispatch();
}

void postQuit() {
  record(PlatformCall::kPostQuit);
}

std::int64_t readPerformanceCounter() {
  fake.counter += fake.counterStep;
  return fake.counter;
}

std::int64_t readPerformanceFrequency() {
  return fake.frequency;
}

std::uint32_t readTickCount() {
  return fake.tickCount;
}

bool openWebPage(const char* address) {
  record(PlatformCall::kOpenWebPage, 0, 0, address);
  return fake.browserOpens;
}
