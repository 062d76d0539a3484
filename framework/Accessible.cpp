#include "framework/Accessible.h"

#include "framework/Window.h"

namespace fw {

namespace {

struct TOleacc {
  HMODULE Module = nullptr;
  decltype(&::LresultFromObject) Result = nullptr;
  decltype(&::AccessibleObjectFromWindow) FromWindow = nullptr;
};

const TOleacc& Oleacc() {
  static const TOleacc oleacc = [] {
    TOleacc o;
    o.Module = ::LoadLibraryW(L"oleacc.dll");
    if (o.Module) {
      o.Result = reinterpret_cast<decltype(o.Result)>(
          reinterpret_cast<void*>(::GetProcAddress(o.Module, "LresultFromObject")));
      o.FromWindow = reinterpret_cast<decltype(o.FromWindow)>(
          reinterpret_cast<void*>(::GetProcAddress(o.Module, "AccessibleObjectFromWindow")));
    }
    return o;
  }();
  return oleacc;
}

HRESULT Text(const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

void SetChild(VARIANT* out, long child) {
  out->vt = VT_I4;
  out->lVal = child;
}

}  // namespace

// One control or one part of it. Parts own their source and hold their
// parent, so they stop answering once the control's object is cut off.
class TAccessibleObject final : public TInterfacedObject<IAccessible> {
 public:
  TAccessibleObject(HWND window, TAccessibleSource* source) : FWindow(window), FSource(source) {}
  TAccessibleObject(TComPtr<TAccessibleObject> parent, std::unique_ptr<TAccessibleSource> source)
      : FWindow(parent->FWindow), FSource(source.get()), FOwned(std::move(source)), FParent(std::move(parent)) {}

  void Disconnect() noexcept { FSource = nullptr; }

  // Also as IDispatch: get_accChild hands a part over as one, and COM asks
  // for it to marshal the part to a screen reader in another process.
  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    if (out && iid == IID_IDispatch) {
      *out = static_cast<IDispatch*>(static_cast<IAccessible*>(this));
      AddRef();
      return S_OK;
    }
    return TInterfacedObject<IAccessible>::QueryInterface(iid, out);
  }

  // IDispatch: screen readers use the vtable.
  STDMETHODIMP GetTypeInfoCount(UINT* count) noexcept override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) noexcept override {
    return E_NOTIMPL;
  }

