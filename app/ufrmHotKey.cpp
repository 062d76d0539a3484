#include "app/ufrmHotKey.h"

#include <commctrl.h>

#include "app/resources/StringIds.h"
#include "app/uUiText.h"

void THotKeyBox::Create(fw::TWindow* parent) {
  // The class may not be registered yet where only the basic controls were asked for.
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_HOTKEY_CLASS};
  ::InitCommonControlsEx(&icc);
  TCreateParams p;
  p.ClassName = HOTKEY_CLASSW;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP;
  p.ExStyle = WS_EX_CLIENTEDGE;
  CreateHandle(parent, p);
  // A plain letter or digit alone would be taken from every program.
  ::SendMessageW(Handle(), HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
}

THotKey THotKeyBox::Key() const {
  return HotKeyFromControl(static_cast<std::uint16_t>(::SendMessageW(Handle(), HKM_GETHOTKEY, 0, 0)));
}

void THotKeyBox::SetKey(const THotKey& key) { ::SendMessageW(Handle(), HKM_SETHOTKEY, HotKeyControlValue(key), 0); }

void TCheckBox::Create(fw::TWindow* parent, const std::wstring& caption) {
  TCreateParams p;
  p.ClassName = L"BUTTON";
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_AUTOCHECKBOX;
  p.Text = caption;
  CreateHandle(parent, p);
}

bool TCheckBox::Checked() const { return ::SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TCheckBox::SetChecked(bool checked) {
  ::SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

TfrmHotKey::TfrmHotKey(fw::TWindow* owner) {
  const LOGFONTW font = UiFont(IDS_FONT_UI, 13);
  SetFontFace(font.lfFaceName, 13, font.lfCharSet);
  Create(owner, 260, 134);
  SetText(UiText(IDS_HOT_KEY_CAPTION));

  lblKey.SetBounds(12, 12, 236, 14);
  lblKey.Create(this, UiText(IDS_HOT_KEY_LABEL));
  hkyPick.SetBounds(12, 30, 164, 21);
  hkyPick.Create(this);
  btnClear.SetBounds(182, 30, 66, 21);
  btnClear.OnClick = [this](fw::TObject*) {
    hkyPick.SetKey(THotKey{});
    hkyPick.SetFocus();
  };
  btnClear.Create(this, UiText(IDS_HOT_KEY_NONE));
  chkAddToList.SetBounds(12, 58, 236, 18);
  chkAddToList.Create(this, UiText(IDS_HOT_KEY_ADD_TO_LIST));
  chkPickMode.SetBounds(12, 80, 236, 18);
  chkPickMode.Create(this, UiText(IDS_HOT_KEY_STARTS_PICK));

  btnOk.SetBounds(100, 104, 72, 21);
  btnOk.SetDefault(true);
  btnOk.OnClick = [this](fw::TObject* s) { btnOkClick(s); };
  btnOk.Create(this, L"OK");
  btnCancel.SetBounds(178, 104, 72, 21);
  btnCancel.SetCancel(true);
  btnCancel.SetModalResult(mrCancel);
  btnCancel.Create(this, UiText(IDS_BUTTON_CANCEL));
  SetActiveControl(&hkyPick);
}

TfrmHotKey::~TfrmHotKey() { DestroyHandle(); }

void TfrmHotKey::btnOkClick(fw::TObject*) {
  if (!OnAccept || OnAccept(Key())) SetModalResult(mrOk);
}
