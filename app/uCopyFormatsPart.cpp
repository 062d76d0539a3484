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

namespace {

const wchar_t kCopyFormatsValue[] = L"CopyFormats";
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
    : actEditFormats(actions.Add(L"actEditCopyFormats")), TrackMenu(&TrackPopup), FActions(actions) {
  actEditFormats.SetCategory(L"020_編集");
  actEditFormats.SetCaption(UiText(IDS_ACT_EDIT_FORMATS));
  actEditFormats.OnExecute = [this](fw::TObject* s) { actEditFormatsExecute(s); };
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

void TCopyFormatsPart::CopyAs(std::size_t index) {
  if (index >= FormatCount()) return;
  const std::wstring text = OutputOf(index, CopyColor ? CopyColor() : 0);
  if (!text.empty()) fw::ClipboardSetUnicodeText(OwnerHandle(), text);
}

fw::TMenuItem& TCopyFormatsPart::AddToMenu(fw::TMainMenu& menu, fw::TMenuItem& parent) {
  FMenu = &menu;
  FSubmenu = &parent.Add(fw::TMenuItem::Submenu(UiText(IDS_ACT_COPY_AS)));
  FBuiltInItems.clear();
  for (std::size_t i = 0; i < BuiltInCopyFormats().size(); ++i) {
    fw::TMenuItem& item = FSubmenu->Add(fw::TMenuItem::Item(MenuCaptionOf(OutputOf(i, 0))));
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
    FBuiltInItems[i]->SetCaption(MenuCaptionOf(OutputOf(i, color)));
  const std::size_t first = BuiltInCopyFormats().size();
  // The first template item is the separator.
  for (std::size_t i = 1; i < FTemplateItems.size(); ++i)
    FTemplateItems[i]->SetCaption(MenuCaptionOf(OutputOf(first + i - 1, color)));
}

void TCopyFormatsPart::RebuildTemplateItems() {
  if (!FMenu || !FSubmenu || FBuiltInItems.empty()) return;
  for (fw::TMenuItem* item : FTemplateItems) FMenu->Remove(*item);
  FTemplateItems.clear();
  if (FTemplates.empty()) return;
  fw::TMenuItem* last = &FMenu->InsertAfter(*FBuiltInItems.back(), fw::TMenuItem::Separator());
  FTemplateItems.push_back(last);
  const std::size_t first = BuiltInCopyFormats().size();
  for (std::size_t i = 0; i < FTemplates.size(); ++i) {
    auto item = fw::TMenuItem::Item(MenuCaptionOf(FTemplates[i]));
    item->OnClick = [this, index = first + i](fw::TObject*) { CopyAs(index); };
    last = &FMenu->InsertAfter(*last, std::move(item));
    FTemplateItems.push_back(last);
  }
}

void TCopyFormatsPart::FillItems(fw::TMenuItem& submenu, TColor color) {
  const std::size_t builtIns = BuiltInCopyFormats().size();
  for (std::size_t i = 0; i < FormatCount(); ++i) {
    if (i == builtIns) submenu.AddSeparator();
    fw::TMenuItem& item = submenu.Add(fw::TMenuItem::Item(MenuCaptionOf(OutputOf(i, color))));
    item.OnClick = [this, i](fw::TObject*) { CopyAs(i); };
  }
  submenu.AddSeparator();
  submenu.AddAction(actEditFormats);
}

void TCopyFormatsPart::ShowContextMenu(std::span<fw::TAction* const> before, std::span<fw::TAction* const> after,
                                       int screenX, int screenY) {
  fw::TMainMenu menu(FActions);
  fw::TMenuItem& root = menu.Add(L"");
  const auto addActions = [&](std::span<fw::TAction* const> actions) {
    for (fw::TAction* a : actions) a ? root.AddAction(*a) : root.AddSeparator();
  };
  addActions(before);
  // Filled now: the colour cannot change while the menu is open.
  FillItems(root.Add(fw::TMenuItem::Submenu(UiText(IDS_ACT_COPY_AS))), CopyColor ? CopyColor() : 0);
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
  if (!FSettingsKey.empty()) SetRegistryMultiString(HKEY_CURRENT_USER, FSettingsKey, kCopyFormatsValue, stored);
}

void TCopyFormatsPart::LoadSettings(const std::wstring& key) {
  FSettingsKey = key;
  if (key.empty()) return;
  if (const auto data = GetRegistryMultiString(HKEY_CURRENT_USER, key, kCopyFormatsValue, kMaxStoredChars)) {
    FTemplates = CopyTemplatesFromMultiString(*data);
    RebuildTemplateItems();
  }
}

void TCopyFormatsPart::actEditFormatsExecute(fw::TObject*) {
  TfrmCopyFormats dialog(Owner ? Owner() : nullptr, FTemplates, CopyColor ? CopyColor() : 0);
  if (dialog.ShowModal() == fw::TForm::mrOk) SetTemplates(dialog.Templates());
}
