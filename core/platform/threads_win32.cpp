#include <windows.h>
#include <process.h>

#include <climits>
#include <cstdint>
#include <utility>

#include "core/error.h"
#include "core/platform/threads.h"

namespace ovelix {

struct Thread::Handle {
  HANDLE thread = nullptr;
  std::function<void()> work;
};

namespace {

unsigned __stdcall RunWork(void* argument) {
  static_cast<std::function<void()>*>(argument)->operator()();
  return 0;
}

}  // namespace

Thread::Thread() : handle_(std::make_unique<Handle>()) {}

Thread::~Thread() { Join(); }

bool Thread::Start(std::function<void()> work) {
  Join();
  handle_->work = std::move(work);
  // Through the C runtime, which sets up its own state for the thread.
  const std::uintptr_t thread = _beginthreadex(nullptr, 0, &RunWork, &handle_->work, 0, nullptr);
  handle_->thread = reinterpret_cast<HANDLE>(thread);
  return handle_->thread != nullptr;
}

void Thread::Join() {
  if (handle_->thread == nullptr) return;
  WaitForSingleObject(handle_->thread, INFINITE);
  CloseHandle(handle_->thread);
  handle_->thread = nullptr;
}

struct Semaphore::Handle {
  HANDLE semaphore = nullptr;
};

Semaphore::Semaphore(int initial) : handle_(std::make_unique<Handle>()) {
  handle_->semaphore = CreateSemaphoreW(nullptr, initial, INT_MAX, nullptr);
  if (handle_->semaphore == nullptr) throw Error(u"Out of system resources");
}

Semaphore::~Semaphore() { CloseHandle(handle_->semaphore); }

void Semaphore::Acquire() { WaitForSingleObject(handle_->semaphore, INFINITE); }

void Semaphore::Release(int count) { ReleaseSemaphore(handle_->semaphore, count, nullptr); }

}  // namespace ovelix
