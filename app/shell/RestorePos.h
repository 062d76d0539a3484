#pragma once
// Keeps a form's normal bounds and maximized state in one registry text
// value of the current user and puts the form back there: on the monitor it
// was on, in 96-DPI units, so the window keeps its size across DPIs.
#include <windows.h>

#include <functional>
#include <string>

#include "core/sampling/uMonitorLayout.h"
#include "core/support/uGeometry.h"
#include "framework/Form.h"

class TRestorePos : public fw::TObject {
 public:
  explicit TRestorePos(fw::TForm& owner);

  const std::wstring& RegistryKey() const noexcept { return FRegistryKey; }
  // Both setters restore the position while a restore is pending.
  void SetRegistryKey(const std::wstring& key);
  const std::wstring& RegistryName() const noexcept { return FRegistryName; }
  void SetRegistryName(const std::wstring& name);

  bool RestorePending() const noexcept { return FRestorePending; }

  // Applies the stored record; nothing happens until key and name are set
  // and a record exists.
  virtual void RestorePosition();
  // Writes the owner's placement; destroying says the owner is going away.
  // Raises ERegistryError when the write fails.
  virtual void SavePosition(bool destroying);

  // One monitor with this work area instead of the system's monitors; tests put their own here.
  std::function<TRectI()> WorkArea;
  static TRectI PrimaryWorkArea();

 private:
  TMonitorLayout Monitors() const;

  fw::TForm& FOwner;
  std::wstring FRegistryKey;
  std::wstring FRegistryName;
  bool FRestorePending = true;
  bool FSaved = false;
};
