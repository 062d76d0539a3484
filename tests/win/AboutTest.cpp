// The about dialog: the version text from the version resource, the
// caption, how it closes, and a shell request that fails quietly.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/ufrmAbout.h"
#include "app/ufrmCopyFormats.h"
#include "app/ufrmHotKey.h"
#include "framework/Application.h"
#include "core/support/Exception.h"
#include "tests/win/EditTestSupport.h"

namespace {

TEST(AboutVersion, TheBuildNumberIsTheFourthPartOfTheVersionText) {
  struct TCase {
    const wchar_t* Text;
    int Expected;
  };
  const TCase cases[] = {
      {L"1.0.0.16", 16},          {L"1.0.0.0", 0},    {L"1.0.0", -1},    {L"1.0.0.", -1}, {L"1.0.0.x", -1},
      {L"1.0.0.1 ", -1},          {L"1.2.3.4.5", -1}, {L"1.0.0.-3", -3}, {L"", -1},       {L"...7", 7},
      {L"1.0.0.99999999999", -1},
  };
  for (const TCase& c : cases) EXPECT_EQ(BuildNumberOfVersionText(c.Text), c.Expected) << WideToUtf8(c.Text);
}

std::wstring ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH];
  const DWORD n = ::GetModuleFileNameW(module, path, MAX_PATH);
  return std::wstring(path, n);
}

// The fixed binary part of the same resource, read another way.
int FixedBuildNumber(const std::wstring& file) {
  DWORD handle = 0;
  std::vector<BYTE> block(::GetFileVersionInfoSizeW(file.c_str(), &handle));
  if (block.empty() || !::GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(block.size()), block.data()))
    return -2;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT size = 0;
  if (!::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &size) || !info) return -2;
  return LOWORD(info->dwFileVersionLS);
}

TEST(AboutVersion, TheFileBuildNumberComesFromTheJapaneseStringTable) {
  const std::wstring self = ModulePath(nullptr);
  EXPECT_EQ(GetFileBuildNumber(self), FixedBuildNumber(self));
  EXPECT_GE(GetFileBuildNumber(self), 0);
  // A system library carries its strings in another language only.
  EXPECT_EQ(GetFileBuildNumber(ModulePath(::GetModuleHandleW(L"kernel32.dll"))), -1);
  EXPECT_EQ(GetFileBuildNumber(L"C:\\no\\such\\file.exe"), -1);
}

struct TAboutTest : testing::Test {
  void SetUp() override { Host.Show(); }
  THostForm Host;
};

TEST_F(TAboutTest, TheDialogShowsTitleAndVersionAndClosesWithEnterAndEscape) {
  TfrmAbout about(&Host.Form);
  const std::wstring title = fw::Application().Title();
  EXPECT_EQ(about.Text(), title + L" について");
  EXPECT_EQ(about.lblProductName.Text(), title);
  EXPECT_EQ(about.lblVersion.Text(), L"Version 1.0.0." + std::to_wstring(FixedBuildNumber(ModulePath(nullptr))));
  EXPECT_EQ(about.lblEMail.Text(), MailAddress());
  EXPECT_NE(MailAddress().find(L"@example.org"), std::wstring::npos);
  EXPECT_EQ(HomePageAddress().rfind(L"https://", 0), 0u);
  RECT client;
  ::GetClientRect(about.Handle(), &client);
  EXPECT_EQ(client.right, 288);
  EXPECT_EQ(client.bottom, 145);

  bool focused = false, ownerDisabled = false;
  about.btnClose.OnClick = [&](fw::TObject*) {
    focused = ::GetFocus() == about.btnClose.Handle();
    ownerDisabled = !::IsWindowEnabled(Host.Form.Handle());
  };
  for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    focused = ownerDisabled = false;
    ::PostMessageW(about.btnClose.Handle(), WM_KEYDOWN, key, 1);
    EXPECT_EQ(about.ShowModal(), fw::TForm::mrOk) << key;
    EXPECT_TRUE(focused);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(::IsWindowEnabled(Host.Form.Handle()));
  }
}

TEST_F(TAboutTest, EveryDialogOpensCentredOnItsOwner) {
  TfrmAbout about(&Host.Form);
  TfrmHotKey hotKey(&Host.Form);
  TfrmCopyFormats formats(&Host.Form, {}, 0);
  const auto centre = [](HWND w) {
    RECT r;
    ::GetWindowRect(w, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  };
  const POINT owner = centre(Host.Form.Handle());
  for (const fw::TDialog* dialog : {static_cast<fw::TDialog*>(&about), static_cast<fw::TDialog*>(&hotKey),
                                    static_cast<fw::TDialog*>(&formats)}) {
    const POINT at = centre(dialog->Handle());
    EXPECT_LE(std::abs(at.x - owner.x), 1) << dialog->Text();
    EXPECT_LE(std::abs(at.y - owner.y), 1) << dialog->Text();
  }
}

BOOL CALLBACK CountWindows(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int ThreadWindows() {
  int count = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), CountWindows, reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST(AboutShell, AFailingShellRequestOpensNoWindow) {
  const int before = ThreadWindows();
  EXPECT_FALSE(ShellExecuteQuietly(L"open", L"tintra-no-such-scheme:x", SW_SHOWNORMAL));
  fw::Application().ProcessMessages();
  EXPECT_EQ(ThreadWindows(), before);
}

}  // namespace
