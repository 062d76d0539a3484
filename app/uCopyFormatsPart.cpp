#include "app/uCopyFormatsPart.h"

#include <utility>

#include "app/resources/StringIds.h"
#include "app/shell/uRegMultiString.h"
#include "app/uUiText.h"
#include "app/ufrmCopyFormats.h"
#include "core/colorout/uCopyFormatStore.h"
#include "core/colorout/uCopyFormats.h"
#include "core/colorout/uCopyTemplate.h"
#include "framework/Clipboard.h"
#include "framework/Form.h"
#include "framework/Handles.h"
#include "framework/support/uRegistry.h"

namespace {

const wchar_t kCopyFormatsValue[] = L"CopyFormats";
const wchar_t kPickCopyFormatValue[] = L"PickCopyFormat";
// The built-in formats' access keys, in menu order; E and N belong to the
// submenus' own items (形式の編集, なし).
constexpr std::wstring_view kAccessKeys = L"1234567890ABCDFGHIJKLMOPQRSTUVWXYZ";
// Far above what the editor stores; a value beyond it is no list of ours.
constexpr std::size_t kMaxStoredChars = 256 * 1024;
constexpr std::size_t kMaxCaptionChars = 64;

UINT TrackPopup(HMENU menu, HWND owner, int x, int y) {
  return static_cast<UINT>(
      ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, owner, nullptr));
}

}  // namespace

std::wstring MenuCaptionOf(std::wstring_view text) {
  std::wstring caption;
  std::size_t shown = 0;
  for (wchar_t c : text) {
    if (shown == kMaxCaptionChars) {
      caption += L'…';
      break;
    }
    if (c == L'&') caption += L'&';
    caption += c == L'\t' || c == L'\r' || c == L'\n' ? L' ' : c;
    ++shown;
  }
  return caption;
}

TCopyFormatsPart::TCopyFormatsPart(fw::TActionList& actions)
    : actEditFormats(actions.Add(L"actEditCopyFormats")),
      actCopyCurrent(actions.Add(L"actCopyCurrent")),
      TrackMenu(&TrackPopup),
      FActions(actions) {
  actEditFormats.SetCategory(L"020_編集");
  actEditFormats.SetCaption(UiText(IDS_ACT_EDIT_FORMATS));
  actEditFormats.OnExecute = [this](fw::TObject* s) { actEditFormatsExecute(s); };
  actCopyCurrent.SetCategory(L"020_編集");
  actCopyCurrent.SetCaption(UiText(IDS_ACT_COPY_CURRENT));
  actCopyCurrent.SetShortCut(fw::TShortCut{'C', true, true, false});
  actCopyCurrent.OnExecute = [this](fw::TObject*) { CopyText(PickText(CopyColor ? CopyColor() : 0)); };
}

std::wstring TCopyFormatsPart::CaptionOf(std::size_t index, TColor color) const {
  const auto builtIns = BuiltInCopyFormats();
  const std::wstring output = MenuCaptionOf(OutputOf(index, color));
  if (index >= builtIns.size()) return output;
  std::wstring caption;
  if (index < kAccessKeys.size()) caption = std::wstring(L"&") + kAccessKeys[index] + L' ';
  return caption + std::wstring(CopyFormatLabel(builtIns[index])) + L"  " + output;
}

void TCopyFormatsPart::CopyText(const std::wstring& text) {
  if (!text.empty()) fw::ClipboardSetUnicodeText(OwnerHandle(), text);
}

void TCopyFormatsPart::CopyOnPick(TColor color) { CopyText(PickCopyText(FPickFormat, color)); }

void TCopyFormatsPart::SetPickFormat(TPickCopyFormat format) {
  FPickFormat = ParsePickCopyFormat(PickCopyFormatText(format), FTemplates);
  if (!FSettingsKey.empty())
    SetRegistryVal(HKEY_CURRENT_USER, FSettingsKey, kPickCopyFormatValue, PickCopyFormatText(FPickFormat));
}

