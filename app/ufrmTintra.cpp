#include "app/ufrmTintra.h"

#include <string>

#include "app/ButtonImages.h"
#include "app/ControlIds.h"
#include "app/ufrmAbout.h"
#include "app/ufrmHarmonies.h"
#include "app/uColorTextInput.h"
#include "core/colorout/uPasteText.h"
#include "app/uUiText.h"
#include "app/resources/StringIds.h"
#include "core/color/uHexColor.h"
#include "core/colorout/uColorNames.h"
#include "framework/Application.h"
#include "framework/Beep.h"
#include "framework/Clipboard.h"
#include "framework/Theme.h"
#include "framework/support/uStartupTrace.h"
#include "framework/support/uRegistry.h"
#include "core/colorout/uColorChannels.h"

namespace {

fw::TShortCut Ctrl(WORD key, bool shift = false, bool alt = false) { return fw::TShortCut{key, true, shift, alt}; }

}  // namespace

TfrmTintra::TfrmTintra(TMainWindowOptions options)
    : actNew(ActionList.Add(L"actNew")),
      actOpen(ActionList.Add(L"actOpen")),
      actSave(ActionList.Add(L"actSave")),
      actSaveAs(ActionList.Add(L"actSaveAs")),
      actExit(ActionList.Add(L"actExit")),
      actUndo(ActionList.Add(L"actUndo")),
      actRedo(ActionList.Add(L"actRedo")),
      actCopy(ActionList.Add(L"actCopy")),
      actInsert(ActionList.Add(L"actInsert")),
      actDelete(ActionList.Add(L"actDelete")),
      act1Up(ActionList.Add(L"act1Up")),
      act1Down(ActionList.Add(L"act1Down")),
      actStayOnTop(ActionList.Add(L"actStayOnTop")),
      actZoom(ActionList.Add(L"actZoom")),
      actAbout(ActionList.Add(L"actAbout")),
      actHomePage(ActionList.Add(L"actHomePage")),
      actsmRGBOrder(ActionList.Add<TActionSubMenu>(L"actsmRGBOrder")),
      actRGB(ActionList.Add(L"actRGB")),
      actBGR(ActionList.Add(L"actBGR")),
      actPaste(ActionList.Add(L"actPaste")),
      actsmLanguage(ActionList.Add<TActionSubMenu>(L"actsmLanguage")),
      actLangAuto(ActionList.Add(L"actLangAuto")),
      actLangJapanese(ActionList.Add(L"actLangJapanese")),
      actLangEnglish(ActionList.Add(L"actLangEnglish")),
      FOptions(std::move(options)),
      ToolBar(ActionList),
      MainMenu(ActionList),
      MenuImages(16, 16),
      ColorList([this] { return ChannelPanel.Factors().Color; }, FOptions.ColorDrag),
      Documents(ColorList),
      CopyFormats(ActionList),
      Contrast(ActionList) {
  SetUpActions();
  AddButtonImages(MenuImages);
  ConnectParts();
}

TfrmTintra::~TfrmTintra() {
  // While the parts still live: a window still open closes through FormDestroy.
  DestroyHandle();
  // The grid's window may outlive this object's handlers; its late events must change nothing.
  ColorList.Detach();
}

