#include "core/document/uDocumentState.h"

#include <gtest/gtest.h>

#include <string>

#include "core/support/Exception.h"

namespace {

// One letter per step and per report: M+ / M- a flag change reported (with
// the flag after it), C a change reported, | the end of a step.
enum class TStep { Change, Modify, Unmodify, Begin, End, Forget };

std::string Replay(TDocumentState& state, std::initializer_list<TStep> steps) {
  std::string log;
  for (TStep step : steps) {
    TDocumentEvents events;
    switch (step) {
      case TStep::Change:
        events = state.Change();
        break;
      case TStep::Modify:
        events = state.SetModified(true);
        break;
      case TStep::Unmodify:
        events = state.SetModified(false);
        break;
      case TStep::Begin:
        state.BeginUpdate();
        break;
      case TStep::End:
        events = state.EndUpdate();
        break;
      case TStep::Forget:
        state.ForgetModified();
        break;
    }
    for (TDocumentEvent e : events) log += e == TDocumentEvent::Change ? "C" : (state.Modified() ? "M+" : "M-");
    log += "|";
  }
  return log;
}

TEST(DocumentStateTest, ReportsFlagChangesOnceAndHoldsThemBackDuringAnUpdate) {
  using enum TStep;
  struct TCase {
    const char* Name;
    std::initializer_list<TStep> Steps;
    const char* Log;
    bool Modified;
  };
  const TCase cases[] = {
      {"a first change sets the flag, then reports", {Change}, "M+C|", true},
      {"later changes report only the change", {Change, Change}, "M+C|C|", true},
      {"setting the flag it has reports nothing", {Unmodify, Modify, Modify}, "|M+||", true},
      {"saved", {Change, Unmodify}, "M+C|M-|", false},
      {"a change inside an update waits for its end", {Begin, Change, Change, End}, "|||M+C|", true},
      {"nested updates report at the outermost end", {Begin, Begin, Change, End, End}, "||||M+C|", true},
      {"an unbalanced end does nothing", {End, Change, End}, "|M+C||", true},
      {"a flag set inside an update, then a change", {Begin, Modify, Change, End}, "|||CM+|", true},
      {"a flag set and cleared inside an update is still reported", {Begin, Modify, Unmodify, End}, "|||M-|", false},
      {"an update without changes reports nothing", {Begin, End}, "||", false},
      {"forgetting the flag is never reported", {Change, Forget, Change}, "M+C||M+C|", true},
  };
  for (const TCase& c : cases) {
    TDocumentState state;
    EXPECT_EQ(Replay(state, c.Steps), c.Log) << c.Name;
    EXPECT_EQ(state.Modified(), c.Modified) << c.Name;
  }
}

TEST(DocumentStateTest, AFileNameIsReportedOnlyWhenItIsADifferentOne) {
  TDocumentState state;
  EXPECT_FALSE(state.SetFileName(L""));
  EXPECT_TRUE(state.SetFileName(L"C:\\a.txt"));
  EXPECT_FALSE(state.SetFileName(L"C:\\a.txt"));
  // Names differing only in case are different names to the document.
  EXPECT_TRUE(state.SetFileName(L"C:\\A.txt"));
  EXPECT_EQ(state.FileName(), L"C:\\A.txt");
  EXPECT_TRUE(state.SetFileName(L""));
}

TEST(DocumentStateTest, CaptionAndShownName) {
  struct TCase {
    std::wstring FileName;
    bool Modified;
    std::wstring Caption, Shown;
  };
  const TCase cases[] = {
      {L"", false, L"(無題) - Tintra", L"(無題)"},
      {L"", true, L"(無題)(変更) - Tintra", L"(無題)"},
      {L"C:\\data\\colors.txt", false, L"colors - Tintra", L"C:\\data\\colors.txt"},
      {L"C:\\data\\colors.txt", true, L"colors(変更) - Tintra", L"C:\\data\\colors.txt"},
      {L"C:\\data.v2\\色見本", false, L"色見本 - Tintra", L"C:\\data.v2\\色見本"},
      {L"a.b.c", true, L"a.b(変更) - Tintra", L"a.b.c"},
      {L"C:\\x\\.txt", false, L".txt - Tintra", L"C:\\x\\.txt"},
      {L"D:colors.txt", false, L"colors - Tintra", L"D:colors.txt"},
  };
  const TDocumentTexts japanese{L"(無題)", L"(変更)"};
  for (const TCase& c : cases) {
    EXPECT_EQ(DocumentCaption(c.FileName, c.Modified, L"Tintra", japanese), c.Caption) << WideToUtf8(c.FileName);
    EXPECT_EQ(DocumentShownName(c.FileName, japanese), c.Shown) << WideToUtf8(c.FileName);
  }
}

TEST(DocumentStateTest, CaptionTakesTheWordsOfTheInterfaceLanguage) {
  const TDocumentTexts english{L"Untitled", L"*"};
  struct TCase {
    std::wstring FileName;
    bool Modified;
    std::wstring Caption, Shown;
  };
  const TCase cases[] = {
      {L"", false, L"Untitled - Tintra", L"Untitled"},
      {L"", true, L"Untitled* - Tintra", L"Untitled"},
      {L"C:\\data\\colors.txt", true, L"colors* - Tintra", L"C:\\data\\colors.txt"},
      // A file really named like the placeholder is still the file.
      {L"C:\\Untitled.txt", false, L"Untitled - Tintra", L"C:\\Untitled.txt"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(DocumentCaption(c.FileName, c.Modified, L"Tintra", english), c.Caption) << WideToUtf8(c.FileName);
    EXPECT_EQ(DocumentShownName(c.FileName, english), c.Shown) << WideToUtf8(c.FileName);
  }
}

TEST(DocumentStateTest, NameParts) {
  struct TCase {
    std::wstring Path;
    bool HasExtension;
    std::wstring Backup, Name, Dir;
  };
  const TCase cases[] = {
      {L"C:\\data\\a.txt", true, L"C:\\data\\a.bak", L"a.txt", L"C:\\data"},
      {L"C:\\data\\a.csv", true, L"C:\\data\\a.bak", L"a.csv", L"C:\\data"},
      {L"C:\\data\\noext", false, L"C:\\data\\noext.bak", L"noext", L"C:\\data"},
      // A backup's backup keeps the first: it is not its own backup.
      {L"C:\\data\\x.bak", true, L"C:\\data\\x.bak.bak", L"x.bak", L"C:\\data"},
      {L"C:\\data\\x.BAK", true, L"C:\\data\\x.BAK.bak", L"x.BAK", L"C:\\data"},
      {L"C:\\data\\x.BaK", true, L"C:\\data\\x.BaK.bak", L"x.BaK", L"C:\\data"},
      {L"C:\\data\\x.bakx", true, L"C:\\data\\x.bak", L"x.bakx", L"C:\\data"},
      // A dot in a folder name starts no extension of the file.
      {L"C:\\v1.2\\notes", false, L"C:\\v1.2\\notes.bak", L"notes", L"C:\\v1.2"},
      {L"C:\\data\\.profile", false, L"C:\\data\\.profile.bak", L".profile", L"C:\\data"},
      {L"C:\\a.txt", true, L"C:\\a.bak", L"a.txt", L"C:\\"},
      {L"\\a.txt", true, L"\\a.bak", L"a.txt", L"\\"},
      {L"C:a.txt", true, L"C:a.bak", L"a.txt", L"C:"},
      {L"dir/sub/a.b.txt", true, L"dir/sub/a.b.bak", L"a.b.txt", L"dir/sub"},
      {L"a.txt", true, L"a.bak", L"a.txt", L""},
      {L"", false, L".bak", L"", L""},
  };
  for (const TCase& c : cases) {
    const std::string name = WideToUtf8(c.Path);
    EXPECT_EQ(HasFileExtension(c.Path), c.HasExtension) << name;
    EXPECT_EQ(BackupName(c.Path), c.Backup) << name;
    EXPECT_EQ(FileNamePart(c.Path), c.Name) << name;
    EXPECT_EQ(FileDirPart(c.Path), c.Dir) << name;
  }
}

}  // namespace
