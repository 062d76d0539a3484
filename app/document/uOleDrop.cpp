#include "app/document/uOleDrop.h"

#include <shellapi.h>

#include <utility>

#include "framework/Application.h"
#include "core/support/Exception.h"

namespace {

constexpr UINT WM_DELIVER_DROP = WM_APP + 0x4F1;
constexpr const wchar_t* kNotifyClass = L"TintraOleDropNotify";

FORMATETC FileListFormat() noexcept { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool OffersFileList(IDataObject* data) noexcept {
  FORMATETC format = FileListFormat();
  return data && data->QueryGetData(&format) == S_OK;
}

// The dropped file is only read, never moved or linked.
DWORD CopyEffect(DWORD allowed) noexcept { return (allowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE; }

}  // namespace

std::wstring FirstDroppedFile(HDROP drop) {
  if (::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 0) return {};
  const UINT length = ::DragQueryFileW(drop, 0, nullptr, 0);
  std::wstring name(length, L'\0');
  // The buffer size counts the terminating zero, which std::wstring keeps.
  const UINT copied = ::DragQueryFileW(drop, 0, name.data(), length + 1);
  name.resize(copied);
  return name;
}

// The registered object. Its link to the owner is cut when the owner goes,
// since OLE or a drag source may still hold a reference.
class TFileDropTarget : public fw::TInterfacedObject<IDropTarget> {
 public:
  explicit TFileDropTarget(TOleDropTarget* owner) : FOwner(owner) {}
  void Detach() noexcept {
    FOwner = nullptr;
    FData.Reset();
  }

  STDMETHODIMP DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) noexcept override {
    if (!effect) return E_INVALIDARG;
    FData.Reset();
    if (Accepting() && OffersFileList(data)) FData = fw::TComPtr<IDataObject>::Copy(data);
    *effect = FData ? CopyEffect(*effect) : DROPEFFECT_NONE;
    return S_OK;
  }
  STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) noexcept override {
    if (!effect) return E_INVALIDARG;
    *effect = FData && Accepting() ? CopyEffect(*effect) : DROPEFFECT_NONE;
    return S_OK;
  }
  STDMETHODIMP DragLeave() noexcept override {
    FData.Reset();
    return S_OK;
  }
  STDMETHODIMP Drop(IDataObject*, DWORD, POINTL, DWORD* effect) noexcept override {
    if (!effect) return E_INVALIDARG;
    fw::TComPtr<IDataObject> data = std::move(FData);
    const DWORD allowed = std::exchange(*effect, DROPEFFECT_NONE);
    if (!data || !Accepting() || CopyEffect(allowed) == DROPEFFECT_NONE) return S_OK;
    return fw::ComGuard([&] {
      FORMATETC format = FileListFormat();
      STGMEDIUM medium{};
      if (FAILED(data->GetData(&format, &medium))) return S_OK;
      std::wstring name;
      if (medium.tymed == TYMED_HGLOBAL) {
        if (auto drop = static_cast<HDROP>(::GlobalLock(medium.hGlobal))) {
          name = FirstDroppedFile(drop);
          ::GlobalUnlock(medium.hGlobal);
        }
      }
      ::ReleaseStgMedium(&medium);
      if (!name.empty()) {
        FOwner->Queue(std::move(name));
        *effect = DROPEFFECT_COPY;
      }
      return S_OK;
    });
  }

 protected:
  ~TFileDropTarget() override = default;

 private:
  bool Accepting() const noexcept { return FOwner && FOwner->Accepts(); }

  TOleDropTarget* FOwner;
  fw::TComPtr<IDataObject> FData;  // the file list of the drag in progress
};

TOleDropTarget::TOleDropTarget() : FTarget(fw::MakeCom<TFileDropTarget>(this)) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  if (!::GetClassInfoExW(instance, kNotifyClass, &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &TOleDropTarget::NotifyProc;
    wc.hInstance = instance;
    wc.lpszClassName = kNotifyClass;
    if (!::RegisterClassExW(&wc)) throw Exception(L"TOleDropTarget.Create: RegisterClassEx failed");
  }
  FNotify = ::CreateWindowExW(0, kNotifyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (!FNotify) throw Exception(L"TOleDropTarget.Create: CreateWindowEx failed");
  ::SetWindowLongPtrW(FNotify, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TOleDropTarget::~TOleDropTarget() {
  Revoke();
  FTarget->Detach();
  ::SetWindowLongPtrW(FNotify, GWLP_USERDATA, 0);
  ::DestroyWindow(FNotify);
}

void TOleDropTarget::Register(HWND window) {
  Revoke();
  const HRESULT hr = ::RegisterDragDrop(window, FTarget.Get());
  if (FAILED(hr))
    throw Exception(L"TOleDropTarget.Register: RegisterDragDrop failed (" + std::to_wstring(hr) + L")");
  FWindow = window;
}

void TOleDropTarget::Revoke() noexcept {
  if (!FWindow) return;
  ::RevokeDragDrop(FWindow);
  FWindow = nullptr;
  FTarget->DragLeave();
}

IDropTarget* TOleDropTarget::Target() const noexcept { return FTarget.Get(); }

void TOleDropTarget::Queue(std::wstring fileName) {
  FPending.push_back(std::move(fileName));
  ::PostMessageW(FNotify, WM_DELIVER_DROP, 0, 0);
}

void TOleDropTarget::DeliverPending() {
  if (FPending.empty()) return;
  std::wstring name = std::move(FPending.front());
  FPending.pop_front();
  if (Accepts() && OnFileDropped) OnFileDropped(this, name);
}

LRESULT CALLBACK TOleDropTarget::NotifyProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DELIVER_DROP) {
    if (auto* self = reinterpret_cast<TOleDropTarget*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA)))
      fw::Guarded([self] { self->DeliverPending(); });
    return 0;
  }
  return ::DefWindowProcW(wnd, msg, wParam, lParam);
}
