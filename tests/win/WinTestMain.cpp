// Windows-layer tests run with OLE and the common controls initialised, as
// the program itself does before it creates a window.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "app/uProgramResources.h"
#include "app/ufrmTintra.h"
#include "framework/Application.h"

int wmain(int argc, wchar_t** argv) {
  ::OleInitialize(nullptr);
  fw::Application().Initialize(::GetModuleHandleW(nullptr));
  InstallProgramResources(::GetModuleHandleW(nullptr));
  // Main windows made by tests keep no settings unless a test names a key.
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
  testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
  ::OleUninitialize();
  return result;
}
