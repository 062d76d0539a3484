#include "framework/ToolBar.h"

#include "core/controls/uDpiScale.h"
#include "framework/Application.h"

namespace fw {

TToolBar::TToolBar(TActionList& actions) : FActions(actions) {
  FActions.AddListener(this, [this](TAction& a) { Refresh(a); });
}

TToolBar::~TToolBar() { FActions.RemoveListener(this); }

void TToolBar::Create(TWindow* parent, TImageList& images) {
  TCreateParams p;
  p.ClassName = TOOLBARCLASSNAMEW;
  p.Style =
      WS_CHILD | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;
  CreateHandle(parent, p);
  ::SendMessageW(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  FImages = &images;
  ApplySizes();
  Application().ApplyHintSettings(ToolTips());
}

void TToolBar::ApplySizes() {
  // The bar lets go of the old list before it is destroyed.
  ::SendMessageW(Handle(), TB_SETIMAGELIST, 0, 0);
  const int side = ToolImageSizeForDpi(Dpi());
  FImages->SetImageSize(side, side);
  ::SendMessageW(Handle(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages->Handle()));
  ::SendMessageW(Handle(), TB_SETBITMAPSIZE, 0, MAKELPARAM(side, side));
  ::SendMessageW(Handle(), TB_SETBUTTONSIZE, 0, MAKELPARAM(Scaled(23), Scaled(22)));
}

void TToolBar::DpiChanged(int, int) {
  if (Handle() && FImages) ApplySizes();
}

HWND TToolBar::ToolTips() const noexcept {
  return reinterpret_cast<HWND>(::SendMessageW(Handle(), TB_GETTOOLTIPS, 0, 0));
}

BYTE TToolBar::StateOf(const TAction& action) const noexcept {
  BYTE state = 0;
  if (action.Enabled()) state |= TBSTATE_ENABLED;
  if (action.Checked()) state |= TBSTATE_CHECKED;
  return state;
}

void TToolBar::AddAction(TAction& action) {
  TBBUTTON b{};
  b.iBitmap = action.ImageIndex() >= 0 ? action.ImageIndex() : I_IMAGENONE;
  b.idCommand = action.Id();
  b.fsState = StateOf(action);
  b.fsStyle = BTNS_BUTTON;
  b.iString = -1;
  ::SendMessageW(Handle(), TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&b));
}

void TToolBar::AddSeparator() {
  TBBUTTON b{};
  b.iBitmap = 6;  // separator width
  b.fsStyle = BTNS_SEP;
  ::SendMessageW(Handle(), TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&b));
}

int TToolBar::ButtonCount() const noexcept { return static_cast<int>(::SendMessageW(Handle(), TB_BUTTONCOUNT, 0, 0)); }

void TToolBar::Refresh(TAction& action) {
  if (!Handle()) return;
  LRESULT index = ::SendMessageW(Handle(), TB_COMMANDTOINDEX, action.Id(), 0);
  if (index < 0) return;
  ::SendMessageW(Handle(), TB_SETSTATE, action.Id(), MAKELPARAM(StateOf(action), 0));
  ::SendMessageW(Handle(), TB_CHANGEBITMAP, action.Id(),
                 MAKELPARAM(action.ImageIndex() >= 0 ? action.ImageIndex() : I_IMAGENONE, 0));
}

bool TToolBar::CNCommand(WORD, WORD id) {
  if (TAction* a = FActions.FindById(id)) {
    a->Execute();
    return true;
  }
  return false;
}

bool TToolBar::CNNotify(NMHDR* hdr, LRESULT& result) {
  if (hdr->code != TTN_GETDISPINFOW) return false;
  // The tool tip belongs to this bar only when the bar names it.
  if (hdr->hwndFrom != reinterpret_cast<HWND>(::SendMessageW(Handle(), TB_GETTOOLTIPS, 0, 0))) return false;
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(hdr);
  TAction* a = FActions.FindById(static_cast<WORD>(hdr->idFrom));
  if (!a) return false;
  // The key that does the same as the button, so the bar teaches it: "Open (Ctrl+O)".
  FTipText = a->Hint();
  if (!a->ShortCut().Empty()) FTipText += L" (" + a->ShortCut().Text() + L")";
  info->lpszText = FTipText.data();
  info->hinst = nullptr;
  result = 0;
  return true;
}

}  // namespace fw
