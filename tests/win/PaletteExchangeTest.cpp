// Palette files through the main window's list: export writes what the
// palette formats make of the rows and leaves the document alone; import
// appends as one change, or shows why not and appends nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/resources/StringIds.h"
#include "app/ufrmTintra.h"
#include "app/uPaletteExchange.h"
#include "core/colorout/uPalette.h"
#include "framework/Application.h"

namespace {

enum { kHex = 2, kRed = 3, kGreen = 4, kBlue = 5, kComment = 6 };

const std::vector<TPaletteEntry> kThree = {
    {RGB(18, 52, 86), L"sea"}, {RGB(255, 128, 0), L"orange"}, {RGB(0, 0, 0), L""}};

std::string ReadBytes(const std::wstring& name) {
  std::ifstream in(name.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::wstring& name, const std::string& bytes) {
  std::ofstream out(name.c_str(), std::ios::binary);
  out << bytes;
}

class PaletteExchangeTest : public testing::Test {
 protected:
  TMainWindowOptions Recording() {
    TMainWindowOptions options;
    options.DocumentMessageBox = [this](HWND, const std::wstring& text, const std::wstring&, UINT) {
      Messages.push_back(text);
      return IDOK;
    };
    return options;
  }
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    Dir = std::wstring(temp) + L"tintra-palette-" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(Dir.c_str(), nullptr);
    Part.ShowMessageBox = Form.Palettes.ShowMessageBox;
    Form.CreateForm();
    Form.SetBounds(4000, 4000, 507, 304);
    fw::Application().ProcessMessages();
  }
  void TearDown() override {
    WIN32_FIND_DATAW found{};
    HANDLE find = ::FindFirstFileW((Dir + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = Dir + L"\\" + found.cFileName;
        ::SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(name.c_str());
      } while (::FindNextFileW(find, &found));
      ::FindClose(find);
    }
    ::RemoveDirectoryW(Dir.c_str());
  }
  std::wstring Path(const std::wstring& name) const { return Dir + L"\\" + name; }
  std::wstring Cell(int identity, int row) {
    return Form.ColorList.gridItem.Cells(Form.ColorList.ColIndex(identity), row);
  }
  // The list holds kThree, saved as far as the document knows.
  void FillThree() {
    Form.ColorList.AppendColors(kThree, IDS_STEP_IMPORT);
    Form.Documents.Document.SetModified(false);
  }
  // A part on the form's list whose dialog answers choice.
  std::optional<TPaletteFileChoice> Choice;
  std::vector<std::wstring> Messages;
  std::wstring Dir;
  TfrmTintra Form{Recording()};
  fw::TActionList Actions;
  TPaletteExchange Part{Actions, Form.ColorList, [this](HWND, bool) { return Choice; }};
};

TEST(PaletteExportTarget, TypedKnownExtensionWinsAndABareNameGetsTheListedType) {
  struct TCase {
    std::wstring Typed;
    int Filter;
    TPaletteFormat Format;
    std::wstring Written;
  } const cases[] = {
      {L"c:\\p\\a.gpl", 1, TPaletteFormat::Gpl, L"c:\\p\\a.gpl"},
      {L"c:\\p\\a.JSON", 1, TPaletteFormat::Json, L"c:\\p\\a.JSON"},
      {L"c:\\p\\a.ase", 2, TPaletteFormat::Ase, L"c:\\p\\a.ase"},
      {L"c:\\p\\a.css", 4, TPaletteFormat::Css, L"c:\\p\\a.css"},
      {L"c:\\p\\a", 2, TPaletteFormat::Css, L"c:\\p\\a.css"},
      {L"c:\\p\\a", 3, TPaletteFormat::Json, L"c:\\p\\a.json"},
      {L"c:\\p\\a", 4, TPaletteFormat::Ase, L"c:\\p\\a.ase"},
      // An extension that names no written type keeps the name as typed.
      {L"c:\\p\\a.txt", 3, TPaletteFormat::Json, L"c:\\p\\a.txt"},
      // A dot in a folder is no extension.
      {L"c:\\p.q\\a", 1, TPaletteFormat::Gpl, L"c:\\p.q\\a.gpl"},
      // A type index the list does not have counts as the first.
      {L"c:\\p\\a", 0, TPaletteFormat::Gpl, L"c:\\p\\a.gpl"},
      {L"c:\\p\\a", 9, TPaletteFormat::Gpl, L"c:\\p\\a.gpl"},
  };
  for (const TCase& c : cases) {
    const auto [format, written] = TPaletteExchange::ExportTarget({c.Typed, c.Filter});
    EXPECT_EQ(format, c.Format) << c.Typed;
    EXPECT_EQ(written, c.Written) << c.Typed;
  }
}

TEST_F(PaletteExchangeTest, ExportWritesEachTypeAndLeavesTheDocumentAlone) {
  FillThree();
  const struct {
    int Filter;
    TPaletteFormat Format;
    const wchar_t* Ext;
  } types[] = {{1, TPaletteFormat::Gpl, L".gpl"},
               {2, TPaletteFormat::Css, L".css"},
               {3, TPaletteFormat::Json, L".json"},
               {4, TPaletteFormat::Ase, L".ase"}};
  for (const auto& t : types) {
    Choice = TPaletteFileChoice{Path(L"colours"), t.Filter};
    Part.actExport.Execute();
    const std::wstring file = Path(std::wstring(L"colours") + t.Ext);
    EXPECT_EQ(ReadBytes(file), ExportPalette(t.Format, kThree, L"colours")) << t.Filter;
  }
  EXPECT_TRUE(Messages.empty());
  EXPECT_FALSE(Form.Documents.Document.Modified());
  EXPECT_TRUE(Form.Documents.Document.FileName().empty());
  EXPECT_EQ(Form.ColorList.ItemCount(), 3);
}

TEST_F(PaletteExchangeTest, ExportReplacesAnOldFileWhole) {
  FillThree();
  WriteBytes(Path(L"old.gpl"), std::string(100000, 'x'));
  Choice = TPaletteFileChoice{Path(L"old.gpl"), 1};
  Part.actExport.Execute();
  EXPECT_EQ(ReadBytes(Path(L"old.gpl")), ExportPalette(TPaletteFormat::Gpl, kThree, L"old"));
}

TEST_F(PaletteExchangeTest, ExportThatCannotWriteSaysSoAndLeavesNothing) {
  FillThree();
  WriteBytes(Path(L"locked.gpl"), "keep");
  ::SetFileAttributesW(Path(L"locked.gpl").c_str(), FILE_ATTRIBUTE_READONLY);
  for (const std::wstring& name : {Path(L"missing\\a.gpl"), Path(L"locked.gpl")}) {
    Messages.clear();
    EXPECT_FALSE(Part.ExportTo({name, 1}));
    ASSERT_EQ(Messages.size(), 1u) << name;
    EXPECT_NE(Messages[0].find(name), std::wstring::npos) << Messages[0];
  }
  EXPECT_EQ(ReadBytes(Path(L"locked.gpl")), "keep");
  // No temporary file is left beside.
  WIN32_FIND_DATAW found{};
  HANDLE find = ::FindFirstFileW(Path(L"*.tmp").c_str(), &found);
  EXPECT_EQ(find, INVALID_HANDLE_VALUE);
  if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
  EXPECT_FALSE(Form.Documents.Document.Modified());
}

TEST_F(PaletteExchangeTest, ImportOfEachTypeAppendsTheRowsAsOneChange) {
  const struct {
    const wchar_t* Name;
    std::string Bytes;
    bool Comments;
  } files[] = {
      {L"a.gpl", "GIMP Palette\nName: a\n#\n 18  52  86\tsea\n255 128   0\torange\n  0   0   0\t\n", true},
      {L"a.json",
       R"([{"r":18,"g":52,"b":86,"hex":"#123456","comment":"sea"},)"
       R"({"r":255,"g":128,"b":0,"hex":"#ff8000","comment":"orange"},)"
       R"({"r":0,"g":0,"b":0,"hex":"#000000","comment":""}])",
       true},
      {L"a.ase", ExportPalette(TPaletteFormat::Ase, kThree, L"a"), true},
      {L"a.css", ":root {\n  --sea: #123456;\n  --orange: #FF8000;\n  --x: #000;\n}\n", false},
      {L"a.txt", "sea #123456, orange #ff8000\nblack #000000\n", false},
  };
  for (const auto& f : files) {
    SCOPED_TRACE(f.Name);
    Form.Documents.Clear();
    Form.ColorList.AppendColors(std::vector<TPaletteEntry>{{RGB(1, 2, 3), L"kept"}}, IDS_STEP_IMPORT);
    Form.Documents.Document.SetModified(false);
    WriteBytes(Path(f.Name), f.Bytes);
    Choice = TPaletteFileChoice{Path(f.Name), 1};
    Part.actImport.Execute();
    EXPECT_TRUE(Messages.empty());
    ASSERT_EQ(Form.ColorList.ItemCount(), 4);
    EXPECT_EQ(Cell(kComment, 1), L"kept");
    const wchar_t* hex[] = {L"#123456", L"#FF8000", L"#000000"};
    const wchar_t* red[] = {L"18", L"255", L"0"};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(Cell(kHex, i + 2), hex[i]);
      EXPECT_EQ(Cell(kRed, i + 2), red[i]);
      if (f.Comments) {
        EXPECT_EQ(Cell(kComment, i + 2), kThree[static_cast<size_t>(i)].comment);
      }
    }
    EXPECT_TRUE(Form.Documents.Document.Modified());
    EXPECT_NE(Form.Documents.Caption(L"Tintra").find(L"(変更)"), std::wstring::npos);
    // Nothing is saved: the document stays untitled.
    EXPECT_TRUE(Form.Documents.Document.FileName().empty());
  }
}

