#include <windows.h>

#include "core/platform/system_library.h"
#include "ui/Unit1.h"
#include "ui/WMR.h"
#include "ui/application.h"
#include "ui/com_apartment.h"
#include "ui/single_instance.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  using namespace ovelix::ui;
  ovelix::SearchDllsInSystemFolderOnly();
  const SingleInstance instance;
  if (!instance.First()) {
    SingleInstance::BringRunningCopyForward();
    return 0;
  }
  // Accessibility tools reach the windows' objects through COM: it outlives the windows.
  const ComApartment com;
  Application& application = Application::Instance();
  try {
    TWMRForm donationDialog;
    TForm1 form(donationDialog);
    form.Create();
    application.SetMainWindow(form.Handle());
    application.AddDialogWindow(form.Handle());
    donationDialog.Create();
    application.AddDialogWindow(donationDialog.Handle());
    ShowWindow(form.Handle(), show);
    return application.Run();
  } catch (...) {
    // The windows are gone by now.
    application.ForgetWindows();
    application.ShowException(std::current_exception());
    return 1;
  }
}
