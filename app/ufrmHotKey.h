#pragma once
// The pick hot key's dialog: the system's hot-key control, a button that
// clears it, and whether a pick also adds the colour to the list.
#include <functional>

#include "core/sampling/uPickSettings.h"
#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/Panel.h"

// The common controls' hot-key field.
class THotKeyBox : public fw::TWindow {
 public:
  void Create(fw::TWindow* parent);
  THotKey Key() const;
  void SetKey(const THotKey& key);
};

class TCheckBox : public fw::TWindow {
 public:
  void Create(fw::TWindow* parent, const std::wstring& caption);
  bool Checked() const;
  void SetChecked(bool checked);
};

class TfrmHotKey : public fw::TDialog {
 public:
  explicit TfrmHotKey(fw::TWindow* owner);
  ~TfrmHotKey() override;

  THotKey Key() const { return hkyPick.Key(); }
  void SetKey(const THotKey& key) { hkyPick.SetKey(key); }
  bool AddToList() const { return chkAddToList.Checked(); }
  void SetAddToList(bool add) { chkAddToList.SetChecked(add); }
  bool StartsPickMode() const { return chkPickMode.Checked(); }
  void SetStartsPickMode(bool starts) { chkPickMode.SetChecked(starts); }

  // Asked at OK with the chosen key; false keeps the dialog open.
  std::function<bool(const THotKey& key)> OnAccept;

  fw::TLabel lblKey;
  THotKeyBox hkyPick;
  fw::TButton btnClear;
  TCheckBox chkAddToList;
  TCheckBox chkPickMode;
  fw::TButton btnOk;
  fw::TButton btnCancel;

 private:
  void btnOkClick(fw::TObject* sender);
};
