#include "ui/tests/e2e/program_fixture.h"

#include "core/platform/wide.h"
#include "ui/tests/e2e/test_files.h"

namespace ovelix::e2e {

WallpaperValues BlueWallpaperFound() {
  const std::wstring path = WallpaperFolder() + L"blue.bmp";
  WriteBmp24(path, 40, 30, [](int, int) { return WallpaperBlue; });
  return {FromWide(path), u"0", u"2"};
}

WallpaperValues ModeXApplied(const ProgramCopy& copy) { return {FromWide(copy.File(L"mix1.bmp")), u"1", u"0"}; }

void CloseNormally(RunningProgram& program) {
  program.Post(WM_CLOSE);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

void ProgramRunning::SetUp() {
  found_ = BlueWallpaperFound();
  found_.Write();
  program_ = std::make_unique<RunningProgram>(copy_.Executable());
  ASSERT_TRUE(program_->WaitForStartUp());
}

void ProgramRunning::TearDown() { CloseNormally(*program_); }

void ProgramReadByATool::SetUp() {
  ProgramRunning::SetUp();
  if (HasFatalFailure()) return;
  served_.emplace(program_->MainWindow());
  ASSERT_TRUE(served_->Holding()) << "the program's accessibility interfaces cannot be held";
}

void ProgramReadByATool::TearDown() {
  ProgramRunning::TearDown();
  program_.reset();  // ended for sure, also when it did not close
  served_.reset();
}

}  // namespace ovelix::e2e
