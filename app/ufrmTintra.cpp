#include "app/ufrmTintra.h"

#include "app/ButtonImages.h"
#include "app/ControlIds.h"
#include "app/ufrmAbout.h"
#include "framework/Application.h"

namespace {

fw::TShortCut Ctrl(WORD key, bool shift = false, bool alt = false) { return fw::TShortCut{key, true, shift, alt}; }

}  // namespace

TfrmTintra::TfrmTintra()
    : actNew(ActionList.Add(L"actNew")),
      actOpen(ActionList.Add(L"actOpen")),
      actSave(ActionList.Add(L"actSave")),
      actSaveAs(ActionList.Add(L"actSaveAs")),
      actExit(ActionList.Add(L"actExit")),
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
      ToolBar(ActionList),
      MainMenu(ActionList),
      MenuImages(16, 16) {
  SetUpActions();
  AddButtonImages(MenuImages);
  WireLifecycle();
}

TfrmTintra::~TfrmTintra() {
  // The grid outlives the document it reports to; its late events must not reach it.
  DetachList();
}

void TfrmTintra::SetUpActions() {
  struct TDef {
    fw::TAction& Action;
    const wchar_t* Category;
    const wchar_t* Caption;
    fw::TShortCut ShortCut;
    int Image;
  };
  const TDef defs[] = {
      {actNew, L"010_ファイル", L"新規作成(&N)", Ctrl('N'), -1},
      {actOpen, L"010_ファイル", L"開く(&O)...", Ctrl('O'), 0},
      {actSave, L"010_ファイル", L"上書き保存(&S)", Ctrl('S'), 1},
      {actSaveAs, L"010_ファイル", L"名前をつけて保存(&A)...", Ctrl('S', true), -1},
      {actExit, L"010_ファイル", L"終了(&X)", {}, -1},
      {actCopy, L"020_編集", L"コピー(&C)", {}, 2},
      {actInsert, L"020_編集", L"追加(&A)", Ctrl(VK_INSERT), 3},
      {actDelete, L"020_編集", L"削除(&D)", Ctrl(VK_DELETE), 4},
      {act1Up, L"020_編集", L"一行上に移動(&U)", Ctrl('U'), 5},
      {act1Down, L"020_編集", L"一行下に移動(&D)", Ctrl('D'), 6},
      {actStayOnTop, L"030_表示", L"常に手前に表示(&S)", {}, 7},
      {actZoom, L"030_表示", L"拡大ウィンドウの表示", {}, 8},
      {actAbout, L"090_ヘルプ", L"バージョン情報(&A)...", {}, -1},
      {actHomePage, L"090_ヘルプ", L"作者のホームページ(&H)...", {}, -1},
      {actsmRGBOrder, L"070_設定", L"１６進数表記の並び順(&O)", {}, -1},
      {actRGB, L"070_設定", L"赤緑青(&R)", Ctrl('R', false, true), -1},
      {actBGR, L"070_設定", L"青緑赤(&B)", Ctrl('B', false, true), -1},
      {actPaste, L"020_編集", L"貼り付け(&P)", Ctrl('V'), 9},
  };
  for (const TDef& d : defs) {
    d.Action.SetCategory(d.Category);
    d.Action.SetCaption(d.Caption);
    d.Action.SetShortCut(d.ShortCut);
    d.Action.SetImageIndex(d.Image);
  }
  actZoom.SetChecked(true);
  actRGB.SetGroupIndex(1);
  actBGR.SetGroupIndex(1);
  actExit.OnExecute = [this](fw::TObject* s) { actExitExecute(s); };
  actAbout.OnExecute = [this](fw::TObject* s) { actAboutExecute(s); };
  actHomePage.OnExecute = [this](fw::TObject* s) { actHomePageExecute(s); };
  SetUpClipboardActions();
  SetUpDocumentActions();
  SetUpListActions();
  // Commands whose behaviour is not built yet are present and do nothing.
  for (auto& a : ActionList.Actions())
    if (!a->OnExecute && a.get() != &actsmRGBOrder) a->OnExecute = [](fw::TObject*) {};
}

void TfrmTintra::BuildMenu() {
  fw::TMenuItem& file = MainMenu.Add(L"ファイル(&F)");
  file.AddAction(actNew);
  file.AddAction(actOpen);
  file.AddAction(actSave);
  file.AddAction(actSaveAs);
  // The recent files are inserted after this separator, before the next.
  tbsmiMRU = &file.AddSeparator();
  file.AddSeparator();
  file.AddAction(actExit);

  fw::TMenuItem& edit = MainMenu.Add(L"編集(&E)");
  edit.AddAction(actCopy);
  edit.AddAction(actPaste);
  edit.AddSeparator();
  edit.AddAction(actInsert);
  edit.AddAction(actDelete);
  edit.AddAction(act1Up);
  edit.AddAction(act1Down);

  fw::TMenuItem& view = MainMenu.Add(L"表示(&V)");
  view.AddAction(actStayOnTop);
  view.AddAction(actZoom);

  fw::TMenuItem& settings = MainMenu.Add(L"設定(&S)");
  tbsmiHexOrder = &settings.Add(fw::TMenuItem::Submenu(L""));
  tbsmiHexOrder->SetAction(&actsmRGBOrder);
  actsmRGBOrder.SetLinkSubitems(tbsmiHexOrder);
  tbsmiHexOrder->AddAction(actRGB);
  tbsmiHexOrder->AddAction(actBGR);
  tbsmiHexOrder->OnPopup = [this](fw::TObject* s) { tbsmiHexOrderPopup(s); };

  fw::TMenuItem& help = MainMenu.Add(L"ヘルプ(&H)");
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
  for (fw::TAction* a : {&actCopy, &actPaste}) ToolBar.AddAction(*a);
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
  SetBounds(331, 57, 507, 304);
  SetFontFace(L"ＭＳ Ｐゴシック", 13, SHIFTJIS_CHARSET);
  BuildMenu();
  SetMainMenu(&MainMenu);
  SetActionList(&ActionList);
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
  gridItemArea.SetControlId(ControlIds::gridItemArea);
  gridItemArea.SetAlign(fw::TAlign::alClient);
  gridItemArea.SetBevelOuter(fw::TBevel::bvLowered);
  gridItemArea.Create(&Panel3);
  CreateListGrid();

  ChannelPanel.Create(Panel2);
  Sampler.OnColorPick = [this](fw::TObject*, TColor color) { SetColor(color); };
  Sampler.Create(Panel2);
  SizeGripVel1.SetControlId(ControlIds::SizeGripVel1);
  SizeGripVel1.Create(&Panel2, this);
  actZoom.OnExecute = [this](fw::TObject* s) { actZoomExecute(s); };

  CreateDocument();
}

void TfrmTintra::actExitExecute(fw::TObject*) { Close(); }

void TfrmTintra::actZoomExecute(fw::TObject*) {
  Sampler.pnlZoom.SetVisible(!Sampler.pnlZoom.Visible());
  actZoom.SetChecked(Sampler.pnlZoom.Visible());
}

void TfrmTintra::actAboutExecute(fw::TObject*) {
  TfrmAbout about(this);
  about.ShowModal();
}

void TfrmTintra::actHomePageExecute(fw::TObject*) { ShellExecuteQuietly(L"OPEN", HomePageAddress(), SW_SHOW); }
