#include "framework/support/uPortableSettings.h"

#include <windows.h>

#include "framework/support/uRegistry.h"
#include "framework/support/uSettingsFile.h"

namespace {

const wchar_t kRegistryJa[] = L"設定はレジストリに保存します。";
const wchar_t kRegistryEn[] = L" Settings are kept in the registry instead.";

enum class TProblem { CannotRead, NotUnicode, CannotWrite };

TPortableSettingsNotice Notice(TProblem problem, const std::wstring& path) {
  switch (problem) {
    case TProblem::NotUnicode:
      return {L"設定ﾌｧｲﾙ " + path + L" は UTF-8 でも UTF-16 でもありません。" + kRegistryJa,
              L"The settings file \"" + path + L"\" is neither UTF-8 nor UTF-16." + kRegistryEn};
    case TProblem::CannotWrite:
      return {L"設定ﾌｧｲﾙ " + path + L" に書き込めません。" + kRegistryJa,
              L"Cannot write to the settings file \"" + path + L"\"." + kRegistryEn};
    case TProblem::CannotRead:
      break;
  }
  return {L"設定ﾌｧｲﾙ " + path + L" を読み込めません。" + kRegistryJa,
          L"Cannot read the settings file \"" + path + L"\"." + kRegistryEn};
}

}  // namespace

std::optional<TPortableSettingsNotice> StartPortableSettings(const std::wstring& exePath, const std::wstring& key) {
  RemoveIniSettings();
  const std::size_t separator = exePath.find_last_of(L"\\/");
  const std::wstring path =
      (separator == std::wstring::npos ? std::wstring() : exePath.substr(0, separator + 1)) + kPortableSettingsFileName;
  const TSettingsFileRead file = ReadSettingsFile(path);
  switch (file.State) {
    case TSettingsFileState::Missing:
      return std::nullopt;
    case TSettingsFileState::Unreadable:
      return Notice(TProblem::CannotRead, path);
    case TSettingsFileState::Undecodable:
      return Notice(TProblem::NotUnicode, path);
    case TSettingsFileState::Read:
      break;
  }
  if (!CanReplaceSettingsFile(path)) return Notice(TProblem::CannotWrite, path);
  InstallIniSettings(path, key);
  return std::nullopt;
}

std::wstring ProgramFilePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    // A full buffer may hold a cut path (without its zero on newer systems).
    if (length < buffer.size() - 1) return buffer.substr(0, length);
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}
