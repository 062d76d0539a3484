#include "shell/uAppProperty.h"

#include "framework/Application.h"

void TAppProperty::Loaded() {
  fw::TApplication& app = fw::Application();
  fw::THintSettings hints;
  hints.Color = HintColor;
  hints.Pause = HintPause;
  hints.ShortPause = HintShortPause;
  hints.HidePause = HintHidePause;
  hints.ShowHint = ShowHint;
  app.SetHintSettings(hints);
  app.SetTitle(Title);
  app.SetShowMainForm(ShowMainForm);
  if (!app.OnException && OnException) app.OnException = OnException;
}
