// The eyedropper's settings in the main window, with real messages: the
// sampled area from the settings menu, arrow keys and wheel reaching the
// held eyedropper, the pick hot key and its dialog, and the registry.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/ufrmTintra.h"
#include "framework/Application.h"
#include "framework/support/uRegistry.h"
#include "tests/win/PatternWindow.h"

namespace {

const std::wstring kKey = L"SOFTWARE\\ZORVEK\\TintraPickTest";

std::wstring Reg(const wchar_t* value) { return GetRegistryVal(HKEY_CURRENT_USER, kKey, value); }
void SetReg(const wchar_t* value, const std::wstring& text) { SetRegistryVal(HKEY_CURRENT_USER, kKey, value, text); }

HMENU SubMenuByText(HMENU menu, const std::wstring& text) {
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    wchar_t buf[64] = {};
    ::GetMenuStringW(menu, static_cast<UINT>(i), buf, 64, MF_BYPOSITION);
    if (text == buf) return ::GetSubMenu(menu, i);
  }
  return nullptr;
}

struct TMenuEntry {
  std::wstring Text;
  bool Radio, Checked;
  UINT Id;
};
std::vector<TMenuEntry> Entries(HMENU menu) {
  std::vector<TMenuEntry> out;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    wchar_t buf[64] = {};
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    mii.dwTypeData = buf;
    mii.cch = 64;
    ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii);
    out.push_back({buf, (mii.fType & MFT_RADIOCHECK) != 0, (mii.fState & MFS_CHECKED) != 0, mii.wID});
  }
  return out;
}

// Runs the steps one at a time from a timer inside the modal loop of the
// dialog titled title; each step gets the dialog's window.
class TDialogScript {
 public:
  TDialogScript(std::wstring title, std::vector<std::function<void(HWND)>> steps) {
    gScript = this;
    FTitle = std::move(title);
    FSteps = std::move(steps);
    FTimer = ::SetTimer(nullptr, 0, 30, Tick);
  }
  ~TDialogScript() {
    ::KillTimer(nullptr, FTimer);
    gScript = nullptr;
  }
  size_t Done() const { return FDone; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    TDialogScript* s = gScript;
    if (!s || s->FDone == s->FSteps.size()) return;
    HWND dlg = ::FindWindowW(nullptr, s->FTitle.c_str());
    if (!dlg || !::IsWindowVisible(dlg)) return;
    s->FSteps[s->FDone++](dlg);
  }
  static inline TDialogScript* gScript = nullptr;
  std::wstring FTitle;
  std::vector<std::function<void(HWND)>> FSteps;
  size_t FDone = 0;
  UINT_PTR FTimer = 0;
};

HWND Child(HWND dlg, const wchar_t* cls, const wchar_t* text = nullptr) {
  return ::FindWindowExW(dlg, nullptr, cls, text);
}

class PickOptions : public testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey.c_str());
    // Off the screen: a window going away on it costs Wine seconds.
    SetReg(L"PosMain", L"4000,4000,507,304,1");
  }
  void TearDown() override {
    if (::GetCapture()) ::ReleaseCapture();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey.c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kKey.c_str());
  }
  TMainWindowOptions Options() {
    TMainWindowOptions options;
    options.SettingsKey = kKey;
    options.ShowMessage = [this](const std::wstring& text) { Messages.push_back(text); };
    options.WorkArea = [] { return TRectI{4000, 4000, 6000, 6000}; };
    // A colour the hot key added is not saved.
    options.DocumentMessageBox = [](HWND, const std::wstring&, const std::wstring&, UINT) { return IDNO; };
    return options;
  }
  static COLORREF Current(const TfrmTintra& form) { return static_cast<COLORREF>(form.ChannelPanel.Factors().Color); }
  static void Press(TfrmTintra& form) {
    ::SendMessageW(form.Sampler.pboxSpoit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  }
  static void Release(TfrmTintra& form) { ::SendMessageW(form.Sampler.pboxSpoit.Handle(), WM_LBUTTONUP, 0, 0); }
  static void DragTo(TfrmTintra& form, int x, int y) {
    POINT p{x, y};
    ::ScreenToClient(form.Sampler.pboxSpoit.Handle(), &p);
    ::SendMessageW(form.Sampler.pboxSpoit.Handle(), WM_MOUSEMOVE, MK_LBUTTON,
                   MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
  }
  // Posted and pumped as the system delivers input: to whatever has the focus.
  static void PostAndPump(HWND target, UINT msg, WPARAM wParam, LPARAM lParam) {
    ::PostMessageW(target, msg, wParam, lParam);
    fw::Application().ProcessMessages();
  }
  static void SetShift(bool down) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
  }

  std::vector<std::wstring> Messages;
};

