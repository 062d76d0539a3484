#include "app/document/uDocument.h"

#include "app/uUiText.h"
#include "app/resources/StringIds.h"

#include <algorithm>

#include "core/document/uDocumentState.h"
#include "framework/Application.h"
#include "framework/Handles.h"
#include "framework/support/uRegistry.h"
#include "framework/support/uSafeFile.h"
#include "core/support/uUserError.h"

namespace {

bool FileExists(const std::wstring& name) {
  const DWORD attributes = ::GetFileAttributesW(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

using fw::TUniqueFile;

HWND MainWindow() { return fw::Application().MainFormHandle(); }

const std::wstring& AppTitle() { return fw::Application().Title(); }

}  // namespace

class TDocument::TBusyScope {
 public:
  explicit TBusyScope(TDocument& document) noexcept : FDocument(document) { ++FDocument.FBusy; }
  ~TBusyScope() { --FDocument.FBusy; }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  TDocument& FDocument;
};

TDocument::TDocument()
    : ShowMessageBox([](HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
        return ::MessageBoxW(owner, text.c_str(), caption.c_str(), type);
      }) {}

void TDocument::SetDateFileHeader(std::string_view header) {
  FDateFileHeader = std::string(header.substr(0, 3));
  FDateFileHeader.resize(3, ' ');
}

// --- change reporting --------------------------------------------------------

void TDocument::Report(const TDocumentEvents& events) {
  for (TDocumentEvent e : events) {
    const fw::TNotifyEvent& handler = e == TDocumentEvent::Change ? OnChange : OnModifiedChange;
    if (handler) handler(this);
  }
}

void TDocument::SetModified(bool value) { Report(FState.SetModified(value)); }

void TDocument::Change() { Report(FState.Change()); }

void TDocument::BeginUpdate() { FState.BeginUpdate(); }

void TDocument::EndUpdate() { Report(FState.EndUpdate()); }

void TDocument::SetFileName(const std::wstring& name) {
  if (FState.SetFileName(name)) DoFilenameChanged();
}

void TDocument::DoFilenameChanged() {
  if (OnFilenameChanged) OnFilenameChanged(this);
}

void TDocument::Clear() {
  if (OnClear) OnClear(this);
  FState.ForgetModified();
  SetFileName(L"");
}

// --- streams -----------------------------------------------------------------

void TDocument::WriteContent(TStream& stream) {
  if (!FDateFileHeader.empty()) {
    const std::uint8_t header[5] = {static_cast<std::uint8_t>(FDateFileHeader[0]),
                                    static_cast<std::uint8_t>(FDateFileHeader[1]),
                                    static_cast<std::uint8_t>(FDateFileHeader[2]), FMajorVersion, FMinorVersion};
    stream.WriteBuffer(header, sizeof(header));
  }
  if (OnSaveToStream) OnSaveToStream(this, stream);
}

void TDocument::SaveToStream(TStream& stream) {
  WriteContent(stream);
  SetModified(false);
}

int TDocument::LoadFromStream(TStream& stream) {
  int version = 0;
  if (!FDateFileHeader.empty()) {
    std::uint8_t header[5];
    stream.ReadBuffer(header, sizeof(header));
    if (FDateFileHeader.compare(0, 3, reinterpret_cast<const char*>(header), 3) != 0)
      throw EUserError(UiText(IDS_NOT_DATA_FILE, AppTitle()));
    version = header[3] * 256 + header[4];
  }
  if (OnLoadFromStream) OnLoadFromStream(this, stream);
  SetModified(false);
  return version;
}

// --- files -------------------------------------------------------------------

void TDocument::LoadFromFile(const std::wstring& name) {
  struct TLoading {
    std::wstring& Name;
    ~TLoading() { Name.clear(); }
  } loading{FLoadingFileName = name};
  if (OnOpenForeign && OnOpenForeign(name)) {
    SetFileName(L"");
    SetModified(true);
    return;
  }
  // All of it first: a read error must not leave the content half replaced.
  TMemoryStream content;
  {
    TFileStream file(name, TFileMode::fmOpenRead);
    std::vector<std::uint8_t> buffer(65536);
    while (std::size_t n = file.Read(buffer.data(), buffer.size())) content.WriteBuffer(buffer.data(), n);
  }
  content.SetPosition(0);
  LoadFromStream(content);
  SetFileName(name);
  SetModified(false);
}

bool TDocument::AskRetry(const std::wstring& text) {
  // Task-modal and owned, so no other save, open or drop starts meanwhile.
  return ShowMessageBox(MainWindow(), text, AppTitle(), MB_RETRYCANCEL | MB_ICONERROR | MB_TASKMODAL) == IDRETRY;
}

void TDocument::WriteFileContent(const std::wstring& name, HANDLE file, const std::vector<std::uint8_t>& bytes) {
  if (!fw::WriteFileBytes(file, bytes.data(), bytes.size())) throw EWriteError(L"Cannot write file \"" + name + L"\".");
}

bool TDocument::WriteWholeFile(const std::wstring& name, const std::vector<std::uint8_t>& bytes) {
  TUniqueFile file(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  try {
    WriteFileContent(name, file.Get(), bytes);
  } catch (const EStreamError&) {
    return false;
  }
  // A full disk may show only when the cached data goes out at close.
  return ::CloseHandle(file.Release()) != 0;
}

bool TDocument::SaveToFile(const std::wstring& name) {
  TBusyScope busy(*this);
  // The content first: a writer that fails leaves the disk as it was.
  TMemoryStream content;
  WriteContent(content);

  const std::wstring createFailed = UiText(IDS_CREATE_FAILED, name);
  while (fw::CannotReplace(name))
    if (!AskRetry(createFailed)) return false;

  // The new content is written whole beside the file before anything is
  // renamed: a full disk or a write error leaves the file and its backup as
  // they were, and Retry tries again once space is freed.
  struct TTempFile {
    const std::wstring& Name;
    bool Keep = false;
    ~TTempFile() {
      if (!Keep && !Name.empty()) ::DeleteFileW(Name.c_str());
    }
  };
  std::wstring temp;
  TTempFile tempFile{temp};
  for (;;) {
    temp = fw::TempFileBeside(name);
    if (!temp.empty() && WriteWholeFile(temp, content.Bytes())) break;
    if (!temp.empty()) ::DeleteFileW(temp.c_str());
    temp.clear();
    if (!AskRetry(createFailed)) return false;
  }

  bool backedUp = false;
  const std::wstring backup = ::BackupName(name);
  if (FileExists(name)) {
    while (FileExists(backup) && !::DeleteFileW(backup.c_str()))
      if (!AskRetry(UiText(IDS_DELETE_BACKUP_FAILED, backup))) return false;
    while (!::MoveFileW(name.c_str(), backup.c_str()))
      if (!AskRetry(UiText(IDS_BACKUP_FAILED, backup))) return false;
    backedUp = true;
  }
  while (!::MoveFileW(temp.c_str(), name.c_str())) {
    if (!AskRetry(createFailed)) {
      // Cancelled with the file renamed aside: put it back under its name.
      if (backedUp) ::MoveFileW(backup.c_str(), name.c_str());
      return false;
    }
  }
  tempFile.Keep = true;

  // Only now: a cancelled or failed save changes neither name nor flag.
  SetFileName(name);
  SetModified(false);
  return true;
}

// --- commands ----------------------------------------------------------------

bool TDocument::SaveReporting(const std::wstring& name) {
  try {
    return SaveToFile(name);
  } catch (...) {
    // Shown here, so that every caller (the close question too) hears "not saved".
    fw::Application().HandleException();
    return false;
  }
}

std::wstring TDocument::ReadDataDir() const {
  return HasDataDirSetting() ? GetRegistryLongVal(HKEY_CURRENT_USER, FRegistryKey, FRegistryName) : std::wstring();
}

void TDocument::StoreDataDir(const std::wstring& fileName) {
  if (HasDataDirSetting()) SetRegistryVal(HKEY_CURRENT_USER, FRegistryKey, FRegistryName, FileDirPart(fileName));
}

bool TDocument::CloseQuery() {
  if (!Modified()) return true;
  // A close arriving while a save or a question is open (sent from outside:
  // the window itself is disabled) must not pull the document away under it.
  if (Busy()) return false;
  return AskToSave();
}

bool TDocument::AskToSave() {
  if (!Modified()) return true;
  TBusyScope busy(*this);
  const std::wstring text = UiText(IDS_ASK_SAVE, DocumentShownName(FileName(), UiDocumentTexts()));
  switch (ShowMessageBox(MainWindow(), text, AppTitle(), MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES:
      return Save();
    case IDNO:
      return true;
    default:
      return false;
  }
}

bool TDocument::Open() {
  if (Busy()) return false;
  TBusyScope busy(*this);
  if (!AskToSave()) return false;
  if (!FOpenDialog) throw EUserError(L"TDocument.Open: OpenDialog = nil");
  FOpenDialog->SetFileName(L"");
  if (HasDataDirSetting()) FOpenDialog->SetInitialDir(ReadDataDir());
  if (!FOpenDialog->Execute(MainWindow())) return false;
  LoadFromFile(FOpenDialog->FileName());
  return true;
}

bool TDocument::Save() {
  TBusyScope busy(*this);
  if (HasFileExtension(FileName())) return SaveReporting(FileName());
  if (!FSaveDialog) throw EUserError(L"TDocument.Save: SaveDialog = nil");
  FSaveDialog->SetFileName(FileName());
  if (HasDataDirSetting()) FSaveDialog->SetInitialDir(ReadDataDir());
  if (!FSaveDialog->Execute(MainWindow())) return false;
  const std::wstring chosen = FSaveDialog->FileName();
  if (!SaveReporting(chosen)) return false;
  StoreDataDir(chosen);
  return true;
}

bool TDocument::SaveAs() {
  TBusyScope busy(*this);
  if (!FSaveDialog) throw EUserError(L"TDocument.SaveAs: SaveDialog = nil");
  FSaveDialog->SetFileName(FileNamePart(FileName()));
  std::wstring dir = FileDirPart(FileName());
  if (dir.empty()) dir = ReadDataDir();
  FSaveDialog->SetInitialDir(dir);
  if (!FSaveDialog->Execute(MainWindow())) return false;
  const std::wstring chosen = FSaveDialog->FileName();
  if (!SaveReporting(chosen)) return false;
  StoreDataDir(chosen);
  return true;
}
