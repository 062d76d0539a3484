#pragma once
// The user's copy templates as stored in the registry value CopyFormats, a
// REG_MULTI_SZ: each template followed by a NUL, then one more NUL. The
// built-in formats are not stored; they always come first.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kMaxCopyTemplates = 64;
inline constexpr std::size_t kMaxCopyTemplateLength = 512;

// The value's data as UTF-16 code units, the final NULs included. Empty
// templates, templates holding a NUL and those longer than the limit cannot
// be stored and are left out; so is everything past the count limit.
std::wstring CopyTemplatesToMultiString(std::span<const std::wstring> templates);

// The templates from a value's data, whatever it holds: the list ends at the
// first empty string or at the end of the data (a missing NUL is
// tolerated), over-long strings are skipped and at most kMaxCopyTemplates
// are kept. Templates are returned as stored, faulty ones included, so the
// editor can show them as faulty.
std::vector<std::wstring> CopyTemplatesFromMultiString(std::wstring_view data);
