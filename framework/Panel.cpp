#include "framework/Panel.h"
#include "framework/Theme.h"

namespace fw {

void TPanel::Create(TWindow* parent) {
  TCreateParams p;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  // Lets tab navigation walk into the panel's children.
  p.ExStyle = WS_EX_CONTROLPARENT;
  CreateHandle(parent, p);
}

void TPanel::SetBevelOuter(TBevel bevel) {
  FBevelOuter = bevel;
  Invalidate(true);
}

bool TPanel::Paint(HDC dc, const RECT&) {
  if (FBevelOuter != TBevel::bvNone) DrawThemeEdge(dc, ClientRect(), FBevelOuter == TBevel::bvRaised);
  return true;
}

void TLabel::Create(TWindow* parent, const std::wstring& caption, TAlignment alignment) {
  TCreateParams p;
  p.ClassName = L"STATIC";
  p.Style = WS_CHILD | (FShowAccelChar ? 0 : SS_NOPREFIX) |
            (alignment == TAlignment::taRightJustify ? SS_RIGHT
             : alignment == TAlignment::taCenter     ? SS_CENTER
                                                     : SS_LEFT);
  p.Text = caption;
  if (OnClick) p.Style |= SS_NOTIFY;
  CreateHandle(parent, p);
}

void TLabel::SetFontColor(COLORREF color) {
  FFontColor = color;
  Invalidate(true);
}

HBRUSH TLabel::CNCtlColor(HDC dc) {
  ::SetBkMode(dc, TRANSPARENT);
  // A colour of the program's own gives way to the user's in high contrast.
  ::SetTextColor(dc, FFontColor == CLR_INVALID || ThemeHighContrast() ? ThemeColor(TThemeRole::FaceText) : FFontColor);
  return ThemeBrush(TThemeRole::Face);
}

bool TLabel::CNCommand(WORD code, WORD) {
  if (code != STN_CLICKED || !OnClick) return false;
  OnClick(this);
  return true;
}

}  // namespace fw
