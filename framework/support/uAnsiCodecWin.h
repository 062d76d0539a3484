#pragma once
// The list file's ANSI code page on Windows: the system's (GetACP) unless a
// test names another.
#include <windows.h>

#include "core/colorlist/uColorListFile.h"

class TAnsiCodecWin : public TAnsiCodec {
 public:
  TAnsiCodecWin() : FCodePage(::GetACP()) {}
  explicit TAnsiCodecWin(UINT codePage) : FCodePage(codePage) {}
  bool EncodeExact(std::wstring_view text, std::string& out) const override;
  std::wstring Decode(std::string_view bytes) const override;
  bool DecodeExact(std::string_view bytes, std::wstring& out) const override;
  UINT CodePage() const { return FCodePage; }

 private:
  UINT FCodePage;
};
