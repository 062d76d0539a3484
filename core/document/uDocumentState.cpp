#include "core/document/uDocumentState.h"

#include "core/support/uStrings.h"

namespace {

bool IsPathDelimiter(wchar_t c) { return c == L'\\' || c == L'/' || c == L':'; }

std::size_t NameStart(std::wstring_view path) {
  std::size_t start = path.size();
  while (start > 0 && !IsPathDelimiter(path[start - 1])) --start;
  return start;
}

// Where the extension starts, or npos; a leading dot starts no extension,
// as ExtractFileTitle has it.
std::size_t ExtensionStart(std::wstring_view path) {
  const std::size_t start = NameStart(path);
  const std::size_t dot = path.rfind(L'.');
  return dot != std::wstring_view::npos && dot > start ? dot : std::wstring_view::npos;
}

// The file system compares names without case; ".BAK" is a backup too.
bool IsBackupExtension(std::wstring_view ext) {
  return AsciiEqualNoCase(ext, L".bak");
}

}  // namespace

TDocumentEvents TDocumentState::SetModified(bool value) {
  TDocumentEvents events;
  if (value == FModified) return events;
  FModified = value;
  if (FUpdateCount < 1) {
    events.Add(TDocumentEvent::ModifiedChange);
    FModifiedPending = false;
  } else {
    FModifiedPending = true;
  }
  return events;
}

TDocumentEvents TDocumentState::Change() {
  if (FUpdateCount > 0) {
    FChangePending = true;
    return {};
  }
  TDocumentEvents events = SetModified(true);
  events.Add(TDocumentEvent::Change);
  FChangePending = false;
  return events;
}

TDocumentEvents TDocumentState::EndUpdate() {
  if (FUpdateCount <= 0 || --FUpdateCount > 0) return {};
  TDocumentEvents events;
  if (FChangePending) events = Change();
  // A flag set inside the update and not reported by the change above.
  if (FModifiedPending) {
    FModifiedPending = false;
    events.Add(TDocumentEvent::ModifiedChange);
  }
  return events;
}

bool TDocumentState::SetFileName(std::wstring_view name) {
  if (name == FFileName) return false;
  FFileName = name;
  return true;
}

std::wstring DocumentShownName(std::wstring_view fileName, const TDocumentTexts& texts) {
  return std::wstring(fileName.empty() ? texts.Untitled : fileName);
}

std::wstring DocumentCaption(std::wstring_view fileName, bool modified, std::wstring_view appTitle,
                             const TDocumentTexts& texts) {
  std::wstring caption = fileName.empty() ? std::wstring(texts.Untitled) : ExtractFileTitle(fileName);
  if (modified) caption += texts.ModifiedMark;
  caption += L" - ";
  caption += appTitle;
  return caption;
}

bool HasFileExtension(std::wstring_view path) { return ExtensionStart(path) != std::wstring_view::npos; }

std::wstring BackupName(std::wstring_view name) {
  const std::size_t ext = ExtensionStart(name);
  // A ".bak" file would be its own backup: deleted, then not renamed.
  if (ext == std::wstring_view::npos || IsBackupExtension(name.substr(ext))) return std::wstring(name) + L".bak";
  return std::wstring(name.substr(0, ext)) + L".bak";
}

std::wstring FileNamePart(std::wstring_view path) { return std::wstring(path.substr(NameStart(path))); }

std::wstring FileDirPart(std::wstring_view path) {
  std::size_t end = NameStart(path);
  if (end > 1 && (path[end - 1] == L'\\' || path[end - 1] == L'/') && !IsPathDelimiter(path[end - 2])) --end;
  return std::wstring(path.substr(0, end));
}
