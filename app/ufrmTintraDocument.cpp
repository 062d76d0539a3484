// The main window's side of the document: file commands, caption, recent files.

#include "app/ufrmTintra.h"
#include "framework/Application.h"
#include "support/uStrings.h"

namespace {

const wchar_t kSettingsKey[] = L"SOFTWARE\\ZORVEK\\Tintra";
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
  Document.OnLoadFromStream = [this](fw::TObject* s, fw::TStream& stream) { DocumentLoadFromStream(s, stream); };
  Document.OnSaveToStream = [this](fw::TObject* s, fw::TStream& stream) { DocumentSaveToStream(s, stream); };

  TBXMRUList.SetMaxItems(5);
  TBXMRUList.SetPrefix(L"H");
  TBXMRUList.SetHidePathExtension(false);
  TBXMRUList.OnClick = [this](fw::TObject* s, const std::wstring& fileName) { TBXMRUListClick(s, fileName); };

  // Until the lifecycle's FormCloseQuery and FormDestroy take these over.
  OnCloseQuery = [this](fw::TObject*, bool& canClose) { canClose = Document.CloseQuery(); };
  OnDestroy = [this](fw::TObject*) { SaveRecentFiles(); };
}

void TfrmTintra::CreateDocument() {
  TBXMRUList.SetMenu(&MainMenu, tbsmiMRU);
  LoadRecentFiles();
  Document.SetRegistryKey(kSettingsKey);
  Document.Clear();
}

void TfrmTintra::LoadRecentFiles() { TBXMRUList.LoadFromRegIni(HKEY_CURRENT_USER, kSettingsKey, kHistorySection); }

void TfrmTintra::SaveRecentFiles() { TBXMRUList.SaveToRegIni(HKEY_CURRENT_USER, kSettingsKey, kHistorySection); }

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

void TfrmTintra::DocumentModifiedChange(fw::TObject*) { UpdateCaption(); }

void TfrmTintra::DocumentFilenameChanged(fw::TObject*) {
  UpdateCaption();
  if (!Document.FileName().empty()) TBXMRUList.Add(Document.FileName());
}
