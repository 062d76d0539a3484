#include "core/colorout/uColorNames.h"

#include <array>

#include "core/colorout/uColorChannels.h"
#include "core/colorout/uColorSpaces.h"
#include "core/support/uStrings.h"

namespace {

constexpr TNamedColor kNamed[] = {
    {L"aliceblue", MakeColor(240, 248, 255)},
    {L"antiquewhite", MakeColor(250, 235, 215)},
    {L"aqua", MakeColor(0, 255, 255)},
    {L"aquamarine", MakeColor(127, 255, 212)},
    {L"azure", MakeColor(240, 255, 255)},
    {L"beige", MakeColor(245, 245, 220)},
    {L"bisque", MakeColor(255, 228, 196)},
    {L"black", MakeColor(0, 0, 0)},
    {L"blanchedalmond", MakeColor(255, 235, 205)},
    {L"blue", MakeColor(0, 0, 255)},
    {L"blueviolet", MakeColor(138, 43, 226)},
    {L"brown", MakeColor(165, 42, 42)},
    {L"burlywood", MakeColor(222, 184, 135)},
    {L"cadetblue", MakeColor(95, 158, 160)},
    {L"chartreuse", MakeColor(127, 255, 0)},
    {L"chocolate", MakeColor(210, 105, 30)},
    {L"coral", MakeColor(255, 127, 80)},
    {L"cornflowerblue", MakeColor(100, 149, 237)},
    {L"cornsilk", MakeColor(255, 248, 220)},
    {L"crimson", MakeColor(220, 20, 60)},
    {L"cyan", MakeColor(0, 255, 255)},
    {L"darkblue", MakeColor(0, 0, 139)},
    {L"darkcyan", MakeColor(0, 139, 139)},
    {L"darkgoldenrod", MakeColor(184, 134, 11)},
    {L"darkgray", MakeColor(169, 169, 169)},
    {L"darkgreen", MakeColor(0, 100, 0)},
    {L"darkgrey", MakeColor(169, 169, 169)},
    {L"darkkhaki", MakeColor(189, 183, 107)},
    {L"darkmagenta", MakeColor(139, 0, 139)},
    {L"darkolivegreen", MakeColor(85, 107, 47)},
    {L"darkorange", MakeColor(255, 140, 0)},
    {L"darkorchid", MakeColor(153, 50, 204)},
    {L"darkred", MakeColor(139, 0, 0)},
    {L"darksalmon", MakeColor(233, 150, 122)},
    {L"darkseagreen", MakeColor(143, 188, 143)},
    {L"darkslateblue", MakeColor(72, 61, 139)},
    {L"darkslategray", MakeColor(47, 79, 79)},
    {L"darkslategrey", MakeColor(47, 79, 79)},
    {L"darkturquoise", MakeColor(0, 206, 209)},
    {L"darkviolet", MakeColor(148, 0, 211)},
    {L"deeppink", MakeColor(255, 20, 147)},
    {L"deepskyblue", MakeColor(0, 191, 255)},
    {L"dimgray", MakeColor(105, 105, 105)},
    {L"dimgrey", MakeColor(105, 105, 105)},
    {L"dodgerblue", MakeColor(30, 144, 255)},
    {L"firebrick", MakeColor(178, 34, 34)},
    {L"floralwhite", MakeColor(255, 250, 240)},
    {L"forestgreen", MakeColor(34, 139, 34)},
    {L"fuchsia", MakeColor(255, 0, 255)},
    {L"gainsboro", MakeColor(220, 220, 220)},
    {L"ghostwhite", MakeColor(248, 248, 255)},
    {L"gold", MakeColor(255, 215, 0)},
    {L"goldenrod", MakeColor(218, 165, 32)},
    {L"gray", MakeColor(128, 128, 128)},
    {L"green", MakeColor(0, 128, 0)},
    {L"greenyellow", MakeColor(173, 255, 47)},
    {L"grey", MakeColor(128, 128, 128)},
    {L"honeydew", MakeColor(240, 255, 240)},
    {L"hotpink", MakeColor(255, 105, 180)},
    {L"indianred", MakeColor(205, 92, 92)},
    {L"indigo", MakeColor(75, 0, 130)},
    {L"ivory", MakeColor(255, 255, 240)},
    {L"khaki", MakeColor(240, 230, 140)},
    {L"lavender", MakeColor(230, 230, 250)},
    {L"lavenderblush", MakeColor(255, 240, 245)},
    {L"lawngreen", MakeColor(124, 252, 0)},
    {L"lemonchiffon", MakeColor(255, 250, 205)},
    {L"lightblue", MakeColor(173, 216, 230)},
    {L"lightcoral", MakeColor(240, 128, 128)},
    {L"lightcyan", MakeColor(224, 255, 255)},
    {L"lightgoldenrodyellow", MakeColor(250, 250, 210)},
    {L"lightgray", MakeColor(211, 211, 211)},
    {L"lightgreen", MakeColor(144, 238, 144)},
    {L"lightgrey", MakeColor(211, 211, 211)},
    {L"lightpink", MakeColor(255, 182, 193)},
    {L"lightsalmon", MakeColor(255, 160, 122)},
    {L"lightseagreen", MakeColor(32, 178, 170)},
    {L"lightskyblue", MakeColor(135, 206, 250)},
    {L"lightslategray", MakeColor(119, 136, 153)},
    {L"lightslategrey", MakeColor(119, 136, 153)},
    {L"lightsteelblue", MakeColor(176, 196, 222)},
    {L"lightyellow", MakeColor(255, 255, 224)},
    {L"lime", MakeColor(0, 255, 0)},
    {L"limegreen", MakeColor(50, 205, 50)},
    {L"linen", MakeColor(250, 240, 230)},
    {L"magenta", MakeColor(255, 0, 255)},
    {L"maroon", MakeColor(128, 0, 0)},
    {L"mediumaquamarine", MakeColor(102, 205, 170)},
    {L"mediumblue", MakeColor(0, 0, 205)},
    {L"mediumorchid", MakeColor(186, 85, 211)},
    {L"mediumpurple", MakeColor(147, 112, 219)},
    {L"mediumseagreen", MakeColor(60, 179, 113)},
    {L"mediumslateblue", MakeColor(123, 104, 238)},
    {L"mediumspringgreen", MakeColor(0, 250, 154)},
    {L"mediumturquoise", MakeColor(72, 209, 204)},
    {L"mediumvioletred", MakeColor(199, 21, 133)},
    {L"midnightblue", MakeColor(25, 25, 112)},
    {L"mintcream", MakeColor(245, 255, 250)},
    {L"mistyrose", MakeColor(255, 228, 225)},
    {L"moccasin", MakeColor(255, 228, 181)},
    {L"navajowhite", MakeColor(255, 222, 173)},
    {L"navy", MakeColor(0, 0, 128)},
    {L"oldlace", MakeColor(253, 245, 230)},
    {L"olive", MakeColor(128, 128, 0)},
    {L"olivedrab", MakeColor(107, 142, 35)},
    {L"orange", MakeColor(255, 165, 0)},
    {L"orangered", MakeColor(255, 69, 0)},
    {L"orchid", MakeColor(218, 112, 214)},
    {L"palegoldenrod", MakeColor(238, 232, 170)},
    {L"palegreen", MakeColor(152, 251, 152)},
    {L"paleturquoise", MakeColor(175, 238, 238)},
    {L"palevioletred", MakeColor(219, 112, 147)},
    {L"papayawhip", MakeColor(255, 239, 213)},
    {L"peachpuff", MakeColor(255, 218, 185)},
    {L"peru", MakeColor(205, 133, 63)},
    {L"pink", MakeColor(255, 192, 203)},
    {L"plum", MakeColor(221, 160, 221)},
    {L"powderblue", MakeColor(176, 224, 230)},
    {L"purple", MakeColor(128, 0, 128)},
    {L"rebeccapurple", MakeColor(102, 51, 153)},
    {L"red", MakeColor(255, 0, 0)},
    {L"rosybrown", MakeColor(188, 143, 143)},
    {L"royalblue", MakeColor(65, 105, 225)},
    {L"saddlebrown", MakeColor(139, 69, 19)},
    {L"salmon", MakeColor(250, 128, 114)},
    {L"sandybrown", MakeColor(244, 164, 96)},
    {L"seagreen", MakeColor(46, 139, 87)},
    {L"seashell", MakeColor(255, 245, 238)},
    {L"sienna", MakeColor(160, 82, 45)},
    {L"silver", MakeColor(192, 192, 192)},
    {L"skyblue", MakeColor(135, 206, 235)},
    {L"slateblue", MakeColor(106, 90, 205)},
    {L"slategray", MakeColor(112, 128, 144)},
    {L"slategrey", MakeColor(112, 128, 144)},
    {L"snow", MakeColor(255, 250, 250)},
    {L"springgreen", MakeColor(0, 255, 127)},
    {L"steelblue", MakeColor(70, 130, 180)},
    {L"tan", MakeColor(210, 180, 140)},
    {L"teal", MakeColor(0, 128, 128)},
    {L"thistle", MakeColor(216, 191, 216)},
    {L"tomato", MakeColor(255, 99, 71)},
    {L"turquoise", MakeColor(64, 224, 208)},
    {L"violet", MakeColor(238, 130, 238)},
    {L"wheat", MakeColor(245, 222, 179)},
    {L"white", MakeColor(255, 255, 255)},
    {L"whitesmoke", MakeColor(245, 245, 245)},
    {L"yellow", MakeColor(255, 255, 0)},
    {L"yellowgreen", MakeColor(154, 205, 50)},
};


const std::array<TOkLab, std::size(kNamed)>& NamedLabs() {
  static const std::array<TOkLab, std::size(kNamed)> labs = [] {
    std::array<TOkLab, std::size(kNamed)> result{};
    for (std::size_t i = 0; i < std::size(kNamed); ++i) result[i] = ColorToOkLab(kNamed[i].color);
    return result;
  }();
  return labs;
}

}  // namespace

std::span<const TNamedColor> CssNamedColors() { return kNamed; }

std::optional<TColor> CssNamedColor(std::wstring_view name) {
  for (const TNamedColor& named : kNamed)
    if (AsciiEqualNoCase(name, named.name)) return named.color;
  return std::nullopt;
}

TColorName NearestColorName(TColor color) {
  color &= 0xFFFFFFu;
  for (const TNamedColor& named : kNamed)
    if (named.color == color) return {named.name, true};
  const TOkLab lab = ColorToOkLab(color);
  const auto& labs = NamedLabs();
  std::size_t best = 0;
  double bestDistance = 0;
  for (std::size_t i = 0; i < labs.size(); ++i) {
    const double dL = lab.L - labs[i].L, da = lab.a - labs[i].a, db = lab.b - labs[i].b;
    // Squared distance orders the same as the distance itself.
    const double distance = dL * dL + da * da + db * db;
    if (i == 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return {kNamed[best].name, false};
}

std::wstring ColorNameText(TColor color) {
  const TColorName name = NearestColorName(color);
  std::wstring text = name.exact ? L"" : L"\u2248";
  text += name.name;
  return text;
}