void TfrmTintra::SetUpActions() {
  struct TDef {
    fw::TAction& Action;
    const wchar_t* Category;
    UINT Caption;
    fw::TShortCut ShortCut;
    int Image;
  };
  const TDef defs[] = {
      {actNew, L"010_ファイル", IDS_ACT_NEW, Ctrl('N'), -1},
      {actOpen, L"010_ファイル", IDS_ACT_OPEN, Ctrl('O'), 0},
      {actSave, L"010_ファイル", IDS_ACT_SAVE, Ctrl('S'), 1},
      {actSaveAs, L"010_ファイル", IDS_ACT_SAVE_AS, Ctrl('S', true), -1},
      {actExit, L"010_ファイル", IDS_ACT_EXIT, {}, -1},
      {actUndo, L"020_編集", IDS_ACT_UNDO, Ctrl('Z'), 10},
      {actRedo, L"020_編集", IDS_ACT_REDO, Ctrl('Y'), 11},
      {actCopy, L"020_編集", IDS_ACT_COPY, {}, 2},
      {actInsert, L"020_編集", IDS_ACT_INSERT, Ctrl(VK_INSERT), 3},
      {actDelete, L"020_編集", IDS_ACT_DELETE, Ctrl(VK_DELETE), 4},
      {act1Up, L"020_編集", IDS_ACT_UP, Ctrl('U'), 5},
      {act1Down, L"020_編集", IDS_ACT_DOWN, Ctrl('D'), 6},
      {actStayOnTop, L"030_表示", IDS_ACT_STAY_ON_TOP, {}, 7},
      {actZoom, L"030_表示", IDS_ACT_ZOOM, {}, 8},
      {actAbout, L"090_ヘルプ", IDS_ACT_ABOUT, {}, -1},
      {actHomePage, L"090_ヘルプ", IDS_ACT_HOME_PAGE, {}, -1},
      {actsmRGBOrder, L"070_設定", IDS_ACT_HEX_ORDER, {}, -1},
      {actRGB, L"070_設定", IDS_ACT_RGB, Ctrl('R', false, true), -1},
      {actBGR, L"070_設定", IDS_ACT_BGR, Ctrl('B', false, true), -1},
      {actPaste, L"020_編集", IDS_ACT_PASTE, Ctrl('V'), 9},
      {actsmLanguage, L"070_設定", IDS_ACT_LANGUAGE, {}, -1},
      {actLangAuto, L"070_設定", IDS_ACT_LANG_AUTO, {}, -1},
      {actLangJapanese, L"070_設定", IDS_ACT_LANG_JAPANESE, {}, -1},
      {actLangEnglish, L"070_設定", IDS_ACT_LANG_ENGLISH, {}, -1},
  };
  for (const TDef& d : defs) {
    d.Action.SetCategory(d.Category);
    d.Action.SetCaption(UiText(d.Caption));
    d.Action.SetShortCut(d.ShortCut);
    d.Action.SetImageIndex(d.Image);
  }
  actRedo.AddSecondaryShortCut(Ctrl('Z', true));
  actZoom.SetChecked(true);
  actRGB.SetGroupIndex(1);
  actBGR.SetGroupIndex(1);
  for (fw::TAction* a : {&actLangAuto, &actLangJapanese, &actLangEnglish}) a->SetGroupIndex(2);

  actNew.OnExecute = [this](fw::TObject* s) { Documents.actNewExecute(s); };
  actOpen.OnExecute = [this](fw::TObject* s) { Documents.actOpenExecute(s); };
  actSave.OnExecute = [this](fw::TObject* s) { Documents.actSaveExecute(s); };
  actSaveAs.OnExecute = [this](fw::TObject* s) { Documents.actSaveAsExecute(s); };
  actExit.OnExecute = [this](fw::TObject* s) { actExitExecute(s); };
  actUndo.OnExecute = [this](fw::TObject*) { ColorList.Undo(); };
  actRedo.OnExecute = [this](fw::TObject*) { ColorList.Redo(); };
  actCopy.OnExecute = [this](fw::TObject* s) { actCopyExecute(s); };
  actPaste.OnExecute = [this](fw::TObject* s) { actPasteExecute(s); };
  actInsert.OnExecute = [this](fw::TObject* s) { ColorList.actAddExecute(s); };
  actDelete.OnExecute = [this](fw::TObject* s) { ColorList.actDelExecute(s); };
  act1Up.OnExecute = [this](fw::TObject* s) { ColorList.actUpExecute(s); };
  act1Down.OnExecute = [this](fw::TObject* s) { ColorList.actDownExecute(s); };
  actStayOnTop.OnExecute = [this](fw::TObject* s) { actStayOnTopExecute(s); };
  actZoom.OnExecute = [this](fw::TObject* s) { actZoomExecute(s); };
  actAbout.OnExecute = [this](fw::TObject* s) { actAboutExecute(s); };
  actHomePage.OnExecute = [this](fw::TObject* s) { actHomePageExecute(s); };
  actRGB.OnExecute = [this](fw::TObject* s) { actRGBExecute(s); };
  actBGR.OnExecute = [this](fw::TObject* s) { actBGRExecute(s); };
  actLangAuto.OnExecute = [this](fw::TObject*) { ChooseLanguage(TUiLanguageSetting::Auto); };
  actLangJapanese.OnExecute = [this](fw::TObject*) { ChooseLanguage(TUiLanguageSetting::Japanese); };
  actLangEnglish.OnExecute = [this](fw::TObject*) { ChooseLanguage(TUiLanguageSetting::English); };
  actHarmonies.SetCategory(L"020_編集");
  actHarmonies.SetCaption(UiText(IDS_ACT_HARMONIES));
  actHarmonies.SetShortCut(Ctrl('H'));
  actHarmonies.OnExecute = [this](fw::TObject* s) { actHarmoniesExecute(s); };
}

