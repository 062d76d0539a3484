#include "app/ufrmCopyFormats.h"

#include <algorithm>
#include <utility>

#include "app/resources/StringIds.h"
#include "app/uUiText.h"
#include "core/colorout/uCopyFormatStore.h"
#include "core/colorout/uCopyFormats.h"
#include "core/colorout/uCopyTemplate.h"
#include "framework/Beep.h"

namespace {

const wchar_t kPlaceholders[] = L"{r} {g} {b}  {R} {G} {B}  {h} {s} {l}  {rf} {gf} {bf}  {name}";

}  // namespace

std::wstring CopyTemplateFaultText(const TTemplateProblem& problem, std::wstring_view text) {
  switch (problem.fault) {
    case TTemplateFault::Empty:
      return UiText(IDS_TEMPLATE_EMPTY);
    case TTemplateFault::Nul:
      return UiText(IDS_TEMPLATE_NUL);
    case TTemplateFault::UnmatchedClose:
      return UiText(IDS_TEMPLATE_UNMATCHED_CLOSE);
    case TTemplateFault::Unclosed:
      return UiText(IDS_TEMPLATE_UNCLOSED);
    case TTemplateFault::UnknownName:
      return UiText(IDS_TEMPLATE_UNKNOWN_NAME, text.substr(std::min(problem.position, text.size()), problem.length));
  }
  return UiText(IDS_TEMPLATE_EMPTY);
}

// ---- List box

void TFormatListBox::Create(fw::TWindow* parent) {
  TCreateParams p;
  p.ClassName = L"LISTBOX";
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  p.ExStyle = WS_EX_CLIENTEDGE;
  CreateHandle(parent, p);
}

