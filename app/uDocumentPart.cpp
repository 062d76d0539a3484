// The main window's side of the document: file commands, caption, recent files.

#include "app/ufrmTintra.h"
#include "framework/Application.h"
#include "core/support/uStrings.h"

namespace {

const wchar_t kHistorySection[] = L"History";

}  // namespace

void TfrmTintra::SetUpDocumentActions() {
  actNew.OnExecute = [this](fw::TObject* s) { actNewExecute(s); };
  actOpen.OnExecute = [this](fw::TObject* s) { actOpenExecute(s); };
  actSave.OnExecute = [this](fw::TObject* s) { actSaveExecute(s); };
  actSaveAs.OnExecute = [this](fw::TObject* s) { actSaveAsExecute(s); };

  SaveDialog.SetDefaultExt(L"txt");
  SaveDialog.SetFilter(L"テキストファイル(*.txt)|*.txt|全てのファイル(*.*)|*.*");
  SaveDialog.SetOptions(OFN_OVERWRITEPROMPT | OFN_CREATEPROMPT | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN |
                        OFN_ENABLESIZING);
  dlgOpen.SetFilter(L"全てのファイル(*.*)|*.*");

  Document.SetSaveDialog(&SaveDialog);
  Document.SetOpenDialog(&dlgOpen);
  Document.SetRegistryName(L"DataDir");
  Document.OnModifiedChange = [this](fw::TObject* s) { DocumentModifiedChange(s); };
  Document.OnChange = [this](fw::TObject* s) { DocumentChange(s); };
  Document.OnFilenameChanged = [this](fw::TObject* s) { DocumentFilenameChanged(s); };
  Document.OnClear = [this](fw::TObject* s) {
    DocumentClear(s);
    // Clear leaves the flag without a report; the caption must still lose its mark.
    UpdateCaption();
  };
  Document.OnLoadFromStream = [this](fw::TObject* s, TStream& stream) { DocumentLoadFromStream(s, stream); };
  Document.OnSaveToStream = [this](fw::TObject* s, TStream& stream) { DocumentSaveToStream(s, stream); };

  TBXMRUList.SetMaxItems(5);
  TBXMRUList.SetPrefix(L"H");
  TBXMRUList.SetHidePathExtension(false);
  TBXMRUList.OnClick = [this](fw::TObject* s, const std::wstring& fileName) { TBXMRUListClick(s, fileName); };

  // Start-up and shutdown call these at their places in the order.
  Hooks.LoadRecentFiles = [this](const std::wstring& key) {
    if (!key.empty()) TBXMRUList.LoadFromRegIni(HKEY_CURRENT_USER, key, kHistorySection);
  };
  Hooks.SaveRecentFiles = [this](const std::wstring& key) {
    if (!key.empty()) TBXMRUList.SaveToRegIni(HKEY_CURRENT_USER, key, kHistorySection);
  };
  Hooks.SetDocumentRegistryKey = [this](const std::wstring& key) { Document.SetRegistryKey(key); };
  Hooks.DocumentClear = [this] { Document.Clear(); };
  Hooks.DocumentLoadFromFile = [this](const std::wstring& path) { Document.LoadFromFile(path); };
  Hooks.DocumentCloseQuery = [this] { return Document.CloseQuery(); };
  Hooks.DocumentFileName = [this] { return Document.FileName(); };

  // A drop waits while a save or a question is open: the drop call of the
  // other program must not start a second one.
  DropTarget.CanDrop = [this] { return !Document.Busy(); };
  DropTarget.OnFileDropped = [this](fw::TObject* s, const std::wstring& f) { DropTargetFileDropped(s, f); };
  Hooks.RegisterDropTarget = [this] { DropTarget.Register(Handle()); };
  Hooks.RevokeDropTarget = [this] { DropTarget.Revoke(); };
}

void TfrmTintra::CreateDocument() { TBXMRUList.SetMenu(&MainMenu, tbsmiMRU); }

void TfrmTintra::UpdateCaption() {
  std::wstring caption = Document.FileName().empty() ? L"(無題)" : ExtractFileTitle(Document.FileName());
  if (Document.Modified()) caption += L"(変更)";
  caption += L" - " + fw::Application().Title();
  if (caption != Text()) SetText(caption);
}

void TfrmTintra::actNewExecute(fw::TObject*) {
  EndListEdit();
  if (Document.CloseQuery()) Document.Clear();
}

void TfrmTintra::actOpenExecute(fw::TObject*) {
  EndListEdit();
  if (Document.Open()) TBXMRUList.Add(Document.FileName());
}

void TfrmTintra::actSaveExecute(fw::TObject*) {
  EndListEdit();
  Document.Save();
}

void TfrmTintra::actSaveAsExecute(fw::TObject*) {
  EndListEdit();
  if (Document.SaveAs()) TBXMRUList.Add(Document.FileName());
}

bool TfrmTintra::OpenDocumentFile(const std::wstring& fileName) {
  EndListEdit();
  if (Document.Busy() || !Document.CloseQuery()) return false;
  Document.LoadFromFile(fileName);
  return true;
}

void TfrmTintra::TBXMRUListClick(fw::TObject*, const std::wstring& fileName) { OpenDocumentFile(fileName); }

void TfrmTintra::DropTargetFileDropped(fw::TObject*, const std::wstring& fileName) {
  // The window comes to the front whatever the open does, also when it fails.
  struct TToFront {
    HWND Window;
    ~TToFront() { ::SetForegroundWindow(Window); }
  } toFront{Handle()};
  if (OpenDocumentFile(fileName)) TBXMRUList.Add(Document.FileName());
}

void TfrmTintra::DocumentModifiedChange(fw::TObject*) { UpdateCaption(); }

void TfrmTintra::DocumentFilenameChanged(fw::TObject*) {
  UpdateCaption();
  if (!Document.FileName().empty()) TBXMRUList.Add(Document.FileName());
}
