#pragma once

#include <cstdint>

#include "core/color/uColor.h"

// The current colour in four colour spaces at once, in fixed-point units.
// The order of the twelve factors is their index, which is also the Tag of
// the editor that shows each one.
struct TColorFactors {
  std::int32_t Red = 0;     // 0..255
  std::int32_t Grn = 0;     // 0..255
  std::int32_t Blu = 0;     // 0..255
  std::int32_t Hue = 0;     // thousandths of a degree, 0..360000
  std::int32_t Sat = 0;     // 0..256
  std::int32_t Bri = 0;     // 0..255
  std::int32_t HSLHue = 0;  // 1024 per 60 degrees, 0..6144
  std::int32_t HSLSat = 0;  // 0..65280
  std::int32_t HSLBri = 0;  // derived 128..65408, typed 0..65280
  std::int32_t Y = 0;       // 8-bit level x 256
  std::int32_t Cb = 0;      // 8-bit level x 256, neutral 32640
  std::int32_t Cr = 0;      // 8-bit level x 256, neutral 32640
  TColor Color = 0;
};

inline constexpr int ColorFactorCount = 12;

// Factor by index 0..11; other indexes throw std::out_of_range.
std::int32_t& Factor(TColorFactors& factors, int index);
std::int32_t Factor(const TColorFactors& factors, int index);

// The six conversions expect every input within its stored range.
void RGBToHSV(int Red, int Grn, int Blu, int& Hue, int& Sat, int& Bri);
void HSVToRGB(int Hue, int Sat, int Bri, int& Red, int& Grn, int& Blu);
void RGBToHSL(int Red, int Grn, int Blu, int& HSLHue, int& HSLSat, int& HSLBri);
void HSLToRGB(int HSLHue, int HSLSat, int HSLBri, int& Red, int& Grn, int& Blu);
// Red, green and blue on the 16-bit scale (8-bit level x 256) both ways.
void RGBToYCbCr(int Red, int Grn, int Blu, int& Y, int& Cb, int& Cr);
void YCbCrToRGB(int Y, int Cb, int Cr, int& Red, int& Grn, int& Blu);

// Largest value an editor accepts, in shown units; the smallest is 0.
int FactorMax(int index);
// Whole number an editor shows for a stored factor.
int FactorToShown(int index, int stored);
// Stored factor for a typed number; the number is first limited to
// 0..FactorMax(index).
int ShownToFactor(int index, int typed);

// Each keeps its own group unchanged, computes the other groups from it and
// rebuilds Color. DeriveFromRGB first limits Red, Grn and Blu to 0..255.
void DeriveFromRGB(TColorFactors& factors);
void DeriveFromHSV(TColorFactors& factors);
void DeriveFromHSL(TColorFactors& factors);
void DeriveFromYCbCr(TColorFactors& factors);
