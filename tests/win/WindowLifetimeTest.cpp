// A window ended from inside its own handlers, the destruction messages that
// reach derived classes, and the default processing that system controls
// keep after the framework's handlers.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "controls/PaintBoxVel.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/TrackBar.h"
#include "framework/Window.h"
#include "tests/win/EditTestSupport.h"

namespace {

// Memory of a deleted window is poisoned and kept until the test ends: a
// dispatcher that touched the object after a handler deleted it would call
// through a poisoned virtual table and fail at once instead of by chance.
std::vector<void*>& Graveyard() {
  static std::vector<void*> graves;
  return graves;
}

// As the framework's own delete (the handle goes first, then the object),
// but the memory is poisoned and kept.
#define TINTRA_POISON_ON_DELETE(T)                              \
  static void operator delete(T* p, std::destroying_delete_t) { \
    p->DestroyHandle();                                         \
    p->~T();                                                    \
    std::memset(static_cast<void*>(p), 0xDD, sizeof(T));        \
    Graveyard().push_back(p);                                   \
  }                                                             \
  static void operator delete(void* p) { fw::TWindow::operator delete(p); }

// Wine, like 64-bit Windows, swallows a fault inside a window procedure
// called back from the system; a first-chance handler still sees it.
int gFaults = 0;
LONG CALLBACK CountFault(EXCEPTION_POINTERS* info) {
  if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) ++gFaults;
  return EXCEPTION_CONTINUE_SEARCH;
}

void BuryTheDead() {
  for (void* p : Graveyard()) fw::TWindow::operator delete(p);
  Graveyard().clear();
}

std::vector<std::string> gLog;

// Calls the hook once, from whichever handler the test provokes, and then
// lets the base class go on as if nothing had happened.
class TEndingWindow : public fw::TWindow {
 public:
  std::function<void()> Hook;
  TINTRA_POISON_ON_DELETE(TEndingWindow)

  ~TEndingWindow() override {
    gLog.push_back("~");
    DestroyHandle();
  }
  void Create(fw::TWindow* parent) {
    TCreateParams p;
    p.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    CreateHandle(parent, p);
  }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_DESTROY) gLog.push_back("WM_DESTROY");
    return fw::TWindow::WndProc(msg, wParam, lParam);
  }
  bool WMKeyDown(WORD&, fw::TShiftState) override { return Fire(); }
  bool WMMouseDown(fw::TMouseButton, fw::TShiftState, int, int) override { return Fire(); }
  void WMTimer(UINT_PTR) override { Fire(); }
  void WMKillFocus(HWND) override { Fire(); }
  void HandleDestroying() override { gLog.push_back("HandleDestroying"); }

 private:
  bool Fire() {
    // Moved out first: the hook may delete this object and the member with it.
    if (auto hook = std::move(Hook)) hook();
    return false;
  }
};

class TEndingEdit : public fw::TCustomEdit {
 public:
  TINTRA_POISON_ON_DELETE(TEndingEdit)
  ~TEndingEdit() override { gLog.push_back("~"); }
};

enum class TEnd { Release, Delete, WindowPtr };

struct TLifetimeTest : testing::Test {
  void SetUp() override {
    gLog.clear();
    gFaults = 0;
    FFaultHandler = ::AddVectoredExceptionHandler(1, CountFault);
    Host.Show();
  }
  void TearDown() override {
    ::RemoveVectoredExceptionHandler(FFaultHandler);
    EXPECT_EQ(gFaults, 0) << "a deleted window was used";
    BuryTheDead();
  }
  void* FFaultHandler = nullptr;
  THostForm Host;
};

