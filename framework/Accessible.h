#pragma once
// What a screen reader reads of the program's own controls: an IAccessible
// object per control, made when first asked for (WM_GETOBJECT), answering
// from the control's own state through a source, and cut off from the
// control when its window goes. Parts of a control are simple children
// (1..n) or, when they have parts of their own (a table's rows), objects of
// their own made on request, so a long list costs nothing until read.
#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/Com.h"

namespace fw {

class TWindow;

// Child 0 (CHILDID_SELF) is the control or part itself.
class TAccessibleSource {
 public:
  virtual ~TAccessibleSource() = default;
  virtual long ChildCount() const { return 0; }
  virtual long Role(long child) const = 0;
  virtual std::wstring Name(long child) const = 0;
  virtual std::wstring Value(long /*child*/) const { return {}; }
  virtual std::wstring Description(long /*child*/) const { return {}; }
  virtual std::wstring Help(long /*child*/) const { return {}; }
  // Beyond those the window gives (focused, focusable, invisible, unavailable).
  virtual long State(long /*child*/) const { return 0; }
  virtual std::wstring DefaultAction(long /*child*/) const { return {}; }
  // False when the child has no action.
  virtual bool DoDefaultAction(long /*child*/) { return false; }
  // Screen coordinates; false for the window's own rectangle.
  virtual bool Location(long /*child*/, RECT& /*screen*/) const { return false; }
  // The child at a screen point inside the window, 0 for none.
  virtual long ChildAt(POINT /*screen*/) const { return CHILDID_SELF; }
  // The child that has the focus while the window has it.
  virtual long FocusedChild() const { return CHILDID_SELF; }
  // A child with parts of its own: a new source for its object (the object
  // owns it); null for a simple child.
  virtual std::unique_ptr<TAccessibleSource> ChildSource(long /*child*/) { return nullptr; }
};

// A control without parts: a role, and texts asked for each time they are read.
class TPlainAccessible final : public TAccessibleSource {
 public:
  explicit TPlainAccessible(long role) : FRole(role) {}
  std::function<std::wstring()> NameOf, ValueOf;
  std::wstring ActionName;
  std::function<void()> Action;

  long Role(long) const override { return FRole; }
  std::wstring Name(long child) const override { return child == CHILDID_SELF && NameOf ? NameOf() : L""; }
  std::wstring Value(long child) const override { return child == CHILDID_SELF && ValueOf ? ValueOf() : L""; }
  std::wstring DefaultAction(long child) const override { return child == CHILDID_SELF && Action ? ActionName : L""; }
  bool DoDefaultAction(long child) override;

 private:
  long FRole;
};

class TAccessibleObject;

// The object of one window: made on the first request, disconnected when
// the window goes or the owner ends it.
class TAccessibility {
 public:
  TAccessibility(TWindow& window, TAccessibleSource& source);
  ~TAccessibility();
  TAccessibility(const TAccessibility&) = delete;
  TAccessibility& operator=(const TAccessibility&) = delete;

  // WM_GETOBJECT; 0 for another object than the client's.
  LRESULT Answer(WPARAM wParam, LPARAM lParam);
  void Disconnect() noexcept;
  // After a change: a screen reader asks again (EVENT_OBJECT_NAMECHANGE, ...).
  void Notify(DWORD event, long child = CHILDID_SELF) const noexcept;

 private:
  TWindow& FWindow;
  TAccessibleSource& FSource;
  TComPtr<TAccessibleObject> FObject;
};

// oleacc is loaded on the first request: a program nobody reads does not pay for it.
LRESULT ResultFromAccessible(IAccessible* object, WPARAM wParam);
// The system's object for the window's frame (a client object's parent).
TComPtr<IAccessible> WindowAccessible(HWND window);

}  // namespace fw
