#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "app/uProgramResources.h"
#include "app/ufrmTintra.h"
#include "framework/Application.h"
#include "app/ole/uOLE2Color.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
  bool ole = SUCCEEDED(::OleInitialize(nullptr));
  fw::TApplication& app = fw::Application();
  app.Initialize(instance);
  InstallProgramResources(instance);
  int result = 0;
  try {
    // Before any window: a failure ends the program after its message.
    RegisterVelColorFormat();
    TfrmTintra form;
    app.SetMainForm(&form);
    form.CreateForm();
    if (app.ShowMainForm()) form.Show();
    result = app.Run();
    app.SetMainForm(nullptr);
  } catch (...) {
    app.HandleException();
    result = 1;
  }
  if (ole) ::OleUninitialize();
  return result;
}
