// Start-up to the first paint of the main window: Tintra.exe against a bare
// Win32 window with a menu (this program started with --bare) and against
// the same window holding twelve plain EDIT controls where the channel
// editors stand (--bare edits), all started as new processes in the same
// run, interleaved, median of the rounds.
//
//   win_startup.exe [path\to\Tintra.exe]
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "bench/WinBench.h"

namespace {

LRESULT CALLBACK BareProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      ::BeginPaint(wnd, &ps);
      ::EndPaint(wnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(wnd, msg, wParam, lParam);
  }
}

// Twelve single-line edits of the channel editors' size, places and font.
void CreatePlainEdits(HWND parent) {
  static constexpr POINT kPlaces[12] = {{40, 92},   {40, 116},  {40, 140},  {40, 172},  {40, 196}, {40, 220},
                                        {144, 172}, {144, 196}, {144, 220}, {143, 92}, {143, 116}, {143, 140}};
  LOGFONTW lf{};
  lf.lfHeight = 13;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lstrcpynW(lf.lfFaceName, L"ＭＳ Ｐゴシック", LF_FACESIZE);
  // Lives as long as the process: the window is the only one.
  HFONT font = ::CreateFontIndirectW(&lf);
  for (const POINT& p : kPlaces) {
    HWND edit = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"0", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                  p.x, p.y, 60, 21, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

int RunBare(bool ole, bool comctl, bool edits) {
  if (comctl) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
  }
  if (ole) ::OleInitialize(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = BareProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = L"TintraBenchBare";
  ::RegisterClassW(&wc);
  HMENU bar = ::CreateMenu();
  const wchar_t* captions[] = {L"ファイル(&F)", L"編集(&E)", L"表示(&V)", L"設定(&S)", L"ヘルプ(&H)"};
  for (const wchar_t* caption : captions) {
    HMENU sub = ::CreatePopupMenu();
    ::AppendMenuW(sub, MF_STRING, 100, L"項目(&I)");
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), caption);
  }
  HWND wnd = ::CreateWindowExW(0, wc.lpszClassName, L"Bare", WS_OVERLAPPEDWINDOW, 331, 57, 507, 304, nullptr, bar,
                               wc.hInstance, nullptr);
  if (edits) CreatePlainEdits(wnd);
  ::ShowWindow(wnd, SW_SHOW);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}

struct TFind {
  DWORD Pid;
  HWND Found;
};

BOOL CALLBACK FindVisible(HWND wnd, LPARAM param) {
  auto* f = reinterpret_cast<TFind*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(wnd, &pid);
  if (pid != f->Pid || !::IsWindowVisible(wnd) || !::GetMenu(wnd)) return TRUE;
  f->Found = wnd;
  return FALSE;
}

// Seconds from process creation until its menu-bearing window is visible
// with nothing left to paint; negative on failure. The process is closed.
double TimeToFirstPaint(std::wstring commandLine) {
  STARTUPINFOW si{sizeof(si)};
  PROCESS_INFORMATION pi{};
  const double t0 = Now();
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  double elapsed = -1;
  HWND wnd = nullptr;
  for (int spin = 0; spin < 200000; ++spin) {
    if (!wnd) {
      TFind f{pi.dwProcessId, nullptr};
      ::EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&f));
      wnd = f.Found;
    }
    // The update region lives in the server: empty once WM_PAINT has run.
    if (wnd && !::GetUpdateRect(wnd, nullptr, FALSE)) {
      elapsed = Now() - t0;
      break;
    }
    if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
    ::Sleep(0);
  }
  if (wnd) ::PostMessageW(wnd, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(pi.hProcess, 1);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return elapsed;
}

std::wstring Quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

BOOL CALLBACK FindTitled(HWND wnd, LPARAM param) {
  auto* f = reinterpret_cast<std::pair<DWORD, const wchar_t*>*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(wnd, &pid);
  wchar_t title[512] = {};
  ::GetWindowTextW(wnd, title, 512);
  if (pid != f->first || !::IsWindowVisible(wnd) || !::GetMenu(wnd) || !std::wcsstr(title, f->second)) return TRUE;
  f->first = 0;
  return FALSE;
}

// The private bytes of a new process once its menu-bearing window shows a
// title with titled in it and the process has gone idle; negative on failure.
double PrivateBytesWhenShown(std::wstring commandLine, const wchar_t* titled) {
  STARTUPINFOW si{sizeof(si)};
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  double bytes = -1;
  for (int spin = 0; spin < 3000; ++spin) {
    std::pair<DWORD, const wchar_t*> find{pi.dwProcessId, titled};
    ::EnumWindows(FindTitled, reinterpret_cast<LPARAM>(&find));
    if (find.first == 0) {
      ::WaitForInputIdle(pi.hProcess, 10000);
      PROCESS_MEMORY_COUNTERS_EX counters{};
      counters.cb = sizeof(counters);
      // Wine leaves PrivateUsage at 0; the commit charge is the same figure.
      if (::GetProcessMemoryInfo(pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters)))
        bytes = static_cast<double>(counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage);
      break;
    }
    if (::WaitForSingleObject(pi.hProcess, 10) == WAIT_OBJECT_0) break;
  }
  ::TerminateProcess(pi.hProcess, 0);
  ::WaitForSingleObject(pi.hProcess, 10000);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return bytes;
}

