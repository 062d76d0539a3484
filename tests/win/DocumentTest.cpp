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
#include "app/document/uDocument.h"
#include "framework/Application.h"
#include "framework/support/uRegistry.h"
#include "core/support/uUserError.h"

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

// Answers with a scripted name, or cancels.
class TScriptedDialog : public fw::TSaveDialog {
 public:
  bool Execute(HWND) override {
    if (!Answer.empty()) SetFileName(Answer);
    return !Answer.empty();
  }
  std::wstring Answer;
};

// Can play a disk that fills up halfway through the file, or one whose
// error shows only when the file is closed (every byte was taken).
class TTestDocument : public TDocument {
 public:
  bool DiskFull = false;
  bool CloseFails = false;

 protected:
  void WriteFileContent(const std::wstring& name, HANDLE file, const std::vector<std::uint8_t>& bytes) override {
    if (CloseFails) {
      TDocument::WriteFileContent(name, file, bytes);
      // The writer's own close then fails, as a late write error makes it.
      ::CloseHandle(file);
      return;
    }
    if (!DiskFull) return TDocument::WriteFileContent(name, file, bytes);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size() / 2), &written, nullptr);
    throw EWriteError(L"disk full");
  }
};

class Document : public testing::Test {
 protected:
  void SetUp() override {
    dir =
        (std::filesystem::temp_directory_path() / ("tintra_doc_" + std::to_string(::GetCurrentProcessId()))).wstring();
    std::filesystem::create_directory(dir);
    owner.Create();
    fw::Application().SetMainForm(&owner);
    fw::Application().OnExceptionHook = [](const std::wstring& text) { shown.push_back(text); };
    shown.clear();
    doc.SetSaveDialog(&saveDialog);
    doc.SetRegistryKey(kKey);
    doc.SetRegistryName(L"DataDir");
    doc.ShowMessageBox = [this](HWND o, const std::wstring& text, const std::wstring& caption, UINT type) {
      EXPECT_EQ(o, owner.Handle());
      EXPECT_EQ(caption, L"Tintra");
      boxes.push_back(text);
      types.push_back(type);
      if (OnBox) OnBox();
      const int answer = answers.empty() ? IDCANCEL : answers.front();
      if (!answers.empty()) answers.pop_front();
      return answer;
    };
    doc.OnSaveToStream = [this](fw::TObject*, TStream& s) { s.WriteBuffer(content.data(), content.size()); };
    doc.OnLoadFromStream = [this](fw::TObject*, TStream& s) {
      loaded.assign(static_cast<std::size_t>(s.Size() - s.Position()), '\0');
      s.ReadBuffer(loaded.data(), loaded.size());
    };
  }
  void TearDown() override {
    fw::Application().OnExceptionHook = nullptr;
    fw::Application().SetMainForm(nullptr);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    for (const auto& entry : std::filesystem::directory_iterator(dir))
      ::SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(dir);
  }
  std::wstring Path(const std::wstring& name) const { return dir + L"\\" + name; }
  // Opened from name, which holds old, then edited.
  void EditedFrom(const std::wstring& name, const std::string& old = "old") {
    WriteBytes(name, old);
    doc.LoadFromFile(name);
    content = "new";
    doc.Change();
  }

  inline static std::vector<std::wstring> shown;
  std::wstring dir;
  fw::TForm owner;
  TTestDocument doc;
  TScriptedDialog saveDialog;
  std::deque<int> answers;
  std::vector<std::wstring> boxes;
  std::vector<UINT> types;
  std::function<void()> OnBox;
  std::string content, loaded;
};

