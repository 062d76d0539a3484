// Arbitrary bytes as a settings file: reading what was written gives the same
// settings and the same bytes again; and arbitrary names and texts set into a
// file read back exactly, in memory and after writing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "core/support/uIniFile.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckStable(const TIniFile& first) {
  const std::string written = first.ToBytes();
  const std::optional<TIniFile> second = TIniFile::FromBytes(written);
  Check(second.has_value());
  Check(*second == first);
  Check(second->ToBytes() == written);
}

// Two bytes a unit, so lone surrogates and control characters are frequent.
std::wstring Units(std::string_view bytes) {
  std::wstring text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    text += static_cast<wchar_t>(static_cast<std::uint8_t>(bytes[i]) | static_cast<std::uint8_t>(bytes[i + 1]) << 8);
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (const std::optional<TIniFile> ini = TIniFile::FromBytes(bytes)) CheckStable(*ini);

  // The same bytes cut at zeros into section, key and value triples, set in
  // turn into the file just read (or an empty one).
  TIniFile edited = TIniFile::FromBytes(bytes).value_or(TIniFile{});
  std::wstring parts[3];
  int part = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= size; ++i) {
    if (i < size && data[i] != 0) continue;
    parts[part] = Units(bytes.substr(start, i - start));
    start = i + 1;
    if (++part < 3) continue;
    part = 0;
    const bool accepted = edited.SetValue(parts[0], parts[1], parts[2]);
    Check(accepted == (TIniFile::ValidSectionName(parts[0]) && TIniFile::ValidKeyName(parts[1])));
    if (!accepted) continue;
    const std::optional<std::wstring> value = edited.Value(parts[0], parts[1]);
    Check(value.has_value());
    Check(*value == parts[2]);
  }
  // Once, not after every set: a reread per set made each input quadratic.
  CheckStable(edited);
  return 0;
}
