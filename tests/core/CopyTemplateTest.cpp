#include "core/colorout/uCopyTemplate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/colorout/uColorChannels.h"
#include "core/colorout/uCopyFormatStore.h"

namespace {

TEST(ExpandCopyTemplate, FillsEveryPlaceholder) {
  struct Case {
    const wchar_t* text;
    int red, green, blue;
    const wchar_t* expanded;
  };
  const Case cases[] = {
      {L"{r},{g},{b}", 18, 52, 86, L"18,52,86"},
      {L"#{R}{G}{B}", 18, 52, 86, L"#123456"},
      {L"0x{R}{G}{B}", 255, 128, 0, L"0xFF8000"},
      {L"{R}{G}{B}", 10, 11, 12, L"0A0B0C"},
      {L"hsl({h}, {s}%, {l}%)", 18, 52, 86, L"hsl(210, 65%, 20%)"},
      {L"{h} {s} {l}", 9, 8, 7, L"30 13 3"},  // 12.5% rounds up
      {L"vec3({rf}, {gf}, {bf})", 18, 52, 86, L"vec3(0.071, 0.204, 0.337)"},
      {L"{rf} {gf} {bf}", 255, 0, 1, L"1.000 0.000 0.004"},
      {L"{name}", 255, 0, 0, L"red"},
      {L"{name}", 18, 52, 86, L"\u2248midnightblue"},
      {L"Color({r}, {g}, {b}) // {name}", 0, 255, 255, L"Color(0, 255, 255) // aqua"},
      {L"{{r}} = {r}", 1, 2, 3, L"{r} = 1"},
      {L"{{{r}}}", 1, 2, 3, L"{1}"},
      {L"}}{{", 1, 2, 3, L"}{"},
      {L"no placeholders", 1, 2, 3, L"no placeholders"},
      {L"\u8272 {r}\r\n{g}", 1, 2, 3, L"\u8272 1\r\n2"},
      // Faulty parts are copied as they stand.
      {L"{x} {r}", 18, 52, 86, L"{x} 18"},
      {L"{R", 18, 52, 86, L"{R"},
      {L"{ {r}", 18, 52, 86, L"{ 18"},
      {L"a}b{g}", 18, 52, 86, L"a}b52"},
      {L"{}", 1, 2, 3, L"{}"},
      {L"{RF}", 1, 2, 3, L"{RF}"},
      {L"{ r }", 1, 2, 3, L"{ r }"},
      {L"", 1, 2, 3, L""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ExpandCopyTemplate(c.text, MakeColor(c.red, c.green, c.blue)), c.expanded)
        << std::wstring(c.text).size();
}

TEST(ExpandCopyTemplate, DropsNulAndIgnoresHighBits) {
  EXPECT_EQ(ExpandCopyTemplate(std::wstring(L"a\0{r}", 5), MakeColor(7, 0, 0)), L"a7");
  EXPECT_EQ(ExpandCopyTemplate(L"{r}", 0xFF000001u), L"1");
}

TEST(CheckCopyTemplate, ReportsTheFirstFaultAndWhere) {
  using enum TTemplateFault;
  struct Case {
    const wchar_t* text;
    std::size_t length;
    bool ok;
    std::size_t position;
    TTemplateFault fault;
  };
  const Case cases[] = {
      {L"#{R}{G}{B}", 10, true, 0, Empty},
      {L"{{literal}}", 11, true, 0, Empty},
      {L"plain", 5, true, 0, Empty},
      {L"{name} {rf}", 11, true, 0, Empty},
      {L"", 0, false, 0, Empty},
      {L"ab{x}", 5, false, 2, UnknownName},
      {L"{r", 2, false, 0, Unclosed},
      {L"{r}}", 4, false, 3, UnmatchedClose},
      {L"{r}{", 4, false, 3, Unclosed},
      {L"{a{r}", 5, false, 0, Unclosed},
      {L"x}", 2, false, 1, UnmatchedClose},
      {L"{r}\0", 4, false, 3, Nul},
      {L"\0{x}", 4, false, 0, Nul},
      {L"{Name}", 6, false, 0, UnknownName},
      {L"{}}", 3, false, 0, UnknownName},
  };
  for (const Case& c : cases) {
    const auto problem = CheckCopyTemplate(std::wstring_view(c.text, c.length));
    EXPECT_EQ(!problem, c.ok) << std::wstring(c.text, c.length).size() << " at case " << (&c - cases);
    if (problem) {
      EXPECT_EQ(problem->position, c.position) << (&c - cases);
      EXPECT_EQ(problem->fault, c.fault) << (&c - cases);
    }
  }
  // An unknown name is reported whole, so that the message can name it.
  for (const auto& [text, part] : {std::pair{L"ab{x}c", L"{x}"}, {L"{Name}", L"{Name}"}, {L"{}}", L"{}"}}) {
    const auto problem = CheckCopyTemplate(text);
    ASSERT_TRUE(problem);
    EXPECT_EQ(std::wstring_view(text).substr(problem->position, problem->length), part);
  }
}

TEST(CopyFormatStore, RoundTripsAsMultiString) {
  const std::vector<std::wstring> templates = {L"#{R}{G}{B}", L"{r} {g} {b}", L"\u8272: {name}"};
  const std::wstring data = CopyTemplatesToMultiString(templates);
  EXPECT_EQ(data, std::wstring(L"#{R}{G}{B}\0{r} {g} {b}\0\u8272: {name}\0\0", 34));
  EXPECT_EQ(CopyTemplatesFromMultiString(data), templates);
}

TEST(CopyFormatStore, EmptyListIsTwoNuls) {
  EXPECT_EQ(CopyTemplatesToMultiString({}), std::wstring(2, L'\0'));
  EXPECT_TRUE(CopyTemplatesFromMultiString(std::wstring(2, L'\0')).empty());
  EXPECT_TRUE(CopyTemplatesFromMultiString(L"").empty());
}

TEST(CopyFormatStore, LeavesOutWhatCannotBeStored) {
  const std::vector<std::wstring> templates = {L"", L"a", std::wstring(L"b\0c", 3),
                                               std::wstring(kMaxCopyTemplateLength + 1, L'x'), L"d"};
  EXPECT_EQ(CopyTemplatesFromMultiString(CopyTemplatesToMultiString(templates)), (std::vector<std::wstring>{L"a", L"d"}));
  std::vector<std::wstring> many(kMaxCopyTemplates + 5, L"{r}");
  EXPECT_EQ(CopyTemplatesFromMultiString(CopyTemplatesToMultiString(many)).size(), kMaxCopyTemplates);
}

TEST(CopyFormatStore, ToleratesGarbage) {
  struct Case {
    std::wstring data;
    std::vector<std::wstring> templates;
  };
  const Case cases[] = {
      {L"a", {L"a"}},                                       // no terminator at all
      {std::wstring(L"a\0b", 3), {L"a", L"b"}},              // last one unterminated
      {std::wstring(L"a\0\0b\0\0", 6), {L"a"}},              // data after the end
      {std::wstring(L"\0a\0\0", 4), {}},                     // starts with the end
      {std::wstring(kMaxCopyTemplateLength + 1, L'y') + std::wstring(L"\0z\0", 3), {L"z"}},
      {L"{unbalanced", {L"{unbalanced"}},                   // kept for the editor to flag
  };
  for (const Case& c : cases) EXPECT_EQ(CopyTemplatesFromMultiString(c.data), c.templates) << c.data.size();
}

}  // namespace