TEST_F(Document, SaveKeepsThePreviousBytesInTheBackup) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"a.txt", L"a.bak"}, {L"a.csv", L"a.bak"}, {L"noext", L"noext.bak"}, {L"x.BAK", L"x.BAK.bak"}};
  for (const auto& [file, bak] : cases) {
    WriteBytes(Path(bak), "older backup");
    EditedFrom(Path(file), "old " + std::to_string(wcslen(file)));
    ASSERT_TRUE(doc.SaveToFile(Path(file))) << file;
    EXPECT_EQ(ReadBytes(Path(file)), "new") << file;
    EXPECT_EQ(ReadBytes(Path(bak)), "old " + std::to_string(wcslen(file))) << file;
    EXPECT_FALSE(doc.Modified());
    std::filesystem::remove(Path(bak));
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(Document, RetryRepeatsTheStepAndCancelStopsTheCommand) {
  const std::wstring name = Path(L"a.txt"), backup = Path(L"a.bak");
  EditedFrom(name);
  WriteBytes(backup, "older");
  ::SetFileAttributesW(backup.c_str(), FILE_ATTRIBUTE_READONLY);
  answers = {IDRETRY, IDCANCEL, IDYES, IDCANCEL};
  EXPECT_FALSE(doc.Save());
  EXPECT_FALSE(doc.CloseQuery());  // Yes, then the same box: Cancel stops the close
  const std::wstring deleteFailed = L"旧ﾊﾞｯｸｱｯﾌﾟﾌｧｲﾙ " + backup + L" の削除に失敗しました。";
  EXPECT_EQ(boxes, (std::vector<std::wstring>{deleteFailed, deleteFailed, name + L" は変更されています。保存しますか？",
                                              deleteFailed}));
  EXPECT_EQ(types[0], kRetryBox);
  EXPECT_TRUE(doc.Modified());
  EXPECT_EQ(ReadBytes(name), "old");
  EXPECT_EQ(ReadBytes(backup), "older");

  answers = {IDRETRY};
  OnBox = [&] { ::SetFileAttributesW(backup.c_str(), FILE_ATTRIBUTE_NORMAL); };
  EXPECT_TRUE(doc.Save());
  EXPECT_EQ(boxes.size(), 5u);
  EXPECT_EQ(ReadBytes(backup), "old");
  EXPECT_EQ(ReadBytes(name), "new");
}

TEST_F(Document, AReadOnlyTargetIsRefusedBeforeTheOldBackupIsTouched) {
  const std::wstring name = Path(L"a.txt"), backup = Path(L"a.bak");
  EditedFrom(name);
  WriteBytes(backup, "older");
  ::SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(doc.SaveToFile(name));
  EXPECT_EQ(boxes, std::vector<std::wstring>{L"ﾌｧｲﾙ " + name + L" の作成に失敗しました。"});
  EXPECT_EQ(types[0], kRetryBox);
  EXPECT_EQ(ReadBytes(backup), "older");
  EXPECT_EQ(ReadBytes(name), "old");
  EXPECT_TRUE(doc.Modified());
}

TEST_F(Document, TheCloseQuestionAndItsAnswers) {
  content = "x";
  doc.Change();
  // Cancel; No; Yes with the save dialog cancelled.
  answers = {IDCANCEL, IDNO, IDYES};
  EXPECT_FALSE(doc.CloseQuery());
  EXPECT_TRUE(doc.CloseQuery());
  EXPECT_FALSE(doc.CloseQuery());
  EXPECT_TRUE(doc.Modified());
  EXPECT_EQ(boxes, std::vector<std::wstring>(3, L"(無題) は変更されています。保存しますか？"));
  EXPECT_EQ(types[0], static_cast<UINT>(MB_YESNOCANCEL | MB_ICONWARNING));
  // Yes with a name: saved, and its folder remembered.
  answers = {IDYES};
  saveDialog.Answer = Path(L"first.txt");
  EXPECT_TRUE(doc.CloseQuery());
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(ReadBytes(Path(L"first.txt")), "x");
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"DataDir"), dir);
  EXPECT_TRUE(doc.CloseQuery());  // nothing to ask
  EXPECT_EQ(boxes.size(), 4u);
}

TEST_F(Document, EventsAndTheUpdateBracket) {
  std::wstring log;
  doc.OnModifiedChange = [&](fw::TObject*) { log += doc.Modified() ? L"M+" : L"M-"; };
  doc.OnChange = [&](fw::TObject*) { log += L"C"; };
  doc.OnFilenameChanged = [&](fw::TObject*) { log += L"F"; };
  doc.OnClear = [&](fw::TObject*) { log += L"X"; };
  doc.Change();
  doc.Change();
  doc.SetModified(false);
  doc.BeginUpdate();
  doc.BeginUpdate();
  doc.Change();
  doc.EndUpdate();
  log += L"|";
  doc.EndUpdate();
  doc.EndUpdate();  // unbalanced: nothing
  doc.SetFileName(L"C:\\a.txt");
  doc.SetFileName(L"C:\\a.txt");
  doc.Clear();  // the dropped flag is not reported
  EXPECT_EQ(log, L"M+CCM-|M+CFXF");
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(doc.FileName(), L"");
}

