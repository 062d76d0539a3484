#pragma once
// A stand-in for the system code page in tests and the fuzz target.
#include <string>
#include <string_view>

#include "core/colorlist/uColorListFile.h"

// Stand-ins for the system code page: one byte per character up to a limit
// (0x100 for Latin-1, 0x80 for plain ASCII).
class TByteCodec : public TAnsiCodec {
 public:
  explicit TByteCodec(unsigned limit) : FLimit(limit) {}
  bool EncodeExact(std::wstring_view text, std::string& out) const override {
    out.clear();
    for (wchar_t c : text) {
      if (static_cast<unsigned>(c) >= FLimit) return false;
      out += static_cast<char>(c);
    }
    return true;
  }
  std::wstring Decode(std::string_view bytes) const override {
    std::wstring text;
    for (char c : bytes) {
      const auto b = static_cast<unsigned char>(c);
      text += b < FLimit ? static_cast<wchar_t>(b) : L'?';
    }
    return text;
  }
  bool DecodeExact(std::string_view bytes, std::wstring& out) const override {
    out = Decode(bytes);
    for (char c : bytes)
      if (static_cast<unsigned char>(c) >= FLimit) return false;
    return true;
  }

 private:
  unsigned FLimit;
};
