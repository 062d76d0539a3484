// A window that starts the program's colour drag on a left press, so the
// end-to-end tests can drag a colour into another process before the colour
// list exists to start it from.
//
//   tintra_dragsource.exe OUTFILE RRGGBB [X Y W H]
//   tintra_dragsource.exe OUTFILE file:PATH [X Y W H]
//
// The second form drags a file list (CF_HDROP) with the one path, as a file
// manager would. OUTFILE gets "ready", then after each drag
// "dragged<TAB>LIVE" with the number of the program's COM objects still alive.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "framework/Com.h"
#include "framework/ole/DataObject.h"
#include "app/ole/uOLE2Color.h"

namespace {

FILE* gOut = nullptr;
TColor gColor = 0;
std::wstring gFile;  // drags a file list when set

class TFileListDataObject : public TDataObject {
 public:
  explicit TFileListDataObject(std::wstring path) : TDataObject({HGlobalFormat(CF_HDROP)}), FPath(std::move(path)) {}

 protected:
  HRESULT RenderData(const FORMATETC&, STGMEDIUM& medium) override {
    // DROPFILES, then the wide path, then an empty one that ends the list.
    const SIZE_T size = sizeof(DROPFILES) + (FPath.size() + 2) * sizeof(wchar_t);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!block) return E_OUTOFMEMORY;
    auto* files = static_cast<DROPFILES*>(::GlobalLock(block));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::wmemcpy(reinterpret_cast<wchar_t*>(files + 1), FPath.c_str(), FPath.size());
    ::GlobalUnlock(block);
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = block;
    medium.pUnkForRelease = nullptr;
    return S_OK;
  }

 private:
  std::wstring FPath;
};

class TFileDropSource : public fw::TInterfacedObject<IDropSource> {
 public:
  STDMETHODIMP QueryContinueDrag(BOOL escape, DWORD keys) noexcept override {
    if (escape) return DRAGDROP_S_CANCEL;
    return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
  }
  STDMETHODIMP GiveFeedback(DWORD) noexcept override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

void StartFileDrag() {
  auto data = fw::MakeCom<TFileListDataObject>(gFile);
  auto source = fw::MakeCom<TFileDropSource>();
  DWORD effect = 0;
  ::DoDragDrop(data.Get(), source.Get(), DROPEFFECT_COPY, &effect);
}

void Record(const std::string& line) {
  std::fprintf(gOut, "%s\n", line.c_str());
  std::fflush(gOut);
}

LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN: {
      if (gFile.empty())
        StartColorDrag(gColor);
      else
        StartFileDrag();
      std::string line = "dragged\t";
      line += std::to_string(fw::ComObjectCount());
      Record(line);
      return 0;
    }
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(wnd, msg, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (argc < 3) return 2;
  gOut = _wfopen(argv[1], L"ab");
  if (!gOut) return 3;
  if (std::wcsncmp(argv[2], L"file:", 5) == 0) gFile = argv[2] + 5;
  const unsigned long rgb = std::wcstoul(argv[2], nullptr, 16);
  gColor = static_cast<TColor>((rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16);
  int x = 100, y = 100, w = 200, h = 200;
  if (argc >= 7) {
    x = _wtoi(argv[3]);
    y = _wtoi(argv[4]);
    w = _wtoi(argv[5]);
    h = _wtoi(argv[6]);
  }
  if (FAILED(::OleInitialize(nullptr))) return 4;
  try {
    RegisterVelColorFormat();
  } catch (...) {
    return 5;
  }
  WNDCLASSW wc{};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"TintraDragSource";
  ::RegisterClassW(&wc);
  if (!::CreateWindowExW(0, wc.lpszClassName, L"TintraDragSource", WS_POPUP | WS_VISIBLE | WS_BORDER, x, y, w, h,
                         nullptr, nullptr, instance, nullptr))
    return 6;
  Record("ready");
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  ::OleUninitialize();
  std::fclose(gOut);
  return 0;
}
