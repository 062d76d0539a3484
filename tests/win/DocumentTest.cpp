// The document controller on real files, with the question and error boxes
// and the file dialogs replaced by scripted answers.
#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/ufrmTintra.h"
#include "document/uDocument.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "support/uRegistry.h"
#include "support/uUserError.h"

namespace {

const wchar_t kKey[] = L"SOFTWARE\\ZORVEK\\TintraDocumentTest";
const UINT kRetryBox = MB_RETRYCANCEL | MB_ICONERROR | MB_TASKMODAL;

std::string ReadBytes(const std::wstring& name) {
  std::ifstream in(std::filesystem::path(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::wstring& name, const std::string& bytes) {
  ::SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
  std::ofstream(std::filesystem::path(name), std::ios::binary) << bytes;
}

bool Exists(const std::wstring& name) { return ::GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Answers with a scripted name, or cancels; remembers what it was preset with.
class TScriptedDialog : public fw::TSaveDialog {
 public:
  bool Execute(HWND) override {
    ++Shown;
    PresetName = FileName();
    PresetDir = InitialDir();
    if (Answer.empty()) return false;
    SetFileName(Answer);
    return true;
  }
  std::wstring Answer, PresetName, PresetDir;
  int Shown = 0;
};

struct TBox {
  HWND Owner;
  std::wstring Text, Caption;
  UINT Type;
};

// A file that fills up halfway through.
class TDiskFullDocument : public TDocument {
 protected:
  void WriteFileContent(const std::wstring& name, HANDLE file, const std::vector<std::uint8_t>& bytes) override {
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size() / 2), &written, nullptr);
    throw fw::EWriteError(L"Cannot write file \"" + name + L"\".");
  }
};

template <typename TDoc>
class DocumentFixture : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    dir = std::wstring(temp) + L"tintra_doc_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
          std::to_wstring(counter++);
    ::CreateDirectoryW(dir.c_str(), nullptr);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    owner.Create();
    fw::Application().SetMainForm(&owner);
    fw::Application().OnExceptionHook = [](const std::wstring& text) { shownErrors.push_back(text); };
    shownErrors.clear();

    doc.SetSaveDialog(&saveDialog);
    doc.SetOpenDialog(&openDialog);
    doc.SetRegistryKey(kKey);
    doc.SetRegistryName(L"DataDir");
    doc.ShowMessageBox = [this](HWND o, const std::wstring& text, const std::wstring& caption, UINT type) {
      boxes.push_back({o, text, caption, type});
      if (OnBox) OnBox();
      int answer = answers.empty() ? IDCANCEL : answers.front();
      if (!answers.empty()) answers.pop_front();
      return answer;
    };
    doc.OnSaveToStream = [this](fw::TObject*, fw::TStream& s) { s.WriteBuffer(content.data(), content.size()); };
    doc.OnLoadFromStream = [this](fw::TObject*, fw::TStream& s) {
      loaded.assign(static_cast<std::size_t>(s.Size() - s.Position()), '\0');
      s.ReadBuffer(loaded.data(), loaded.size());
    };
  }
  void TearDown() override {
    fw::Application().OnExceptionHook = nullptr;
    fw::Application().SetMainForm(nullptr);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    std::error_code ec;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir, ec))
      ::SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(dir, ec);
  }
  std::wstring Path(const std::wstring& name) const { return dir + L"\\" + name; }
  // An edited document that was opened from name (holding old bytes).
  void EditedFrom(const std::wstring& name, const std::string& old = "old") {
    WriteBytes(name, old);
    doc.LoadFromFile(name);
    content = "new";
    doc.Change();
  }

  inline static int counter = 0;
  inline static std::vector<std::wstring> shownErrors;
  std::wstring dir;
  fw::TForm owner;
  TDoc doc;
  TScriptedDialog saveDialog, openDialog;
  std::deque<int> answers;
  std::vector<TBox> boxes;
  std::function<void()> OnBox;
  std::string content, loaded;
};

using Document = DocumentFixture<TDocument>;
using DocumentOnAFullDisk = DocumentFixture<TDiskFullDocument>;

