#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "core/key_color.h"
#include "desktop/tests/desktop_state.h"
#include "ui/com_apartment.h"
#include "ui/tests/accessible_tree.h"
#include "ui/tests/e2e/program_driver.h"

namespace ovelix::e2e {

inline constexpr Color WallpaperBlue = MakeColor(0, 0, 200);

// Writes a small blue BMP wallpaper; answers the settings that find it at start, with
// tiling "0" and style "2".
WallpaperValues BlueWallpaperFound();

// The settings mode "X - смешивание" applies with the copy's first mixed picture.
WallpaperValues ModeXApplied(const ProgramCopy& copy);

// Closes the program as its close box does and expects a clean end.
void CloseNormally(RunningProgram& program);

// A case with the program running in its own folder, started with the blue wallpaper
// found, and closed normally at the end.
class ProgramRunning : public testing_support::DesktopTest {
 protected:
  explicit ProgramRunning(const wchar_t* folder) : copy_(folder) {}
  void SetUp() override;
  void TearDown() override;

  ProgramCopy copy_;
  WallpaperValues found_;
  std::unique_ptr<RunningProgram> program_;
};

// A case with the program running and read by a tool in this process, as a screen reader
// reads it: the case's thread is a COM apartment, and the program's interfaces are held
// until it has ended (see testing_support::ServedInterfaces).
class ProgramReadByATool : public ProgramRunning {
 protected:
  using ProgramRunning::ProgramRunning;
  void SetUp() override;
  void TearDown() override;

 private:
  ui::ComApartment com_;
  std::optional<testing_support::ServedInterfaces> served_;
};

}  // namespace ovelix::e2e