TEST_F(TLifetimeTest, AHandlerEndsItsOwnWindowOnEveryPath) {
  struct TCase {
    const char* What;
    bool Edit;
    std::function<void(HWND wnd, HWND other)> Provoke;
  };
  const TCase cases[] = {
      {"key down, then default processing", false, [](HWND w, HWND) { ::SendMessageW(w, WM_KEYDOWN, 'A', 1); }},
      {"mouse press, then default processing", false,
       [](HWND w, HWND) { ::SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)); }},
      {"timer, then default processing", false, [](HWND w, HWND) { ::SendMessageW(w, WM_TIMER, 7, 0); }},
      {"focus lost", false,
       [](HWND w, HWND other) {
         ::SetFocus(w);
         ::SetFocus(other);
       }},
      {"edit key press event", true, [](HWND w, HWND) { ::SendMessageW(w, WM_CHAR, L'x', 1); }},
      {"edit exit event on focus loss", true,
       [](HWND w, HWND other) {
         ::SetFocus(w);
         ::SetFocus(other);
       }},
  };
  fw::TCustomEdit other;
  other.SetBounds(150, 10, 60, 21);
  other.Create(&Host.Panel);
  for (const TCase& c : cases) {
    for (TEnd end : {TEnd::Release, TEnd::Delete, TEnd::WindowPtr}) {
      SCOPED_TRACE(std::string(c.What) + (end == TEnd::Release  ? ", Release"
                                          : end == TEnd::Delete ? ", delete"
                                                                : ", pointer"));
      gLog.clear();
      fw::TWindowPtr<fw::TWindow> owner;
      fw::TWindow* window = nullptr;
      bool ran = false, aliveInHandler = false;
      auto endIt = [&] {
        ran = true;
        const size_t before = gLog.size();
        if (end == TEnd::Release)
          window->Release();
        else if (end == TEnd::Delete)
          delete window;
        else
          owner.reset();
        aliveInHandler = std::find(gLog.begin() + static_cast<std::ptrdiff_t>(before), gLog.end(), "~") == gLog.end();
      };
      if (c.Edit) {
        auto* edit = new TEndingEdit;
        edit->SetBounds(10, 10, 60, 21);
        edit->Create(&Host.Panel);
        edit->OnKeyPress = [&](fw::TObject*, wchar_t&) { endIt(); };
        edit->OnExit = [&](fw::TObject*) { endIt(); };
        window = edit;
      } else {
        auto* own = new TEndingWindow;
        own->SetBounds(10, 40, 60, 21);
        own->Create(&Host.Panel);
        own->Hook = endIt;
        window = own;
      }
      if (end == TEnd::WindowPtr) owner.reset(window);
      const HWND wnd = window->Handle();
      c.Provoke(wnd, other.Handle());
      ASSERT_TRUE(ran);
      EXPECT_EQ(aliveInHandler, end != TEnd::Delete) << "deletion deferred until the message returned";
      EXPECT_FALSE(::IsWindow(wnd));
      EXPECT_EQ(fw::TWindow::FromHandle(wnd), nullptr);
      EXPECT_EQ(std::count(gLog.begin(), gLog.end(), "~"), 1);
      fw::Application().ProcessMessages();
    }
  }
}

TEST_F(TLifetimeTest, DestructionMessagesReachTheDerivedClassBeforeItGoes) {
  struct TCase {
    const char* What;
    bool FromHandler;
    std::vector<std::string> Expected;
  };
  const TCase cases[] = {
      // Deleted from outside: the handle goes before any destructor runs.
      {"delete from outside", false, {"WM_DESTROY", "HandleDestroying", "~"}},
      // Released inside a key press: handle first, object after the message.
      {"release from a handler", true, {"key", "WM_DESTROY", "HandleDestroying", "~"}},
  };
  for (const TCase& c : cases) {
    gLog.clear();
    auto* window = new TEndingWindow;
    window->SetBounds(10, 40, 60, 21);
    window->Create(&Host.Panel);
    const HWND wnd = window->Handle();
    if (c.FromHandler) {
      window->Hook = [window] {
        gLog.push_back("key");
        window->Release();
      };
      ::SendMessageW(wnd, WM_KEYDOWN, 'A', 1);
    } else {
      delete window;
    }
    EXPECT_EQ(gLog, c.Expected) << c.What;
    EXPECT_FALSE(::IsWindow(wnd)) << c.What;
  }
}

// Neither destroys its handle in its destructor nor has a delete of its own.
class TPlainWindow : public fw::TWindow {
 public:
  ~TPlainWindow() override { gLog.push_back("~"); }
  void Create(fw::TWindow* parent) {
    TCreateParams p;
    p.Style = WS_CHILD | WS_VISIBLE;
    CreateHandle(parent, p);
  }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_DESTROY) gLog.push_back("WM_DESTROY");
    return fw::TWindow::WndProc(msg, wParam, lParam);
  }
  void HandleDestroying() override { gLog.push_back("HandleDestroying"); }
};

