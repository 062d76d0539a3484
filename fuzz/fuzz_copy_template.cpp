// Any text as a user copy template and as the stored CopyFormats value: no
// crash, faults reported inside the text, no NUL copied, and a stored list
// read, written and read again is the same list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/colorout/uCopyFormatStore.h"
#include "core/colorout/uCopyTemplate.h"
#include "core/colorout/uPasteText.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const TColor color = data[0] | data[1] << 8 | data[2] << 16;
  std::wstring text;
  for (std::size_t i = 3; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);

  const auto problem = CheckCopyTemplate(text);
  Check(!problem || problem->position < text.size() || text.empty());
  Check(!problem || (problem->fault == TTemplateFault::Empty) == text.empty());
  const std::wstring expanded = ExpandCopyTemplate(text, color);
  Check(expanded.find(L'\0') == std::wstring::npos);
  if (text.find_first_of(std::wstring(L"{}\0", 3)) == std::wstring::npos) Check(expanded == text);

  const auto templates = CopyTemplatesFromMultiString(text);
  Check(templates.size() <= kMaxCopyTemplates);
  for (const std::wstring& t : templates)
    Check(!t.empty() && t.size() <= kMaxCopyTemplateLength && t.find(L'\0') == std::wstring::npos);
  Check(CopyTemplatesFromMultiString(CopyTemplatesToMultiString(templates)) == templates);

  // The same text pasted: a colour, if any, within 24 bits.
  if (const auto pasted = RecognizeColorText(text)) Check(*pasted <= 0xFFFFFFu);
  return 0;
}
