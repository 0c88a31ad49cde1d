#include <windows.h>

#include "ui/Unit1.h"
#include "ui/WMR.h"
#include "ui/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  using namespace ovelix::ui;
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
    application.ShowException(std::current_exception());
    return 1;
  }
}
