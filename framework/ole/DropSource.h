#pragma once
// The drop source of the program's drags: drop on release, cancel on Escape.
#include <windows.h>
#include <ole2.h>

#include "framework/Com.h"

class TDropSource : public fw::TInterfacedObject<IDropSource> {
 public:
  TDropSource() = default;

  STDMETHODIMP QueryContinueDrag(BOOL escapePressed, DWORD keyState) noexcept override;
  STDMETHODIMP GiveFeedback(DWORD effect) noexcept override;

 protected:
  ~TDropSource() override = default;
};
