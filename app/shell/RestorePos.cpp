#include "app/shell/RestorePos.h"

#include "core/sampling/uMonitorLayout.h"
#include "core/shell/uFitToWorkArea.h"
#include "framework/Dpi.h"
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

TMonitorLayout TRestorePos::Monitors() const {
  if (WorkArea) {
    const TRectI work = WorkArea();
    return {TMonitor{work, work, FOwner.Dpi(), true}};
  }
  TMonitorLayout layout = fw::DisplayMonitors();
  if (layout.empty()) {
    const TRectI work = PrimaryWorkArea();
    layout.push_back(TMonitor{work, work, FOwner.Dpi(), true});
  }
  return layout;
}

void TRestorePos::RestorePosition() {
  if (FRegistryKey.empty() || FRegistryName.empty()) return;
  const std::wstring record = GetRegistryVal(HKEY_CURRENT_USER, FRegistryKey, FRegistryName);
  const TMonitorLayout layout = Monitors();
  const TRectI work = layout[static_cast<std::size_t>(PrimaryMonitor(layout))].Work;
  if (record.empty()) {
    // No place of its own yet: the designed bounds, grown with the DPI,
    // may not overhang a small screen.
    const TRectI fit = FitInsideWorkArea(
        TRectI{FOwner.Left(), FOwner.Top(), FOwner.Left() + FOwner.Width(), FOwner.Top() + FOwner.Height()}, work);
    FOwner.SetBounds(fit.Left, fit.Top, fit.Width(), fit.Height());
    return;
  }
  // A damaged field keeps what the form has now, in the record's terms.
  const int dpi = FOwner.Dpi();
  const int left = PhysicalToLogical(FOwner.Left() - work.Left, dpi);
  const int top = PhysicalToLogical(FOwner.Top() - work.Top, dpi);
  const TRectI current{left, top, left + PhysicalToLogical(FOwner.Width(), dpi),
                       top + PhysicalToLogical(FOwner.Height(), dpi)};
  const TRestoredPos pos = RestoredMonitorPos(record, current, layout);
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
  const TMonitorLayout layout = Monitors();
  // The normal position is in workspace coordinates: from the primary work area's corner.
  const TRectI work = layout[static_cast<std::size_t>(PrimaryMonitor(layout))].Work;
  const RECT& n = wp.rcNormalPosition;
  const TRectI normal{n.left + work.Left, n.top + work.Top, n.right + work.Left, n.bottom + work.Top};
  const std::wstring text = StoredPosRecordText(normal, static_cast<std::int32_t>(wp.showCmd), layout);
  SetRegistryVal(HKEY_CURRENT_USER, FRegistryKey, FRegistryName, text);
  FSaved = true;
}