void TFormatListBox::SetItems(const std::vector<std::wstring>& items) {
  ::SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
  for (const std::wstring& item : items)
    ::SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

std::wstring TFormatListBox::Item(int index) const {
  const LRESULT n = ::SendMessageW(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  const LRESULT got =
      ::SendMessageW(Handle(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
  return text;
}

int TFormatListBox::Count() const noexcept { return static_cast<int>(::SendMessageW(Handle(), LB_GETCOUNT, 0, 0)); }

int TFormatListBox::ItemIndex() const noexcept {
  const LRESULT i = ::SendMessageW(Handle(), LB_GETCURSEL, 0, 0);
  return i == LB_ERR ? -1 : static_cast<int>(i);
}

void TFormatListBox::SetItemIndex(int index) noexcept {
  ::SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool TFormatListBox::CNCommand(WORD code, WORD) {
  if (code != LBN_SELCHANGE) return false;
  if (OnChange) OnChange(this);
  return true;
}

// ---- Dialog

TfrmCopyFormats::TfrmCopyFormats(fw::TWindow* owner, std::vector<std::wstring> templates, TColor color)
    : FTemplates(std::move(templates)), FColor(color) {
  OnCreate = [this](fw::TObject* s) { FormCreate(s); };
  const LOGFONTW font = UiFont(IDS_FONT_UI, 13);
  SetFontFace(font.lfFaceName, 13, font.lfCharSet);
  Create(owner, 420, 334);
}

TfrmCopyFormats::~TfrmCopyFormats() { DestroyHandle(); }

void TfrmCopyFormats::FormCreate(fw::TObject*) {
  SetText(UiText(IDS_FORMATS_CAPTION));
  lblFormats.SetBounds(8, 8, 200, 14);
  lblFormats.SetShowAccelChar(true);
  lblFormats.Create(this, UiText(IDS_FORMATS_LABEL));
  lstFormats.SetBounds(8, 24, 300, 150);
  lstFormats.OnChange = [this](fw::TObject* s) { lstFormatsChange(s); };
  lstFormats.Create(this);

  struct TSide {
    fw::TButton& Button;
    UINT Caption;
    void (TfrmCopyFormats::*Click)(fw::TObject*);
  };
  const TSide side[] = {
      {btnAdd, IDS_FORMATS_ADD, &TfrmCopyFormats::btnAddClick},
      {btnChange, IDS_FORMATS_CHANGE, &TfrmCopyFormats::btnChangeClick},
      {btnDelete, IDS_FORMATS_DELETE, &TfrmCopyFormats::btnDeleteClick},
  };
  int top = 24;
  for (const TSide& s : side) {
    s.Button.SetBounds(320, top, 92, 23);
    s.Button.OnClick = [this, click = s.Click](fw::TObject* sender) { (this->*click)(sender); };
    s.Button.Create(this, UiText(s.Caption));
    top += 28;
  }
  btnUp.SetBounds(320, top + 8, 92, 23);
  btnUp.OnClick = [this](fw::TObject*) { Move(-1); };
  btnUp.Create(this, UiText(IDS_FORMATS_UP));
  btnDown.SetBounds(320, top + 36, 92, 23);
  btnDown.OnClick = [this](fw::TObject*) { Move(1); };
  btnDown.Create(this, UiText(IDS_FORMATS_DOWN));

  lblTemplate.SetBounds(8, 182, 200, 14);
  lblTemplate.SetShowAccelChar(true);
  lblTemplate.Create(this, UiText(IDS_FORMATS_TEMPLATE));
  edtTemplate.SetBounds(8, 198, 404, 21);
  edtTemplate.SetMaxLength(static_cast<int>(kMaxCopyTemplateLength));
  edtTemplate.OnChange = [this](fw::TObject* s) { edtTemplateChange(s); };
  edtTemplate.Create(this);
  // Four lines: a fault's reason wraps and names the placeholder in full.
  lblPreview.SetBounds(8, 224, 404, 56);
  lblPreview.Create(this, L"");
  lblPlaceholders.SetBounds(8, 284, 404, 14);
  lblPlaceholders.Create(this, kPlaceholders);

  btnOK.SetBounds(236, 304, 84, 23);
  btnOK.SetDefault(true);
  btnOK.OnClick = [this](fw::TObject* s) { btnOKClick(s); };
  btnOK.Create(this, L"OK");
  btnCancel.SetBounds(328, 304, 84, 23);
  btnCancel.SetCancel(true);
  btnCancel.SetModalResult(mrCancel);
  btnCancel.Create(this, UiText(IDS_BUTTON_CANCEL));

  FillList(0);
  SetActiveControl(&lstFormats);
}

void TfrmCopyFormats::FillList(int select) {
  std::vector<std::wstring> items;
  for (TCopyFormat f : BuiltInCopyFormats()) items.push_back(UiText(IDS_FORMATS_BUILT_IN, FormatColor(f, FColor)));
  for (const std::wstring& t : FTemplates)
    items.push_back(UiText(CheckCopyTemplate(t) ? IDS_FORMATS_FAULTY : IDS_FORMATS_USER, t));
  lstFormats.SetItems(items);
  lstFormats.SetItemIndex(std::min(select, static_cast<int>(items.size()) - 1));
  lstFormatsChange(&lstFormats);
}

int TfrmCopyFormats::SelectedTemplate() const noexcept {
  const int i = lstFormats.ItemIndex() - static_cast<int>(BuiltInCopyFormats().size());
  return i >= 0 && i < static_cast<int>(FTemplates.size()) ? i : -1;
}

void TfrmCopyFormats::UpdateControls() {
  const int t = SelectedTemplate();
  const std::wstring text = edtTemplate.Text();
  const bool sound = !CheckCopyTemplate(text);
  btnAdd.SetEnabled(sound && FTemplates.size() < kMaxCopyTemplates);
  btnChange.SetEnabled(sound && t >= 0);
  btnDelete.SetEnabled(t >= 0);
  btnUp.SetEnabled(t > 0);
  btnDown.SetEnabled(t >= 0 && t + 1 < static_cast<int>(FTemplates.size()));
}

void TfrmCopyFormats::lstFormatsChange(fw::TObject*) {
  if (const int t = SelectedTemplate(); t >= 0) {
    FShowingTemplate = true;
    edtTemplate.SetText(FTemplates[static_cast<std::size_t>(t)]);
    FShowingTemplate = false;
    FTyped = false;
  }
  edtTemplateChange(nullptr);
}

void TfrmCopyFormats::edtTemplateChange(fw::TObject* sender) {
  if (sender == &edtTemplate && !FShowingTemplate) FTyped = true;
  const std::wstring text = edtTemplate.Text();
  std::wstring shown;
  if (text.empty())
    shown.clear();
  else if (const auto problem = CheckCopyTemplate(text))
    shown = UiText(IDS_FORMATS_FAULTY, CopyTemplateFaultText(*problem, text));
  else
    shown = UiText(IDS_FORMATS_PREVIEW, ExpandCopyTemplate(text, FColor));
  if (lblPreview.Text() != shown) lblPreview.SetText(shown);
  UpdateControls();
}

void TfrmCopyFormats::btnAddClick(fw::TObject*) {
  const std::wstring text = edtTemplate.Text();
  if (CheckCopyTemplate(text) || FTemplates.size() >= kMaxCopyTemplates) return fw::MessageBeep(0);
  FTemplates.push_back(text);
  FillList(static_cast<int>(BuiltInCopyFormats().size() + FTemplates.size()) - 1);
}

void TfrmCopyFormats::btnOKClick(fw::TObject*) {
  const std::wstring text = edtTemplate.Text();
  const bool pending = FTyped && !text.empty() && std::find(FTemplates.begin(), FTemplates.end(), text) == FTemplates.end();
  if (pending && !CheckCopyTemplate(text) && FTemplates.size() < kMaxCopyTemplates) {
    FTemplates.push_back(text);
  } else if (pending) {
    const std::wstring why = FTemplates.size() < kMaxCopyTemplates ? CopyTemplateFaultText(*CheckCopyTemplate(text), text)
                                                                   : UiText(IDS_FORMATS_FULL);
    const std::wstring question = UiText(IDS_FORMATS_NOT_ADDED, {{L"{0}", text}, {L"{1}", why}});
    const UINT type = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;
    const int answer = Ask ? Ask(Handle(), question, Text(), type)
                           : ::MessageBoxW(Handle(), question.c_str(), Text().c_str(), type);
    if (answer != IDYES) {
      edtTemplate.SetFocus();
      return;
    }
  }
  SetModalResult(mrOk);
}

void TfrmCopyFormats::btnChangeClick(fw::TObject*) {
  const int t = SelectedTemplate();
  const std::wstring text = edtTemplate.Text();
  if (t < 0 || CheckCopyTemplate(text)) return fw::MessageBeep(0);
  FTemplates[static_cast<std::size_t>(t)] = text;
  FillList(lstFormats.ItemIndex());
}

void TfrmCopyFormats::btnDeleteClick(fw::TObject*) {
  const int t = SelectedTemplate();
  if (t < 0) return;
  FTemplates.erase(FTemplates.begin() + t);
  FillList(lstFormats.ItemIndex());
}

void TfrmCopyFormats::Move(int by) {
  const int t = SelectedTemplate(), to = t + by;
  if (t < 0 || to < 0 || to >= static_cast<int>(FTemplates.size())) return;
  std::swap(FTemplates[static_cast<std::size_t>(t)], FTemplates[static_cast<std::size_t>(to)]);
  FillList(lstFormats.ItemIndex() + by);
}
