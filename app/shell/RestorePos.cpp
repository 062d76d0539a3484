#include "app/shell/RestorePos.h"

#include "core/shell/uFitToWorkArea.h"
#include "framework/support/uRegistry.h"

TRestorePos::TRestorePos(fw::TForm& owner) : FOwner(owner) {}

void TRestorePos::SetRegistryKey(const std::wstring& key) {
  if (key == FRegistryKey) return;
  FRegistryKey = key;
  if (FRestorePending) RestorePosition();
}

void TRestorePos::SetRegistryName(const std::wstring& name) {
  if (name == FRegistryName) return;
  FRegistryName = name;
  if (FRestorePending) RestorePosition();
}

TRectI TRestorePos::PrimaryWorkArea() {
  RECT r{};
  if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) ::GetWindowRect(::GetDesktopWindow(), &r);
  return TRectI{r.left, r.top, r.right, r.bottom};
}

void TRestorePos::RestorePosition() {
  if (FRegistryKey.empty() || FRegistryName.empty()) return;
  const std::wstring record = GetRegistryVal(HKEY_CURRENT_USER, FRegistryKey, FRegistryName);
  if (record.empty()) return;
  const TRectI current{FOwner.Left(), FOwner.Top(), FOwner.Left() + FOwner.Width(), FOwner.Top() + FOwner.Height()};
  const TRestoredPos pos = RestoredPos(record, current, WorkArea());
  FOwner.SetBounds(pos.Bounds.Left, pos.Bounds.Top, pos.Bounds.Width(), pos.Bounds.Height());
  if (pos.Maximized) FOwner.SetWindowState(fw::TWindowState::wsMaximized);
  FRestorePending = false;
}

void TRestorePos::SavePosition(bool destroying) {
  if (FRegistryKey.empty() || FRegistryName.empty()) return;
  // The owner saves before it goes; a write on the way out would only repeat it.
  if (destroying && FSaved) return;
  if (!FOwner.Handle()) return;
  WINDOWPLACEMENT wp{sizeof(wp)};
  if (!::GetWindowPlacement(FOwner.Handle(), &wp)) return;
  const RECT& n = wp.rcNormalPosition;
  const std::wstring text =
      PosRecordText(TRectI{n.left, n.top, n.right, n.bottom}, static_cast<std::int32_t>(wp.showCmd));
  SetRegistryVal(HKEY_CURRENT_USER, FRegistryKey, FRegistryName, text);
  FSaved = true;
}
