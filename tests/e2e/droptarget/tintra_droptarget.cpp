// A drop target of "another program" for the end-to-end tests: a window that
// accepts any OLE drag as a copy and records what it was offered and given.
//
//   tintra_droptarget.exe OUTFILE [X Y W H]
//
// OUTFILE gets UTF-8 lines, appended and flushed at each event:
//   ready
//   enter<TAB>FORMAT,FORMAT,...        (EnumFormatEtc order)
//   data<TAB>FORMAT<TAB>HEXBYTES       (each HGLOBAL format at the drop)
//   drop
// Registered formats are named by their registered names (their numbers
// differ per prefix), standard ones as CF_TEXT etc. The window text is the
// last line written.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

FILE* gOut = nullptr;
HWND gWnd = nullptr;

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return {};
  int n = ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

std::string FormatName(CLIPFORMAT f) {
  switch (f) {
    case CF_TEXT:
      return "CF_TEXT";
    case CF_OEMTEXT:
      return "CF_OEMTEXT";
    case CF_UNICODETEXT:
      return "CF_UNICODETEXT";
    case CF_LOCALE:
      return "CF_LOCALE";
    case CF_HDROP:
      return "CF_HDROP";
    default:
      break;
  }
  wchar_t name[256] = {};
  if (::GetClipboardFormatNameW(f, name, 256) > 0) return Utf8(name);
  std::string number = "#";
  number += std::to_string(f);
  return number;
}

void Record(const std::string& line) {
  std::fprintf(gOut, "%s\n", line.c_str());
  std::fflush(gOut);
  std::wstring w(line.begin(), line.end());
  if (gWnd) ::SetWindowTextW(gWnd, w.c_str());
}

class TRecorder : public IDropTarget {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = (iid == IID_IUnknown || iid == IID_IDropTarget) ? static_cast<IDropTarget*>(this) : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  // Lives as long as the program; the count only keeps OLE honest.
  STDMETHODIMP_(ULONG) AddRef() override { return ++FRefs; }
  STDMETHODIMP_(ULONG) Release() override { return --FRefs; }

  STDMETHODIMP DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FFormats.clear();
    IEnumFORMATETC* e = nullptr;
    std::string names;
    if (SUCCEEDED(data->EnumFormatEtc(DATADIR_GET, &e)) && e) {
      FORMATETC f;
      ULONG got = 0;
      while (e->Next(1, &f, &got) == S_OK && got == 1) {
        FFormats.push_back(f.cfFormat);
        if (!names.empty()) names += ",";
        names += FormatName(f.cfFormat);
        if (f.ptd) ::CoTaskMemFree(f.ptd);
      }
      e->Release();
    }
    names.insert(0, "enter\t");
    Record(names);
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  STDMETHODIMP DragLeave() override {
    Record("leave");
    return S_OK;
  }
  STDMETHODIMP Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    for (CLIPFORMAT format : FFormats) {
      FORMATETC f{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
      STGMEDIUM m{};
      if (data->GetData(&f, &m) != S_OK) continue;
      std::string hex;
      if (m.tymed == TYMED_HGLOBAL) {
        const SIZE_T size = ::GlobalSize(m.hGlobal);
        if (auto* bytes = static_cast<const unsigned char*>(::GlobalLock(m.hGlobal))) {
          for (SIZE_T i = 0; i < size; ++i) {
            char two[3];
            std::snprintf(two, sizeof two, "%02X", bytes[i]);
            hex += two;
          }
          ::GlobalUnlock(m.hGlobal);
        }
      }
      ::ReleaseStgMedium(&m);
      std::string line = "data\t";
      line += FormatName(format);
      line += '\t';
      line += hex;
      Record(line);
    }
    Record("drop");
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }

 private:
  ULONG FRefs = 1;
  std::vector<CLIPFORMAT> FFormats;
};

LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (argc < 2) return 2;
  gOut = _wfopen(argv[1], L"ab");
  if (!gOut) return 3;
  int x = 600, y = 100, w = 300, h = 300;
  if (argc >= 6) {
    x = _wtoi(argv[2]);
    y = _wtoi(argv[3]);
    w = _wtoi(argv[4]);
    h = _wtoi(argv[5]);
  }
  if (FAILED(::OleInitialize(nullptr))) return 4;
  WNDCLASSW wc{};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"TintraDropTarget";
  ::RegisterClassW(&wc);
  gWnd = ::CreateWindowExW(0, wc.lpszClassName, L"TintraDropTarget", WS_POPUP | WS_VISIBLE | WS_BORDER, x, y, w, h,
                           nullptr, nullptr, instance, nullptr);
  TRecorder recorder;
  if (!gWnd || FAILED(::RegisterDragDrop(gWnd, &recorder))) return 5;
  Record("ready");
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  ::RevokeDragDrop(gWnd);
  ::OleUninitialize();
  std::fclose(gOut);
  return 0;
}
