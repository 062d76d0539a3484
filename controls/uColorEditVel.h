#pragma once
// A one-line edit that shows a colour as "#RRGGBB" and takes a typed or
// pasted colour text back: Enter or leaving the edit hands the text to
// OnApply, which reads it and answers whether it was a colour. A text that
// was none stays as typed, drawn in the theme's invalid-text colour, until
// the next colour or a good text; Esc puts the colour's text back.
#include <functional>
#include <string>

#include "core/color/uColor.h"
#include "framework/Accessible.h"
#include "framework/Edit.h"

class TColorEditVel : public fw::TCustomEdit {
 public:
  TColorEditVel();
  ~TColorEditVel() override;

  // What a screen reader reads as the edit's name (Wine's own proxy knows
  // the program's edit class by no name).
  std::wstring AccessibleName;

  void Create(fw::TWindow* parent);
  // Shows the colour's text; a text being typed is replaced and the mark cleared.
  void SetColor(TColor color);
  TColor Color() const noexcept { return FColor; }
  // The last text handed over was no colour.
  bool Invalid() const noexcept { return FInvalid; }

  // Reads the text and applies the colour; false when it is none, which
  // leaves everything as it was.
  std::function<bool(const std::wstring& text)> OnApply;
  // The mark went on or off.
  fw::TNotifyEvent OnInvalidChange;

  // What Enter and leaving do: hands a changed text over.
  void Apply();

 protected:
  void KeyDown(WORD& key, fw::TShiftState shift) override;
  void KeyPress(wchar_t& key) override;
  void DoExit() override;
  HBRUSH CNCtlColor(HDC dc) override;

 private:
  void SetInvalid(bool invalid);

  class TAccessible final : public fw::TAccessibleSource {
   public:
    explicit TAccessible(TColorEditVel& edit) : FEdit(edit) {}
    long Role(long) const override { return ROLE_SYSTEM_TEXT; }
    std::wstring Name(long) const override { return FEdit.AccessibleName; }
    std::wstring Value(long) const override { return FEdit.Text(); }

   private:
    TColorEditVel& FEdit;
  } FAccessible{*this};

  TColor FColor = 0;
  std::wstring FShown;
  bool FInvalid = false;
};
