#include "app/uDocumentPart.h"

#include "app/uUiText.h"
#include "app/resources/StringIds.h"

#include "core/colorlist/uColorListFile.h"
#include "core/document/uDocumentState.h"
#include "framework/Application.h"
#include "framework/support/uRegistry.h"

namespace {

const wchar_t kHistorySection[] = L"History";

}  // namespace

TDocumentPart::TDocumentPart(TColorListPanel& list) : FList(list) {
  SaveDialog.SetDefaultExt(L"txt");
  SaveDialog.SetFilter(UiText(IDS_FILTER_SAVE));
  SaveDialog.SetOptions(OFN_OVERWRITEPROMPT | OFN_CREATEPROMPT | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN |
                        OFN_ENABLESIZING);
  dlgOpen.SetFilter(UiText(IDS_FILTER_OPEN));

  Document.SetSaveDialog(&SaveDialog);
  Document.SetOpenDialog(&dlgOpen);
  Document.SetRegistryName(L"DataDir");
  Document.OnModifiedChange = [this](fw::TObject* s) { DocumentModifiedChange(s); };
  Document.OnFilenameChanged = [this](fw::TObject* s) { DocumentFilenameChanged(s); };
  Document.OnClear = [this](fw::TObject* s) { FList.DocumentClear(s); };
  Document.OnLoadFromStream = [this](fw::TObject* s, TStream& stream) {
    if (!FList.DocumentLoadFromStream(s, stream)) Clear();
  };
  Document.OnSaveToStream = [this](fw::TObject* s, TStream& stream) { FList.DocumentSaveToStream(s, stream); };
  // The list's history decides: undoing back to the saved state is unmodified again.
  FList.OnModified = [this](fw::TObject*) {
    Document.SetModified(FList.Modified());
    if (OnContentChange) OnContentChange(this);
  };
  FList.OnCheckRead = [this](const TColorListReadResult& read) { CheckRead(read); };

  TBXMRUList.SetMaxItems(5);
  TBXMRUList.SetPrefix(L"H");
  TBXMRUList.SetHidePathExtension(false);
  TBXMRUList.OnClick = [this](fw::TObject* s, const std::wstring& fileName) { TBXMRUListClick(s, fileName); };

  // A drop waits while a save or a question is open: the drop call of the
  // other program must not start a second one.
  DropTarget.CanDrop = [this] { return !Document.Busy(); };
  DropTarget.OnFileDropped = [this](fw::TObject* s, const std::wstring& f) { DropTargetFileDropped(s, f); };
}

std::wstring TDocumentPart::Caption(const std::wstring& appTitle) const {
  return DocumentCaption(Document.FileName(), Document.Modified(), appTitle, UiDocumentTexts());
}

void TDocumentPart::SetRecentFilesMenu(fw::TMainMenu& menu, fw::TMenuItem* anchor) {
  TBXMRUList.SetMenu(&menu, anchor);
}

void TDocumentPart::LoadRecentFiles(const std::wstring& key) {
  if (key.empty()) return;
  TBXMRUList.LoadFromRegIni(HKEY_CURRENT_USER, key, kHistorySection);
  // From now on each change is written at once: a crash loses none of them.
  FKey = key;
  TBXMRUList.OnChange = [this](fw::TObject*) { fw::Guarded([&] { SaveRecentFiles(FKey); }); };
}

void TDocumentPart::SaveRecentFiles(const std::wstring& key) const {
  if (!key.empty()) TBXMRUList.SaveToRegIni(HKEY_CURRENT_USER, key, kHistorySection);
}

void TDocumentPart::RegisterDropTarget(HWND window) {
  FDropWindow = window;
  DropTarget.Register(window);
}

void TDocumentPart::RevokeDropTarget() noexcept { DropTarget.Revoke(); }

void TDocumentPart::Clear() {
  Document.Clear();
  // Clear drops the flag without a report: an untitled document keeps its
  // name, so nothing else would take the mark off the caption.
  TitleChanged();
}

void TDocumentPart::actNewExecute(fw::TObject*) {
  FList.EndListEdit();
  if (Document.CloseQuery()) Clear();
}

void TDocumentPart::actOpenExecute(fw::TObject*) {
  FList.EndListEdit();
  if (Document.Open()) TBXMRUList.Add(Document.FileName());
}

void TDocumentPart::actSaveExecute(fw::TObject*) {
  FList.EndListEdit();
  Document.Save();
}

void TDocumentPart::actSaveAsExecute(fw::TObject*) {
  FList.EndListEdit();
  if (Document.SaveAs()) TBXMRUList.Add(Document.FileName());
}

bool TDocumentPart::OpenDocumentFile(const std::wstring& fileName) {
  FList.EndListEdit();
  if (Document.Busy() || !Document.CloseQuery()) return false;
  Document.LoadFromFile(fileName);
  return true;
}

void TDocumentPart::TBXMRUListClick(fw::TObject*, const std::wstring& fileName) { OpenDocumentFile(fileName); }

void TDocumentPart::DropTargetFileDropped(fw::TObject*, const std::wstring& fileName) {
  // The window comes to the front whatever the open does, also when it fails.
  struct TToFront {
    HWND Window;
    ~TToFront() {
      if (Window) ::SetForegroundWindow(Window);
    }
  } toFront{FDropWindow};
  if (OpenDocumentFile(fileName)) TBXMRUList.Add(Document.FileName());
}

void TDocumentPart::TitleChanged() {
  if (OnTitleChange) OnTitleChange(this);
}

void TDocumentPart::DocumentModifiedChange(fw::TObject*) {
  // Saved, opened or new: the list's history keeps this state as the saved one.
  if (!Document.Modified()) FList.MarkSaved();
  TitleChanged();
}

void TDocumentPart::DocumentFilenameChanged(fw::TObject*) {
  TitleChanged();
  if (Document.FileName().empty()) return;
  TBXMRUList.Add(Document.FileName());
  if (!FKey.empty()) fw::Guarded([&] { SetRegistryVal(HKEY_CURRENT_USER, FKey, L"LastFile", Document.FileName()); });
}

void TDocumentPart::CheckRead(const TColorListReadResult& read) {
  // A file that is no list, or whose unreadable lines a save would drop, is
  // never opened behind the user's back: the document stays as it was.
  const TColorListReadNotice notice = ColorListReadNoticeOf(read);
  if (notice == TColorListReadNotice::None) return;
  const std::wstring text =
      ColorListReadMessage(read, Document.LoadingFileName(),
                           {UiText(IDS_NOT_A_COLOR_LIST), UiText(IDS_UNREADABLE_LINES), UiText(IDS_UNREADABLE_MORE)});
  const HWND owner = fw::Application().MainFormHandle();
  const std::wstring& title = fw::Application().Title();
  if (notice == TColorListReadNotice::NotAColorList) {
    Document.ShowMessageBox(owner, text, title, MB_OK | MB_ICONERROR | MB_TASKMODAL);
    throw EAbort();
  }
  if (Document.ShowMessageBox(owner, text, title, MB_OKCANCEL | MB_ICONWARNING | MB_TASKMODAL) != IDOK) throw EAbort();
}
