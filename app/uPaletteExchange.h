#pragma once
// The list's colours out to and in from palette files other programs use
// (GIMP, CSS, JSON, Adobe swatch exchange). Export leaves the document as it
// is; import appends to the list as one change the user saves or not.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/document/uDocument.h"
#include "app/uColorListPanel.h"
#include "core/colorout/uPalette.h"
#include "framework/Action.h"
#include "framework/Menu.h"

struct TPaletteFileChoice {
  std::wstring FileName;
  // The type chosen in the dialog's list, 1-based as the dialog counts.
  int FilterIndex = 1;
};

// Asks for the file to write (forSave) or to read; none when cancelled.
using TChoosePaletteFile = std::function<std::optional<TPaletteFileChoice>(HWND owner, bool forSave)>;

class TPaletteExchange : public fw::TObject {
 public:
  // choose defaults to the system's save and open dialogs.
  TPaletteExchange(fw::TActionList& actions, TColorListPanel& list, TChoosePaletteFile choose = {});

  fw::TAction& actExport;
  fw::TAction& actImport;

  // The error boxes; MessageBoxW when empty.
  TMessageBoxFunc ShowMessageBox;

  // A separator and the two commands at the end of menu.
  void AddToMenu(fw::TMenuItem& menu);

  // The format and the name written for a chosen file: a known extension
  // typed with the name wins over the type list, and a name without any
  // extension gets the listed type's.
  static std::pair<TPaletteFormat, std::wstring> ExportTarget(const TPaletteFileChoice& choice);

  // False, with a message shown, when the file could not be written whole.
  bool ExportTo(const TPaletteFileChoice& choice);
  // False, with a message shown and nothing appended, when the file cannot be read.
  bool ImportFrom(const std::wstring& fileName);
  // A palette file opened as a document: its colours become a new list, so
  // that a save asks for a name and never writes the list over the palette.
  // False, with nothing changed, for a file that is not a palette Tintra
  // reads (a list file among them).
  bool OpenAsList(const std::wstring& fileName);

 private:
  void ShowError(const std::wstring& text);
  void ShowMessage(const std::wstring& text, UINT type);
  // The palette's colours, or the reason there are none.
  TPaletteImport Read(const std::wstring& fileName, TPaletteFormat format) const;

  TColorListPanel& FList;
  TChoosePaletteFile FChoose;
};
