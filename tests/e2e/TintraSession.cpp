#include "tests/e2e/TintraSession.h"

#include "core/support/uUtf8.h"

#include <fcntl.h>
#include <pwd.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace e2e {

namespace {

using Clock = std::chrono::steady_clock;

std::string Joined(const std::vector<std::string>& argv) {
  std::string s;
  for (const auto& a : argv) s += (s.empty() ? "" : " ") + a;
  return s;
}

[[noreturn]] void Throw(const std::string& what) { throw std::runtime_error(what); }

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::string(v) : fallback;
}

std::string WinBuildDir() {
#ifdef TINTRA_WIN_BUILD_DIR
  return TINTRA_WIN_BUILD_DIR;
#else
  return "build/win";
#endif
}

void RequireEnvironment() {
  for (const char* name : {"DISPLAY", "WINEPREFIX"}) {
    const char* v = std::getenv(name);
    if (!v || !*v) Throw(std::string(name) + " is not set: run the end-to-end tests through scripts/test.sh");
  }
}

void SetCloseOnExec(int fd) { ::fcntl(fd, F_SETFD, ::fcntl(fd, F_GETFD) | FD_CLOEXEC); }

class SpawnActions {
 public:
  SpawnActions() { ::posix_spawn_file_actions_init(&FActions); }
  ~SpawnActions() { ::posix_spawn_file_actions_destroy(&FActions); }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;
  posix_spawn_file_actions_t* Get() { return &FActions; }

 private:
  posix_spawn_file_actions_t FActions;
};

pid_t Spawn(const std::vector<std::string>& argv, posix_spawn_file_actions_t* actions) {
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  int rc = ::posix_spawnp(&pid, args[0], actions, nullptr, args.data(), environ);
  if (rc != 0) Throw("cannot start " + argv[0] + ": " + std::strerror(rc));
  return pid;
}

void Drain(int fd, std::string& into) {
  char buf[8192];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof(buf));
    if (n > 0) {
      into.append(buf, static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    return;
  }
}

std::string Unescape(std::string_view s) {
  std::string r;
  r.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      r += s[i];
      continue;
    }
    switch (s[++i]) {
      case 't':
        r += '\t';
        break;
      case 'n':
        r += '\n';
        break;
      case 'r':
        r += '\r';
        break;
      default:
        r += s[i];
    }
  }
  return r;
}

unsigned long ToULong(const std::string& s) { return std::strtoul(s.c_str(), nullptr, 0); }
int ToInt(const std::string& s) { return static_cast<int>(std::strtol(s.c_str(), nullptr, 0)); }

WinControl ParseControl(const std::vector<std::string>& f) {
  if (f.size() < 13) Throw("probe: short window line");
  WinControl c;
  c.Handle = ToULong(f[0]);
  c.Parent = ToULong(f[1]);
  c.ClassName = f[2];
  c.Id = ToInt(f[3]);
  c.Text = f[4];
  c.Rect = {ToInt(f[5]), ToInt(f[6]), ToInt(f[7]), ToInt(f[8])};
  c.Visible = f[9] == "1";
  c.Enabled = f[10] == "1";
  c.Style = ToULong(f[11]);
  c.ExStyle = ToULong(f[12]);
  return c;
}

