#include "framework/support/uAppMessage.h"

#include "framework/Application.h"

void ShowAppMessage(const std::wstring& text) {
  const fw::TApplication& app = fw::TApplication::Instance();
  ::MessageBoxW(app.MainFormHandle(), text.c_str(), app.Title().c_str(), MB_OK);
}
