#pragma once
// The copy formats dialog: the built-in formats (read-only) and the user's
// templates in menu order; templates are added, changed, removed and moved,
// and the text being edited is checked and previewed for the colour.
#include <string>
#include <vector>

#include "core/color/uColor.h"
#include "core/colorout/uCopyTemplate.h"
#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/Panel.h"

// The system list box with single selection.
// A template's fault in the interface's language.
std::wstring CopyTemplateFaultText(TTemplateFault fault);

class TFormatListBox : public fw::TWindow {
 public:
  void Create(fw::TWindow* parent);
  void SetItems(const std::vector<std::wstring>& items);
  std::wstring Item(int index) const;
  int Count() const noexcept;
  // -1 when nothing is selected.
  int ItemIndex() const noexcept;
  void SetItemIndex(int index) noexcept;

  fw::TNotifyEvent OnChange;

 protected:
  bool CNCommand(WORD code, WORD id) override;
};

class TfrmCopyFormats : public fw::TDialog {
 public:
  TfrmCopyFormats(fw::TWindow* owner, std::vector<std::wstring> templates, TColor color);
  ~TfrmCopyFormats() override;

  const std::vector<std::wstring>& Templates() const noexcept { return FTemplates; }

  TFormatListBox lstFormats;
  fw::TCustomEdit edtTemplate;
  fw::TLabel lblFormats, lblTemplate, lblPreview, lblPlaceholders;
  fw::TButton btnAdd, btnChange, btnDelete, btnUp, btnDown, btnOK, btnCancel;

 private:
  void FormCreate(fw::TObject* sender);
  void FillList(int select);
  // The selected template's index, -1 for a built-in format or none.
  int SelectedTemplate() const noexcept;
  void UpdateControls();
  void lstFormatsChange(fw::TObject* sender);
  void edtTemplateChange(fw::TObject* sender);
  void btnAddClick(fw::TObject* sender);
  void btnChangeClick(fw::TObject* sender);
  void btnDeleteClick(fw::TObject* sender);
  void Move(int by);

  std::vector<std::wstring> FTemplates;
  TColor FColor;
};
