#include "app/document/TBXMRUList.h"

#include <algorithm>

#include "framework/support/uRegistry.h"
#include "core/support/uStrings.h"

namespace {

std::wstring FullPath(const std::wstring& path) {
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0) return path;
    if (n < full.size()) {
      full.resize(n);
      return full;
    }
    full.resize(n);
  }
}

bool SameFile(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

std::wstring DoubleAmpersands(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) {
    out += c;
    if (c == L'&') out += L'&';
  }
  return out;
}

}  // namespace

TTBXMRUList::~TTBXMRUList() { RemoveMenuItems(); }

void TTBXMRUList::SetMaxItems(int count) {
  FMaxItems = std::max(count, 0);
  Trim();
  Changed();
}

void TTBXMRUList::SetHidePathExtension(bool hide) {
  FHidePathExtension = hide;
  Changed();
}

void TTBXMRUList::Trim() {
  if (FItems.size() > static_cast<std::size_t>(FMaxItems)) FItems.resize(static_cast<std::size_t>(FMaxItems));
}

void TTBXMRUList::Add(const std::wstring& path) {
  if (path.empty()) return;
  const std::wstring full = FullPath(path);
  std::erase_if(FItems, [&](const std::wstring& item) { return SameFile(item, full); });
  FItems.insert(FItems.begin(), full);
  Trim();
  Changed();
}

void TTBXMRUList::Clear() {
  FItems.clear();
  Changed();
}

std::wstring TTBXMRUList::Caption(std::size_t index) const {
  const std::wstring& path = FItems.at(index);
  const std::wstring shown = DoubleAmpersands(FHidePathExtension ? ExtractFileTitle(path) : path);
  if (index < 9) return L"&" + std::wstring(1, static_cast<wchar_t>(L'1' + index)) + L" " + shown;
  if (index < 35) return L"&" + std::wstring(1, static_cast<wchar_t>(L'A' + (index - 9))) + L" " + shown;
  return shown;
}

void TTBXMRUList::SetMenu(fw::TMainMenu* menu, fw::TMenuItem* anchor) {
  RemoveMenuItems();
  FMenu = menu;
  FAnchor = anchor;
  Changed();
}

void TTBXMRUList::RemoveMenuItems() {
  if (FMenu)
    for (fw::TMenuItem* item : FMenuItems) FMenu->Remove(*item);
  FMenuItems.clear();
}

void TTBXMRUList::Changed() {
  if (OnChange) OnChange(this);
  if (!FMenu || !FAnchor) return;
  RemoveMenuItems();
  fw::TMenuItem* after = FAnchor;
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    auto item = fw::TMenuItem::Item(Caption(i));
    item->OnClick = [this, path = FItems[i]](fw::TObject*) {
      Add(path);
      if (OnClick) OnClick(this, path);
    };
    after = &FMenu->InsertAfter(*after, std::move(item));
    FMenuItems.push_back(after);
  }
  // The entries end with a separator of their own, so an empty list leaves
  // no two separators in a row.
  if (!FItems.empty()) FMenuItems.push_back(&FMenu->InsertAfter(*after, fw::TMenuItem::Separator()));
}

void TTBXMRUList::LoadFromRegIni(HKEY root, const std::wstring& key, const std::wstring& section) {
  const std::wstring sub = key + L"\\" + section;
  const std::wstring old = GetRegistryLongVal(root, sub, FPrefix + L"0");
  FItems.clear();
  for (int i = 1; i <= FMaxItems; ++i) {
    std::wstring path = GetRegistryLongVal(root, sub, FPrefix + std::to_wstring(i));
    if (path.empty()) continue;
    if (std::none_of(FItems.begin(), FItems.end(), [&](const std::wstring& item) { return SameFile(item, path); }))
      FItems.push_back(std::move(path));
  }
  Changed();
  if (!old.empty()) {
    Add(old);
    DeleteRegistryVal(root, sub, FPrefix + L"0");
    DeleteRegistryVal(root, sub, L"Count");
  }
}

void TTBXMRUList::SaveToRegIni(HKEY root, const std::wstring& key, const std::wstring& section) const {
  const std::wstring sub = key + L"\\" + section;
  for (int i = 1; i <= FMaxItems; ++i) {
    const std::wstring name = FPrefix + std::to_wstring(i);
    if (static_cast<std::size_t>(i) <= FItems.size())
      SetRegistryVal(root, sub, name, FItems[static_cast<std::size_t>(i - 1)]);
    else
      DeleteRegistryVal(root, sub, name);
  }
}
