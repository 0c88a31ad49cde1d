#include "ui/single_instance.h"

#include "ui/application.h"

namespace ovelix::ui {

namespace {

constexpr const wchar_t* MutexName = L"Local\\Ovelix.Running";
constexpr DWORD WaitForWindowMs = 5000;
constexpr DWORD PollMs = 50;

}  // namespace

SingleInstance::SingleInstance() : mutex_(CreateMutexW(nullptr, FALSE, MutexName)) {
  // Without a mutex nothing can tell: the program runs rather than refusing to.
  first_ = mutex_ == nullptr || GetLastError() != ERROR_ALREADY_EXISTS;
}

SingleInstance::~SingleInstance() {
  if (mutex_ != nullptr) CloseHandle(mutex_);
}

void SingleInstance::BringRunningCopyForward() {
  HWND application = nullptr;
  for (DWORD waited = 0; (application = FindWindowW(Application::WindowClass, nullptr)) == nullptr &&
                         waited < WaitForWindowMs;
       waited += PollMs) {
    Sleep(PollMs);
  }
  if (application == nullptr) return;
  // Its window hides with the task-bar button's window when that is minimised.
  if (IsIconic(application)) ShowWindow(application, SW_RESTORE);
  const HWND window = GetLastActivePopup(application);
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  // This copy was just started by the user, so it may hand the foreground on.
  SetForegroundWindow(window);
}

}  // namespace ovelix::ui
