#include "framework/support/uPortableSettings.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "framework/Handles.h"
#include "framework/support/uRegistry.h"

namespace {

using namespace std::string_literals;

// The program's own key sits one level down, so its section is [Tintra].
const wchar_t kTestRoot[] = L"SOFTWARE\\ZORVEK\\TintraPortableTest";
const std::wstring kKey = std::wstring(kTestRoot) + L"\\Tintra";
const std::wstring kHistory = kKey + L"\\History";
const std::string kBom = "\xEF\xBB\xBF";

std::string ReadBytes(const std::wstring& path) {
  fw::TUniqueKernelHandle file;
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "(none)";
  file.Reset(h);
  std::string bytes(1 << 16, '\0');
  DWORD read = 0;
  ::ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  fw::TUniqueKernelHandle file(h);
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
}

bool RegistryHasKey(const std::wstring& key) {
  fw::TUniqueKey hkey;
  return ::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, hkey.Put()) == ERROR_SUCCESS;
}

// A Linux path as Wine's drive Z: shows it.
std::wstring WinePath(const std::wstring& unix) {
  std::wstring path = L"Z:" + unix;
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

// Wine runs a Linux program given by its path, but its handle cannot be
// waited on: callers watch for the effect instead.
bool StartShell(const std::wstring& command) {
  std::wstring line = L"sh -c \"" + command + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(WinePath(L"/bin/sh").c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
    return false;
  ::CloseHandle(pi.hProcess);
  ::CloseHandle(pi.hThread);
  return true;
}

bool CanAddFile(const std::wstring& folder) {
  HANDLE h = ::CreateFileW((folder + L"probe").c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                           FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(h);
  return true;
}

template <typename TCondition>
bool WaitFor(TCondition condition) {
  for (int i = 0; i < 100; ++i, ::Sleep(50))
    if (condition()) return true;
  return false;
}

class PortableSettingsTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    Folder = std::wstring(temp) + L"TintraPortable" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    Clean();
    ASSERT_TRUE(::CreateDirectoryW(Folder.c_str(), nullptr));
    Exe = Folder + L"Tintra.exe";
    Ini = Folder + L"Tintra.ini";
  }
  void TearDown() override { Clean(); }
  void Clean() {
    RemoveIniSettings();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot);
    if (Folder.empty()) return;
    ::SetFileAttributesW(Ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryW(Ini.c_str());
    ::DeleteFileW(Ini.c_str());
    ::RemoveDirectoryW(Side().c_str());
    ::RemoveDirectoryW(Folder.c_str());
  }
  // Where a change is written before it replaces the file.
  std::wstring Side() const { return Ini + L"." + std::to_wstring(::GetCurrentProcessId()) + L".tmp"; }
  void StartWith(const std::string& bytes) {
    WriteBytes(Ini, bytes);
    ASSERT_EQ(StartPortableSettings(Exe, kKey), std::nullopt);
    ASSERT_EQ(IniSettingsPath(), Ini);
  }
  std::wstring Folder, Exe, Ini;
};

TEST_F(PortableSettingsTest, WithoutTheFileEverythingStaysInTheRegistry) {
  EXPECT_EQ(StartPortableSettings(Exe, kKey), std::nullopt);
  EXPECT_EQ(IniSettingsPath(), L"");
  SetRegistryVal(HKEY_CURRENT_USER, kKey, L"ZoomWindow", L"0");
  EXPECT_TRUE(RegistryHasKey(kKey));
  EXPECT_EQ(ReadBytes(Ini), "(none)");
}

// Each setting the program keeps, as it would write it: read back the same
// and found in the file under its own name, with nothing in the registry.
TEST_F(PortableSettingsTest, EverySettingGoesToTheFile) {
  StartWith("");
  struct TCase {
    const wchar_t* Name;
    std::wstring Text;
    std::string Line;
  };
  const TCase cases[] = {
      {L"LastFile", L"C:\\データ\\色見本.txt", "LastFile=C:\\データ\\色見本.txt"},
      {L"ZoomWindow", L"0", "ZoomWindow=0"},
      {L"Columns", L"0,32,1,32,2,70,3,32", "Columns=0,32,1,32,2,70,3,32"},
      {L"HexOrder", L"1", "HexOrder=1"},
      {L"PosMain", L"331,57,838,361,1", "PosMain=331,57,838,361,1"},
      {L"DataDir", L"\\\\server\\share\\色\\", "DataDir=\\\\server\\share\\色\\"},
      {L"SampleSize", L"5", "SampleSize=5"},
      {L"ZoomFactor", L"8", "ZoomFactor=8"},
      {L"PickHotKey", L"Ctrl+Shift+P", "PickHotKey=Ctrl+Shift+P"},
      {L"CopyFormats", L"#{R}{G}{B}\r\nrgb({r}, {g}, {b})", "CopyFormats=\"#{R}{G}{B}\\r\\nrgb({r}, {g}, {b})\""},
      {L"SampleMode", L"1", "SampleMode=1"},
      {L"CompareColor", L"#FF8000", "CompareColor=#FF8000"},
      {L"Language", L"", "Language="},
  };
  std::string expected = kBom + "[Tintra]\r\n";
  for (const TCase& c : cases) {
    SetRegistryVal(HKEY_CURRENT_USER, kKey, c.Name, c.Text);
    EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, c.Name), c.Text) << c.Line;
    EXPECT_EQ(GetRegistryLongVal(HKEY_CURRENT_USER, kKey, c.Name), c.Text) << c.Line;
    expected += c.Line + "\r\n";
  }
  EXPECT_EQ(ReadBytes(Ini), expected);
  EXPECT_FALSE(RegistryHasKey(kTestRoot));
}

