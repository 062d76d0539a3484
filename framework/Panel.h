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

 protected:
  HBRUSH CNCtlColor(HDC dc) override;
};

}  // namespace fw
