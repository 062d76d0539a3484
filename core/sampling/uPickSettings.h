#pragma once
// The eyedropper's stored settings, registry text values under the
// program's key: "SampleSize", "SampleMode", "ZoomFactor" and "PickHotKey".
// Text that is no valid setting reads as the default.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/sampling/uAreaSample.h"

struct TSampling {
  int Size = 1;  // 1, 3, 5 or 9
  TSampleMode Mode = TSampleMode::Mean;
  bool operator==(const TSampling&) const = default;
};

// The choices the settings menu offers, in its order: one pixel, the
// 3 x 3, 5 x 5 and 9 x 9 means, the 5 x 5 most frequent colour.
inline constexpr TSampling kSamplingChoices[] = {{1, TSampleMode::Mean},
                                                 {3, TSampleMode::Mean},
                                                 {5, TSampleMode::Mean},
                                                 {9, TSampleMode::Mean},
                                                 {5, TSampleMode::MostFrequent}};

// "SampleSize" and "SampleMode" together (no mode is the mean): a pair that is no offered choice
// reads as one pixel. The most frequent colour of one pixel is that pixel,
// so size 1 with mode 1 is read as one pixel too.
TSampling ParseSampling(std::wstring_view sizeText, std::wstring_view modeText);
std::wstring SampleSizeText(const TSampling& s);
std::wstring SampleModeText(const TSampling& s);

// "ZoomFactor": 2, 4, 8, 16 or 32, else 8.
int ParseZoomFactor(std::wstring_view text);
std::wstring ZoomFactorText(int zoom);

// Modifier bits as RegisterHotKey takes them.
inline constexpr std::uint32_t kModAlt = 0x1;
inline constexpr std::uint32_t kModControl = 0x2;
inline constexpr std::uint32_t kModShift = 0x4;
inline constexpr std::uint32_t kModWin = 0x8;

struct THotKey {
  std::uint32_t Modifiers = 0;  // kMod* bits
  std::uint32_t Key = 0;        // virtual-key code; 0 is no hot key
  bool IsNone() const { return Key == 0; }
  bool operator==(const THotKey&) const = default;
};

// A key that can stand as a hot key: a virtual-key code from 1 to 254 that
// is neither a mouse button nor a modifier key itself, with only the four
// modifier bits.
bool ValidHotKey(const THotKey& key);

// "PickHotKey" is "modifiers,key" in decimal, as "6,120" for Ctrl+Shift+F9.
// Empty, malformed or invalid text is no hot key, the default.
THotKey ParseHotKey(std::wstring_view text);
// No hot key is the empty text.
std::wstring HotKeyText(const THotKey& key);

// The standard hot-key control packs the key in the low byte and its own
// modifier bits (Shift 1, Ctrl 2, Alt 4, extended 8) in the high byte.
// The extended flag has no meaning to RegisterHotKey and the Windows key
// none to the control; both are dropped.
THotKey HotKeyFromControl(std::uint16_t value);
std::uint16_t HotKeyControlValue(const THotKey& key);
