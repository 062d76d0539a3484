#include "core/colorlist/uColorListRecovery.h"

#include <algorithm>
#include <charconv>

#include "core/colorlist/uColorListFile.h"
#include "core/support/uUtf8.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kFirstLine = "Tintra recovery 1\r\n";

// The lines are UTF-8 after their mark; the code page never comes into it.
class TNoAnsi final : public TAnsiCodec {
 public:
  bool EncodeExact(std::wstring_view, std::string&) const override { return false; }
  std::wstring Decode(std::string_view) const override { return {}; }
  bool DecodeExact(std::string_view, std::wstring&) const override { return false; }
};

// "name=value\r\n" at the front of rest; the value without its line end.
std::optional<std::string_view> TakeField(std::string_view& rest, std::string_view name) {
  if (!rest.starts_with(name) || rest.size() <= name.size() || rest[name.size()] != '=') return std::nullopt;
  const std::size_t end = rest.find("\r\n");
  if (end == std::string_view::npos) return std::nullopt;
  const std::string_view value = rest.substr(name.size() + 1, end - name.size() - 1);
  rest.remove_prefix(end + 2);
  return value;
}

std::optional<int> Number(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

}  // namespace

std::string RecoveryFileBytes(std::wstring_view fileName, const TColorListSnapshot& items, int current) {
  std::string bytes(kUtf8Bom);
  bytes += kFirstLine;
  bytes += "file=" + Utf8Encode(fileName) + "\r\n";
  bytes += "current=" + std::to_string(std::max(current, 0)) + "\r\n";
  bytes += "count=" + std::to_string(items.Count()) + "\r\n";
  // The list file's own lines, mark and all.
  bytes += ColorListWriteUtf8(items);
  return bytes;
}

std::optional<TRecoveredList> ReadRecoveryFile(std::string_view bytes) {
  if (!bytes.starts_with(kUtf8Bom)) return std::nullopt;
  bytes.remove_prefix(kUtf8Bom.size());
  if (!bytes.starts_with(kFirstLine)) return std::nullopt;
  bytes.remove_prefix(kFirstLine.size());
  const auto file = TakeField(bytes, "file");
  const auto current = file ? TakeField(bytes, "current") : std::nullopt;
  const auto count = current ? TakeField(bytes, "count") : std::nullopt;
  if (!count) return std::nullopt;
  const auto currentRow = Number(*current), items = Number(*count);
  if (!currentRow || !items || !bytes.starts_with(kUtf8Bom)) return std::nullopt;
  TColorListReadResult read = ColorListReadChecked(bytes, TNoAnsi());
  if (read.UnreadableCount != 0 || static_cast<int>(read.Items.size()) != *items) return std::nullopt;
  TRecoveredList list;
  Utf8Decode(*file, list.FileName);
  if (list.FileName.find(L'\uFFFD') != std::wstring::npos) return std::nullopt;
  list.Items = std::move(read.Items);
  list.Current = std::min(*currentRow, std::max(static_cast<int>(list.Items.size()) - 1, 0));
  return list;
}
