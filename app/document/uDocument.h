#pragma once
// The document commands of a window without knowledge of the content: new,
// open, save, save as, the question before changes are dropped, a backup of
// the previous file on every save, and the folder last saved to. The owner
// reads and writes the content in OnLoadFromStream and OnSaveToStream.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/uDocumentState.h"
#include "framework/FileDialog.h"
#include "core/support/Stream.h"
#include "framework/Window.h"

using TStreamEvent = std::function<void(fw::TObject* sender, TStream& stream)>;
// Three signature bytes once assigned; empty while never assigned.
using TacDataFileHeader = std::string;
// MessageBoxW's shape; tests put their own answers here.
using TMessageBoxFunc =
    std::function<int(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)>;

class TDocument : public fw::TObject {
 public:
  TDocument();

  const TacDataFileHeader& DateFileHeader() const noexcept { return FDateFileHeader; }
  // Keeps the first three bytes and pads with blanks to exactly three.
  void SetDateFileHeader(std::string_view header);
  std::uint8_t bMajorVersion() const noexcept { return FMajorVersion; }
  void SetbMajorVersion(std::uint8_t version) noexcept { FMajorVersion = version; }
  std::uint8_t bMinorVersion() const noexcept { return FMinorVersion; }
  void SetbMinorVersion(std::uint8_t version) noexcept { FMinorVersion = version; }
  fw::TFileDialog* SaveDialog() const noexcept { return FSaveDialog; }
  void SetSaveDialog(fw::TFileDialog* dialog) noexcept { FSaveDialog = dialog; }
  fw::TFileDialog* OpenDialog() const noexcept { return FOpenDialog; }
  void SetOpenDialog(fw::TFileDialog* dialog) noexcept { FOpenDialog = dialog; }
  // Key under HKEY_CURRENT_USER and value name of the folder last saved to.
  const std::wstring& RegistryKey() const noexcept { return FRegistryKey; }
  void SetRegistryKey(std::wstring key) { FRegistryKey = std::move(key); }
  const std::wstring& RegistryName() const noexcept { return FRegistryName; }
  void SetRegistryName(std::wstring name) { FRegistryName = std::move(name); }

  fw::TNotifyEvent OnModifiedChange;
  fw::TNotifyEvent OnChange;
  fw::TNotifyEvent OnFilenameChanged;
  fw::TNotifyEvent OnClear;
  TStreamEvent OnLoadFromStream;
  TStreamEvent OnSaveToStream;

  // A file of another kind asked to be opened: true when the owner took it
  // as a new untitled content, which the document then holds, modified.
  std::function<bool(const std::wstring& name)> OnOpenForeign;

  // Every question and error box goes through here.
  TMessageBoxFunc ShowMessageBox;

  const std::wstring& FileName() const noexcept { return FState.FileName(); }
  bool Modified() const noexcept { return FState.Modified(); }
  // True while a save, a file dialog or a question is under way: nothing
  // else (a dropped file) may open a document then.
  bool Busy() const noexcept { return FBusy > 0; }

  virtual void DoFilenameChanged();
  // The owner calls it after every change of the content.
  virtual void Change();
  // Untitled and not modified, content emptied.
  virtual void Clear();
  // The header's version (major * 256 + minor), 0 without a header.
  virtual int LoadFromStream(TStream& stream);
  virtual void SaveToStream(TStream& stream);
  // The whole file is read before the content is handed over; errors propagate.
  virtual void LoadFromFile(const std::wstring& name);
  // The file being read while LoadFromFile runs (the content handlers may
  // name it to the user); empty otherwise.
  const std::wstring& LoadingFileName() const noexcept { return FLoadingFileName; }
  // False when the user cancelled a retry box; write errors propagate. The
  // document counts as saved only once the file is flushed and closed.
  virtual bool SaveToFile(const std::wstring& name);
  virtual void BeginUpdate();
  virtual void EndUpdate();

  void SetModified(bool value);
  void SetFileName(const std::wstring& name);
  // True when the content may be dropped (saved first if the user wished);
  // false while busy with a modified document.
  bool CloseQuery();
  // True when the command was carried out; false when cancelled or failed.
  bool Open();
  bool Save();
  bool SaveAs();

  // The name the previous file is renamed to: the extension replaced by
  // ".bak", or ".bak" appended to a name without one or to a ".bak" file.
  static std::wstring BackupName(const std::wstring& name) { return ::BackupName(name); }

 protected:
  // Writes the header and the content, without touching the modified flag.
  void WriteContent(TStream& stream);
  // Writes and flushes the bytes; raises EWriteError on any failure.
  virtual void WriteFileContent(const std::wstring& name, HANDLE file, const std::vector<std::uint8_t>& bytes);
  // Creates name and writes bytes to it, flushed and closed; false on any failure.
  bool WriteWholeFile(const std::wstring& name, const std::vector<std::uint8_t>& bytes);

 private:
  class TBusyScope;
  // Fires the events the state asks for, in its order.
  void Report(const TDocumentEvents& events);
  // Retry and Cancel; true for Retry.
  bool AskRetry(const std::wstring& text);
  bool AskToSave();
  bool SaveReporting(const std::wstring& name);
  std::wstring ReadDataDir() const;
  void StoreDataDir(const std::wstring& fileName);
  bool HasDataDirSetting() const noexcept { return !FRegistryKey.empty() && !FRegistryName.empty(); }

  TacDataFileHeader FDateFileHeader;
  std::uint8_t FMajorVersion = 0, FMinorVersion = 0;
  fw::TFileDialog* FSaveDialog = nullptr;
  fw::TFileDialog* FOpenDialog = nullptr;
  std::wstring FRegistryKey, FRegistryName;
  std::wstring FLoadingFileName;

  TDocumentState FState;
  int FBusy = 0;
};