TEST_F(Document, HeaderAndFailingLoadsKeepNameFlagAndContent) {
  doc.SetDateFileHeader("TCLx");
  doc.SetbMajorVersion(1);
  doc.SetbMinorVersion(2);
  content = "body";
  TMemoryStream stream;
  doc.SaveToStream(stream);
  EXPECT_EQ(std::string(stream.Bytes().begin(), stream.Bytes().end()), std::string("TCL\x01\x02", 5) + "body");
  stream.SetPosition(0);
  EXPECT_EQ(doc.LoadFromStream(stream), 0x102);

  const std::wstring good = Path(L"good.txt"), other = Path(L"other.txt");
  WriteBytes(good, "TCL\x01\x03 good");
  doc.LoadFromFile(good);
  doc.Change();
  loaded = "kept";
  WriteBytes(other, "XYZ\x01\x02 text");
  try {
    doc.LoadFromFile(other);
    ADD_FAILURE();
  } catch (const EUserError& e) {
    EXPECT_EQ(e.Message(), L"このファイルは、Tintraのデータファイルではありません。");
  }
  WriteBytes(other, "TC");
  EXPECT_THROW(doc.LoadFromFile(other), EReadError);
  EXPECT_THROW(doc.LoadFromFile(Path(L"missing.txt")), EFOpenError);
  EXPECT_EQ(loaded, "kept");
  EXPECT_EQ(doc.FileName(), good);
  EXPECT_TRUE(doc.Modified());
}

TEST_F(Document, NothingElseOpensOrClosesWhileItAsks) {
  content = "x";
  doc.Change();
  std::vector<bool> busy;
  OnBox = [&] {
    busy.push_back(doc.Busy());
    // A close sent from outside meanwhile neither asks again nor lets go.
    EXPECT_FALSE(doc.CloseQuery());
    EXPECT_FALSE(doc.Open());
  };
  EXPECT_FALSE(doc.CloseQuery());
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(busy, std::vector<bool>{true});
  EXPECT_FALSE(doc.Busy());
}

TEST_F(Document, AFailedWriteIsNotASave) {
  const std::wstring name = Path(L"a.txt");
  EditedFrom(name);
  // A writer that fails leaves the disk as it was.
  doc.OnSaveToStream = [](fw::TObject*, TStream&) { throw EWriteError(L"Stream write error"); };
  EXPECT_FALSE(doc.Save());
  EXPECT_EQ(ReadBytes(name), "old");
  EXPECT_FALSE(std::filesystem::exists(Path(L"a.bak")));
  // A disk that fills up: the failure box, no new name, still modified, no
  // saved answer, and the old file with its backup and no leftovers.
  WriteBytes(Path(L"a.bak"), "older");
  doc.OnSaveToStream = [](fw::TObject*, TStream& s) { s.WriteBuffer("0123456789", 10); };
  doc.DiskFull = true;
  std::wstring renamed;
  doc.OnFilenameChanged = [&](fw::TObject*) { renamed = doc.FileName(); };
  saveDialog.Answer = Path(L"full.txt");
  EXPECT_FALSE(doc.SaveAs());
  answers = {IDYES};
  EXPECT_FALSE(doc.CloseQuery());
  EXPECT_EQ(shown, std::vector<std::wstring>{L"Stream write error"});
  const std::wstring full = L"ﾌｧｲﾙ " + Path(L"full.txt") + L" の作成に失敗しました。";
  const std::wstring mine = L"ﾌｧｲﾙ " + name + L" の作成に失敗しました。";
  EXPECT_EQ(boxes, (std::vector<std::wstring>{full, name + L" は変更されています。保存しますか？", mine}));
  EXPECT_EQ(types.back(), static_cast<UINT>(MB_RETRYCANCEL | MB_ICONERROR | MB_TASKMODAL));
  EXPECT_TRUE(doc.Modified());
  EXPECT_EQ(doc.FileName(), name);
  EXPECT_EQ(renamed, L"");  // so no recent-files entry either
  EXPECT_EQ(ReadBytes(name), "old");
  EXPECT_EQ(ReadBytes(Path(L"a.bak")), "older");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2);

  // Space freed while the box is up: Retry saves.
  answers = {IDRETRY};
  OnBox = [&] { doc.DiskFull = false; };
  EXPECT_TRUE(doc.Save());
  EXPECT_EQ(ReadBytes(name), "0123456789");
  EXPECT_EQ(ReadBytes(Path(L"a.bak")), "old");
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2);
}

