#include "core/colorout/uPaletteJson.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "core/colorout/uColorChannels.h"
#include "core/colorout/uCopyFormats.h"
#include "core/support/uUtf8.h"

namespace {

std::string Escaped(std::wstring_view text) {
  const std::string utf8 = Utf8Encode(text);
  std::string out = "\"";
  for (char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      const char* hex = "0123456789abcdef";
      out += "\\u00";
      out += hex[c >> 4];
      out += hex[c & 0xF];
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
    return;
  }
  if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
  } else {
    if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12);
    } else {
      out += static_cast<char>(0xF0 | c >> 18);
      out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    }
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
  }
  out += static_cast<char>(0x80 | (c & 0x3F));
}

// A recursive-descent reader of just enough JSON; every fault ends the
// whole read.
class TJsonReader {
 public:
  explicit TJsonReader(std::string_view text) : text_(text) {}

  TPaletteImport Read() {
    TPaletteImport result;
    SkipSpace();
    if (!Take('[')) return Fail(L"JSON の配列ではありません");
    SkipSpace();
    if (!Take(']')) {
      while (true) {
        TPaletteEntry entry;
        if (!ReadEntry(entry)) return Fail(error_);
        if (result.entries.size() == kMaxPaletteEntries) return PaletteTooManyColors();
        result.entries.push_back(std::move(entry));
        SkipSpace();
        if (Take(']')) break;
        if (!Take(',')) return Fail(L", か ] がありません");
        SkipSpace();
      }
    }
    SkipSpace();
    if (pos_ != text_.size()) return Fail(L"配列の後に余分な文字があります");
    return result;
  }

 private:
  static constexpr int kMaxDepth = 32;

  TPaletteImport Fail(std::wstring message) {
    return PaletteError(L"JSON が読めません（" + std::to_wstring(pos_ + 1) + L" バイト目: " + message + L"）");
  }

  bool Error(const wchar_t* message) {
    error_ = message;
    return false;
  }

