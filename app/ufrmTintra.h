#pragma once
// The program's only main window: its frame, commands and owned components.
#include <memory>

#include "framework/Action.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/Menu.h"
#include "framework/Panel.h"
#include "framework/ToolBar.h"

class TfrmTintra : public fw::TForm {
public:
  TfrmTintra();
  ~TfrmTintra() override;

  // Creates the window and its components; runs FormCreate.
  void CreateForm();

  fw::TActionList ActionList;
  fw::TAction& actNew;
  fw::TAction& actOpen;
  fw::TAction& actSave;
  fw::TAction& actSaveAs;
  fw::TAction& actExit;
  fw::TAction& actCopy;
  fw::TAction& actInsert;
  fw::TAction& actDelete;
  fw::TAction& act1Up;
  fw::TAction& act1Down;
  fw::TAction& actStayOnTop;
  fw::TAction& actZoom;
  fw::TAction& actAbout;
  fw::TAction& actHomePage;
  fw::TAction& actsmRGBOrder;
  fw::TAction& actRGB;
  fw::TAction& actBGR;
  fw::TAction& actPaste;

  fw::TPanel Panel3;
  fw::TPanel TBXDock;
  fw::TToolBar ToolBar;
  fw::TPanel gridItemArea;
  fw::TPanel Panel2;

  fw::TMainMenu MainMenu;
  fw::TImageList MenuImages;
  fw::TMenuItem* tbsmiHexOrder = nullptr;
  fw::TMenuItem* tbsmiMRU = nullptr;

  void FormCreate(fw::TObject* sender);
  void actExitExecute(fw::TObject* sender);

private:
  void SetUpActions();
  void BuildMenu();
  void BuildToolBar();
};