  STDMETHODIMP get_accParent(IDispatch** parent) noexcept override {
    return Guard([&]() -> HRESULT {
      if (!parent) return E_POINTER;
      *parent = nullptr;
      if (FParent) {
        FParent->AddRef();
        *parent = FParent.Get();
        return S_OK;
      }
      TComPtr<IAccessible> frame = WindowAccessible(FWindow);
      if (!frame) return S_FALSE;
      *parent = frame.Detach();
      return S_OK;
    });
  }
  STDMETHODIMP get_accChildCount(long* count) noexcept override {
    return Guard([&]() -> HRESULT {
      if (!count) return E_POINTER;
      *count = FSource->ChildCount();
      return S_OK;
    });
  }
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** out) noexcept override {
    return Guard([&]() -> HRESULT {
      if (!out) return E_POINTER;
      *out = nullptr;
      long id = 0;
      if (!ChildOf(child, id)) return E_INVALIDARG;
      if (id == CHILDID_SELF) {
        AddRef();
        *out = this;
        return S_OK;
      }
      std::unique_ptr<TAccessibleSource> part = FSource->ChildSource(id);
      // A simple child: the caller asks this object about it.
      if (!part) return S_FALSE;
      *out = MakeCom<TAccessibleObject>(TComPtr<TAccessibleObject>::Copy(this), std::move(part)).Detach();
      return S_OK;
    });
  }
  STDMETHODIMP get_accName(VARIANT child, BSTR* out) noexcept override {
    return Ask(child, out, [&](long id) { return FSource->Name(id); });
  }
  STDMETHODIMP get_accValue(VARIANT child, BSTR* out) noexcept override {
    return Ask(child, out, [&](long id) { return FSource->Value(id); });
  }
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* out) noexcept override {
    return Ask(child, out, [&](long id) { return FSource->Description(id); });
  }
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* out) noexcept override {
    return Ask(child, out, [&](long id) { return FSource->Help(id); });
  }
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* out) noexcept override {
    return Ask(child, out, [&](long id) { return FSource->DefaultAction(id); });
  }
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* out) noexcept override {
    return Ask(child, out, [](long) { return std::wstring(); });
  }
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT, long* topic) noexcept override {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return S_FALSE;
  }
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) noexcept override {
    return Guard([&]() -> HRESULT {
      long id = 0;
      if (!role) return E_POINTER;
      ::VariantInit(role);
      if (!ChildOf(child, id)) return E_INVALIDARG;
      SetChild(role, FSource->Role(id));
      return S_OK;
    });
  }
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) noexcept override {
    return Guard([&]() -> HRESULT {
      long id = 0;
      if (!state) return E_POINTER;
      ::VariantInit(state);
      if (!ChildOf(child, id)) return E_INVALIDARG;
      long flags = FSource->State(id);
      const bool focused = ::GetFocus() == FWindow;
      if (!::IsWindowVisible(FWindow)) flags |= STATE_SYSTEM_INVISIBLE;
      if (!::IsWindowEnabled(FWindow)) flags |= STATE_SYSTEM_UNAVAILABLE;
      if (!FParent && id == CHILDID_SELF) {
        if (::GetWindowLongW(FWindow, GWL_STYLE) & WS_TABSTOP) flags |= STATE_SYSTEM_FOCUSABLE;
        if (focused && FSource->FocusedChild() == CHILDID_SELF) flags |= STATE_SYSTEM_FOCUSED;
      } else if (focused && FSource->FocusedChild() == id) {
        flags |= STATE_SYSTEM_FOCUSED;
      }
      SetChild(state, flags);
      return S_OK;
    });
  }
  STDMETHODIMP get_accFocus(VARIANT* out) noexcept override {
    return Guard([&]() -> HRESULT {
      if (!out) return E_POINTER;
      ::VariantInit(out);
      if (::GetFocus() != FWindow) return S_FALSE;
      SetChild(out, FSource->FocusedChild());
      return S_OK;
    });
  }
  STDMETHODIMP get_accSelection(VARIANT* out) noexcept override {
    if (!out) return E_POINTER;
    ::VariantInit(out);
    return S_FALSE;
  }
  STDMETHODIMP accSelect(long, VARIANT) noexcept override { return DISP_E_MEMBERNOTFOUND; }
  STDMETHODIMP accLocation(long* x, long* y, long* w, long* h, VARIANT child) noexcept override {
    return Guard([&]() -> HRESULT {
      long id = 0;
      if (!x || !y || !w || !h) return E_POINTER;
      if (!ChildOf(child, id)) return E_INVALIDARG;
      RECT r{};
      if (!FSource->Location(id, r)) ::GetWindowRect(FWindow, &r);
      *x = r.left;
      *y = r.top;
      *w = r.right - r.left;
      *h = r.bottom - r.top;
      return S_OK;
    });
  }
  STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* out) noexcept override {
    return Guard([&]() -> HRESULT {
      long id = 0;
      if (!out) return E_POINTER;
      ::VariantInit(out);
      if (!ChildOf(start, id)) return E_INVALIDARG;
      const long count = FSource->ChildCount();
      long to = 0;
      switch (direction) {
        case NAVDIR_FIRSTCHILD: to = id == CHILDID_SELF && count > 0 ? 1 : 0; break;
        case NAVDIR_LASTCHILD: to = id == CHILDID_SELF && count > 0 ? count : 0; break;
        case NAVDIR_NEXT: case NAVDIR_DOWN: to = id != CHILDID_SELF && id < count ? id + 1 : 0; break;
        case NAVDIR_PREVIOUS: case NAVDIR_UP: to = id > 1 ? id - 1 : 0; break;
        default: return DISP_E_MEMBERNOTFOUND;
      }
      if (to == 0) return S_FALSE;
      SetChild(out, to);
      return S_OK;
    });
  }
  STDMETHODIMP accHitTest(long x, long y, VARIANT* out) noexcept override {
    return Guard([&]() -> HRESULT {
      if (!out) return E_POINTER;
      ::VariantInit(out);
      RECT window{};
      ::GetWindowRect(FWindow, &window);
      const POINT at{x, y};
      if (!::PtInRect(&window, at)) return S_FALSE;
      SetChild(out, FSource->ChildAt(at));
      return S_OK;
    });
  }
  STDMETHODIMP accDoDefaultAction(VARIANT child) noexcept override {
    return Guard([&]() -> HRESULT {
      long id = 0;
      if (!ChildOf(child, id)) return E_INVALIDARG;
      return FSource->DoDefaultAction(id) ? S_OK : DISP_E_MEMBERNOTFOUND;
    });
  }
  STDMETHODIMP put_accName(VARIANT, BSTR) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP put_accValue(VARIANT, BSTR) noexcept override { return E_NOTIMPL; }

 private:
  ~TAccessibleObject() override = default;

  bool Connected() const noexcept { return FSource && (!FParent || FParent->Connected()); }
  template <typename F>
  HRESULT Guard(F&& body) noexcept {
    if (!Connected() || !::IsWindow(FWindow)) return CO_E_OBJNOTCONNECTED;
    return ComGuard(std::forward<F>(body));
  }
  template <typename F>
  HRESULT Ask(VARIANT child, BSTR* out, F&& read) noexcept {
    if (out) *out = nullptr;
    return Guard([&]() -> HRESULT {
      long id = 0;
      if (!ChildOf(child, id)) return E_INVALIDARG;
      return Text(read(id), out);
    });
  }
  // Hidden children (ids past the count) may stand for parts a focus event names.
  bool ChildOf(const VARIANT& child, long& id) const {
    if (child.vt == VT_EMPTY) {
      id = CHILDID_SELF;
      return true;
    }
    if (child.vt != VT_I4 || child.lVal < 0) return false;
    id = child.lVal;
    return true;
  }

  HWND FWindow;
  TAccessibleSource* FSource;
  std::unique_ptr<TAccessibleSource> FOwned;
  TComPtr<TAccessibleObject> FParent;
};