TEST_F(PortableSettingsTest, RecentFilesGoToTheHistorySectionAndOtherKeysToTheRegistry) {
  StartWith("[Tintra]\r\nZoomWindow=1\r\n");
  for (int i = 1; i <= 5; ++i)
    SetRegistryVal(HKEY_CURRENT_USER, kHistory, L"H" + std::to_wstring(i), L"C:\\" + std::to_wstring(i) + L".txt");
  DeleteRegistryVal(HKEY_CURRENT_USER, kHistory, L"H4");
  DeleteRegistryVal(HKEY_CURRENT_USER, kHistory, L"H0");  // absent: no error
  // Key names compare without case, and a trailing separator names the same key.
  DeleteRegistryVal(HKEY_CURRENT_USER, L"software\\zorvek\\tintraportabletest\\TINTRA\\history", L"h5");
  EXPECT_EQ(GetRegistryLongVal(HKEY_CURRENT_USER, kHistory + L"\\", L"H3"), L"C:\\3.txt");
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"H3"), L"");  // not the program's own section
  EXPECT_EQ(ReadBytes(Ini), kBom + "[Tintra]\r\nZoomWindow=1\r\n\r\n[History]\r\nH1=C:\\1.txt\r\nH2=C:\\2.txt\r\n"
                                   "H3=C:\\3.txt\r\n");
  EXPECT_FALSE(RegistryHasKey(kTestRoot));

  const std::wstring sibling = kKey + L"Other";  // same beginning, another key: the registry
  SetRegistryVal(HKEY_CURRENT_USER, sibling, L"ZoomWindow", L"0");
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, sibling, L"ZoomWindow"), L"0");
  EXPECT_TRUE(RegistryHasKey(sibling));
  EXPECT_EQ(GetRegistryVal(HKEY_LOCAL_MACHINE, kKey, L"ZoomWindow"), L"");
}

TEST_F(PortableSettingsTest, TheRegistrysReadingRulesHold) {
  StartWith(kBom + "[Tintra]\r\n Spaced = \" kept \" \r\nHand=C:\\new\\table\r\nZero=\"ab\\u0000cd\"\r\n");
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"spaced"), L" kept ");
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"Hand"), L"C:\\new\\table");
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"Zero"), L"ab");
  EXPECT_EQ(GetRegistryLongVal(HKEY_CURRENT_USER, kKey, L"Zero"), L"ab");
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"Absent"), L"");
  for (std::size_t length : {255u, 256u, 40000u}) {
    const std::wstring text(length, L'p');
    SetRegistryVal(HKEY_CURRENT_USER, kKey, L"Long", text);
    EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"Long"), length < 256 ? text : L"") << length;
    EXPECT_EQ(GetRegistryLongVal(HKEY_CURRENT_USER, kKey, L"Long"), text) << length;
  }
  SetRegistryVal(HKEY_CURRENT_USER, kKey, L"Embedded", L"ab\0cd"s);
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"Embedded"), L"ab");
}

// The file is only ever replaced whole, and never by one it could not read.
TEST_F(PortableSettingsTest, AFailedChangeLeavesTheFileAsItWas) {
  const std::string before = kBom + "; mine\r\n[Tintra]\r\nZoomWindow=1\r\n";
  StartWith(before);
  ASSERT_TRUE(::CreateDirectoryW(Side().c_str(), nullptr));  // the new file cannot be made
  try {
    SetRegistryVal(HKEY_CURRENT_USER, kKey, L"ZoomWindow", L"0");
    ADD_FAILURE();
  } catch (const ERegistryError& e) {
    EXPECT_EQ(e.Message(), L"SetRegistryVal: cannot write \"" + Ini + L"\"");
  }
  SetRegistryVal(HKEY_CURRENT_USER, kKey, L"ZoomWindow", L"1");  // no change: nothing written
  DeleteRegistryVal(HKEY_CURRENT_USER, kKey, L"Absent");
  EXPECT_THROW(DeleteRegistryVal(HKEY_CURRENT_USER, kKey, L"ZoomWindow"), ERegistryError);
  EXPECT_EQ(ReadBytes(Ini), before);

  const std::string shiftJis = "[Tintra]\r\nLastFile=C:\\\x90\x46.txt\r\n";
  WriteBytes(Ini, shiftJis);  // changed behind the program's back
  EXPECT_EQ(GetRegistryLongVal(HKEY_CURRENT_USER, kKey, L"LastFile"), L"");
  ASSERT_TRUE(::RemoveDirectoryW(Side().c_str()));
  try {
    SetRegistryVal(HKEY_CURRENT_USER, kKey, L"LastFile", L"x");
    ADD_FAILURE();
  } catch (const ERegistryError& e) {
    EXPECT_EQ(e.Message(), L"SetRegistryVal: cannot read \"" + Ini + L"\"");
  }
  EXPECT_EQ(ReadBytes(Ini), shiftJis);
  EXPECT_FALSE(RegistryHasKey(kTestRoot));
}

