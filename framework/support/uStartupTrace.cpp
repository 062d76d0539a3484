#include "framework/support/uStartupTrace.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace fw {

namespace {

struct TNote {
  const char* Name;
  double Ms;
};

struct TTrace {
  std::wstring Path;
  double AtFirstNote = 0;  // ms from the process's creation
  LARGE_INTEGER Counter0{}, Frequency{};
  std::vector<TNote> Notes;
  bool On = false;
};

TTrace& Trace() {
  static TTrace trace = [] {
    TTrace t;
    wchar_t path[MAX_PATH];
    const DWORD n = ::GetEnvironmentVariableW(L"TINTRA_STARTUP_TRACE", path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return t;
    FILETIME created{}, ignored{};
    if (!::GetProcessTimes(::GetCurrentProcess(), &created, &ignored, &ignored, &ignored)) return t;
    // The clock of the file times is coarse; the counter measures from here on.
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& f) {
      return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
    };
    t.AtFirstNote = static_cast<double>(ticks(now) - ticks(created)) / 1e4;
    ::QueryPerformanceFrequency(&t.Frequency);
    ::QueryPerformanceCounter(&t.Counter0);
    t.Path = path;
    t.On = true;
    return t;
  }();
  return trace;
}

double MsSinceCreation(const TTrace& t) {
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return t.AtFirstNote + static_cast<double>(now.QuadPart - t.Counter0.QuadPart) * 1e3 /
                             static_cast<double>(t.Frequency.QuadPart ? t.Frequency.QuadPart : 1);
}

}  // namespace

void StartupPhase(const char* name) noexcept {
  TTrace& t = Trace();
  if (!t.On) return;
  try {
    t.Notes.push_back({name, MsSinceCreation(t)});
  } catch (...) {
    t.On = false;
  }
}

void StartupTraceDone() noexcept {
  TTrace& t = Trace();
  if (!t.On) return;
  StartupPhase("first paint");
  t.On = false;
  FILE* out = _wfopen(t.Path.c_str(), L"w");
  if (!out) return;
  double before = 0;
  for (const TNote& note : t.Notes) {
    std::fprintf(out, "%8.1f ms  %+7.1f ms  %s\n", note.Ms, note.Ms - before, note.Name);
    before = note.Ms;
  }
  std::fclose(out);
}

}  // namespace fw