TEST_F(TLifetimeTest, EveryWayOfDeletingAWindowLetsItsOwnClassHearTheDestruction) {
  const struct {
    const char* What;
    std::function<void(TPlainWindow*)> End;
  } cases[] = {
      {"delete", [](TPlainWindow* w) { delete w; }},
      {"delete through the base", [](TPlainWindow* w) { delete static_cast<fw::TWindow*>(w); }},
      {"unique_ptr", [](TPlainWindow* w) { std::unique_ptr<TPlainWindow>{w}.reset(); }},
      {"TWindowPtr", [](TPlainWindow* w) { fw::TWindowPtr<TPlainWindow>{w}.reset(); }},
  };
  for (const auto& c : cases) {
    gLog.clear();
    auto* window = new TPlainWindow;
    window->SetBounds(10, 40, 60, 21);
    window->Create(&Host.Panel);
    const HWND wnd = window->Handle();
    c.End(window);
    EXPECT_EQ(gLog, (std::vector<std::string>{"WM_DESTROY", "HandleDestroying", "~"})) << c.What;
    EXPECT_FALSE(::IsWindow(wnd)) << c.What;
  }
}

// A form whose destroy event reads the form's own state, as a main window
// saving its settings does.
class TSavingForm : public fw::TForm {
 public:
  explicit TSavingForm(bool destroysItsWindow) : FDestroysItsWindow(destroysItsWindow) {
    OnDestroy = [this](fw::TObject*) { gLog.push_back("saved " + FSettings); };
  }
  ~TSavingForm() override {
    if (FDestroysItsWindow) DestroyHandle();
  }

 private:
  bool FDestroysItsWindow;
  std::string FSettings = std::string(40, 's');  // beyond the short-string buffer: freed when gone
};

TEST_F(TLifetimeTest, AFormsDestroyEventRunsWhileTheFormIsWholeOrNotAtAll) {
  const std::string saved = "saved " + std::string(40, 's');
  const struct {
    const char* What;
    std::function<void()> Run;
    std::vector<std::string> Log;
    int LeftOpen;
  } cases[] = {
      {"deleted",
       [] {
         auto* form = new TSavingForm(false);
         form->Create(nullptr, WS_POPUP);
         delete form;
       },
       {saved},
       0},
      {"on the stack, destroying its window",
       [] {
         TSavingForm form(true);
         form.Create(nullptr, WS_POPUP);
       },
       {saved},
       0},
      // Its destructor forgot: the event is not run on a dead form, and the slip is counted.
      {"on the stack, leaving its window",
       [] {
         TSavingForm form(false);
         form.Create(nullptr, WS_POPUP);
       },
       {},
       1},
      {"a plain form on the stack",
       [] {
         fw::TForm form;
         form.OnDestroy = [](fw::TObject*) { gLog.push_back("plain"); };
         form.Create(nullptr, WS_POPUP);
       },
       {"plain"},
       0},
  };
  for (const auto& c : cases) {
    gLog.clear();
    const int before = fw::TForm::FormsLeftOpen();
    c.Run();
    EXPECT_EQ(gLog, c.Log) << c.What;
    EXPECT_EQ(fw::TForm::FormsLeftOpen() - before, c.LeftOpen) << c.What;
  }
}

// Asked for a tool tip's text, as the children of a tool bar's parent are.
class TTipChild : public fw::TWindow {
 public:
  TINTRA_POISON_ON_DELETE(TTipChild)
  explicit TTipChild(std::string name) : FName(std::move(name)) {}
  void Create(fw::TWindow* parent) {
    TCreateParams p;
    p.Style = WS_CHILD;
    CreateHandle(parent, p);
  }
  std::function<void()> Hook;

 protected:
  bool CNNotify(NMHDR* hdr, LRESULT&) override {
    if (hdr->code != TTN_GETDISPINFOW) return false;
    gLog.push_back(FName);
    if (auto hook = std::move(Hook)) hook();
    return false;
  }

 private:
  std::string FName;
};

