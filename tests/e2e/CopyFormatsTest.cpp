// Copy as a format in the real program: the colour pasted as CSS text, its
// name read beside the swatch, and each built-in format copied
// through the edit menu's submenu and read back from the X clipboard.
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "app/ControlIds.h"
#include "tests/e2e/TintraSession.h"

namespace {

using e2e::TintraSession;
using namespace std::chrono_literals;

struct TColorCase {
  const char* css;                   // pasted to make the colour current
  std::vector<std::string> outputs;  // the built-in formats in menu order
};

const TColorCase kCases[] = {
    {"rgb(18, 52, 86)",
     {"#123456", "#123456", "rgb(18, 52, 86)", "hsl(210.0, 65.4%, 20.4%)", "hwb(210.0 7.1% 66.3%)", "oklch(0.3192 0.0725 251.17)",
      "0x563412", "$00563412", "0.071, 0.204, 0.337", "1193046", "\u2248midnightblue", "lab(20.68 -2.28 -24.59)",
      "lch(20.68 24.70 264.71)", "oklab(0.3192 -0.0234 -0.0686)", "color(display-p3 0.1066 0.2009 0.3270)",
      "color(srgb-linear 0.0060 0.0343 0.0931)", "color(xyz-d65 0.0316 0.0326 0.0927)", "cmyk(79%, 40%, 0%, 66%)",
      "vec4(0.071, 0.204, 0.337, 1.0)", "#FF123456", "Color.FromArgb(255, 18, 52, 86)",
      "Color(red: 0.071, green: 0.204, blue: 0.337)"}},
    {"rgb(255 128 0)",
     {"#FF8000", "#ff8000", "rgb(255, 128, 0)", "hsl(30, 100%, 50%)", "hwb(30 0% 0%)", "oklch(0.7319 0.1858 52.98)",
      "0x0080FF", "$000080FF", "1.000, 0.502, 0.000", "16744448", "\u2248darkorange", "lab(67.82 45.49 74.84)",
      "lch(67.82 87.58 58.71)", "oklab(0.7319 0.1119 0.1484)", "color(display-p3 0.9361 0.5290 0.1987)",
      "color(srgb-linear 1.0000 0.2159 0.0000)", "color(xyz-d65 0.4896 0.3670 0.0451)", "cmyk(0%, 50%, 100%, 0%)",
      "vec4(1.000, 0.502, 0.000, 1.0)", "#FFFF8000", "Color.FromArgb(255, 255, 128, 0)",
      "Color(red: 1.000, green: 0.502, blue: 0.000)"}},
    {"black",
     {"#000000", "#000000", "rgb(0, 0, 0)", "hsl(0, 0%, 0%)", "hwb(0 0% 100%)", "oklch(0.0000 0.0000 0.00)", "0x000000",
      "$00000000", "0.000, 0.000, 0.000", "0", "black", "lab(0.00 0.00 0.00)", "lch(0.00 0.00 0.00)",
      "oklab(0.0000 0.0000 0.0000)", "color(display-p3 0.0000 0.0000 0.0000)",
      "color(srgb-linear 0.0000 0.0000 0.0000)", "color(xyz-d65 0.0000 0.0000 0.0000)", "cmyk(0%, 0%, 0%, 100%)",
      "vec4(0.000, 0.000, 0.000, 1.0)", "#FF000000", "Color.FromArgb(255, 0, 0, 0)",
      "Color(red: 0.000, green: 0.000, blue: 0.000)"}},
};

std::string XClipboard() { return e2e::RunProcess({"xclip", "-o", "-selection", "clipboard"}, 5s).Out; }

TEST(CopyFormatsE2E, EachBuiltInFormatIsCopiedThroughTheMenuAndReadFromX) {
  TintraSession tintra;
  const std::vector<e2e::MenuEntry> menu = tintra.Menu();
  const e2e::MenuEntry* copyAs = e2e::FindMenuEntry(menu, "形式を指定してコピー(&F)");
  ASSERT_NE(copyAs, nullptr);
  std::vector<int> ids;
  for (const auto& item : copyAs->Items)
    if (item.Kind == e2e::MenuEntry::EKind::Item && item.Id != 0) ids.push_back(item.Id);
  // The 22 built-in formats, then the formats dialog.
  ASSERT_EQ(ids.size(), 23u);

  const e2e::MenuEntry* paste = e2e::FindMenuEntry(menu, "貼り付け(&P)");
  ASSERT_NE(paste, nullptr);
  const auto name = [&] { return tintra.Texts({ControlIds::lblColorName})[0]; };
  // The program starts black: make the first colour another one.
  e2e::probe::SetClipboard("white");
  tintra.Command(paste->Id);
  ASSERT_EQ(e2e::Await(std::string("white"), name), "white");
  for (const TColorCase& c : kCases) {
    e2e::probe::SetClipboard(c.css);
    // The name beside the swatch follows the colour.
    const std::string& expectedName = c.outputs[10];
    EXPECT_EQ(e2e::Await(expectedName,
                         [&] {
                           tintra.Command(paste->Id);
                           return name();
                         }),
              expectedName)
        << c.css;
    for (size_t f = 0; f < c.outputs.size(); ++f) {
      tintra.Command(ids[f]);
      const std::string got = e2e::Await(c.outputs[f], XClipboard);
      EXPECT_EQ(got, c.outputs[f]) << c.css << " format " << f;
      std::cout << "copied\t" << c.outputs[0] << '\t' << f << '\t' << got << '\n';
    }
  }
}

}  // namespace