void TfrmTintra::ConnectParts() {
  Sampler.OnColorPick = [this](fw::TObject*, TColor color) { ChannelPanel.SetColor(color); };
  ColorList.OnSelectColor = [this](fw::TObject*, TColor color) { ListSelectColor(color); };
  ColorList.OnListChange = [this](fw::TObject*) { UpdateListActions(); };
  Documents.OnTitleChange = [this](fw::TObject*) {
    UpdateCaption();
    KeepForRecovery();
  };
  Documents.OnContentChange = [this](fw::TObject*) { KeepForRecovery(); };
  ChannelPanel.OnColorChange = [this](TColor color) {
    ColorName.SetColor(color);
    Contrast.SetTextColor(color);
  };
  ChannelPanel.SwatchName = [this](TColor color) {
    return ColorToHexText(RedOf(color), GreenOf(color), BlueOf(color), ColorList.HexOrder()) + L", " +
           std::wstring(NearestColorName(color).name);
  };
  Contrast.CurrentColor = [this] { return ChannelPanel.Factors().Color; };
  Contrast.ReadColorText = [](const std::wstring& text) -> std::optional<TColor> {
    const TCssColor read = ReadTypedColor(text);
    if (read.status != TCssColorStatus::Color) return std::nullopt;
    return read.color;
  };
  ChannelPanel.edtColorText.OnApply = [this](const std::wstring& text) {
    return TakeColorText(ReadTypedColor(text), text);
  };
  // The one mapping of what the user sees; every view asks it.
  ChannelPanel.DisplayColor = [this](TColor color) { return ColorVision.Shown(color); };
  ColorList.DisplayColor = [this](TColor color) { return ColorVision.Shown(color); };
  ColorVision.OnChange = [this](fw::TObject*) { ShowColorVision(); };
  Contrast.SetCurrentColor = [this](TColor color) { ChannelPanel.SetColor(color); };
  CopyFormats.Owner = [this]() -> fw::TWindow* { return this; };
  // What is shown is what is copied: the edit menu takes the swatch's
  // colour, the list's shortcut menu the row it was opened on.
  CopyFormats.CopyColor = [this] { return ChannelPanel.Factors().Color; };
  ColorList.OnContextMenu = [this](fw::TObject*, int x, int y) {
    fw::TAction* const before[] = {&actCopy};
    fw::TAction* const after[] = {&actPaste, &Contrast.actSetCompare, &actHarmonies, nullptr, &actInsert,
                                  &actDelete, &act1Up, &act1Down};
    ColorList.EndListEdit();
    const TColor row = ColorList.ItemCount() > 0 ? ColorList.CurrentRowColor() : ChannelPanel.Factors().Color;
    CopyFormats.ShowContextMenu(before, after, x, y, row);
  };
  if (FOptions.TrackMenu) CopyFormats.TrackMenu = FOptions.TrackMenu;
  if (FOptions.WorkArea) RestorePos.WorkArea = FOptions.WorkArea;
  if (FOptions.DocumentMessageBox)
    Documents.Document.ShowMessageBox = Palettes.ShowMessageBox = FOptions.DocumentMessageBox;
  if (FOptions.ReadScreenPixel) Sampler.ReadScreenPixel = FOptions.ReadScreenPixel;
  Documents.Document.OnOpenForeign = [this](const std::wstring& name) { return Palettes.OpenAsList(name); };
  PickOptions.OnAddToList = [this](fw::TObject*) { actInsert.Execute(); };
  PickOptions.OnStartPickMode = [this](fw::TObject*) { Pick.StartPick(); };
  Pick.OnPicked = [this](TColor color) { PickModePicked(color); };
  Pick.Mode.ColorText = [this](TColor color) { return CopyFormats.PickText(color); };
  TrayIcon.OnPick = [this](fw::TObject*) { Pick.StartPick(); };
  TrayIcon.OnExit = [this](fw::TObject*) { Close(); };
  if (FOptions.ShowMessage) PickOptions.ShowMessage = FOptions.ShowMessage;

  AppProperty.SetTitle(L"Tintra");
  AppProperty.SetHintColor(fw::ThemeColor(fw::TThemeRole::InfoBack));
  AppProperty.SetHintPause(500);
  AppProperty.SetHintShortPause(0);
  AppProperty.SetHintHidePause(2500);
  AppProperty.SetShowHint(true);
  RestorePos.SetRegistryName(L"PosMain");

  OnCreate = [this](fw::TObject* s) { FormCreate(s); };
  OnShow = [this](fw::TObject* s) { FormShow(s); };
  OnResize = [this](fw::TObject* s) { FormResize(s); };
  OnDpiChange = [this](fw::TObject* s) { FormDpiChange(s); };
  OnCloseQuery = [this](fw::TObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
  OnClose = [this](fw::TObject* s) { FormClose(s); };
  OnDestroy = [this](fw::TObject* s) { FormDestroy(s); };
}

void TfrmTintra::BuildMenu() {
  fw::TMenuItem& file = MainMenu.Add(UiText(IDS_MENU_FILE));
  file.AddAction(actNew);
  file.AddAction(actOpen);
  file.AddAction(actSave);
  file.AddAction(actSaveAs);
  Palettes.AddToMenu(file);
  // The recent files are inserted after this separator, with one of their own after them.
  tbsmiMRU = &file.AddSeparator();
  file.AddAction(actExit);

  fw::TMenuItem& edit = MainMenu.Add(UiText(IDS_MENU_EDIT));
  edit.AddAction(actUndo);
  edit.AddAction(actRedo);
  edit.AddSeparator();
  edit.AddAction(Pick.actPickFromScreen);
  edit.AddSeparator();
  edit.AddAction(actCopy);
  edit.AddAction(CopyFormats.actCopyCurrent);
  CopyFormats.AddToMenu(MainMenu, edit);
  edit.AddAction(actPaste);
  edit.AddAction(Contrast.actSetCompare);
  edit.AddAction(actHarmonies);
  edit.AddSeparator();
  edit.AddAction(actInsert);
  edit.AddAction(actDelete);
  edit.AddAction(act1Up);
  edit.AddAction(act1Down);

  fw::TMenuItem& view = MainMenu.Add(UiText(IDS_MENU_VIEW));
  view.AddAction(actStayOnTop);
  view.AddAction(actZoom);
  view.AddAction(Contrast.actShowContrast);
  ColorVision.AddToMenu(view);

  fw::TMenuItem& settings = MainMenu.Add(UiText(IDS_MENU_SETTINGS));
  tbsmiHexOrder = &settings.Add(fw::TMenuItem::Submenu(L""));
  tbsmiHexOrder->SetAction(&actsmRGBOrder);
  actsmRGBOrder.SetLinkSubitems(tbsmiHexOrder);
  tbsmiHexOrder->AddAction(actRGB);
  tbsmiHexOrder->AddAction(actBGR);
  tbsmiHexOrder->OnPopup = [this](fw::TObject* s) { tbsmiHexOrderPopup(s); };
  PickOptions.AddMenuItems(settings);
  settings.AddAction(Pick.actPickFreeze);
  CopyFormats.AddPickMenu(MainMenu, settings);
  settings.AddAction(TrayIcon.actTrayIcon);
  tbsmiLanguage = &settings.Add(fw::TMenuItem::Submenu(L""));
  tbsmiLanguage->SetAction(&actsmLanguage);
  actsmLanguage.SetLinkSubitems(tbsmiLanguage);
  for (fw::TAction* a : {&actLangAuto, &actLangJapanese, &actLangEnglish}) tbsmiLanguage->AddAction(*a);
  tbsmiLanguage->OnPopup = [this](fw::TObject*) { ShowLanguageSetting(); };

  fw::TMenuItem& help = MainMenu.Add(UiText(IDS_MENU_HELP));
  help.AddAction(actHomePage);
  help.AddAction(actAbout);
}

void TfrmTintra::BuildToolBar() {
  ToolBar.SetControlId(ControlIds::ToolBar);
  ToolBar.Create(&TBXDock, MenuImages);
  ToolBar.SetBounds(0, 0, 400, 26);
  ToolBar.SetAlign(fw::TAlign::alClient);
  for (fw::TAction* a : {&actOpen, &actSave}) ToolBar.AddAction(*a);
  ToolBar.AddSeparator();
  for (fw::TAction* a : {&actUndo, &actRedo}) ToolBar.AddAction(*a);
  ToolBar.AddSeparator();
  for (fw::TAction* a : {&Pick.actPickFromScreen, &actCopy, &actPaste}) ToolBar.AddAction(*a);
  ToolBar.AddSeparator();
  for (fw::TAction* a : {&actInsert, &actDelete, &act1Up, &act1Down}) ToolBar.AddAction(*a);
  ToolBar.AddSeparator();
  ToolBar.AddAction(actStayOnTop);
  ToolBar.AddSeparator();
  ToolBar.AddAction(actZoom);
}

void TfrmTintra::CreateForm() {
  AppProperty.Loaded();
  SetText(L"Tintra");
  // Wide enough for the whole button bar and every column of the list.
  SetBounds(331, 57, 580, 304);
  const LOGFONTW font = UiFont(IDS_FONT_UI, 13);
  SetFontFace(font.lfFaceName, 13, font.lfCharSet);
  BuildMenu();
  SetMainMenu(&MainMenu);
  SetActionList(&ActionList);
  fw::StartupPhase("menu");
  fw::TForm::Create(nullptr, WS_OVERLAPPEDWINDOW);
}

void TfrmTintra::CreateComponents() {
  Panel2.SetControlId(ControlIds::Panel2);
  Panel2.SetWidth(205);
  Panel2.SetAlign(fw::TAlign::alRight);
  Panel2.Create(this);

  Panel3.SetControlId(ControlIds::Panel3);
  Panel3.SetAlign(fw::TAlign::alClient);
  Panel3.Create(this);
  TBXDock.SetControlId(ControlIds::TBXDock);
  TBXDock.SetHeight(26);
  TBXDock.SetAlign(fw::TAlign::alTop);
  TBXDock.Create(&Panel3);
  BuildToolBar();
  fw::StartupPhase("tool bar");
  Contrast.Create(Panel3);
  gridItemArea.SetControlId(ControlIds::gridItemArea);
  gridItemArea.SetAlign(fw::TAlign::alClient);
  gridItemArea.SetBevelOuter(fw::TBevel::bvLowered);
  gridItemArea.Create(&Panel3);
  ColorList.Create(gridItemArea);
  fw::StartupPhase("contrast readout and list");

  ChannelPanel.Create(Panel2);
  fw::StartupPhase("channel editors");
  ColorVision.Create(Panel2);
  ColorName.Create(Panel2);
  Sampler.Create(Panel2);
  Sampler.pboxSpoit.SetHint(UiText(IDS_SPOIT_HINT));
  SizeGripVel1.Accessible.NameOf = [] { return UiText(IDS_A11Y_GRIP); };
  SizeGripVel1.SetControlId(ControlIds::SizeGripVel1);
  SizeGripVel1.Create(&Panel2, this);
  fw::StartupPhase("name, sampler, grip");

  Documents.SetRecentFilesMenu(MainMenu, tbsmiMRU);
  // The keys work from the start: the list has the focus, not the frame.
  SetDefaultControl(&ColorList.gridItem);
}

void TfrmTintra::actExitExecute(fw::TObject*) { Close(); }

void TfrmTintra::actZoomExecute(fw::TObject*) {
  Sampler.pnlZoom.SetVisible(!Sampler.pnlZoom.Visible());
  actZoom.SetChecked(Sampler.pnlZoom.Visible());
  StoreSetting(L"ZoomWindow", Sampler.pnlZoom.Visible() ? L"1" : L"0");
}

void TfrmTintra::StoreSetting(const wchar_t* name, const std::wstring& value) {
  if (!FOptions.SettingsKey.empty())
    fw::Guarded([&] { SetRegistryVal(HKEY_CURRENT_USER, FOptions.SettingsKey, name, value); });
}

void TfrmTintra::actAboutExecute(fw::TObject*) {
  TfrmAbout about(this);
  about.ShowModal();
}

void TfrmTintra::actHomePageExecute(fw::TObject*) { ShellExecuteQuietly(L"OPEN", HomePageAddress(), SW_SHOW); }

void TfrmTintra::actRGBExecute(fw::TObject*) {
  if (ColorList.HexOrder() == 0) return;
  actRGB.SetChecked(true);
  ColorList.SetHexOrder(0);
  StoreSetting(L"HexOrder", L"0");
}

void TfrmTintra::actBGRExecute(fw::TObject*) {
  if (ColorList.HexOrder() == 1) return;
  actBGR.SetChecked(true);
  ColorList.SetHexOrder(1);
  StoreSetting(L"HexOrder", L"1");
}

void TfrmTintra::tbsmiHexOrderPopup(fw::TObject*) {
  if (ColorList.HexOrder() == 0)
    actRGB.SetChecked(true);
  else if (ColorList.HexOrder() == 1)
    actBGR.SetChecked(true);
}

void CopyColorToClipboard(HWND owner, TColor color, std::uint8_t order) {
  const std::wstring text = ColorToHexText(RedOf(color), GreenOf(color), BlueOf(color), order);
  if (text.empty()) return;
  // "#" and hexadecimal digits only, so each character is one ANSI byte.
  fw::ClipboardSetText(owner, std::string(text.begin(), text.end()));
}

void TfrmTintra::actCopyExecute(fw::TObject*) {
  ColorList.EndListEdit();
  CopyColorToClipboard(Handle(), ColorList.CurrentRowColor(), ColorList.HexOrder());
}

void TfrmTintra::actPasteExecute(fw::TObject*) {
  const std::string text = fw::ClipboardGetText(Handle());
  TakeColorText(PastedColorAnsi(text, ColorList.HexOrder()), std::wstring(text.begin(), text.end()));
}

bool TfrmTintra::TakeColorText(const TCssColor& read, const std::wstring& text) {
  switch (read.status) {
    case TCssColorStatus::Color:
      ChannelPanel.SetColor(read.color);
      // After the colour: a new colour clears the note of the last one.
      ColorName.SetNote(read.outOfGamut ? UiText(IDS_NOTE_OUT_OF_GAMUT) : std::wstring());
      return true;
    case TCssColorStatus::Refused: {
      std::wstring shown = text;
      while (!shown.empty() && static_cast<unsigned>(shown.back()) <= L' ') shown.pop_back();
      while (!shown.empty() && static_cast<unsigned>(shown.front()) <= L' ') shown.erase(shown.begin());
      ColorName.SetNote(UiText(IDS_NOTE_REFUSED, shown));
      fw::MessageBeep(0);
      return false;
    }
    case TCssColorStatus::NotColor:
      ColorName.SetNote(UiText(IDS_NOTE_NOT_COLOR));
      return false;
  }
  return false;
}

void TfrmTintra::actHarmoniesExecute(fw::TObject*) {
  ColorList.EndListEdit();
  TfrmHarmonies dialog(this, ChannelPanel.Factors().Color);
  dialog.OnAdd = [this](std::span<const TPaletteEntry> entries) { ColorList.AppendColors(entries, IDS_STEP_HARMONY); };
  dialog.OnChoose = [this](TColor color) { ChannelPanel.SetColor(color); };
  dialog.ShowModal();
}

void TfrmTintra::ShowColorVision() {
  const TDisplayColor display = ColorVision.DisplayColor();
  Sampler.DisplayColor = display;
  Pick.Mode.DisplayColor() = display;
  Pick.Mode.Marker() = ColorVision.Marker();
  ChannelPanel.RepaintSwatch();
  ColorList.gridItem.Invalidate();
  if (Sampler.pboxZoom.HandleAllocated()) Sampler.pboxZoom.Repaint();
}

void TfrmTintra::PickModePicked(TColor color) {
  ChannelPanel.SetColor(color);
  fw::Guarded([&] { CopyFormats.CopyOnPick(color); });
  if (PickOptions.HotKeyAddsToList()) actInsert.Execute();
}

void TfrmTintra::ListSelectColor(TColor color) {
  // Through the RGB path also when the colour is the current one: the other
  // channels then show what the row's RGB gives.
  TColorFactors& f = ChannelPanel.Factors();
  f.Red = RedOf(color);
  f.Grn = GreenOf(color);
  f.Blu = BlueOf(color);
  ChannelPanel.UpdateFromRGB();
}

void TfrmTintra::UpdateListActions() {
  act1Up.SetEnabled(ColorList.CanMoveUp());
  act1Down.SetEnabled(ColorList.CanMoveDown());
  actDelete.SetEnabled(ColorList.CanDelete());
  UpdateHistoryActions();
}

void TfrmTintra::UpdateHistoryActions() {
  struct TSide {
    fw::TAction& Action;
    bool Can;
    TListStepLabel Label;
    UINT Plain, Named;
  };
  const TSide sides[] = {
      {actUndo, ColorList.CanUndo(), ColorList.UndoLabel(), IDS_ACT_UNDO, IDS_ACT_UNDO_NAMED},
      {actRedo, ColorList.CanRedo(), ColorList.RedoLabel(), IDS_ACT_REDO, IDS_ACT_REDO_NAMED},
  };
  for (const TSide& side : sides) {
    const std::wstring name = side.Can ? UiText(side.Label) : std::wstring();
    std::wstring caption = name.empty() ? UiText(side.Plain) : UiText(side.Named, name);
    if (caption != side.Action.Caption()) {
      side.Action.SetHint(HintOfCaption(caption, UiLanguage()));
      side.Action.SetCaption(std::move(caption));
    }
    side.Action.SetEnabled(side.Can);
  }
}

void TfrmTintra::KeepForRecovery() {
  const bool keep = Documents.Document.Modified() && ColorList.ItemCount() > 0;
  if (keep)
    Recovery.Keep(ColorList.List().Snapshot(), Documents.Document.FileName(), ColorList.List().Current());
  else if (FRecoveryKept)
    Recovery.Forget();
  FRecoveryKept = keep;
}

void TfrmTintra::UpdateCaption() {
  const std::wstring caption = Documents.Caption(fw::Application().Title());
  if (caption != Text()) SetText(caption);
}
