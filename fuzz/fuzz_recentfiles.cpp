// Recent-file entries come back from the registry as any text: the title
// shown for one is the start of its last part, cut only at an extension.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/support/uStrings.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::wstring entry;
  for (std::size_t i = 0; i + 1 < size; i += 2) entry += static_cast<wchar_t>(data[i] | data[i + 1] << 8);

  const std::wstring title = ExtractFileTitle(entry);
  Check(title.size() <= entry.size());
  Check(title.find_first_of(L"\\/:") == std::wstring::npos);
  const std::size_t last = entry.find_last_of(L"\\/:");
  const std::size_t start = last == std::wstring::npos ? 0 : last + 1;
  Check(std::wstring_view(entry).substr(start, title.size()) == title);
  const std::wstring_view rest = std::wstring_view(entry).substr(start + title.size());
  Check(rest.empty() || (rest.front() == L'.' && !title.empty()));

  const std::wstring stripped = StripAccelerator(entry);
  Check(entry.starts_with(stripped));
  Check(CommonPrefixLength(entry, entry) <= entry.size());
  return 0;
}