TEST_F(PickOptions, TheSampledAreaIsARadioGroupInTheSettingsMenuAndIsKept) {
  struct Case {
    std::wstring size, mode;  // stored at start
    int checked;              // the item checked then
    int choose;               // the item chosen from the menu
    const wchar_t *savedSize, *savedMode;
  } cases[] = {
      {L"", L"", 0, 3, L"9", L"0"},      {L"5", L"1", 4, 1, L"3", L"0"},
      {L"3", L"0", 1, 4, L"5", L"1"},    {L"9", L"", 3, 2, L"5", L"0"},  // no mode is the mean
      {L"7", L"0", 0, 0, L"1", L"0"},    {L"1", L"1", 0, 4, L"5", L"1"},
      {L"five", L"x", 0, 3, L"9", L"0"}, {L"5", L"2", 0, 0, L"1", L"0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.size + L"," + c.mode));
    SetReg(L"SampleSize", c.size);
    SetReg(L"SampleMode", c.mode);
    {
      TfrmTintra form(Options());
      form.CreateForm();
      HMENU settings = SubMenuByText(::GetMenu(form.Handle()), L"設定(&S)");
      ASSERT_NE(settings, nullptr);
      const std::vector<TMenuEntry> top = Entries(settings);
      ASSERT_EQ(top.size(), 7u);
      EXPECT_EQ(top[1].Text, L"取得範囲(&P)");
      EXPECT_EQ(top[2].Text, L"ホットキー(&K)...");
      EXPECT_EQ(top.back().Text, L"言語(&L)");
      const std::vector<TMenuEntry> items = Entries(SubMenuByText(settings, L"取得範囲(&P)"));
      const wchar_t* texts[] = {L"1 × 1 ピクセル", L"3 × 3 の平均", L"5 × 5 の平均", L"9 × 9 の平均",
                                L"5 × 5 の最多色"};
      ASSERT_EQ(items.size(), 5u);
      for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(items[i].Text, texts[i]);
        EXPECT_TRUE(items[i].Radio);
        EXPECT_EQ(items[i].Checked, i == c.checked) << i;
      }
      ::SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(items[c.choose].Id, 0), 0);
      const std::vector<TMenuEntry> after = Entries(SubMenuByText(settings, L"取得範囲(&P)"));
      for (int i = 0; i < 5; ++i) EXPECT_EQ(after[i].Checked, i == c.choose) << i;
      EXPECT_EQ(form.Sampler.Sampling(), kSamplingChoices[c.choose]);
      // A radio group of its own: the language's check stays.
      EXPECT_TRUE(form.actLangAuto.Checked());
      form.Close();
    }
    EXPECT_EQ(Reg(L"SampleSize"), c.savedSize);
    EXPECT_EQ(Reg(L"SampleMode"), c.savedMode);
  }
}

TEST_F(PickOptions, ArrowKeysSentToTheFocusedControlNudgeTheHeldEyedropper) {
  TfrmTintra form(Options());
  form.CreateForm();
  form.Show();
  TPatternWindow pattern(700, 500, 60, 40);
  form.ColorList.gridItem.SetFocus();
  const HWND focus = ::GetFocus();
  ASSERT_NE(focus, nullptr);

  // Idle, the arrows are the grid's: the pointer stays.
  ASSERT_TRUE(::SetCursorPos(720, 515));
  PostAndPump(focus, WM_KEYDOWN, VK_RIGHT, 1);
  POINT at{};
  ::GetCursorPos(&at);
  EXPECT_EQ(at.x, 720);

  Press(form);
  DragTo(form, 720, 515);
  EXPECT_EQ(Current(form), Pattern(20, 15));
  struct Step {
    WORD key;
    bool shift;
    int x, y;  // in the pattern
  } steps[] = {{VK_RIGHT, false, 21, 15}, {VK_RIGHT, true, 31, 15}, {VK_DOWN, true, 31, 25},
               {VK_LEFT, false, 30, 25},  {VK_UP, false, 30, 24},   {'A', false, 30, 24}};
  for (const Step& s : steps) {
    SetShift(s.shift);
    PostAndPump(focus, WM_KEYDOWN, s.key, 1);
    SetShift(false);
    ::GetCursorPos(&at);
    EXPECT_EQ(at.x, 700 + s.x) << s.key;
    EXPECT_EQ(at.y, 500 + s.y) << s.key;
    EXPECT_EQ(Current(form), Pattern(s.x, s.y)) << s.key;
  }
  // Releasing keeps the nudged colour.
  Release(form);
  EXPECT_EQ(Current(form), Pattern(30, 24));
  form.Close();
}