// A list of rows of the kind people keep: colour and a short comment.
bool WriteList(const std::wstring& path, int rows, double& fileBytes) {
  std::string text;
  for (int i = 0; i < rows; ++i)
    text += std::to_string(i % 256) + "," + std::to_string((i / 256) % 256) + "," + std::to_string((i * 7) % 256) +
            ",\"colour " + std::to_string(i) + "\"\r\n";
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                  written == text.size();
  ::CloseHandle(file);
  fileBytes = static_cast<double>(text.size());
  return ok;
}

// Private bytes of the bare window, of Tintra after start and with a list
// of 100,000 rows open, in the same run.
int ReportMemory(const std::wstring& self, const std::wstring& tintra) {
  constexpr int kRows = 100000;
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring list = std::wstring(temp) + L"tintra-bench-100000.txt";
  double fileBytes = 0;
  if (!WriteList(list, kRows, fileBytes)) {
    std::printf("memory: the list could not be written\n");
    return 1;
  }
  const double bare = PrivateBytesWhenShown(Quoted(self) + L" --bare", L"Bare");
  const double started = PrivateBytesWhenShown(Quoted(tintra) + L" -n", L"Tintra");
  // Opened as the last file of a new start.
  const wchar_t kKey[] = L"SOFTWARE\\ZORVEK\\Tintra";
  ::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"LastFile", REG_SZ, list.c_str(),
                    static_cast<DWORD>((list.size() + 1) * sizeof(wchar_t)));
  const double open = PrivateBytesWhenShown(Quoted(tintra), L"tintra-bench-100000");
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"LastFile");
  ::DeleteFileW(list.c_str());
  if (bare < 0 || started < 0 || open < 0) {
    std::printf("memory: a process could not be measured (bare %.0f, started %.0f, open %.0f)\n", bare, started, open);
    return 1;
  }
  const double perRow = (open - started) / kRows, filePerRow = fileBytes / kRows;
  std::printf("private bytes: bare window %.1f MiB, Tintra after start %.1f MiB, with %d rows open %.1f MiB\n",
              bare / 1048576, started / 1048576, kRows, open / 1048576);
  std::printf("  the list: %.1f bytes a row against %.1f in the file, ratio %.2f (target at most 4)\n", perRow,
              filePerRow, perRow / filePerRow);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 1 && std::wstring(argv[1]) == L"--bare") {
    bool ole = false, comctl = false, edits = false;
    for (int i = 2; i < argc; ++i) {
      ole = ole || std::wstring(argv[i]) == L"ole";
      comctl = comctl || std::wstring(argv[i]) == L"comctl";
      edits = edits || std::wstring(argv[i]) == L"edits";
    }
    return RunBare(ole, comctl, edits);
  }

  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring tintra;
  if (argc > 1) {
    tintra = argv[1];
  } else {
    // The bench folder sits beside the program in the build tree.
    tintra = self;
    tintra.resize(tintra.find_last_of(L'\\'));
    tintra.resize(tintra.find_last_of(L'\\') + 1);
    tintra += L"Tintra.exe";
  }
  // A warm-up of each, so neither pays for the first load from disk.
  TimeToFirstPaint(Quoted(self) + L" --bare");
  TimeToFirstPaint(Quoted(tintra) + L" -n");

  constexpr int kRounds = 9;
  std::vector<double> bare, edits, ole, comctl, program;
  for (int r = 0; r < kRounds; ++r) {
    const double b = TimeToFirstPaint(Quoted(self) + L" --bare");
    // The twelve edits, with the common controls as the program has them.
    const double e = TimeToFirstPaint(Quoted(self) + L" --bare edits comctl");
    ole.push_back(TimeToFirstPaint(Quoted(self) + L" --bare ole"));
    comctl.push_back(TimeToFirstPaint(Quoted(self) + L" --bare comctl"));
    const double t = TimeToFirstPaint(Quoted(tintra) + L" -n");
    if (b < 0 || e < 0 || t < 0) {
      std::printf("round %d failed (bare %.1f ms, twelve edits %.1f ms, Tintra %.1f ms)\n", r, b * 1e3, e * 1e3,
                  t * 1e3);
      return 1;
    }
    bare.push_back(b);
    edits.push_back(e);
    program.push_back(t);
  }
  const double mb = Median(bare), me = Median(edits), mt = Median(program);
  std::printf("start-up to first paint, median of %d: bare window with menu %.1f ms, Tintra %.1f ms, ratio %.2f\n",
              kRounds, mb * 1e3, mt * 1e3, mt / mb);
  std::printf("  against the bare window with twelve plain edits %.1f ms: ratio %.2f\n", me * 1e3, mt / me);
  std::printf("  the bare window with OleInitialize %.1f ms, with the common controls %.1f ms\n", Median(ole) * 1e3,
              Median(comctl) * 1e3);
  // On a busy machine the medians wander with the load; the fastest rounds
  // come nearest to what each start-up costs by itself.
  const double fb = *std::min_element(bare.begin(), bare.end()), fe = *std::min_element(edits.begin(), edits.end()),
               ft = *std::min_element(program.begin(), program.end());
  std::printf("  fastest rounds: bare %.1f ms, twelve edits %.1f ms, Tintra %.1f ms, ratios %.2f and %.2f\n", fb * 1e3,
              fe * 1e3, ft * 1e3, ft / fb, ft / fe);
  return ReportMemory(self, tintra);
}
