#include <climits>
#include <semaphore>
#include <system_error>
#include <thread>
#include <utility>

#include "core/platform/threads.h"

namespace ovelix {

struct Thread::Handle {
  std::thread thread;
};

Thread::Thread() : handle_(std::make_unique<Handle>()) {}

Thread::~Thread() { Join(); }

bool Thread::Start(std::function<void()> work) {
  Join();
  try {
    handle_->thread = std::thread(std::move(work));
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void Thread::Join() {
  if (handle_->thread.joinable()) handle_->thread.join();
}

struct Semaphore::Handle {
  explicit Handle(int initial) : semaphore(initial) {}
  std::counting_semaphore<INT_MAX> semaphore;
};

Semaphore::Semaphore(int initial) : handle_(std::make_unique<Handle>(initial)) {}

Semaphore::~Semaphore() = default;

void Semaphore::Acquire() { handle_->semaphore.acquire(); }

void Semaphore::Release(int count) { handle_->semaphore.release(count); }

}  // namespace ovelix
