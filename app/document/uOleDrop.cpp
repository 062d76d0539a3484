#include "app/document/uOleDrop.h"

#include "core/shell/uDropFiles.h"
#include "framework/Handles.h"
#include "framework/support/uAnsiCodecWin.h"

#include <shellapi.h>

#include <utility>

#include "core/support/Exception.h"

namespace {

constexpr UINT WM_DELIVER_DROP = WM_APP + 0x4F1;

FORMATETC FileListFormat() noexcept { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool OffersFileList(IDataObject* data) noexcept {
  FORMATETC format = FileListFormat();
  return data && data->QueryGetData(&format) == S_OK;
}

// The dropped file is only read, never moved or linked.
DWORD CopyEffect(DWORD allowed) noexcept { return (allowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE; }

// Owns a medium filled by IDataObject::GetData; released on every path.
class TStorageMedium {
 public:
  TStorageMedium() = default;
  ~TStorageMedium() {
    if (FFilled) ::ReleaseStgMedium(&FMedium);
  }
  TStorageMedium(const TStorageMedium&) = delete;
  TStorageMedium& operator=(const TStorageMedium&) = delete;
  STGMEDIUM* Put() noexcept {
    FFilled = true;
    return &FMedium;
  }
  const STGMEDIUM* operator->() const noexcept { return &FMedium; }

 private:
  STGMEDIUM FMedium{};
  bool FFilled = false;
};

}  // namespace

std::wstring FirstDroppedFile(HDROP drop) {
  // Read from the block's own bytes, never past its size, whatever its
  // header claims: the block comes from another program.
  const fw::TGlobalLock<const char> bytes(drop);
  if (!bytes) return {};
  const std::vector<std::wstring> names =
      DropFileNames(std::string_view(bytes.Get(), ::GlobalSize(drop)), TAnsiCodecWin());
  return names.empty() ? std::wstring() : names.front();
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
    const DWORD allowed = std::exchange(*effect, DROPEFFECT_NONE);
    FData.Reset();
    return fw::ComGuard([&] {
      if (Accepting() && OffersFileList(data)) FData = fw::TComPtr<IDataObject>::Copy(data);
      *effect = FData ? CopyEffect(allowed) : DROPEFFECT_NONE;
      return S_OK;
    });
  }
  STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) noexcept override {
    if (!effect) return E_INVALIDARG;
    const DWORD allowed = std::exchange(*effect, DROPEFFECT_NONE);
    return fw::ComGuard([&] {
      *effect = FData && Accepting() ? CopyEffect(allowed) : DROPEFFECT_NONE;
      return S_OK;
    });
  }
  STDMETHODIMP DragLeave() noexcept override {
    return fw::ComGuard([&] {
      FData.Reset();
      return S_OK;
    });
  }
  STDMETHODIMP Drop(IDataObject*, DWORD, POINTL, DWORD* effect) noexcept override {
    if (!effect) return E_INVALIDARG;
    fw::TComPtr<IDataObject> data = std::move(FData);
    const DWORD allowed = std::exchange(*effect, DROPEFFECT_NONE);
    return fw::ComGuard([&] {
      if (!data || !Accepting() || CopyEffect(allowed) == DROPEFFECT_NONE) return S_OK;
      FORMATETC format = FileListFormat();
      TStorageMedium medium;
      if (FAILED(data->GetData(&format, medium.Put()))) return S_OK;
      std::wstring name;
      if (medium->tymed == TYMED_HGLOBAL) name = FirstDroppedFile(static_cast<HDROP>(medium->hGlobal));
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
  bool Accepting() const { return FOwner && FOwner->Accepts(); }

  TOleDropTarget* FOwner;
  fw::TComPtr<IDataObject> FData;  // the file list of the drag in progress
};

TOleDropTarget::TNotifyWindow::TNotifyWindow(TOleDropTarget& owner) : FOwner(owner) {
  SetVisible(false);
  TCreateParams p;
  p.Style = WS_POPUP;
  // Made a top-level window first and moved under HWND_MESSAGE, it became
  // the thread's active window under Wine, and the keys went nowhere.
  p.MessageOnly = true;
  CreateHandle(nullptr, p);
}

LRESULT TOleDropTarget::TNotifyWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_DELIVER_DROP) return fw::TWindow::WndProc(msg, wParam, lParam);
  // An error in the handler is reported by the base's procedure.
  FOwner.DeliverPending();
  return 0;
}

TOleDropTarget::TOleDropTarget() : FTarget(fw::MakeCom<TFileDropTarget>(this)) {}

TOleDropTarget::~TOleDropTarget() {
  Revoke();
  FTarget->Detach();
}

void TOleDropTarget::Register(HWND window) {
  Revoke();
  const HRESULT hr = ::RegisterDragDrop(window, FTarget.Get());
  if (FAILED(hr)) throw Exception(L"TOleDropTarget.Register: RegisterDragDrop failed (" + std::to_wstring(hr) + L")");
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
  ::PostMessageW(FNotify.Handle(), WM_DELIVER_DROP, 0, 0);
}

void TOleDropTarget::DeliverPending() {
  if (FPending.empty()) return;
  std::wstring name = std::move(FPending.front());
  FPending.pop_front();
  if (Accepts() && OnFileDropped) OnFileDropped(this, name);
}
