#include "core/colorout/uPaletteAse.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

#include "core/colorout/uColorChannels.h"

namespace {

constexpr std::uint16_t kColorEntry = 0x0001;
constexpr std::uint16_t kNormalSwatch = 2;
// The name length field counts code units, NUL included.
constexpr std::size_t kMaxNameUnits = 0xFFFE;

void Put16(std::string& out, std::uint32_t v) {
  out += static_cast<char>(v >> 8 & 0xFF);
  out += static_cast<char>(v & 0xFF);
}

void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v >> 16);
  Put16(out, v & 0xFFFF);
}

// UTF-16 code units of a comment, whatever the width of wchar_t.
std::u16string ToUtf16(std::wstring_view text) {
  std::u16string units;
  for (wchar_t wc : text) {
    const auto c = static_cast<std::uint32_t>(wc);
    if (c > 0xFFFF) {
      units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      units += static_cast<char16_t>(c);
    }
  }
  if (units.size() > kMaxNameUnits) {
    units.resize(kMaxNameUnits);
    if (units.back() >= 0xD800 && units.back() <= 0xDBFF) units.pop_back();
  }
  return units;
}

std::wstring FromUtf16(std::u16string_view units) {
  std::wstring text;
  for (std::size_t i = 0; i < units.size(); ++i) {
    std::uint32_t c = units[i];
    if constexpr (sizeof(wchar_t) == 4) {
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00u);
      } else if (c >= 0xD800 && c <= 0xDFFF) {
        c = 0xFFFD;
      }
    }
    text += static_cast<wchar_t>(c);
  }
  return text;
}

class TAseReader {
 public:
  explicit TAseReader(std::string_view bytes) : bytes_(bytes) {}

  bool Has(std::size_t n) const { return bytes_.size() - pos_ >= n; }

  std::uint32_t U16() {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + pos_);
    pos_ += 2;
    return static_cast<std::uint32_t>(p[0]) << 8 | p[1];
  }

  std::uint32_t U32() {
    const std::uint32_t high = U16();
    return high << 16 | U16();
  }

  float F32() { return std::bit_cast<float>(U32()); }

  std::string_view Bytes(std::size_t n) {
    const std::string_view part = bytes_.substr(pos_, n);
    pos_ += n;
    return part;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

int ToChannel(double unit) { return static_cast<int>(std::floor(std::clamp(unit, 0.0, 1.0) * 255 + 0.5)); }

double SrgbEncode(double linear) {
  linear = std::clamp(linear, 0.0, 1.0);
  return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
}

// CIE Lab relative to D50, as swatch files keep it (L as 0..1), through
// Bradford adaptation to D65 and into sRGB, clipped to its gamut.
TColor LabToColor(double lightness, double a, double b) {
  constexpr double kappa = 24389.0 / 27.0;
  constexpr double epsilon = 216.0 / 24389.0;
  const double L = lightness * 100;
  const double fy = (L + 16) / 116;
  const double fx = fy + a / 500;
  const double fz = fy - b / 200;
  const auto inverse = [&](double f) { return f * f * f > epsilon ? f * f * f : (116 * f - 16) / kappa; };
  const double x50 = inverse(fx) * (0.3457 / 0.3585);
  const double y50 = L > kappa * epsilon ? fy * fy * fy : L / kappa;
  const double z50 = inverse(fz) * ((1.0 - 0.3457 - 0.3585) / 0.3585);
  const double x = 0.955473421488075 * x50 - 0.02309845494876471 * y50 + 0.06325924320057072 * z50;
  const double y = -0.0283697093338637 * x50 + 1.0099953980813041 * y50 + 0.021041441191917323 * z50;
  const double z = 0.012314014864481998 * x50 - 0.020507649298898964 * y50 + 1.330365926242124 * z50;
  const double r = 12831.0 / 3959.0 * x - 329.0 / 214.0 * y - 1974.0 / 3959.0 * z;
  const double g = -851781.0 / 878810.0 * x + 1648619.0 / 878810.0 * y + 36519.0 / 878810.0 * z;
  const double bl = 705.0 / 12673.0 * x - 2585.0 / 12673.0 * y + 705.0 / 667.0 * z;
  return MakeColor(ToChannel(SrgbEncode(r)), ToChannel(SrgbEncode(g)), ToChannel(SrgbEncode(bl)));
}

TPaletteImport Unreadable(const wchar_t* why) {
  return PaletteError(std::wstring(L"ASE ファイルが読めません（") + why + L"）");
}

}  // namespace

