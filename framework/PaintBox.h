#pragma once
// A plain child window whose whole look comes from its OnPaint handler.
#include "framework/Window.h"

#include <functional>

namespace fw {

class TPaintBox : public TWindow {
 public:
  void Create(TWindow* parent);

  // Called with the window's device context for every paint and print request.
  std::function<void(TObject* sender, HDC dc)> OnPaint;

 protected:
  bool Paint(HDC dc, const RECT& clip) override;
};

}  // namespace fw