TEST_F(Document, AWriteErrorAtCloseIsNotASave) {
  const std::wstring name = Path(L"a.txt");
  EditedFrom(name);
  WriteBytes(Path(L"a.bak"), "older");
  doc.OnSaveToStream = [](fw::TObject*, TStream& s) { s.WriteBuffer("0123456789", 10); };
  doc.CloseFails = true;
  // Cancel first, then Retry once the error is gone.
  answers = {IDCANCEL, IDRETRY};
  EXPECT_FALSE(doc.Save());
  const std::wstring failed = L"ﾌｧｲﾙ " + name + L" の作成に失敗しました。";
  EXPECT_EQ(boxes, std::vector<std::wstring>{failed});
  EXPECT_TRUE(doc.Modified());
  EXPECT_EQ(ReadBytes(name), "old");
  EXPECT_EQ(ReadBytes(Path(L"a.bak")), "older");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2) << "no temporary file left";

  OnBox = [&] { doc.CloseFails = false; };
  EXPECT_TRUE(doc.Save());
  EXPECT_EQ(ReadBytes(name), "0123456789");
  EXPECT_EQ(ReadBytes(Path(L"a.bak")), "old");
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2);
}

// The main window's caption and file commands.
class DocumentWindow : public testing::Test {
 protected:
  void SetUp() override { form.CreateForm(); }
  TMainWindowOptions Options() {
    TMainWindowOptions options;
    options.DocumentMessageBox = [this](HWND, const std::wstring&, const std::wstring&, UINT) {
      ++asked;
      return answer;
    };
    return options;
  }
  // The window stores its recent files when it goes; leave none behind.
  void TearDown() override {
    form.Documents.TBXMRUList.Clear();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\ZORVEK\\Tintra\\History");
  }
  void Command(const fw::TAction& action) { ::SendMessageW(form.Handle(), WM_COMMAND, action.Id(), 0); }
  int answer = IDCANCEL, asked = 0;
  TfrmTintra form{Options()};
};