std::string ExportAse(std::span<const TPaletteEntry> entries) {
  std::string out = "ASEF";
  Put16(out, 1);
  Put16(out, 0);
  Put32(out, static_cast<std::uint32_t>(entries.size()));
  for (const TPaletteEntry& e : entries) {
    const std::u16string name = ToUtf16(e.comment);
    const std::size_t units = name.size() + 1;
    Put16(out, kColorEntry);
    Put32(out, static_cast<std::uint32_t>(2 + 2 * units + 4 + 3 * 4 + 2));
    Put16(out, static_cast<std::uint32_t>(units));
    for (char16_t c : name) Put16(out, c);
    Put16(out, 0);
    out += "RGB ";
    for (int channel : {RedOf(e.color), GreenOf(e.color), BlueOf(e.color)})
      Put32(out, std::bit_cast<std::uint32_t>(static_cast<float>(channel / 255.0)));
    Put16(out, kNormalSwatch);
  }
  return out;
}

TPaletteImport ImportAse(std::string_view bytes) {
  if (auto refusal = PaletteTooLarge(bytes)) return *refusal;
  TAseReader file(bytes);
  if (!file.Has(12) || file.Bytes(4) != "ASEF") return PaletteError(L"Adobe のスウォッチ交換ファイル（ASE）ではありません");
  if (file.U16() != 1) return Unreadable(L"知らない版です");
  file.U16();
  const std::uint32_t blocks = file.U32();
  TPaletteImport result;
  for (std::uint32_t i = 0; i < blocks; ++i) {
    if (!file.Has(6)) return Unreadable(L"途中で切れています");
    const std::uint32_t type = file.U16();
    const std::uint32_t length = file.U32();
    if (!file.Has(length)) return Unreadable(L"ブロックが途中で切れています");
    TAseReader block(file.Bytes(length));
    if (type != kColorEntry) continue;  // group start and end, and anything newer
    if (!block.Has(2)) return Unreadable(L"色のブロックが短すぎます");
    const std::uint32_t units = block.U16();
    if (!block.Has(2 * static_cast<std::size_t>(units) + 4)) return Unreadable(L"色のブロックが短すぎます");
    std::u16string name;
    for (std::uint32_t u = 0; u < units; ++u) name += static_cast<char16_t>(block.U16());
    name = name.substr(0, name.find(u'\0'));
    const std::string_view model = block.Bytes(4);
    const std::size_t count = model == "RGB " ? 3 : model == "CMYK" ? 4 : model == "Gray" ? 1 : model == "LAB " ? 3 : 0;
    if (count == 0) return Unreadable(L"知らない色空間です");
    if (!block.Has(4 * count)) return Unreadable(L"色のブロックが短すぎます");
    double v[4] = {};
    for (std::size_t k = 0; k < count; ++k) {
      v[k] = block.F32();
      if (!std::isfinite(v[k])) return Unreadable(L"色の値が数ではありません");
    }
    TPaletteEntry entry;
    if (model == "RGB ")
      entry.color = MakeColor(ToChannel(v[0]), ToChannel(v[1]), ToChannel(v[2]));
    else if (model == "LAB ")
      entry.color = LabToColor(v[0], v[1], v[2]);
    else if (model == "Gray")
      entry.color = MakeColor(ToChannel(v[0]), ToChannel(v[0]), ToChannel(v[0]));
    else {
      const double white = 1 - std::clamp(v[3], 0.0, 1.0);
      entry.color = MakeColor(ToChannel((1 - std::clamp(v[0], 0.0, 1.0)) * white),
                              ToChannel((1 - std::clamp(v[1], 0.0, 1.0)) * white),
                              ToChannel((1 - std::clamp(v[2], 0.0, 1.0)) * white));
    }
    entry.comment = CleanComment(FromUtf16(name));
    if (result.entries.size() == kMaxPaletteEntries) return PaletteTooManyColors();
    result.entries.push_back(std::move(entry));
  }
  return result;
}