TEST_F(PickOptions, TheWheelZoomsWhileHeldOrOverTheMagnifierAndTheZoomIsKept) {
  SetReg(L"ZoomFactor", L"4");
  {
    TfrmTintra form(Options());
    form.CreateForm();
    form.Show();
    EXPECT_EQ(form.Sampler.Zoom(), 4);
    RECT zoom{};
    ::GetWindowRect(form.Sampler.pnlZoom.Handle(), &zoom);
    auto wheel = [&](int delta, POINT at) {
      PostAndPump(form.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)),
                  MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
    };
    const POINT away{zoom.left - 300, zoom.top + 5}, over{zoom.left + 10, zoom.top + 10};
    struct Step {
      bool held;
      int delta;
      POINT at;
      int zoom;
    } steps[] = {
        {false, 120, away, 4},  {false, 120, over, 8}, {true, 120, away, 16}, {true, 240, away, 32},
        {true, 120, away, 32},  {true, -60, away, 32}, {true, -60, away, 16}, {false, -120 * 9, over, 2},
        {false, -120, over, 2}, {false, 120, away, 2},
    };
    for (const Step& s : steps) {
      if (s.held) Press(form);
      wheel(s.delta, s.at);
      if (s.held) Release(form);
      EXPECT_EQ(form.Sampler.Zoom(), s.zoom) << s.delta;
    }
    wheel(120 * 2, over);
    EXPECT_EQ(form.Sampler.Zoom(), 8);
    wheel(120, over);
    form.Close();
  }
  EXPECT_EQ(Reg(L"ZoomFactor"), L"16");
  for (const wchar_t* garbage : {L"", L"3", L"64", L"８", L"16x"}) {
    SetReg(L"ZoomFactor", garbage);
    TfrmTintra form(Options());
    form.CreateForm();
    EXPECT_EQ(form.Sampler.Zoom(), 8) << testing::PrintToString(std::wstring(garbage));
    form.Close();
  }
}

// Ctrl+Alt+F9 in the system's hot-key control's own bits.
const WPARAM kCtrlAltF9 = MAKEWORD(VK_F9, HOTKEYF_CONTROL | HOTKEYF_ALT);

