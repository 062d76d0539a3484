#pragma once
// The copy formats dialog: the built-in formats (read-only) and the user's
// templates in menu order; templates are added, changed, removed and moved,
// and the text being edited is checked and previewed for the colour.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/color/uColor.h"
#include "core/colorout/uCopyTemplate.h"
#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/Panel.h"

// A template's fault in the interface's language, naming an unknown
// placeholder as it stands in text.
std::wstring CopyTemplateFaultText(const TTemplateProblem& problem, std::wstring_view text);

// The system list box with single selection.
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

  // The question before a typed template that cannot be added is left
  // behind; MessageBoxW's shape, so that tests can answer it.
  std::function<int(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)> Ask;

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
  // A template typed but not added is added, or asked about when it cannot be.
  void btnOKClick(fw::TObject* sender);
  void Move(int by);

  std::vector<std::wstring> FTemplates;
  TColor FColor;
  // The template box holds what the user typed, not a listed template.
  bool FTyped = false;
  bool FShowingTemplate = false;
};
