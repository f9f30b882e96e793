// GoogleTest's Notification over a Win32 event, for MinGW's win32 threads.
#pragma once

// GoogleTest's own Notification needs std::mutex, which the win32 thread
// model of MinGW-w64 lacks; this one waits on a Win32 event instead. It is
// force-included before GoogleTest's headers.
#include <windows.h>

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() { CloseHandle(event_); }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace internal
}  // namespace testing