TEST_F(PickOptions, ATakenKeyIsRefusedAndAFreeOnePicksUnderThePointerIntoTheList) {
  TfrmTintra form(Options());
  form.CreateForm();
  form.Show();
  EXPECT_TRUE(form.PickOptions.HotKey().IsNone()) << "none by default";
  EXPECT_FALSE(form.PickOptions.HotKeyRegistered());

  // Another window holds the key.
  HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(::RegisterHotKey(other, 7, MOD_CONTROL | MOD_ALT, VK_F9));
  {
    TDialogScript script(L"ホットキー",
                         {
                             [](HWND dlg) {
                               ::SendMessageW(Child(dlg, HOTKEY_CLASSW), HKM_SETHOTKEY, kCtrlAltF9, 0);
                               ::SendMessageW(Child(dlg, L"Button", L"OK"), BM_CLICK, 0, 0);
                             },
                             // Still open after the refusal.
                             [](HWND dlg) { ::SendMessageW(Child(dlg, L"Button", L"キャンセル"), BM_CLICK, 0, 0); },
                         });
    form.PickOptions.actHotKey.Execute();
    EXPECT_EQ(script.Done(), 2u);
  }
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0], L"このキーは他のプログラムが使っています。別のキーを選んでください。");
  EXPECT_TRUE(form.PickOptions.HotKey().IsNone());
  ::UnregisterHotKey(other, 7);
  ::DestroyWindow(other);

  // Free now: taken, with the list box ticked.
  {
    TDialogScript script(L"ホットキー", {[](HWND dlg) {
                           ::SendMessageW(Child(dlg, HOTKEY_CLASSW), HKM_SETHOTKEY, kCtrlAltF9, 0);
                           ::SendMessageW(Child(dlg, L"Button", L"リストにも追加(&L)"), BM_CLICK, 0, 0);
                           ::SendMessageW(Child(dlg, L"Button", L"OK"), BM_CLICK, 0, 0);
                         }});
    form.PickOptions.actHotKey.Execute();
  }
  EXPECT_EQ(Messages.size(), 1u);
  EXPECT_EQ(form.PickOptions.HotKey(), (THotKey{kModControl | kModAlt, VK_F9}));
  EXPECT_TRUE(form.PickOptions.HotKeyRegistered());
  EXPECT_TRUE(form.PickOptions.HotKeyAddsToList());
  // Now ours: another window cannot have it.
  HWND third = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_FALSE(::RegisterHotKey(third, 8, MOD_CONTROL | MOD_ALT, VK_F9));
  ::DestroyWindow(third);

  TPatternWindow pattern(700, 500, 60, 40);
  ASSERT_TRUE(::SetCursorPos(733, 522));
  const int before = form.ColorList.ItemCount();
  form.PickOptions.SetHotKeyStartsPickMode(false);  // PickHotKeyMode 0: a pick at once
  PostAndPump(form.Handle(), WM_HOTKEY, TPickOptions::kHotKeyId, MAKELPARAM(MOD_CONTROL | MOD_ALT, VK_F9));
  EXPECT_EQ(Current(form), Pattern(33, 22));
  EXPECT_EQ(form.ColorList.ItemCount(), before + 1);
  EXPECT_FALSE(form.Sampler.SpoitDragging());

  // Cleared with the button, the key is let go.
  {
    TDialogScript script(L"ホットキー", {[](HWND dlg) {
                           ::SendMessageW(Child(dlg, L"Button", L"なし(&N)"), BM_CLICK, 0, 0);
                           ::SendMessageW(Child(dlg, L"Button", L"OK"), BM_CLICK, 0, 0);
                         }});
    form.PickOptions.actHotKey.Execute();
  }
  EXPECT_TRUE(form.PickOptions.HotKey().IsNone());
  EXPECT_FALSE(form.PickOptions.HotKeyRegistered());
  HWND fourth = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(::RegisterHotKey(fourth, 9, MOD_CONTROL | MOD_ALT, VK_F9));
  ::UnregisterHotKey(fourth, 9);
  ::DestroyWindow(fourth);
  form.Close();
  EXPECT_EQ(Reg(L"PickHotKey"), L"");
}

TEST_F(PickOptions, TheStoredHotKeyIsRegisteredAtStartAndWrittenAtClose) {
  SetReg(L"PickHotKey", L"6,120");  // Ctrl+Shift+F9
  SetReg(L"PickHotKeyAdd", L"1");
  {
    TfrmTintra form(Options());
    form.CreateForm();
    EXPECT_EQ(form.PickOptions.HotKey(), (THotKey{kModControl | kModShift, VK_F9}));
    EXPECT_TRUE(form.PickOptions.HotKeyRegistered());
    EXPECT_TRUE(form.PickOptions.HotKeyAddsToList());
    form.Close();
  }
  EXPECT_EQ(Reg(L"PickHotKey"), L"6,120");
  EXPECT_EQ(Reg(L"PickHotKeyAdd"), L"1");
  // Let go at close: free for others.
  HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(::RegisterHotKey(other, 7, MOD_CONTROL | MOD_SHIFT, VK_F9));
  {
    // Taken by another at start: kept in the settings, not registered.
    TfrmTintra form(Options());
    form.CreateForm();
    EXPECT_EQ(form.PickOptions.HotKey(), (THotKey{kModControl | kModShift, VK_F9}));
    EXPECT_FALSE(form.PickOptions.HotKeyRegistered());
    EXPECT_TRUE(Messages.empty());
    form.Close();
  }
  ::UnregisterHotKey(other, 7);
  ::DestroyWindow(other);
  EXPECT_EQ(Reg(L"PickHotKey"), L"6,120");
  for (const wchar_t* garbage : {L"6", L"6,", L"x,120", L"6,16", L"64,120", L"6,120,1"}) {
    SetReg(L"PickHotKey", garbage);
    TfrmTintra form(Options());
    form.CreateForm();
    EXPECT_TRUE(form.PickOptions.HotKey().IsNone()) << testing::PrintToString(std::wstring(garbage));
    EXPECT_FALSE(form.PickOptions.HotKeyRegistered());
    form.Close();
  }
}

}  // namespace