std::string Hex(unsigned long v) {
  std::ostringstream s;
  s << "0x" << std::hex << std::uppercase << v;
  return s.str();
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, Millis timeout) {
  int out[2], err[2];
  if (::pipe(out) != 0 || ::pipe(err) != 0) Throw("pipe failed");
  for (int fd : {out[0], out[1], err[0], err[1]}) SetCloseOnExec(fd);
  SpawnActions actions;
  ::posix_spawn_file_actions_addopen(actions.Get(), 0, "/dev/null", O_RDONLY, 0);
  ::posix_spawn_file_actions_adddup2(actions.Get(), out[1], 1);
  ::posix_spawn_file_actions_adddup2(actions.Get(), err[1], 2);
  pid_t pid;
  try {
    pid = Spawn(argv, actions.Get());
  } catch (...) {
    for (int fd : {out[0], out[1], err[0], err[1]}) ::close(fd);
    throw;
  }
  ::close(out[1]);
  ::close(err[1]);
  for (int fd : {out[0], err[0]}) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);

  ProcessResult r;
  auto deadline = Clock::now() + timeout;
  int status = 0;
  // Stop at the child's exit, not at end of file: a Wine background process
  // started on the way may keep the pipes open for seconds.
  for (;;) {
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    ::poll(fds, 2, 20);
    Drain(out[0], r.Out);
    Drain(err[0], r.Err);
    pid_t w = ::waitpid(pid, &status, WNOHANG);
    if (w == pid) {
      Drain(out[0], r.Out);
      Drain(err[0], r.Err);
      r.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      break;
    }
    if (Clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      r.TimedOut = true;
      break;
    }
  }
  ::close(out[0]);
  ::close(err[0]);
  return r;
}

std::vector<std::string> SplitFields(std::string_view line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    size_t tab = line.find('\t', start);
    fields.push_back(Unescape(line.substr(start, tab == std::string_view::npos ? line.npos : tab - start)));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

std::vector<std::vector<std::string>> SplitLines(std::string_view text) {
  std::vector<std::vector<std::string>> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    std::string_view line = text.substr(start, nl == std::string_view::npos ? text.npos : nl - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) lines.push_back(SplitFields(line));
    if (nl == std::string_view::npos) break;
    start = nl + 1;
  }
  return lines;
}

std::string MenuEntry::Name() const { return Caption.substr(0, Caption.find('\t')); }

std::string MenuEntry::ShortCut() const {
  size_t tab = Caption.find('\t');
  return tab == std::string::npos ? std::string() : Caption.substr(tab + 1);
}

namespace {
const MenuEntry* FindIn(const std::vector<MenuEntry>& menu, const std::function<bool(const MenuEntry&)>& match) {
  for (const auto& e : menu) {
    if (match(e)) return &e;
    if (const MenuEntry* found = FindIn(e.Items, match)) return found;
  }
  return nullptr;
}
}  // namespace

const MenuEntry* FindMenuEntry(const std::vector<MenuEntry>& menu, std::string_view name) {
  return FindIn(menu, [&](const MenuEntry& e) { return !e.IsSeparator() && e.Name() == name; });
}

const MenuEntry* FindMenuEntry(const std::vector<MenuEntry>& menu, int id) {
  return FindIn(menu, [&](const MenuEntry& e) { return e.Kind == MenuEntry::EKind::Item && e.Id == id; });
}

std::optional<std::string> ScreenshotPath(const std::string& name) {
  const char* dir = std::getenv("TINTRA_SCREENSHOT_DIR");
  if (!dir || !*dir) return std::nullopt;
  return std::string(dir) + "/" + name;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string WindowsPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return "Z:" + path;
}

std::string HexOf(unsigned long v) {
  char buf[32];
  std::snprintf(buf, sizeof(buf), "0x%lx", v);
  return buf;
}

void SetCheckerRoot() {
  const std::string path = "/tmp/tintra-e2e-checker-" + std::to_string(::getpid()) + ".xbm";
  std::ofstream xbm(path);
  xbm << "#define c_width 8\n#define c_height 8\nstatic unsigned char c_bits[] = {\n";
  // One value a line: xsetroot refuses a long line as a bad bitmap.
  for (int row = 0; row < 8; ++row) xbm << (row % 2 ? "0xaa" : "0x55") << (row < 7 ? ",\n" : "};\n");
  xbm.close();
  const ProcessResult r = RunProcess({"xsetroot", "-bitmap", path, "-fg", "#FF8000", "-bg", "#0040C0"});
  std::remove(path.c_str());
  if (r.ExitCode != 0) Throw("xsetroot failed: " + r.Err);
}

