#pragma once
// What a button with a modal result ends, without the button knowing forms.

namespace fw {

// The window a modal loop runs for (a form shown modally): it runs until a
// modal result other than mrNone is set.
class TModalResultTarget {
 public:
  static constexpr int mrNone = 0;
  static constexpr int mrOk = 1;      // IDOK
  static constexpr int mrCancel = 2;  // IDCANCEL

  virtual void SetModalResult(int value) noexcept = 0;

 protected:
  ~TModalResultTarget() = default;
};

}  // namespace fw
