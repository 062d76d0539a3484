#include "app/shell/uAppProperty.h"

#include "framework/Application.h"

void TAppProperty::Loaded() {
  fw::TApplication& app = fw::Application();
  fw::THintSettings hints;
  hints.Color = FHintColor;
  hints.Pause = FHintPause;
  hints.ShortPause = FHintShortPause;
  hints.HidePause = FHintHidePause;
  hints.ShowHint = FShowHint;
  app.SetHintSettings(hints);
  app.SetTitle(FTitle);
  app.SetShowMainForm(FShowMainForm);
  if (!app.OnException && OnException) app.OnException = OnException;
}