TAccessibility::TAccessibility(TWindow& window, TAccessibleSource& source) : FWindow(window), FSource(source) {}

TAccessibility::~TAccessibility() { Disconnect(); }

LRESULT TAccessibility::Answer(WPARAM wParam, LPARAM lParam) {
  // Sign-extended in 64 bits, or not, by whoever sent it.
  if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT || !FWindow.Handle()) return 0;
  if (!FObject) FObject = MakeCom<TAccessibleObject>(FWindow.Handle(), &FSource);
  return ResultFromAccessible(FObject.Get(), wParam);
}

void TAccessibility::Disconnect() noexcept {
  if (!FObject) return;
  FObject->Disconnect();
  // Screen readers in other processes let go of it now, not when they next ask.
  ::CoDisconnectObject(static_cast<IUnknown*>(FObject.Get()), 0);
  FObject.Reset();
}

void TAccessibility::Notify(DWORD event, long child) const noexcept {
  if (FWindow.Handle()) ::NotifyWinEvent(event, FWindow.Handle(), OBJID_CLIENT, child);
}

LRESULT ResultFromAccessible(IAccessible* object, WPARAM wParam) {
  const TOleacc& oleacc = Oleacc();
  return oleacc.Result ? oleacc.Result(__uuidof(IAccessible), wParam, object) : 0;
}

TComPtr<IAccessible> WindowAccessible(HWND window) {
  TComPtr<IAccessible> frame;
  const TOleacc& oleacc = Oleacc();
  if (oleacc.FromWindow)
    oleacc.FromWindow(window, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IAccessible), reinterpret_cast<void**>(frame.Put()));
  return frame;
}

}  // namespace fw

namespace fw {

bool TPlainAccessible::DoDefaultAction(long child) {
  if (child != CHILDID_SELF || !Action) return false;
  Action();
  return true;
}

}  // namespace fw