namespace probe {

std::string Path() { return EnvOr("TINTRA_PROBE", WinBuildDir() + "/tests/e2e/probe/tintra_probe.exe"); }

ProcessResult Run(const std::vector<std::string>& args, Millis timeout) {
  RequireEnvironment();
  std::vector<std::string> argv = {"wine", Path()};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunProcess(argv, timeout);
}

std::vector<std::vector<std::string>> Lines(const std::vector<std::string>& args) {
  ProcessResult r = Run(args);
  if (r.TimedOut) Throw("probe " + Joined(args) + ": timed out");
  if (r.ExitCode != 0) Throw("probe " + Joined(args) + ": exit code " + std::to_string(r.ExitCode) + ": " + r.Err);
  return SplitLines(r.Out);
}

std::string Pixel(int x, int y) {
  auto lines = Lines({"pixel", std::to_string(x), std::to_string(y)});
  if (lines.empty()) Throw("probe pixel: no answer");
  return lines[0][0];
}

std::optional<std::string> Clipboard() {
  ProcessResult r = Run({"clipboard"});
  if (r.ExitCode == 3) return std::nullopt;
  if (r.ExitCode != 0) Throw("probe clipboard: " + r.Err);
  auto lines = SplitLines(r.Out);
  return lines.empty() ? std::string() : lines[0][0];
}

void SetClipboard(const std::string& text) { Lines({"setclipboard", text}); }

std::optional<std::string> RegGet(const std::string& key, const std::string& value) {
  ProcessResult r = Run({"regget", key, value});
  if (r.ExitCode == 3) return std::nullopt;
  if (r.ExitCode != 0) Throw("probe regget: " + r.Err);
  auto lines = SplitLines(r.Out);
  return lines.empty() ? std::string() : lines[0][0];
}

void RegSet(const std::string& key, const std::string& value, const std::string& data) {
  Lines({"regset", key, value, data});
}

void RegDelete(const std::string& key) { Lines({"regdelete", key}); }

WinControl Window(unsigned long hwnd) {
  auto lines = Lines({"window", Hex(hwnd)});
  if (lines.empty()) Throw("probe window: no answer");
  return ParseControl(lines[0]);
}

}  // namespace probe

namespace {

// A file of `wine reg export`: UTF-16LE with a byte-order mark.
std::string Utf16ToUtf8(const std::string& bytes) {
  std::string_view units(bytes);
  if (units.starts_with("\xFF\xFE")) units.remove_prefix(2);
  std::wstring text;
  Utf16LeDecode(units, text);
  return Utf8Encode(text);
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// A quoted .reg string from pos (at the opening quote); pos ends after the closing one.
std::string RegQuoted(const std::string& line, std::size_t& pos) {
  std::string text;
  for (++pos; pos < line.size() && line[pos] != '"'; ++pos) {
    if (line[pos] == '\\' && pos + 1 < line.size()) ++pos;
    text += line[pos];
  }
  ++pos;
  return text;
}

// Whether the X pointer is at (x, y) already.
bool PointerAt(const std::string& x, const std::string& y) {
  ProcessResult r = RunProcess({"xdotool", "getmouselocation"}, 20s);
  return r.ExitCode == 0 && r.Out.rfind("x:" + x + " y:" + y + " ", 0) == 0;
}

}  // namespace

std::map<std::string, std::string> RegExport(const std::string& key) {
  std::string dir = EnvOr("TMPDIR", "/tmp");
  std::vector<char> tmpl(dir.begin(), dir.end());
  const char suffix[] = "/tintra-reg-XXXXXX";
  tmpl.insert(tmpl.end(), suffix, suffix + sizeof(suffix));
  int fd = ::mkstemp(tmpl.data());
  if (fd < 0) Throw("mkstemp failed");
  ::close(fd);
  const std::string path = tmpl.data();
  std::string winPath = "Z:" + path;
  for (char& c : winPath)
    if (c == '/') c = '\\';
  ProcessResult r = RunProcess({"wine", "reg", "export", "HKCU\\" + key, winPath, "/y"});
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  ::unlink(path.c_str());
  std::map<std::string, std::string> values;
  if (r.ExitCode != 0) return values;
  const std::string text = Utf16ToUtf8(s.str());
  // Only the key's own section: subkeys follow in sections of their own.
  bool inKey = false;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("[")) {
      // Key names ignore case ("Software" is what the prefix already has).
      const std::size_t slash = line.find('\\');
      inKey = slash != std::string::npos && line.back() == ']' &&
              Lower(line.substr(slash + 1, line.size() - slash - 2)) == Lower(key);
      continue;
    }
    if (!inKey || !line.starts_with("\"")) continue;
    std::size_t pos = 0;
    std::string name = RegQuoted(line, pos);
    if (line.compare(pos, 2, "=\"") != 0) continue;
    ++pos;
    values[name] = RegQuoted(line, pos);
  }
  return values;
}