TEST_F(Document, SaveKeepsThePreviousBytesInTheBackup) {
  struct TCase {
    const wchar_t* Name;
    const wchar_t* Backup;
  } cases[] = {
      {L"a.txt", L"a.bak"},
      {L"a.csv", L"a.bak"},
      {L"noext", L"noext.bak"},
      {L"x.BAK", L"x.BAK.bak"},  // not its own backup
  };
  for (const TCase& c : cases) {
    const std::wstring name = Path(c.Name), backup = Path(c.Backup);
    WriteBytes(backup, "older backup");
    EditedFrom(name, std::string("old ") + std::to_string(wcslen(c.Name)));
    ASSERT_TRUE(doc.SaveToFile(name)) << c.Name;
    EXPECT_EQ(ReadBytes(name), "new") << c.Name;
    EXPECT_EQ(ReadBytes(backup), "old " + std::to_string(wcslen(c.Name))) << c.Name;
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(doc.FileName(), name);
    ::DeleteFileW(backup.c_str());
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(Document, RetryRepeatsTheStepAndCancelStopsTheSaveAndTheCommand) {
  const std::wstring name = Path(L"a.txt"), backup = Path(L"a.bak");
  EditedFrom(name);
  WriteBytes(backup, "older");
  ::SetFileAttributesW(backup.c_str(), FILE_ATTRIBUTE_READONLY);
  answers = {IDRETRY, IDCANCEL};
  EXPECT_FALSE(doc.Save());
  ASSERT_EQ(boxes.size(), 2u);
  for (const TBox& b : boxes) {
    EXPECT_EQ(b.Text, L"旧ﾊﾞｯｸｱｯﾌﾟﾌｧｲﾙ " + backup + L" の削除に失敗しました。");
    EXPECT_EQ(b.Caption, L"Tintra");
    EXPECT_EQ(b.Type, kRetryBox);
    EXPECT_EQ(b.Owner, owner.Handle());
  }
  EXPECT_TRUE(doc.Modified());
  EXPECT_EQ(ReadBytes(name), "old");
  EXPECT_EQ(ReadBytes(backup), "older");

  // The close question's Yes runs the same save: its cancel keeps the document.
  boxes.clear();
  answers = {IDYES, IDCANCEL};
  EXPECT_FALSE(doc.CloseQuery());
  EXPECT_EQ(boxes.size(), 2u);
  EXPECT_TRUE(doc.Modified());

  // Retry after the cause is gone goes on from the failed step.
  boxes.clear();
  answers = {IDRETRY};
  OnBox = [&] { ::SetFileAttributesW(backup.c_str(), FILE_ATTRIBUTE_NORMAL); };
  EXPECT_TRUE(doc.Save());
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(ReadBytes(backup), "old");
  EXPECT_EQ(ReadBytes(name), "new");
}

TEST_F(Document, AReadOnlyTargetIsRefusedBeforeTheOldBackupIsTouched) {
  const std::wstring name = Path(L"a.txt"), backup = Path(L"a.bak");
  EditedFrom(name);
  WriteBytes(backup, "older");
  ::SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_READONLY);
  answers = {IDCANCEL};
  EXPECT_FALSE(doc.SaveToFile(name));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, L"ﾌｧｲﾙ " + name + L" の作成に失敗しました。");
  EXPECT_EQ(boxes[0].Type, kRetryBox);
  EXPECT_EQ(ReadBytes(backup), "older");
  EXPECT_EQ(ReadBytes(name), "old");
  EXPECT_TRUE(doc.Modified());
}

TEST_F(Document, TheCloseQuestionAndItsThreeAnswers) {
  content = "x";
  doc.Change();
  struct TCase {
    std::deque<int> Answers;
    std::wstring DialogAnswer;
    bool Result, ModifiedAfter;
  } cases[] = {
      {{IDCANCEL}, L"", false, true},
      {{IDNO}, L"", true, true},
      {{IDYES}, L"", false, true},  // the save dialog cancelled
  };
  for (const TCase& c : cases) {
    boxes.clear();
    answers = c.Answers;
    saveDialog.Answer = c.DialogAnswer;
    EXPECT_EQ(doc.CloseQuery(), c.Result);
    EXPECT_EQ(doc.Modified(), c.ModifiedAfter);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, L"(無題) は変更されています。保存しますか？");
    EXPECT_EQ(boxes[0].Type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONWARNING));
    EXPECT_EQ(boxes[0].Owner, owner.Handle());
  }
  // Yes with a name: saved, the remembered folder is the file's.
  boxes.clear();
  answers = {IDYES};
  saveDialog.Answer = Path(L"first.txt");
  EXPECT_TRUE(doc.CloseQuery());
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(ReadBytes(Path(L"first.txt")), "x");
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"DataDir"), dir);
  EXPECT_TRUE(doc.CloseQuery());  // not modified: no question
  EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(Document, DialogsProposeTheRightFolders) {
  SetRegistryVal(HKEY_CURRENT_USER, kKey, L"DataDir", L"C:\\remembered");
  const std::wstring sub = Path(L"sub");
  ::CreateDirectoryW(sub.c_str(), nullptr);
  WriteBytes(sub + L"\\noext", "n");
  doc.LoadFromFile(sub + L"\\noext");
  // A name without extension goes through the dialog, preset with it.
  saveDialog.Answer = sub + L"\\named.txt";
  EXPECT_TRUE(doc.Save());
  EXPECT_EQ(saveDialog.PresetName, sub + L"\\noext");
  EXPECT_EQ(saveDialog.PresetDir, L"C:\\remembered");
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"DataDir"), sub);
  // Save as proposes the file's own folder; open starts in the remembered one and keeps it.
  SetRegistryVal(HKEY_CURRENT_USER, kKey, L"DataDir", L"C:\\remembered");
  saveDialog.Answer.clear();
  EXPECT_FALSE(doc.SaveAs());
  EXPECT_EQ(saveDialog.PresetName, L"named.txt");
  EXPECT_EQ(saveDialog.PresetDir, sub);
  openDialog.SetFileName(L"stale");
  openDialog.Answer = sub + L"\\noext";
  EXPECT_TRUE(doc.Open());
  EXPECT_EQ(openDialog.PresetName, L"");
  EXPECT_EQ(openDialog.PresetDir, L"C:\\remembered");
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"DataDir"), L"C:\\remembered");
  EXPECT_EQ(loaded, "n");
}

