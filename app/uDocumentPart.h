#pragma once
// The main window's document: the list file behind the colour list, its file
// commands, the recent files and the files dropped from other programs.
#include <windows.h>

#include <string>

#include "app/document/TBXMRUList.h"
#include "app/document/uDocument.h"
#include "app/document/uOleDrop.h"
#include "app/uColorListPanel.h"
#include "framework/FileDialog.h"
#include "framework/Menu.h"

class TDocumentPart : public fw::TObject {
 public:
  // The document's content is list; the part connects the two at once.
  explicit TDocumentPart(TColorListPanel& list);

  fw::TSaveDialog SaveDialog;
  fw::TOpenDialog dlgOpen;
  TDocument Document;
  TTBXMRUList TBXMRUList;
  // Files dropped from other programs, from RegisterDropTarget to RevokeDropTarget.
  TOleDropTarget DropTarget;

  // The file name or the modified flag changed: the caption follows.
  fw::TNotifyEvent OnTitleChange;
  // The list changed, after the document heard of it.
  fw::TNotifyEvent OnContentChange;
  // "(file title)(変更) - title", or "(無題) - title" when untitled.
  std::wstring Caption(const std::wstring& appTitle) const;

  // The recent files go into menu after anchor.
  void SetRecentFilesMenu(fw::TMainMenu& menu, fw::TMenuItem* anchor);
  // The recent files from and to the subkey "History" of key (none for an empty key).
  void LoadRecentFiles(const std::wstring& key);
  void SaveRecentFiles(const std::wstring& key) const;
  // Drops onto window open files from now on.
  void RegisterDropTarget(HWND window);
  void RevokeDropTarget() noexcept;

  // A new empty document, its caption without the modified mark.
  void Clear();
  // After the close question, without a dialog (a recent or a dropped file);
  // false when the user cancelled or the document is busy saving or asking.
  bool OpenDocumentFile(const std::wstring& fileName);

  void actNewExecute(fw::TObject* sender);
  void actOpenExecute(fw::TObject* sender);
  void actSaveExecute(fw::TObject* sender);
  void actSaveAsExecute(fw::TObject* sender);

 private:
  void DocumentModifiedChange(fw::TObject* sender);
  void DocumentFilenameChanged(fw::TObject* sender);
  void TBXMRUListClick(fw::TObject* sender, const std::wstring& fileName);
  void DropTargetFileDropped(fw::TObject* sender, const std::wstring& fileName);
  void TitleChanged();
  void CheckRead(const TColorListReadResult& read);

  TColorListPanel& FList;
  std::wstring FKey;
  HWND FDropWindow = nullptr;
};