void Xdotool(const std::vector<std::string>& args) {
  std::vector<std::string> argv = {"xdotool"};
  argv.insert(argv.end(), args.begin(), args.end());
  // "mousemove --sync" to where the pointer already is waits for a move
  // that never comes, for seconds: at the start of the chain, and after a
  // move to the same point within it.
  std::string lastX, lastY;
  for (std::size_t i = 1; i + 3 < argv.size(); ++i) {
    if (argv[i] != "mousemove") continue;
    const bool sync = argv[i + 1] == "--sync";
    const std::string& x = argv[i + (sync ? 2 : 1)];
    const std::string& y = argv[i + (sync ? 3 : 2)];
    const bool there = lastX.empty() ? i == 1 && PointerAt(x, y) : x == lastX && y == lastY;
    lastX = x;
    lastY = y;
    if (sync && there) argv.erase(argv.begin() + static_cast<std::ptrdiff_t>(i) + 1);
  }
  ProcessResult r = RunProcess(argv, 20s);
  if (r.ExitCode != 0) Throw(Joined(argv) + " failed: " + r.Err);
}

TTempDir::TTempDir(const std::string& prefix) {
  std::string pattern = "/tmp/" + prefix + "_XXXXXX";
  if (!::mkdtemp(pattern.data())) Throw("mkdtemp failed");
  FPath = pattern;
}

TTempDir::~TTempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(FPath, ignored);
}

std::string RecoveryFolder() {
  const passwd* user = ::getpwuid(::getuid());
  return EnvOr("WINEPREFIX", "") + "/drive_c/users/" + (user ? user->pw_name : "root") +
         "/AppData/Local/Tintra/Recovery";
}

TintraSession::TintraSession() : TintraSession(Options{}) {}

TintraSession::TintraSession(Options options) {
  RequireEnvironment();
  if (options.ResetSettings) {
    probe::RegDelete(kSettingsKey);
    // Sessions end by a kill: what an earlier one left to recover is no business of this one.
    std::error_code ignored;
    std::filesystem::remove_all(RecoveryFolder(), ignored);
  }
  Start(options);
  try {
    WaitForWindow(options);
  } catch (...) {
    Kill();
    throw;
  }
}

TintraSession::~TintraSession() {
  Kill();
  if (!FLogPath.empty()) ::unlink(FLogPath.c_str());
}

std::string TintraSession::ExePath() { return EnvOr("TINTRA_EXE", WinBuildDir() + "/Tintra.exe"); }

void TintraSession::Start(const Options& options) {
  std::string exe = ExePath();
  if (::access(exe.c_str(), R_OK) != 0) Throw("no " + exe + ": build it with scripts/build.sh");
  std::string dir = EnvOr("TMPDIR", "/tmp");
  std::vector<char> tmpl(dir.begin(), dir.end());
  const char suffix[] = "/tintra-e2e-XXXXXX";
  tmpl.insert(tmpl.end(), suffix, suffix + sizeof(suffix));
  int log = ::mkstemp(tmpl.data());
  if (log < 0) Throw("mkstemp failed");
  ::close(log);
  FLogPath = tmpl.data();

  std::vector<std::string> argv = {"wine", exe};
  argv.insert(argv.end(), options.Args.begin(), options.Args.end());
  SpawnActions actions;
  ::posix_spawn_file_actions_addopen(actions.Get(), 0, "/dev/null", O_RDONLY, 0);
  // A file, not a pipe: nothing waits for Wine's helpers to let go of it.
  ::posix_spawn_file_actions_addopen(actions.Get(), 1, FLogPath.c_str(), O_WRONLY | O_APPEND, 0);
  ::posix_spawn_file_actions_adddup2(actions.Get(), 1, 2);
  FPid = Spawn(argv, actions.Get());
}

