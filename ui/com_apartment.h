#pragma once

#include <windows.h>

#include <objbase.h>

namespace ovelix::ui {

// Makes the calling thread a single-threaded COM apartment while it lives. COM calls on the
// thread's objects, those of accessibility tools in other processes among them, then arrive
// through the thread's message loop, never on another thread.
class ComApartment {
 public:
  ComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (initialized_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialized_;
};

}  // namespace ovelix::ui