TEST_F(Document, EventsAndTheUpdateBracket) {
  std::wstring log;
  doc.OnModifiedChange = [&](fw::TObject*) { log += doc.Modified() ? L"M+" : L"M-"; };
  doc.OnChange = [&](fw::TObject*) { log += L"C"; };
  doc.OnFilenameChanged = [&](fw::TObject*) { log += L"F"; };
  doc.OnClear = [&](fw::TObject*) { log += L"X"; };
  doc.Change();
  doc.Change();
  EXPECT_EQ(log, L"M+CC");
  log.clear();
  doc.SetModified(false);
  doc.BeginUpdate();
  doc.BeginUpdate();
  doc.Change();
  doc.Change();
  doc.EndUpdate();
  EXPECT_EQ(log, L"M-");
  doc.EndUpdate();
  doc.EndUpdate();  // unbalanced: nothing
  EXPECT_EQ(log, L"M-M+C");
  log.clear();
  doc.SetFileName(L"C:\\a.txt");
  doc.SetFileName(L"C:\\a.txt");
  doc.Clear();
  EXPECT_EQ(log, L"FXF");  // no report of the dropped modified flag
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(doc.FileName(), L"");
}

TEST_F(Document, TheBinaryHeader) {
  doc.SetDateFileHeader("TCLx");
  doc.SetbMajorVersion(1);
  doc.SetbMinorVersion(2);
  content = "body";
  fw::TMemoryStream stream;
  doc.SaveToStream(stream);
  EXPECT_EQ(std::string(stream.Bytes().begin(), stream.Bytes().end()), std::string("TCL\x01\x02", 5) + "body");
  stream.SetPosition(0);
  EXPECT_EQ(doc.LoadFromStream(stream), 0x102);
  EXPECT_EQ(loaded, "body");

  loaded = "kept";
  const std::wstring other = Path(L"other.txt");
  WriteBytes(other, "XYZ\x01\x02 text");
  try {
    doc.LoadFromFile(other);
    ADD_FAILURE();
  } catch (const EUserError& e) {
    EXPECT_EQ(e.Message(), L"このファイルは、Tintraのデータファイルではありません。");
  }
  WriteBytes(other, "TC");
  EXPECT_THROW(doc.LoadFromFile(other), fw::EReadError);
  EXPECT_EQ(loaded, "kept");
  EXPECT_EQ(doc.FileName(), L"");

  TDocument plain;
  plain.SetDateFileHeader("");
  EXPECT_EQ(plain.DateFileHeader(), "   ");  // assigned, even empty: in use
}

TEST_F(Document, AFailingLoadKeepsNameAndFlag) {
  const std::wstring good = Path(L"good.txt");
  EditedFrom(good);
  doc.OnLoadFromStream = [](fw::TObject*, fw::TStream&) { throw fw::EReadError(L"Stream read error"); };
  WriteBytes(Path(L"bad.txt"), "bad");
  EXPECT_THROW(doc.LoadFromFile(Path(L"bad.txt")), fw::EReadError);
  EXPECT_THROW(doc.LoadFromFile(Path(L"missing.txt")), fw::EFOpenError);
  EXPECT_EQ(doc.FileName(), good);
  EXPECT_TRUE(doc.Modified());
}

