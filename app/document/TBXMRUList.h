#pragma once
// The recent-files list: full paths, most recent first, shown as numbered
// items in a menu and kept in a registry key between runs.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Menu.h"

using TMRUClickEvent = std::function<void(fw::TObject* sender, const std::wstring& fileName)>;

class TTBXMRUList : public fw::TObject {
 public:
  TTBXMRUList() = default;
  // The menu given to SetMenu must still exist.
  ~TTBXMRUList() override;
  TTBXMRUList(const TTBXMRUList&) = delete;
  TTBXMRUList& operator=(const TTBXMRUList&) = delete;

  int MaxItems() const noexcept { return FMaxItems; }
  void SetMaxItems(int count);
  // Registry value names are the prefix and the position from 1: "H1".
  const std::wstring& Prefix() const noexcept { return FPrefix; }
  void SetPrefix(std::wstring prefix) { FPrefix = std::move(prefix); }
  // When set the menu shows the file's title instead of its whole path.
  bool HidePathExtension() const noexcept { return FHidePathExtension; }
  void SetHidePathExtension(bool hide);

  const std::vector<std::wstring>& Items() const noexcept { return FItems; }
  // Made absolute; an entry equal as a file name (ignoring case) moves to the
  // top and takes the new spelling.
  void Add(const std::wstring& path);
  void Clear();

  // The entries are shown right after anchor, in anchor's submenu, and
  // followed by a separator while there are any.
  void SetMenu(fw::TMainMenu* menu, fw::TMenuItem* anchor);
  const std::vector<fw::TMenuItem*>& MenuItems() const noexcept { return FMenuItems; }
  // "&1 C:\a&&b.txt" for position 0 of "C:\a&b.txt".
  std::wstring Caption(std::size_t index) const;

  // Reads the subkey section of key: prefix + 1 to MaxItems, gaps closing
  // up; a value prefix + 0 of an earlier version becomes the newest entry
  // and is removed with its "Count".
  void LoadFromRegIni(HKEY root, const std::wstring& key, const std::wstring& section);
  // Writes prefix + 1 to MaxItems; positions without an entry are deleted.
  void SaveToRegIni(HKEY root, const std::wstring& key, const std::wstring& section) const;

  // An entry was chosen from the menu; it is already at the top.
  TMRUClickEvent OnClick;
  // The entries changed.
  fw::TNotifyEvent OnChange;

 private:
  void Changed();
  void Trim();
  void RemoveMenuItems();

  int FMaxItems = 4;
  std::wstring FPrefix = L"MRU";
  bool FHidePathExtension = true;
  std::vector<std::wstring> FItems;
  fw::TMainMenu* FMenu = nullptr;
  fw::TMenuItem* FAnchor = nullptr;
  std::vector<fw::TMenuItem*> FMenuItems;
};