fw::TMenuItem& TCopyFormatsPart::AddPickMenu(fw::TMainMenu& menu, fw::TMenuItem& parent) {
  FMenu = &menu;
  fw::TMenuItem& sub = parent.Add(fw::TMenuItem::Submenu(UiText(IDS_ACT_PICK_COPY)));
  FPickItems.clear();
  FPickItems.push_back(&sub.Add(fw::TMenuItem::Item(UiText(IDS_PICK_COPY_NONE))));
  FPickItems.back()->OnClick = [this](fw::TObject*) { SetPickFormat({}); };
  const auto builtIns = BuiltInCopyFormats();
  for (std::size_t i = 0; i < builtIns.size(); ++i) {
    FPickItems.push_back(&sub.Add(fw::TMenuItem::Item(CaptionOf(i, 0))));
    FPickItems.back()->OnClick = [this, f = builtIns[i]](fw::TObject*) { SetPickFormat(TPickCopyFormat::BuiltIn(f)); };
  }
  sub.OnPopup = [this](fw::TObject*) { PickMenuPopup(); };
  RebuildTemplates(*FPickItems.back(), FPickTemplateItems, true);
  PickMenuPopup();
  return sub;
}

void TCopyFormatsPart::PickMenuPopup() {
  const TColor color = CopyColor ? CopyColor() : 0;
  const auto builtIns = BuiltInCopyFormats();
  using K = TPickCopyFormat::TKind;
  if (FPickItems.empty()) return;
  FPickItems[0]->SetRadioChecked(FPickFormat.Kind == K::None);
  for (std::size_t i = 0; i < builtIns.size() && i + 1 < FPickItems.size(); ++i) {
    FPickItems[i + 1]->SetCaption(CaptionOf(i, color));
    FPickItems[i + 1]->SetRadioChecked(FPickFormat.Kind == K::BuiltIn && FPickFormat.Format == builtIns[i]);
  }
  for (std::size_t i = 1; i < FPickTemplateItems.size() && i - 1 < FTemplates.size(); ++i)
    FPickTemplateItems[i]->SetRadioChecked(FPickFormat.Kind == K::Template &&
                                           FPickFormat.Template == FTemplates[i - 1]);
}

std::size_t TCopyFormatsPart::FormatCount() const noexcept { return BuiltInCopyFormats().size() + FTemplates.size(); }

std::wstring TCopyFormatsPart::OutputOf(std::size_t index, TColor color) const {
  const auto builtIns = BuiltInCopyFormats();
  if (index < builtIns.size()) return FormatColor(builtIns[index], color);
  index -= builtIns.size();
  return index < FTemplates.size() ? ExpandCopyTemplate(FTemplates[index], color) : std::wstring();
}

HWND TCopyFormatsPart::OwnerHandle() const {
  fw::TWindow* owner = Owner ? Owner() : nullptr;
  return owner ? owner->Handle() : nullptr;
}

void TCopyFormatsPart::CopyAs(std::size_t index, TColor color) {
  if (index < FormatCount()) CopyText(OutputOf(index, color));
}

fw::TMenuItem& TCopyFormatsPart::AddToMenu(fw::TMainMenu& menu, fw::TMenuItem& parent) {
  FMenu = &menu;
  FSubmenu = &parent.Add(fw::TMenuItem::Submenu(UiText(IDS_ACT_COPY_AS)));
  FBuiltInItems.clear();
  for (std::size_t i = 0; i < BuiltInCopyFormats().size(); ++i) {
    fw::TMenuItem& item = FSubmenu->Add(fw::TMenuItem::Item(CaptionOf(i, 0)));
    item.OnClick = [this, i](fw::TObject*) { CopyAs(i); };
    FBuiltInItems.push_back(&item);
  }
  FSubmenu->AddSeparator();
  FSubmenu->AddAction(actEditFormats);
  FSubmenu->OnPopup = [this](fw::TObject*) { SubmenuPopup(); };
  RebuildTemplateItems();
  return *FSubmenu;
}

void TCopyFormatsPart::SubmenuPopup() {
  const TColor color = CopyColor ? CopyColor() : 0;
  for (std::size_t i = 0; i < FBuiltInItems.size(); ++i)
    FBuiltInItems[i]->SetCaption(CaptionOf(i, color));
  const std::size_t first = BuiltInCopyFormats().size();
  // The first template item is the separator.
  for (std::size_t i = 1; i < FTemplateItems.size(); ++i)
    FTemplateItems[i]->SetCaption(MenuCaptionOf(OutputOf(first + i - 1, color)));
}

void TCopyFormatsPart::RebuildTemplateItems() {
  if (!FBuiltInItems.empty()) RebuildTemplates(*FBuiltInItems.back(), FTemplateItems, false);
  if (!FPickItems.empty()) RebuildTemplates(*FPickItems.back(), FPickTemplateItems, true);
}