std::string TintraSession::LogTail() const {
  std::ifstream in(FLogPath);
  std::stringstream s;
  s << in.rdbuf();
  std::string text = s.str();
  return text.size() > 2000 ? text.substr(text.size() - 2000) : text;
}

void TintraSession::WaitForWindow(const Options& options) {
  auto deadline = Clock::now() + options.StartTimeout;
  // Polled rather than with --sync, so a program that dies at start fails
  // the test at once instead of at the timeout.
  while (FXWindow == 0) {
    if (!Running()) Throw("Tintra exited before showing its window; its output:\n" + LogTail());
    ProcessResult r =
        RunProcess({"xdotool", "search", "--all", "--pid", std::to_string(FPid), "--name", options.TitlePattern}, 10s);
    if (r.ExitCode == 0 && !r.Out.empty()) {
      FXWindow = ToULong(r.Out.substr(0, r.Out.find('\n')));
      break;
    }
    if (Clock::now() > deadline) Throw("no window named " + options.TitlePattern + " within the timeout");
    std::this_thread::sleep_for(100ms);
  }
  // Match the X window to its HWND through winex11's window property.
  while (FHandle == 0) {
    for (const auto& f : SplitLines(probe::Run({"find"}).Out)) {
      if (f.size() >= 5 && ToULong(f[4]) == FXWindow) {
        FHandle = ToULong(f[0]);
        FWindowsPid = ToULong(f[1]);
      }
    }
    if (FHandle) break;
    if (!Running()) Throw("Tintra exited while starting; its output:\n" + LogTail());
    if (Clock::now() > deadline) Throw("found X window " + Hex(FXWindow) + " but no HWND for it");
    std::this_thread::sleep_for(100ms);
  }
  while (!Window().Visible) {
    if (Clock::now() > deadline) Throw("the main window never became visible");
    std::this_thread::sleep_for(100ms);
  }
  Sync();
}

bool TintraSession::Running() {
  if (FPid <= 0) return false;
  int status = 0;
  pid_t w = ::waitpid(FPid, &status, WNOHANG);
  if (w == FPid) {
    FPid = -1;
    return false;
  }
  return true;
}