  void SkipSpace() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r'))
      ++pos_;
  }

  bool Take(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  bool TakeWord(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }

  bool ReadHex4(std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i, ++pos_) {
      if (pos_ >= text_.size()) return false;
      const char c = text_[pos_];
      int digit = -1;
      if (c >= '0' && c <= '9') digit = c - '0';
      if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
      if (digit < 0) return false;
      value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
  }

  // A string's content as UTF-8, with the escapes resolved; a lone
  // surrogate escape becomes U+FFFD.
  bool ReadString(std::string& out) {
    if (!Take('"')) return Error(L"文字列がありません");
    out.clear();
    while (true) {
      if (pos_ >= text_.size()) return Error(L"文字列が閉じていません");
      const char c = text_[pos_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return Error(L"文字列に制御文字があります");
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= text_.size()) return Error(L"文字列が閉じていません");
      const char e = text_[pos_++];
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          std::uint32_t unit = 0;
          if (!ReadHex4(unit)) return Error(L"\\u の後が 16 進 4 桁ではありません");
          char32_t code = unit;
          if (unit >= 0xD800 && unit <= 0xDBFF && text_.substr(pos_, 2) == "\\u") {
            const std::size_t save = pos_;
            pos_ += 2;
            std::uint32_t low = 0;
            if (ReadHex4(low) && low >= 0xDC00 && low <= 0xDFFF)
              code = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            else
              pos_ = save;
          }
          if (code >= 0xD800 && code <= 0xDFFF) code = 0xFFFD;
          AppendUtf8(out, code);
          break;
        }
        default: return Error(L"知らないエスケープです");
      }
    }
  }

  // A JSON number; integer tells whether it is a whole number 0..255, and
  // value is then that number.
  bool ReadNumber(bool& integer, int& value) {
    const std::size_t start = pos_;
    Take('-');
    if (Take('0')) {
    } else if (pos_ < text_.size() && text_[pos_] >= '1' && text_[pos_] <= '9') {
      while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
    } else {
      return Error(L"数がありません");
    }
    const std::size_t intEnd = pos_;
    if (Take('.')) {
      if (pos_ >= text_.size() || text_[pos_] < '0' || text_[pos_] > '9') return Error(L"小数点の後に数字がありません");
      while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
    }
    if (Take('e') || Take('E')) {
      if (!Take('+')) Take('-');
      if (pos_ >= text_.size() || text_[pos_] < '0' || text_[pos_] > '9') return Error(L"指数に数字がありません");
      while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
    }
    const std::string_view digits = text_.substr(start, intEnd - start);
    integer = pos_ == intEnd && digits.size() <= 3 && digits.front() != '-';
    value = 0;
    if (integer)
      for (char c : digits) value = value * 10 + (c - '0');
    integer = integer && value <= 255;
    return true;
  }

  bool SkipValue(int depth) {
    if (depth > kMaxDepth) return Error(L"入れ子が深すぎます");
    SkipSpace();
    if (pos_ >= text_.size()) return Error(L"値がありません");
    const char c = text_[pos_];
    if (c == '"') {
      std::string ignored;
      return ReadString(ignored);
    }
    if (c == '[' || c == '{') {
      const bool object = c == '{';
      ++pos_;
      SkipSpace();
      if (Take(object ? '}' : ']')) return true;
      while (true) {
        if (object) {
          std::string key;
          SkipSpace();
          if (!ReadString(key)) return false;
          SkipSpace();
          if (!Take(':')) return Error(L": がありません");
        }
        if (!SkipValue(depth + 1)) return false;
        SkipSpace();
        if (Take(object ? '}' : ']')) return true;
        if (!Take(',')) return Error(L", がありません");
      }
    }
    if (TakeWord("true") || TakeWord("false") || TakeWord("null")) return true;
    bool integer = false;
    int value = 0;
    return ReadNumber(integer, value);
  }

  bool ReadEntry(TPaletteEntry& entry) {
    if (!Take('{')) return Error(L"色のオブジェクトがありません");
    std::optional<int> channels[3];
    std::optional<TColor> hex;
    SkipSpace();
    if (!Take('}')) {
      while (true) {
        SkipSpace();
        std::string key;
        if (!ReadString(key)) return false;
        SkipSpace();
        if (!Take(':')) return Error(L": がありません");
        SkipSpace();
        const int channel = key == "r" ? 0 : key == "g" ? 1 : key == "b" ? 2 : -1;
        if (channel >= 0) {
          bool integer = false;
          int value = 0;
          if (!ReadNumber(integer, value)) return false;
          if (!integer) return Error(L"r, g, b は 0 から 255 の整数です");
          channels[channel] = value;
        } else if (key == "hex") {
          std::string text;
          if (!ReadString(text)) return false;
          hex = ParseHex(text);
          if (!hex) return Error(L"hex は #rrggbb の形です");
        } else if (key == "comment") {
          std::string text;
          if (!ReadString(text)) return false;
          Utf8Decode(text, entry.comment);
          entry.comment = CleanComment(std::move(entry.comment));
        } else if (!SkipValue(1)) {
          return false;
        }
        SkipSpace();
        if (Take('}')) break;
        if (!Take(',')) return Error(L", か } がありません");
      }
    }
    const bool rgb = channels[0] && channels[1] && channels[2];
    if (rgb) entry.color = MakeColor(*channels[0], *channels[1], *channels[2]);
    if (rgb && hex && *hex != entry.color) return Error(L"r, g, b と hex が違う色です");
    if (!rgb && !hex) return Error(L"r, g, b も hex もない色があります");
    if (!rgb) entry.color = *hex;
    return true;
  }

  static std::optional<TColor> ParseHex(std::string_view text) {
    if (text.size() != 7 || text[0] != '#') return std::nullopt;
    int v[6];
    for (int i = 0; i < 6; ++i) {
      const char c = text[static_cast<std::size_t>(i) + 1];
      if (c >= '0' && c <= '9') v[i] = c - '0';
      else if (c >= 'a' && c <= 'f') v[i] = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F') v[i] = c - 'A' + 10;
      else return std::nullopt;
    }
    return MakeColor(v[0] * 16 + v[1], v[2] * 16 + v[3], v[4] * 16 + v[5]);
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::wstring error_;
};

}  // namespace

std::string ExportJson(std::span<const TPaletteEntry> entries) {
  if (entries.empty()) return "[]\n";
  std::string out = "[\n";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const TPaletteEntry& e = entries[i];
    out += "  {\"r\":" + std::to_string(RedOf(e.color)) + ",\"g\":" + std::to_string(GreenOf(e.color)) +
           ",\"b\":" + std::to_string(BlueOf(e.color)) + ",\"hex\":\"" +
           Utf8Encode(FormatColor(TCopyFormat::HexLower, e.color)) + "\",\"comment\":" + Escaped(e.comment) + "}";
    out += i + 1 < entries.size() ? ",\n" : "\n";
  }
  return out + "]\n";
}

TPaletteImport ImportJson(std::string_view bytes) {
  if (auto refusal = PaletteTooLarge(bytes)) return *refusal;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return TJsonReader(bytes).Read();
}
