#pragma once
// The application-wide settings a form carries: title, hint behaviour and
// the application's exception handler, handed to the application once the
// form is loaded.
#include <windows.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

#include "framework/Window.h"

class TAppProperty : public fw::TObject {
 public:
  const std::wstring& Title() const noexcept { return FTitle; }
  void SetTitle(std::wstring title) { FTitle = std::move(title); }
  const std::wstring& HelpFile() const noexcept { return FHelpFile; }
  void SetHelpFile(std::wstring file) { FHelpFile = std::move(file); }
  bool UpdateFormatSettings() const noexcept { return FUpdateFormatSettings; }
  void SetUpdateFormatSettings(bool v) noexcept { FUpdateFormatSettings = v; }
  bool UpdateMetricSettings() const noexcept { return FUpdateMetricSettings; }
  void SetUpdateMetricSettings(bool v) noexcept { FUpdateMetricSettings = v; }
  bool ShowMainForm() const noexcept { return FShowMainForm; }
  void SetShowMainForm(bool v) noexcept { FShowMainForm = v; }
  // CLR_INVALID: the system's tool-tip colour.
  COLORREF HintColor() const noexcept { return FHintColor; }
  void SetHintColor(COLORREF color) noexcept { FHintColor = color; }
  int HintPause() const noexcept { return FHintPause; }
  void SetHintPause(int ms) noexcept { FHintPause = ms; }
  int HintShortPause() const noexcept { return FHintShortPause; }
  void SetHintShortPause(int ms) noexcept { FHintShortPause = ms; }
  int HintHidePause() const noexcept { return FHintHidePause; }
  void SetHintHidePause(int ms) noexcept { FHintHidePause = ms; }
  bool ShowHint() const noexcept { return FShowHint; }
  void SetShowHint(bool v) noexcept { FShowHint = v; }
  std::uint16_t TwoDigitYearCenturyWindow() const noexcept { return FTwoDigitYearCenturyWindow; }
  void SetTwoDigitYearCenturyWindow(std::uint16_t v) noexcept { FTwoDigitYearCenturyWindow = v; }

  std::function<void(fw::TObject* sender, const std::exception& e)> OnException;

  // Applies the values to the application object; a handler the
  // application already has is kept. Later changes are not applied.
  void Loaded();

 private:
  std::wstring FTitle;
  std::wstring FHelpFile;
  bool FUpdateFormatSettings = true;
  bool FUpdateMetricSettings = true;
  bool FShowMainForm = true;
  COLORREF FHintColor = CLR_INVALID;
  int FHintPause = 500;
  int FHintShortPause = 50;
  int FHintHidePause = 2500;
  bool FShowHint = true;
  std::uint16_t FTwoDigitYearCenturyWindow = 0;
};