std::optional<int> TintraSession::WaitForExit(Millis timeout) {
  auto deadline = Clock::now() + timeout;
  while (FPid > 0) {
    int status = 0;
    pid_t w = ::waitpid(FPid, &status, WNOHANG);
    if (w == FPid) {
      FPid = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (Clock::now() > deadline) return std::nullopt;
    std::this_thread::sleep_for(20ms);
  }
  return std::nullopt;
}

void TintraSession::Kill() {
  if (FPid <= 0) return;
  ::kill(FPid, SIGKILL);
  int status = 0;
  ::waitpid(FPid, &status, 0);
  FPid = -1;
}

void TintraSession::Close() { Post(0x0010 /* WM_CLOSE */, 0, 0); }

void TintraSession::Sync() { Send(FHandle, 0 /* WM_NULL */, 0, 0); }

WinControl TintraSession::Window() { return probe::Window(FHandle); }

std::string TintraSession::Caption() { return Window().Text; }

std::vector<WinControl> TintraSession::ControlsOf(unsigned long hwnd) {
  std::vector<WinControl> controls;
  for (const auto& f : probe::Lines({"controls", Hex(hwnd)})) controls.push_back(ParseControl(f));
  return controls;
}

std::vector<WinControl> TintraSession::Controls() { return ControlsOf(FHandle); }

int TintraSession::MenuId(const std::string& name) {
  const std::vector<MenuEntry> menu = Menu();
  const MenuEntry* e = FindMenuEntry(menu, name);
  if (!e) Throw("no menu entry " + name);
  return e->Id;
}

std::optional<unsigned long> TintraSession::FindTopLevel(const std::string& cls, const std::string& title) {
  for (const auto& f : probe::Lines({"find"}))
    if (f.size() >= 6 && ToULong(f[1]) == FWindowsPid && (cls.empty() || f[2] == cls) && f[3] == "1" &&
        (title.empty() || f[5] == title))
      return ToULong(f[0]);
  return std::nullopt;
}

void TintraSession::Press(unsigned long dialog, int id) { probe::Lines({"command", Hex(dialog), std::to_string(id)}); }

void TintraSession::ThroughFileDialog(const std::string& command, const std::string& path) {
  Command(MenuId(command));
  // The file dialog is the one with a name box; a message box may come first.
  const auto [dialog, nameBox] = WaitFor(
      [&]() -> std::optional<std::pair<unsigned long, unsigned long>> {
        for (const auto& f : probe::Lines({"find"})) {
          if (f.size() < 4 || ToULong(f[1]) != FWindowsPid || f[2] != "#32770" || f[3] != "1") continue;
          for (const WinControl& c : ControlsOf(ToULong(f[0])))
            if (c.ClassName == "ComboBoxEx32" && c.Id == 1148) return std::pair(ToULong(f[0]), c.Handle);
        }
        return std::nullopt;
      },
      "the file dialog of " + command);
  SetText(nameBox, WindowsPath(path));
  Press(dialog, kIdOk);
}

WinControl TintraSession::Control(int id) {
  std::optional<WinControl> found;
  for (WinControl& c : Controls()) {
    if (c.Id != id) continue;
    if (found) Throw("two controls with the ID " + std::to_string(id));
    found = std::move(c);
  }
  if (!found) Throw("no control with the ID " + std::to_string(id));
  return *found;
}

std::vector<std::string> TintraSession::Texts(const std::vector<int>& ids) {
  const std::vector<WinControl> controls = Controls();
  std::vector<std::string> texts;
  for (int id : ids) {
    auto it = std::find_if(controls.begin(), controls.end(), [id](const WinControl& c) { return c.Id == id; });
    if (it == controls.end()) Throw("no control with the ID " + std::to_string(id));
    texts.push_back(it->Text);
  }
  return texts;
}

std::vector<MenuEntry> TintraSession::Menu() {
  std::vector<MenuEntry> root;
  // Where the next entry of each depth goes.
  std::vector<std::vector<MenuEntry>*> levels = {&root};
  for (const auto& f : probe::Lines({"menus", std::to_string(FWindowsPid), Hex(FHandle)})) {
    if (f.size() < 7) Throw("probe menus: short line");
    size_t depth = static_cast<size_t>(ToInt(f[0]));
    if (depth >= levels.size()) Throw("probe menus: depth out of order");
    levels.resize(depth + 1);
    MenuEntry e;
    e.Kind = f[1] == "separator" ? MenuEntry::EKind::Separator
             : f[1] == "popup"   ? MenuEntry::EKind::Popup
                                 : MenuEntry::EKind::Item;
    e.Id = ToInt(f[2]);
    e.Checked = f[3] == "1";
    e.Enabled = f[4] == "1";
    e.Radio = f[5] == "1";
    e.Caption = f[6];
    levels[depth]->push_back(std::move(e));
    levels.push_back(&levels[depth]->back().Items);
  }
  return root;
}

std::vector<ToolBarInfo> TintraSession::ToolBars() {
  std::vector<ToolBarInfo> bars;
  for (const auto& f : probe::Lines({"toolbar", std::to_string(FWindowsPid), Hex(FHandle)})) {
    if (f[0] == "toolbar" && f.size() >= 2) {
      bars.push_back({ToULong(f[1]), {}});
    } else if (f[0] == "button" && f.size() >= 10 && !bars.empty()) {
      ToolButton b;
      b.Index = ToInt(f[1]);
      b.Id = ToInt(f[2]);
      b.Separator = f[3] == "1";
      b.Image = ToInt(f[4]);
      b.Checked = f[5] == "1";
      b.Enabled = f[6] == "1";
      b.Hidden = f[7] == "1";
      b.Text = f[8];
      b.ToolTip = f[9];
      bars.back().Buttons.push_back(std::move(b));
    }
  }
  return bars;
}

std::vector<TextExtent> TintraSession::TextExtents(unsigned long hwnd) {
  std::vector<TextExtent> out;
  for (const auto& f : probe::Lines({"extents", std::to_string(FWindowsPid), Hex(hwnd ? hwnd : FHandle)})) {
    if (f.size() < 8) Throw("probe extents: short line");
    TextExtent e;
    e.Handle = ToULong(f[0]);
    e.ClassName = f[1];
    e.Id = ToInt(f[2]);
    e.Text = f[3];
    e.ClientWidth = ToInt(f[4]);
    e.ClientHeight = ToInt(f[5]);
    e.TextWidth = ToInt(f[6]);
    e.TextHeight = ToInt(f[7]);
    out.push_back(std::move(e));
  }
  return out;
}

void TintraSession::SetText(unsigned long hwnd, const std::string& text) { probe::Lines({"settext", Hex(hwnd), text}); }

void TintraSession::Command(int id) { probe::Lines({"command", Hex(FHandle), std::to_string(id)}); }

void TintraSession::Post(unsigned msg, unsigned long wparam, long lparam) {
  probe::Lines({"post", Hex(FHandle), std::to_string(msg), std::to_string(wparam), std::to_string(lparam)});
}

long TintraSession::Send(unsigned long hwnd, unsigned msg, unsigned long wparam, long lparam) {
  auto lines = probe::Lines({"send", Hex(hwnd), std::to_string(msg), std::to_string(wparam), std::to_string(lparam)});
  return lines.empty() ? 0 : std::strtol(lines[0][0].c_str(), nullptr, 10);
}

void TintraSession::Focus() { Xdotool({"windowfocus", "--sync", std::to_string(FXWindow)}); }

void TintraSession::MouseMove(int x, int y) { Xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y)}); }