TEST_F(PaletteExchangeTest, AFileThatCannotBeReadSaysWhyAndAppendsNothing) {
  std::string tooLarge = "GIMP Palette\n";
  tooLarge.resize(kMaxPaletteBytes + 1, '\n');
  const struct {
    const wchar_t* Name;
    std::optional<std::string> Bytes;  // none: the file does not exist
  } files[] = {
      {L"broken.json", std::string(R"([{"r":1,"g":2,"b":3,"hex":"#010203","comment":"a"},{"r":)")},
      {L"broken.gpl", std::string("GIMP Palette\n1 2 3 one\n4 five 6 two\n")},
      {L"broken.ase", std::string("ASEF\0\1\0\0\0\0\0\5", 12)},
      {L"empty.css", std::string("no colours here")},
      {L"empty.json", std::string("[]")},
      {L"empty.gpl", std::string("GIMP Palette\nName: none\n#\n")},
      {L"huge.gpl", tooLarge},
      {L"picture.bmp", std::string("#123456")},
      {L"gone.gpl", std::nullopt},
  };
  FillThree();
  for (const auto& f : files) {
    SCOPED_TRACE(f.Name);
    Messages.clear();
    if (f.Bytes) WriteBytes(Path(f.Name), *f.Bytes);
    Choice = TPaletteFileChoice{Path(f.Name), 1};
    Part.actImport.Execute();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].find(Path(f.Name)), std::wstring::npos) << Messages[0];
    // The reason follows the name on its own line.
    const auto reason = Messages[0].find(L'\n');
    ASSERT_NE(reason, std::wstring::npos);
    EXPECT_GT(Messages[0].size(), reason + 1);
    EXPECT_EQ(Form.ColorList.ItemCount(), 3);
    EXPECT_FALSE(Form.Documents.Document.Modified());
  }
}

