#pragma once
// Copy as a format: the submenu of the edit menu and of the list's shortcut
// menu, whose items show and copy the colour in each built-in format and
// each user template, the user's templates kept in the registry, and the
// dialog that edits them.
#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/color/uColor.h"
#include "core/colorout/uPickCopyFormat.h"
#include "framework/Action.h"
#include "framework/Menu.h"

// Opens a shortcut menu at a screen point and answers the chosen command
// (0 for none); the default is TrackPopupMenu.
using TTrackMenuFunc = std::function<UINT(HMENU menu, HWND owner, int screenX, int screenY)>;

// A menu caption that shows text as it is: "&" doubled, tabs and line ends
// as spaces, and a long text cut with "…".
std::wstring MenuCaptionOf(std::wstring_view text);

class TCopyFormatsPart {
 public:
  explicit TCopyFormatsPart(fw::TActionList& actions);

  // 形式の編集...: the template dialog.
  fw::TAction& actEditFormats;
  // 現在の色をコピー: the current colour in the pick's format, hex when none.
  fw::TAction& actCopyCurrent;

  // The colour the edit menu's copy takes, the current colour; the part
  // asks it when a menu opens and again when an item is chosen.
  std::function<TColor()> CopyColor;
  // The window that owns the clipboard and the dialog.
  std::function<fw::TWindow*()> Owner;
  // Opens the list's shortcut menu; tests choose the item themselves.
  TTrackMenuFunc TrackMenu;

  // Adds the submenu to an edit menu before the menu is built.
  fw::TMenuItem& AddToMenu(fw::TMainMenu& menu, fw::TMenuItem& parent);
  // The 取得時にコピー submenu of the settings menu.
  fw::TMenuItem& AddPickMenu(fw::TMainMenu& menu, fw::TMenuItem& parent);
  // Shows a shortcut menu: the actions before, the copy submenu for color,
  // the actions after (a null entry is a separator), and runs what is chosen.
  void ShowContextMenu(std::span<fw::TAction* const> before, std::span<fw::TAction* const> after, int screenX,
                       int screenY, TColor color);

  // What a pick copies; stored at once when there is a settings key.
  const TPickCopyFormat& PickFormat() const noexcept { return FPickFormat; }
  void SetPickFormat(TPickCopyFormat format);
  // Puts a picked colour on the clipboard in the pick's format (nothing for none).
  void CopyOnPick(TColor color);
  // The picked colour as the loupe names it: the pick's format, hex for none.
  std::wstring PickText(TColor color) const { return CurrentColorCopyText(FPickFormat, color); }

  const std::vector<std::wstring>& Templates() const noexcept { return FTemplates; }
  // Replaces the templates, rebuilds the menu and stores them when there is
  // a settings key.
  void SetTemplates(std::vector<std::wstring> templates);
  // Reads the templates stored under key (empty: none, and nothing stored).
  void LoadSettings(const std::wstring& key);

  // Copies the colour as the built-in format at index, or past the built-ins
  // as the user template index - built-in count.
  void CopyAs(std::size_t index) { CopyAs(index, CopyColor ? CopyColor() : 0); }
  void CopyAs(std::size_t index, TColor color);
  // The text an item copies for the colour, and what it shows: a built-in
  // format's label with an access key beside that text.
  std::wstring OutputOf(std::size_t index, TColor color) const;
  std::wstring CaptionOf(std::size_t index, TColor color) const;
  std::size_t FormatCount() const noexcept;

 private:
  void FillItems(fw::TMenuItem& submenu, TColor color);
  void SubmenuPopup();
  void PickMenuPopup();
  void RebuildTemplateItems();
  // Template items of a submenu after anchor, a separator first.
  void RebuildTemplates(fw::TMenuItem& anchor, std::vector<fw::TMenuItem*>& items, bool forPick);
  void CopyText(const std::wstring& text);
  void actEditFormatsExecute(fw::TObject* sender);
  HWND OwnerHandle() const;

  fw::TActionList& FActions;
  std::vector<std::wstring> FTemplates;
  std::wstring FSettingsKey;
  fw::TMainMenu* FMenu = nullptr;
  fw::TMenuItem* FSubmenu = nullptr;
  // The built-in items of the edit menu's submenu, then the template items
  // (a separator first).
  std::vector<fw::TMenuItem*> FBuiltInItems;
  std::vector<fw::TMenuItem*> FTemplateItems;
  // The pick's submenu: none, the built-ins, then the templates likewise.
  std::vector<fw::TMenuItem*> FPickItems;
  std::vector<fw::TMenuItem*> FPickTemplateItems;
  TPickCopyFormat FPickFormat;
};
