#include "core/colorout/uCopyFormatStore.h"

namespace {

bool Storable(std::wstring_view text) {
  return !text.empty() && text.size() <= kMaxCopyTemplateLength && text.find(L'\0') == std::wstring_view::npos;
}

}  // namespace

std::wstring CopyTemplatesToMultiString(std::span<const std::wstring> templates) {
  std::wstring data;
  std::size_t count = 0;
  for (const std::wstring& text : templates) {
    if (!Storable(text)) continue;
    if (count++ == kMaxCopyTemplates) break;
    data += text;
    data += L'\0';
  }
  // An empty list is a lone pair of NULs, the form RegSetValueEx expects.
  if (data.empty()) data += L'\0';
  data += L'\0';
  return data;
}

std::vector<std::wstring> CopyTemplatesFromMultiString(std::wstring_view data) {
  std::vector<std::wstring> templates;
  std::size_t start = 0;
  while (start < data.size() && templates.size() < kMaxCopyTemplates) {
    std::size_t end = data.find(L'\0', start);
    if (end == std::wstring_view::npos) end = data.size();
    const std::wstring_view text = data.substr(start, end - start);
    if (text.empty()) break;
    if (text.size() <= kMaxCopyTemplateLength) templates.emplace_back(text);
    start = end + 1;
  }
  return templates;
}
