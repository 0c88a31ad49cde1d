#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "ui/window.h"

namespace ovelix::ui {
namespace {

// What a window object saw: each message, and whether its own part had already ended.
struct Seen {
  UINT message;
  bool afterItsDestructor;
};

// A window object in the program's pattern. Those of the program destroy their window in
// their own destructor; `destroysItsWindow` false stands for one that forgot.
class Probe : public Window<Probe> {
 public:
  Probe(std::vector<Seen>& seen, bool& destructorDone, bool destroysItsWindow)
      : seen_(seen), destructorDone_(destructorDone), destroysItsWindow_(destroysItsWindow) {
    CreateHandle(0, RegisterWindowClass(L"OvelixProbe"), L"", WS_POPUP, {0, 0, 10, 10}, nullptr);
  }
  ~Probe() {
    if (destroysItsWindow_) DestroyHandle();
    destructorDone_ = true;
  }

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    seen_.push_back({message, destructorDone_});
    return DefaultProcedure(message, wParam, lParam);
  }

 private:
  std::vector<Seen>& seen_;
  bool& destructorDone_;
  bool destroysItsWindow_;
};

TEST(WindowObject, NoMessageReachesAnObjectWhoseOwnPartHasEnded) {
  for (const bool destroysItsWindow : {true, false}) {
    SCOPED_TRACE(destroysItsWindow ? "destroyed by its own destructor" : "left to the base");
    std::vector<Seen> seen;
    bool destructorDone = false;
    HWND window = nullptr;
    {
      Probe probe(seen, destructorDone, destroysItsWindow);
      window = probe.Handle();
      seen.clear();
    }
    EXPECT_FALSE(IsWindow(window));
    bool destroySeen = false;
    for (const Seen& s : seen) {
      EXPECT_FALSE(s.afterItsDestructor) << "message " << s.message;
      destroySeen = destroySeen || s.message == WM_DESTROY;
    }
    // An object that destroys its window while whole handles its own end.
    EXPECT_EQ(destroySeen, destroysItsWindow);
  }
}

}  // namespace
}  // namespace ovelix::ui
