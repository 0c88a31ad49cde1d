#pragma once

// A second thread and the one thing it needs to hand work over: a counting semaphore. The
// release builds use the compilers' Windows thread model, which has no std::thread on
// Windows XP's terms, so these stand on the system's own calls there.

#include <functional>
#include <memory>

namespace ovelix {

// Runs a function on a thread of its own.
class Thread {
 public:
  Thread();
  // Waits until the function has returned.
  ~Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // Starts `work`, which must not throw. Answers false, running nothing, when the system
  // gives no thread.
  bool Start(std::function<void()> work);
  // Waits until the function has returned; returns at once when none was started.
  void Join();

 private:
  struct Handle;
  std::unique_ptr<Handle> handle_;
};

class Semaphore {
 public:
  explicit Semaphore(int initial);
  ~Semaphore();
  Semaphore(const Semaphore&) = delete;
  Semaphore& operator=(const Semaphore&) = delete;

  // Waits until the count is above zero, then lowers it by one.
  void Acquire();
  void Release(int count = 1);

 private:
  struct Handle;
  std::unique_ptr<Handle> handle_;
};

}  // namespace ovelix