TEST_F(PaletteExchangeTest, CancelledDialogsDoNothing) {
  FillThree();
  Choice = std::nullopt;
  Part.actImport.Execute();
  Part.actExport.Execute();
  EXPECT_TRUE(Messages.empty());
  EXPECT_EQ(Form.ColorList.ItemCount(), 3);
  EXPECT_FALSE(Form.Documents.Document.Modified());
}

TEST_F(PaletteExchangeTest, TheMainWindowsPartShowsItsBoxesThroughTheWindowsOptions) {
  EXPECT_FALSE(Form.Palettes.ImportFrom(Path(L"none.gpl")));
  EXPECT_EQ(Messages.size(), 1u);
}

}  // namespace

namespace {

TEST_F(PaletteExchangeTest, TheSummaryOfACssImportCountsTheLinesItSkipped) {
  WriteBytes(Path(L"b.css"), ":root {\n  --sea: #123456;\n  margin: 0 auto;\n  --x: rgb(0 0 0);\n  gap: 4px;\n}\n");
  Choice = TPaletteFileChoice{Path(L"b.css"), 1};
  Part.actImport.Execute();
  EXPECT_EQ(Form.ColorList.ItemCount(), 2);
  EXPECT_EQ(Messages, std::vector<std::wstring>{L"2 色を読み込みました。読めない 2 行は読み飛ばしました。"});
}

}  // namespace
