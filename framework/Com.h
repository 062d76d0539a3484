#pragma once
// COM support: an owning interface pointer, a guard for COM methods and a
// reference-counted base that answers QueryInterface from its interface list.
#include <windows.h>
#include <objbase.h>
#include <unknwn.h>

#include <new>
#include <utility>

namespace fw {

// Owns one reference. A raw pointer comes in only by name: Adopt for a
// reference the caller already holds (a factory result, an out-parameter),
// Copy for a borrowed one; so a factory result is never counted twice.
template <typename T>
class TComPtr {
 public:
  TComPtr() noexcept = default;
  TComPtr(std::nullptr_t) noexcept {}
  TComPtr(const TComPtr& o) noexcept : FPtr(o.FPtr) {
    if (FPtr) FPtr->AddRef();
  }
  TComPtr(TComPtr&& o) noexcept : FPtr(std::exchange(o.FPtr, nullptr)) {}
  // From a pointer to a derived class (an object to one of its interfaces).
  template <typename U>
  TComPtr(TComPtr<U>&& o) noexcept : FPtr(o.Detach()) {}
  template <typename U>
  TComPtr(const TComPtr<U>& o) noexcept : FPtr(o.Get()) {
    if (FPtr) FPtr->AddRef();
  }
  ~TComPtr() { Reset(); }
  TComPtr& operator=(TComPtr o) noexcept {
    std::swap(FPtr, o.FPtr);
    return *this;
  }

  static TComPtr Adopt(T* p) noexcept {
    TComPtr r;
    r.FPtr = p;
    return r;
  }
  static TComPtr Copy(T* p) noexcept {
    if (p) p->AddRef();
    return Adopt(p);
  }

  T* Get() const noexcept { return FPtr; }
  T* operator->() const noexcept { return FPtr; }
  explicit operator bool() const noexcept { return FPtr != nullptr; }
  // For out-parameters that hand over a reference.
  T** Put() noexcept {
    Reset();
    return &FPtr;
  }
  // Gives the reference to the caller (an out-parameter of our own method).
  T* Detach() noexcept { return std::exchange(FPtr, nullptr); }
  void Reset() noexcept {
    if (T* p = std::exchange(FPtr, nullptr)) p->Release();
  }

  template <typename U>
  TComPtr<U> As() const noexcept {
    TComPtr<U> r;
    if (FPtr) FPtr->QueryInterface(__uuidof(U), reinterpret_cast<void**>(r.Put()));
    return r;
  }

 private:
  T* FPtr = nullptr;
};

// Runs the body of a COM method: no exception may cross the interface.
template <typename F>
HRESULT ComGuard(F&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

// Objects of every TInterfacedObject alive in this process; tests use it to
// see each object freed on its last release.
long ComObjectCount() noexcept;

namespace detail {
void ComObjectCreated() noexcept;
void ComObjectDestroyed() noexcept;
}  // namespace detail

// Reference-counted implementation of the interfaces I... (each derived from
// IUnknown). The count starts at one, owned by the creator: make objects
// with MakeCom. The destructor is protected so no one deletes or stacks one.
template <typename... I>
class TInterfacedObject : public I... {
 public:
  TInterfacedObject(const TInterfacedObject&) = delete;
  TInterfacedObject& operator=(const TInterfacedObject&) = delete;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    // The first interface stands for IUnknown, so every query for IUnknown
    // gives the same pointer (COM's identity rule).
    if (iid == IID_IUnknown) *out = static_cast<IUnknown*>(static_cast<TFirst*>(this));
    (void)((*out == nullptr && iid == __uuidof(I) && (*out = static_cast<I*>(this), true)) || ...);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return static_cast<ULONG>(::InterlockedIncrement(&FRefCount)); }
  STDMETHODIMP_(ULONG) Release() noexcept override {
    const LONG count = ::InterlockedDecrement(&FRefCount);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
  }

 protected:
  TInterfacedObject() noexcept { detail::ComObjectCreated(); }
  virtual ~TInterfacedObject() { detail::ComObjectDestroyed(); }

 private:
  template <typename F, typename...>
  struct TFirstOf {
    using Type = F;
  };
  using TFirst = typename TFirstOf<I...>::Type;

  LONG FRefCount = 1;
};

// new T(args...) adopted with its initial reference.
template <typename T, typename... A>
TComPtr<T> MakeCom(A&&... args) {
  return TComPtr<T>::Adopt(new T(std::forward<A>(args)...));
}

}  // namespace fw
