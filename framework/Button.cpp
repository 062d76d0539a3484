#include "framework/Button.h"

#include "framework/ModalResult.h"

namespace fw {

void TButton::Create(TWindow* parent, const std::wstring& caption) {
  TCreateParams p;
  p.ClassName = L"BUTTON";
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | (FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  p.Text = caption;
  CreateHandle(parent, p);
}

void TButton::SetDefault(bool value) {
  FDefault = value;
  if (HandleAllocated()) ::SendMessageW(Handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
  TLifeGuard alive(this);
  if (OnClick) OnClick(this);
  if (!alive || FModalResult == TModalResultTarget::mrNone || !HandleAllocated()) return;
  if (auto* target = dynamic_cast<TModalResultTarget*>(FromHandle(::GetAncestor(Handle(), GA_ROOT))))
    target->SetModalResult(FModalResult);
}

bool TButton::CNCommand(WORD code, WORD) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}

}  // namespace fw