TEST_F(Document, IsBusyWhileAskingAndSaving) {
  content = "x";
  doc.Change();
  std::vector<bool> busy;
  OnBox = [&] {
    busy.push_back(doc.Busy());
    // A close sent from outside meanwhile neither asks again nor lets go.
    EXPECT_FALSE(doc.CloseQuery());
    EXPECT_FALSE(doc.Open());
  };
  answers = {IDCANCEL};
  EXPECT_FALSE(doc.CloseQuery());
  EXPECT_EQ(boxes.size(), 1u);
  doc.OnSaveToStream = [&](fw::TObject*, fw::TStream&) { busy.push_back(doc.Busy()); };
  EXPECT_TRUE(doc.SaveToFile(Path(L"b.txt")));
  EXPECT_EQ(busy, (std::vector<bool>{true, true}));
  EXPECT_FALSE(doc.Busy());
}

TEST_F(Document, AWriterThatFailsLeavesTheDiskAsItWas) {
  const std::wstring name = Path(L"a.txt");
  EditedFrom(name);
  doc.OnSaveToStream = [](fw::TObject*, fw::TStream&) { throw fw::EWriteError(L"Stream write error"); };
  EXPECT_FALSE(doc.Save());
  EXPECT_EQ(shownErrors, (std::vector<std::wstring>{L"Stream write error"}));
  EXPECT_EQ(ReadBytes(name), "old");
  EXPECT_FALSE(Exists(Path(L"a.bak")));
  EXPECT_TRUE(doc.Modified());
}

TEST_F(DocumentOnAFullDisk, AFileThatCannotBeWrittenIsNotCountedAsSaved) {
  content = std::string(1000, 'c');
  doc.Change();
  saveDialog.Answer = Path(L"full.txt");
  std::wstring renamed;
  doc.OnFilenameChanged = [&](fw::TObject*) { renamed = doc.FileName(); };
  EXPECT_FALSE(doc.SaveAs());
  EXPECT_EQ(shownErrors.size(), 1u);
  EXPECT_TRUE(doc.Modified());
  EXPECT_EQ(doc.FileName(), L"");
  EXPECT_EQ(renamed, L"");  // so no recent-files entry either
  EXPECT_FALSE(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"DataDir").size());
  answers = {IDYES};
  EXPECT_FALSE(doc.CloseQuery());
}

// The main window's caption and file commands.
class DocumentWindow : public testing::Test {
 protected:
  void SetUp() override {
    form.CreateForm();
    form.Document.ShowMessageBox = [this](HWND, const std::wstring&, const std::wstring&, UINT) {
      ++asked;
      return answer;
    };
  }
  // The window stores its recent files when it goes; leave none behind.
  void TearDown() override { form.TBXMRUList.Clear(); }
  TfrmTintra form;
  int answer = IDCANCEL, asked = 0;
};

TEST_F(DocumentWindow, CaptionFollowsNameAndModifiedMark) {
  EXPECT_EQ(form.Text(), L"(無題) - Tintra");
  form.Document.Change();
  EXPECT_EQ(form.Text(), L"(無題)(変更) - Tintra");
  form.Document.SetFileName(L"C:\\data\\colors.txt");
  EXPECT_EQ(form.Text(), L"colors(変更) - Tintra");
  EXPECT_EQ(form.TBXMRUList.Items().front(), L"C:\\data\\colors.txt");
  form.Document.SetModified(false);
  EXPECT_EQ(form.Text(), L"colors - Tintra");
  form.Document.Change();
  // New on a modified document asks; Cancel keeps it, No clears it.
  ::SendMessageW(form.Handle(), WM_COMMAND, form.actNew.Id(), 0);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(form.Text(), L"colors(変更) - Tintra");
  answer = IDNO;
  ::SendMessageW(form.Handle(), WM_COMMAND, form.actNew.Id(), 0);
  EXPECT_EQ(form.Text(), L"(無題) - Tintra");
}

TEST_F(DocumentWindow, ClosingAsksAndCancelKeepsTheWindow) {
  form.Document.Change();
  ::SendMessageW(form.Handle(), WM_COMMAND, form.actExit.Id(), 0);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(::IsWindow(form.Handle()));
  answer = IDNO;
  HWND wnd = form.Handle();
  ::SendMessageW(wnd, WM_COMMAND, form.actExit.Id(), 0);
  EXPECT_FALSE(::IsWindow(wnd));
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

}  // namespace