void TCopyFormatsPart::RebuildTemplates(fw::TMenuItem& anchor, std::vector<fw::TMenuItem*>& items, bool forPick) {
  if (!FMenu) return;
  for (fw::TMenuItem* item : items) FMenu->Remove(*item);
  items.clear();
  if (FTemplates.empty()) return;
  fw::TMenuItem* last = &FMenu->InsertAfter(anchor, fw::TMenuItem::Separator());
  items.push_back(last);
  const std::size_t first = BuiltInCopyFormats().size();
  for (std::size_t i = 0; i < FTemplates.size(); ++i) {
    auto item = fw::TMenuItem::Item(MenuCaptionOf(FTemplates[i]));
    if (forPick)
      item->OnClick = [this, text = FTemplates[i]](fw::TObject*) { SetPickFormat(TPickCopyFormat::OfTemplate(text)); };
    else
      item->OnClick = [this, index = first + i](fw::TObject*) { CopyAs(index); };
    last = &FMenu->InsertAfter(*last, std::move(item));
    items.push_back(last);
  }
}

void TCopyFormatsPart::FillItems(fw::TMenuItem& submenu, TColor color) {
  const std::size_t builtIns = BuiltInCopyFormats().size();
  for (std::size_t i = 0; i < FormatCount(); ++i) {
    if (i == builtIns) submenu.AddSeparator();
    fw::TMenuItem& item = submenu.Add(fw::TMenuItem::Item(CaptionOf(i, color)));
    item.OnClick = [this, i, color](fw::TObject*) { CopyAs(i, color); };
  }
  submenu.AddSeparator();
  submenu.AddAction(actEditFormats);
}

void TCopyFormatsPart::ShowContextMenu(std::span<fw::TAction* const> before, std::span<fw::TAction* const> after,
                                       int screenX, int screenY, TColor color) {
  fw::TMainMenu menu(FActions);
  fw::TMenuItem& root = menu.Add(L"");
  const auto addActions = [&](std::span<fw::TAction* const> actions) {
    for (fw::TAction* a : actions) a ? root.AddAction(*a) : root.AddSeparator();
  };
  addActions(before);
  // Filled now: the colour cannot change while the menu is open.
  FillItems(root.Add(fw::TMenuItem::Submenu(UiText(IDS_ACT_COPY_AS))), color);
  addActions(after);
  const fw::TUniqueMenu bar(menu.Build());
  const UINT id = TrackMenu ? TrackMenu(::GetSubMenu(bar.Get(), 0), OwnerHandle(), screenX, screenY) : 0;
  if (id == 0 || id > 0xFFFF) return;
  // The menu's own items first: its ids are its own, apart from the main menu's.
  if (menu.Click(static_cast<WORD>(id))) return;
  if (fw::TAction* a = FActions.FindById(static_cast<WORD>(id))) a->Execute();
}

void TCopyFormatsPart::SetTemplates(std::vector<std::wstring> templates) {
  // Through the store's rules, so what is shown is what is kept.
  const std::wstring stored = CopyTemplatesToMultiString(templates);
  FTemplates = CopyTemplatesFromMultiString(stored);
  RebuildTemplateItems();
  // A template chosen for picking and removed now leaves nothing chosen.
  if (FPickFormat.Kind == TPickCopyFormat::TKind::Template) SetPickFormat(FPickFormat);
  if (!FSettingsKey.empty()) SetRegistryMultiString(HKEY_CURRENT_USER, FSettingsKey, kCopyFormatsValue, stored);
}

void TCopyFormatsPart::LoadSettings(const std::wstring& key) {
  FSettingsKey = key;
  if (key.empty()) return;
  if (const auto data = GetRegistryMultiString(HKEY_CURRENT_USER, key, kCopyFormatsValue, kMaxStoredChars)) {
    FTemplates = CopyTemplatesFromMultiString(*data);
    RebuildTemplateItems();
  }
  FPickFormat = ParsePickCopyFormat(GetRegistryLongVal(HKEY_CURRENT_USER, key, kPickCopyFormatValue), FTemplates);
}

void TCopyFormatsPart::actEditFormatsExecute(fw::TObject*) {
  TfrmCopyFormats dialog(Owner ? Owner() : nullptr, FTemplates, CopyColor ? CopyColor() : 0);
  if (dialog.ShowModal() == fw::TForm::mrOk) SetTemplates(dialog.Templates());
}
