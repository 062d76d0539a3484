#include "core/sampling/uPickSettings.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "core/sampling/uZoomView.h"
#include "core/shell/uIntToken.h"

namespace {

constexpr std::uint32_t kModAll = kModAlt | kModControl | kModShift | kModWin;

constexpr std::uint16_t kHotKeyShift = 0x1;
constexpr std::uint16_t kHotKeyControl = 0x2;
constexpr std::uint16_t kHotKeyAlt = 0x4;

// Mouse buttons, Shift, Ctrl, Alt, the Windows keys and the left and right
// Shift, Ctrl and Alt: none of them can be a hot key's key.
constexpr std::uint32_t kNotKeys[] = {0x01, 0x02, 0x04, 0x05, 0x06, 0x10, 0x11, 0x12,
                                      0x5B, 0x5C, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5};

bool IsModifierOrMouseKey(std::uint32_t vk) {
  return std::find(std::begin(kNotKeys), std::end(kNotKeys), vk) != std::end(kNotKeys);
}

}  // namespace

TSampling ParseSampling(std::wstring_view sizeText, std::wstring_view modeText) {
  const std::optional<std::int32_t> size = TextToInt(sizeText);
  // A size without a mode still names a choice: the mean.
  const std::optional<std::int32_t> mode = modeText.empty() ? 0 : TextToInt(modeText);
  if (!size || !mode || (*mode != 0 && *mode != 1)) return {};
  TSampling s{*size, static_cast<TSampleMode>(*mode)};
  if (s.Size == 1) s.Mode = TSampleMode::Mean;
  const bool offered =
      std::find(std::begin(kSamplingChoices), std::end(kSamplingChoices), s) != std::end(kSamplingChoices);
  return offered ? s : TSampling{};
}

std::wstring SampleSizeText(const TSampling& s) { return std::to_wstring(s.Size); }

std::wstring SampleModeText(const TSampling& s) { return std::to_wstring(static_cast<std::int32_t>(s.Mode)); }

int ParseZoomFactor(std::wstring_view text) {
  const std::optional<std::int32_t> zoom = TextToInt(text);
  if (zoom && std::find(std::begin(kZoomFactors), std::end(kZoomFactors), *zoom) != std::end(kZoomFactors))
    return *zoom;
  return kDefaultZoom;
}

std::wstring ZoomFactorText(int zoom) { return std::to_wstring(zoom); }

bool ValidHotKey(const THotKey& key) {
  return key.Key >= 1 && key.Key <= 254 && !IsModifierOrMouseKey(key.Key) && (key.Modifiers & ~kModAll) == 0;
}

THotKey ParseHotKey(std::wstring_view text) {
  const std::size_t comma = text.find(L',');
  if (comma == std::wstring_view::npos) return {};
  // A second comma is no digit, so the key's field refuses it.
  const std::optional<std::int32_t> mods = TextToInt(text.substr(0, comma));
  const std::optional<std::int32_t> key = TextToInt(text.substr(comma + 1));
  if (!mods || !key || *mods < 0 || *key < 0) return {};
  const THotKey k{static_cast<std::uint32_t>(*mods), static_cast<std::uint32_t>(*key)};
  return ValidHotKey(k) ? k : THotKey{};
}

std::wstring HotKeyText(const THotKey& key) {
  if (!ValidHotKey(key)) return {};
  return std::to_wstring(key.Modifiers) + L',' + std::to_wstring(key.Key);
}

THotKey HotKeyFromControl(std::uint16_t value) {
  const std::uint16_t flags = value >> 8;
  THotKey k;
  k.Key = value & 0xFF;
  if (flags & kHotKeyShift) k.Modifiers |= kModShift;
  if (flags & kHotKeyControl) k.Modifiers |= kModControl;
  if (flags & kHotKeyAlt) k.Modifiers |= kModAlt;
  return ValidHotKey(k) ? k : THotKey{};
}

std::uint16_t HotKeyControlValue(const THotKey& key) {
  if (!ValidHotKey(key)) return 0;
  std::uint16_t flags = 0;
  if (key.Modifiers & kModShift) flags |= kHotKeyShift;
  if (key.Modifiers & kModControl) flags |= kHotKeyControl;
  if (key.Modifiers & kModAlt) flags |= kHotKeyAlt;
  return static_cast<std::uint16_t>(flags << 8 | key.Key);
}