TEST_F(DocumentWindow, CaptionNewAndClose) {
  EXPECT_EQ(form.Text(), L"(無題) - Tintra");
  form.Documents.Document.Change();
  EXPECT_EQ(form.Text(), L"(無題)(変更) - Tintra");
  form.Documents.Document.SetFileName(L"C:\\data\\colors.txt");
  EXPECT_EQ(form.Text(), L"colors(変更) - Tintra");
  EXPECT_EQ(form.Documents.TBXMRUList.Items().front(), L"C:\\data\\colors.txt");
  // New and exit ask first; Cancel keeps everything, No drops it.
  Command(form.actNew);
  Command(form.actExit);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(form.Text(), L"colors(変更) - Tintra");
  answer = IDNO;
  Command(form.actNew);
  EXPECT_EQ(form.Text(), L"(無題) - Tintra");
  form.Documents.Document.Change();
  HWND wnd = form.Handle();
  Command(form.actExit);
  EXPECT_FALSE(::IsWindow(wnd));
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

// An untitled list keeps its name through New, so only the part that
// cleared it can take the mark off.
TEST_F(DocumentWindow, NewOnAChangedUntitledListTakesTheMarkOffTheCaption) {
  form.actInsert.Execute();
  EXPECT_EQ(form.Text(), L"(無題)(変更) - Tintra");
  answer = IDNO;
  Command(form.actNew);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(form.ColorList.ItemCount(), 0);
  EXPECT_EQ(form.Text(), L"(無題) - Tintra");
}

// A file that is no list is not opened; one with lines a save would drop
// opens only after the question; nothing changes on a refusal.
TEST(DocumentReading, NothingIsLostOrOpenedBehindTheUsersBack) {
  const std::wstring dir =
      (std::filesystem::temp_directory_path() / ("tintra_read_" + std::to_string(::GetCurrentProcessId()))).wstring();
  std::filesystem::create_directory(dir);
  std::vector<std::wstring> texts;
  std::vector<UINT> types;
  int answer = IDCANCEL;
  TMainWindowOptions options;
  options.DocumentMessageBox = [&](HWND, const std::wstring& text, const std::wstring&, UINT type) {
    texts.push_back(text);
    types.push_back(type);
    return answer;
  };
  TfrmTintra form(std::move(options));
  form.CreateForm();
  const std::wstring good = dir + L"\\good.txt";
  WriteBytes(good, "1,2,3,\"a\"\r\n");
  ASSERT_TRUE(form.Documents.OpenDocumentFile(good));
  ASSERT_EQ(form.Text(), L"good - Tintra");

  struct TCase {
    const wchar_t* Name;
    std::string Bytes;
    int Answer;
    std::wstring Box;  // after the file's name; empty: no box
    bool Opens;
    int Items;
  } cases[] = {
      {L"photo.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), IDOK, L" は色ﾘｽﾄのﾌｧｲﾙではありません。", false, 1},
      {L"partly.txt", "1,2,3,\"x\"\r\nnot a colour\r\n4,5,6,\"y\"\r\n", IDCANCEL,
       L" には読み込めない行が 1 行あります (2 行目)。\r\n保存すると、これらの行の内容は失われます。開きますか？", false, 1},
      {L"partly.txt", "1,2,3,\"x\"\r\nnot a colour\r\n4,5,6,\"y\"\r\n", IDOK,
       L" には読み込めない行が 1 行あります (2 行目)。\r\n保存すると、これらの行の内容は失われます。開きますか？", true, 2},
      {L"cut.txt", std::string("7,8,9,\"a\0b\"\r\n", 13), IDOK,
       L" には読み込めない行が 1 行あります (1 行目)。\r\n保存すると、これらの行の内容は失われます。開きますか？", true, 1},
      {L"empty.txt", "", IDOK, L"", true, 0},
      {L"big-endian.txt", std::string("\xFE\xFF\0001\0,\0002\0,\0003\0,\0\"\0\"\0\r\0\n", 22), IDOK, L"", true, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.Name)));
    const std::wstring name = dir + L"\\" + c.Name;
    WriteBytes(name, c.Bytes);
    const std::wstring before = form.Text();
    const int itemsBefore = form.ColorList.ItemCount();
    texts.clear();
    types.clear();
    answer = c.Answer;
    if (c.Opens) {
      EXPECT_TRUE(form.Documents.OpenDocumentFile(name));
      EXPECT_EQ(form.Documents.Document.FileName(), name);
      EXPECT_EQ(form.ColorList.ItemCount(), c.Items);
    } else {
      EXPECT_THROW(form.Documents.OpenDocumentFile(name), EAbort);
      EXPECT_EQ(form.Text(), before);
      EXPECT_EQ(form.ColorList.ItemCount(), itemsBefore);
    }
    if (c.Box.empty()) {
      EXPECT_TRUE(texts.empty());
    } else {
      ASSERT_EQ(texts.size(), 1u);
      EXPECT_EQ(texts[0], L"ﾌｧｲﾙ " + name + c.Box);
      EXPECT_EQ(types[0] & MB_TYPEMASK, static_cast<UINT>(c.Opens || c.Answer == IDCANCEL ? MB_OKCANCEL : MB_OK));
    }
    EXPECT_FALSE(form.Documents.Document.Modified());
  }
  EXPECT_EQ(form.ColorList.RowColor(1), RGB(1, 2, 3)) << "the big-endian file's colour";
  std::filesystem::remove_all(dir);
}

}  // namespace