// Files the program cannot use: one message, the registry, the file untouched.
TEST_F(PortableSettingsTest, AnUnusableFileFallsBackToTheRegistryWithAMessage) {
  const std::wstring cannotRead = L"設定ﾌｧｲﾙ " + Ini + L" を読み込めません。設定はレジストリに保存します。";
  const std::wstring notUnicode =
      L"設定ﾌｧｲﾙ " + Ini + L" は UTF-8 でも UTF-16 でもありません。設定はレジストリに保存します。";
  const std::wstring cannotWrite = L"設定ﾌｧｲﾙ " + Ini + L" に書き込めません。設定はレジストリに保存します。";
  struct TCase {
    const char* Name;
    std::wstring Japanese;
    std::wstring English;
  };
  const TCase cases[] = {
      {"a folder by that name", cannotRead,
       L"Cannot read the settings file \"" + Ini + L"\". Settings are kept in the registry instead."},
      {"held open by another program", cannotRead, L""},
      {"Shift_JIS", notUnicode,
       L"The settings file \"" + Ini + L"\" is neither UTF-8 nor UTF-16. Settings are kept in the registry instead."},
      {"marked read-only", cannotWrite,
       L"Cannot write to the settings file \"" + Ini + L"\". Settings are kept in the registry instead."},
  };
  for (const TCase& c : cases) {
    const std::string name = c.Name;
    fw::TUniqueKernelHandle held;
    if (name == "a folder by that name") {
      ASSERT_TRUE(::CreateDirectoryW(Ini.c_str(), nullptr));
    } else {
      WriteBytes(Ini, name == "Shift_JIS" ? "[Tintra]\r\nLastFile=\x90\x46\r\n"
                                           : "[Tintra]\r\nZoomWindow=0\r\n");
    }
    const std::string before = ReadBytes(Ini);
    if (name == "held open by another program") {
      HANDLE h = ::CreateFileW(Ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(h, INVALID_HANDLE_VALUE);
      held.Reset(h);
    }
    if (name == "marked read-only") ::SetFileAttributesW(Ini.c_str(), FILE_ATTRIBUTE_READONLY);

    const std::optional<TPortableSettingsNotice> notice = StartPortableSettings(Exe, kKey);
    ASSERT_TRUE(notice.has_value()) << name;
    EXPECT_EQ(notice->Japanese, c.Japanese) << name;
    if (!c.English.empty()) {
      EXPECT_EQ(notice->English, c.English) << name;
    }
    EXPECT_EQ(IniSettingsPath(), L"") << name;
    SetRegistryVal(HKEY_CURRENT_USER, kKey, L"ZoomWindow", L"1");
    EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"ZoomWindow"), L"1") << name;
    EXPECT_TRUE(RegistryHasKey(kKey)) << name;
    held.Reset();
    EXPECT_EQ(ReadBytes(Ini), before) << name;
    Clean();
    ASSERT_TRUE(::CreateDirectoryW(Folder.c_str(), nullptr));
  }
}

TEST_F(PortableSettingsTest, AFolderThatTakesNoNewFileFallsBackToTheRegistry) {
  // A folder Linux will not let even root add to, reached through drive Z:.
  const std::wstring unix = L"/tmp/TintraPortableRO" + std::to_wstring(::GetCurrentProcessId());
  const std::wstring folder = WinePath(unix) + L"\\";
  ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
  WriteBytes(folder + L"Tintra.ini", "[Tintra]\r\nZoomWindow=0\r\n");
  // Immutable stops root too; an ordinary user is stopped by the mode.
  StartShell(L"chattr +i " + unix + L" 2>/dev/null || chmod 555 " + unix);
  const bool readOnly = WaitFor([&] { return !CanAddFile(folder); });
  std::optional<TPortableSettingsNotice> notice;
  if (readOnly) notice = StartPortableSettings(folder + L"Tintra.exe", kKey);
  StartShell(L"chattr -i " + unix + L" 2>/dev/null; chmod 755 " + unix + L" 2>/dev/null");
  EXPECT_TRUE(WaitFor([&] { return CanAddFile(folder); }));
  ::DeleteFileW((folder + L"Tintra.ini").c_str());
  ::RemoveDirectoryW(folder.c_str());
  if (!readOnly) GTEST_SKIP() << "no way to make a read-only folder here";

  ASSERT_TRUE(notice.has_value());
  EXPECT_EQ(notice->Japanese,
            L"設定ﾌｧｲﾙ " + folder + L"Tintra.ini に書き込めません。設定はレジストリに保存します。");
  EXPECT_EQ(IniSettingsPath(), L"");
}

}  // namespace
