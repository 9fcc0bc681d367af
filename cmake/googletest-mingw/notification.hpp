// GoogleTest's Notification for the MinGW builds, on a Win32 event instead of std::mutex.
#pragma once
//
// The compilers' win32 thread model has no std::mutex or
// std::condition_variable before GCC 13, and GoogleTest's own Notification
// is written with them.  Every file that includes GoogleTest sees this one
// first (a forced include) and GoogleTest skips its own.

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

// Lets a controller thread hold back new threads until it notifies them.
class Notification {
 public:
  Notification();
  ~Notification();
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify();
  void WaitForNotification();

 private:
  void* event_;  // a manual-reset event, not signalled at first
};

}  // namespace testing::internal