TEST_F(TLifetimeTest, ATipQuestionGoesToEachChildThatIsStillThereWhenItsTurnComes) {
  auto* a = new TTipChild("a");
  auto* b = new TTipChild("b");
  std::unique_ptr<TTipChild> c = std::make_unique<TTipChild>("c");
  std::vector<std::unique_ptr<TTipChild>> added;
  for (TTipChild* child : {a, b, c.get()}) child->Create(&Host.Panel);
  // The first one asked ends the second and adds enough children to move the list.
  a->Hook = [&] {
    delete b;
    for (int i = 0; i < 40; ++i) {
      added.push_back(std::make_unique<TTipChild>("new"));
      added.back()->Create(&Host.Panel);
    }
  };
  HWND tip = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  NMTTDISPINFOW info{};
  info.hdr.hwndFrom = tip;
  info.hdr.code = TTN_GETDISPINFOW;
  ::SendMessageW(Host.Panel.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(gLog, (std::vector<std::string>{"a", "c"}));
  ::DestroyWindow(tip);
  delete a;
}

TEST_F(TLifetimeTest, ADeletedPaintBoxTakesItsHintWindowAlong) {
  auto box = std::make_unique<TPaintBoxVel>();
  box->SetBounds(10, 10, 40, 40);
  box->Create(&Host.Panel);
  box->SetHint(L"hint");
  const HWND hint = box->HintWindow();
  ASSERT_TRUE(::IsWindow(hint));
  box.reset();
  EXPECT_FALSE(::IsWindow(hint));
}

// Runs the thread's messages, or only its timer messages, until done() or a deadline.
template <typename F>
bool PumpUntil(F done, bool timersOnly = false) {
  const DWORD deadline = ::GetTickCount() + 3000;
  while (!done() && ::GetTickCount() < deadline) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG msg;
    if (!timersOnly)
      fw::Application().ProcessMessages();
    else if (::PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE))
      ::DispatchMessageW(&msg);
  }
  return done();
}

// The track bar pages on its own timer while the button is held on its
// channel; the framework's timer handler must leave it that processing.
TEST_F(TLifetimeTest, ATrackBarHeldOnItsChannelKeepsPaging) {
  fw::TTrackBar bar;
  bar.SetBounds(10, 70, 200, 30);
  bar.SetRange(0, 100);
  bar.SetPageSize(10);
  bar.Create(&Host.Panel);
  bar.SetPosition(0);
  const RECT channel = bar.ChannelRect();
  POINT press{channel.right - 4, (channel.top + channel.bottom) / 2};
  POINT screen = press;
  ::ClientToScreen(bar.Handle(), &screen);
  POINT savedCursor{};
  ::GetCursorPos(&savedCursor);
  ::SetCursorPos(screen.x, screen.y);
  fw::Application().ProcessMessages();
  ::SendMessageW(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
  const int afterPress = bar.Position();
  // Timers only: a mouse move on the channel would page by itself.
  PumpUntil([&] { return bar.Position() > afterPress; }, true);
  const int paged = bar.Position();
  ::SendMessageW(bar.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(press.x, press.y));
  ::SetCursorPos(savedCursor.x, savedCursor.y);
  EXPECT_EQ(afterPress, 10);
  EXPECT_GT(paged, afterPress) << "paging stopped at the first timer tick";
}

// A selection dragged past the edge of an edit goes on scrolling on the
// edit's timer.
TEST_F(TLifetimeTest, AnEditKeepsScrollingADragSelection) {
  fw::TCustomEdit edit;
  edit.SetBounds(10, 110, 60, 21);
  edit.Create(&Host.Panel);
  edit.SetText(std::wstring(200, L'w'));
  const HWND wnd = edit.Handle();
  ::SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 5));
  ::SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(edit.Width() + 30, 5));
  const LRESULT afterMove = ::SendMessageW(wnd, EM_GETFIRSTVISIBLELINE, 0, 0);
  const bool scrolled = PumpUntil([&] { return ::SendMessageW(wnd, EM_GETFIRSTVISIBLELINE, 0, 0) > afterMove; });
  ::SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(edit.Width() + 30, 5));
  EXPECT_TRUE(scrolled) << "scrolling stopped at the first timer tick";
}

}  // namespace
