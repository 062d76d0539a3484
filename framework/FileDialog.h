#pragma once
// The system's open and save dialogs (GetOpenFileNameW, GetSaveFileNameW).
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "framework/Window.h"

namespace fw {

class TFileDialog : public TObject {
 public:
  // The file chosen by Execute; a preset shows in the name box.
  const std::wstring& FileName() const noexcept { return FFileName; }
  void SetFileName(std::wstring name) { FFileName = std::move(name); }
  const std::wstring& InitialDir() const noexcept { return FInitialDir; }
  void SetInitialDir(std::wstring dir) { FInitialDir = std::move(dir); }
  // Pairs of description and pattern, "|"-separated: "Text (*.txt)|*.txt|All (*.*)|*.*".
  const std::wstring& Filter() const noexcept { return FFilter; }
  void SetFilter(std::wstring filter) { FFilter = std::move(filter); }
  // Without the dot: "txt".
  const std::wstring& DefaultExt() const noexcept { return FDefaultExt; }
  void SetDefaultExt(std::wstring ext) { FDefaultExt = std::move(ext); }
  // The type chosen in the filter list, 1-based; preset before Execute.
  DWORD FilterIndex() const noexcept { return FFilterIndex; }
  void SetFilterIndex(DWORD index) noexcept { FFilterIndex = index; }
  // The caption; empty leaves the system's ("Save As", "Open").
  const std::wstring& Title() const noexcept { return FTitle; }
  void SetTitle(std::wstring title) { FTitle = std::move(title); }
  // OFN_ flags; OFN_EXPLORER is always added.
  DWORD Options() const noexcept { return FOptions; }
  void SetOptions(DWORD options) noexcept { FOptions = options; }

  // Shows the dialog; true when the user chose a file. A failure of the
  // dialog itself raises Exception.
  virtual bool Execute(HWND owner);

 protected:
  TFileDialog() = default;
  virtual BOOL Show(OPENFILENAMEW& ofn) = 0;

 private:
  std::wstring FFileName, FInitialDir, FFilter, FDefaultExt, FTitle;
  DWORD FOptions = OFN_HIDEREADONLY | OFN_ENABLESIZING;
  DWORD FFilterIndex = 1;
};

class TOpenDialog : public TFileDialog {
 protected:
  BOOL Show(OPENFILENAMEW& ofn) override;
};

class TSaveDialog : public TFileDialog {
 protected:
  BOOL Show(OPENFILENAMEW& ofn) override;
};

}  // namespace fw
