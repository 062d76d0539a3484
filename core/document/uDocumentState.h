#pragma once
// A document's name and modified flag, the rules for reporting their
// changes, and the names derived from the file name. Dialogs, files and
// message boxes stay with the window's document controller.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// What the owner reports after a state change, in this order.
enum class TDocumentEvent { ModifiedChange, Change };

class TDocumentEvents {
 public:
  void Add(TDocumentEvent event) noexcept { FItems[FCount++] = event; }
  const TDocumentEvent* begin() const noexcept { return FItems.data(); }
  const TDocumentEvent* end() const noexcept { return FItems.data() + FCount; }
  std::size_t size() const noexcept { return FCount; }

 private:
  // One update ending reports at most a change and a flag change.
  std::array<TDocumentEvent, 2> FItems{};
  std::size_t FCount = 0;
};

class TDocumentState {
 public:
  const std::wstring& FileName() const noexcept { return FFileName; }
  bool Modified() const noexcept { return FModified; }

  // Inside an update a flag change is held back and reported at its end.
  TDocumentEvents SetModified(bool value);
  // A change of the content: the flag goes on, then the change is reported;
  // inside an update both wait for its end.
  TDocumentEvents Change();
  void BeginUpdate() noexcept { ++FUpdateCount; }
  // An unbalanced end does nothing.
  TDocumentEvents EndUpdate();
  // Drops the flag without a report, as clearing the document does.
  void ForgetModified() noexcept { FModified = false; }
  // True when the name is a different one, which the owner reports.
  bool SetFileName(std::wstring_view name);

 private:
  std::wstring FFileName;
  bool FModified = false;
  int FUpdateCount = 0;
  bool FChangePending = false;
  bool FModifiedPending = false;
};

// The words around a document's name, in the interface's language.
struct TDocumentTexts {
  std::wstring_view Untitled;      // the name of a document never saved
  std::wstring_view ModifiedMark;  // after the name while changed
};

// The name in questions to the user: the full path, or the untitled name.
std::wstring DocumentShownName(std::wstring_view fileName, const TDocumentTexts& texts);
// The window caption: the name without folder and extension, the mark when
// modified, " - ", the program's title.
std::wstring DocumentCaption(std::wstring_view fileName, bool modified, std::wstring_view appTitle,
                             const TDocumentTexts& texts);
// True when the name part has an extension (a leading dot starts none).
bool HasFileExtension(std::wstring_view path);
// The name the previous file is renamed to on a save: the extension replaced
// by ".bak", or ".bak" appended to a name without one or to a ".bak" file.
std::wstring BackupName(std::wstring_view name);
// The name part, after the last "\", "/" or ":".
std::wstring FileNamePart(std::wstring_view path);
// The folder part without its trailing separator, except for a root ("C:\", "\").
std::wstring FileDirPart(std::wstring_view path);
