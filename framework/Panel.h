#pragma once
// Plain containers and static text.
#include "framework/Window.h"

namespace fw {

enum class TBevel { bvNone, bvLowered, bvRaised };

class TPanel : public TWindow {
 public:
  void Create(TWindow* parent);
  TBevel BevelOuter() const noexcept { return FBevelOuter; }
  void SetBevelOuter(TBevel bevel);

 protected:
  bool Paint(HDC dc, const RECT& clip) override;

 private:
  TBevel FBevelOuter = TBevel::bvNone;
};

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TWindow {
 public:
  void Create(TWindow* parent, const std::wstring& caption, TAlignment alignment = TAlignment::taLeftJustify);

  // CLR_INVALID: the system's button text colour.
  COLORREF FontColor() const noexcept { return FFontColor; }
  void SetFontColor(COLORREF color);

  // Set before Create, "&" marks the access key of the control that follows
  // in a dialog; otherwise it shows as written.
  void SetShowAccelChar(bool value) noexcept { FShowAccelChar = value; }

  // Assigned before Create, it makes the label take clicks (a link).
  TNotifyEvent OnClick;

 protected:
  HBRUSH CNCtlColor(HDC dc) override;
  bool CNCommand(WORD code, WORD id) override;

 private:
  COLORREF FFontColor = CLR_INVALID;
  bool FShowAccelChar = false;
};

}  // namespace fw