void TintraSession::Click(int x, int y, int button) {
  Xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y), "click", std::to_string(button)});
}

void TintraSession::Drag(int x1, int y1, int x2, int y2, int steps) {
  std::vector<std::string> args = {"mousemove", "--sync", std::to_string(x1), std::to_string(y1), "mousedown", "1"};
  if (steps < 1) steps = 1;
  for (int i = 1; i <= steps; ++i) {
    args.insert(args.end(), {"mousemove", "--sync", std::to_string(x1 + (x2 - x1) * i / steps),
                             std::to_string(y1 + (y2 - y1) * i / steps)});
  }
  args.insert(args.end(), {"mouseup", "1"});
  Xdotool(args);
}

void TintraSession::Type(const std::string& text) { Xdotool({"type", "--delay", "30", "--", text}); }

void TintraSession::Key(const std::string& keys) {
  std::vector<std::string> args = {"key", "--delay", "30", "--"};
  std::istringstream in(keys);
  for (std::string k; in >> k;) args.push_back(k);
  Xdotool(args);
}

void TintraSession::Screenshot(const std::string& path, std::optional<ScreenRect> area) {
  ScreenRect r = area ? *area : Window().Rect;
  std::string crop = std::to_string(r.Width()) + "x" + std::to_string(r.Height()) + "+" + std::to_string(r.Left) + "+" +
                     std::to_string(r.Top);
  ProcessResult p = RunProcess({"import", "-window", "root", "-crop", crop, path}, 30s);
  if (p.ExitCode != 0) Throw("import failed: " + p.Err);
}

}  // namespace e2e
