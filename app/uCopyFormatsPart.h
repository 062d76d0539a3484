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

  // The colour a copy takes; the part asks it when a menu opens and again
  // when an item is chosen.
  std::function<TColor()> CopyColor;
  // The window that owns the clipboard and the dialog.
  std::function<fw::TWindow*()> Owner;
  // Opens the list's shortcut menu; tests choose the item themselves.
  TTrackMenuFunc TrackMenu;

  // Adds the submenu to an edit menu before the menu is built.
  fw::TMenuItem& AddToMenu(fw::TMainMenu& menu, fw::TMenuItem& parent);
  // Shows a shortcut menu: the actions before, the copy submenu, the actions
  // after (a null entry is a separator), and runs what is chosen.
  void ShowContextMenu(std::span<fw::TAction* const> before, std::span<fw::TAction* const> after, int screenX,
                       int screenY);

  const std::vector<std::wstring>& Templates() const noexcept { return FTemplates; }
  // Replaces the templates, rebuilds the menu and stores them when there is
  // a settings key.
  void SetTemplates(std::vector<std::wstring> templates);
  // Reads the templates stored under key (empty: none, and nothing stored).
  void LoadSettings(const std::wstring& key);

  // Copies the colour as the built-in format at index, or past the built-ins
  // as the user template index - built-in count.
  void CopyAs(std::size_t index);
  // The text an item shows and copies for the colour.
  std::wstring OutputOf(std::size_t index, TColor color) const;
  std::size_t FormatCount() const noexcept;

 private:
  void FillItems(fw::TMenuItem& submenu, TColor color);
  void SubmenuPopup();
  void RebuildTemplateItems();
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
};
