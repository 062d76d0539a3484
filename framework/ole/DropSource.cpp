#include "framework/ole/DropSource.h"

STDMETHODIMP TDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) noexcept {
  // Buttons first: a release drops even when Escape came at the same moment.
  if ((keyState & (MK_LBUTTON | MK_RBUTTON)) == 0) return DRAGDROP_S_DROP;
  if (escapePressed) return DRAGDROP_S_CANCEL;
  return S_OK;
}

STDMETHODIMP TDropSource::GiveFeedback(DWORD) noexcept { return DRAGDROP_S_USEDEFAULTCURSORS; }
