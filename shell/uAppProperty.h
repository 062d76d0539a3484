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
  std::wstring Title;
  std::wstring HelpFile;
  bool UpdateFormatSettings = true;
  bool UpdateMetricSettings = true;
  bool ShowMainForm = true;
  COLORREF HintColor = CLR_INVALID;  // the system's tool-tip colour
  int HintPause = 500;
  int HintShortPause = 50;
  int HintHidePause = 2500;
  bool ShowHint = true;
  std::uint16_t TwoDigitYearCenturyWindow = 0;
  std::function<void(fw::TObject* sender, const std::exception& e)> OnException;

  // Applies the values to the application object; a handler the
  // application already has is kept.
  void Loaded();
};
