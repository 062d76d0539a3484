#pragma once
// The program's only main window: its frame, commands and owned components.
#include "app/uChannelPanel.h"
#include "app/uScreenSampler.h"
#include "colorlist/CmbGrid.h"
#include "color/uColorFactors.h"
#include "controls/uSizeGripVel.h"
#include "document/TBXMRUList.h"
#include "document/uDocument.h"
#include "framework/FileDialog.h"
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
  void actAboutExecute(fw::TObject* sender);
  void actHomePageExecute(fw::TObject* sender);

  // Owned parts, created on Panel2 in this order (also the tab order).
  TChannelPanel ChannelPanel;
  TScreenSampler Sampler;
  TSizeGripVel SizeGripVel1;

  // The current colour, kept by the channel panel.
  TColorFactors& Factors() noexcept { return ChannelPanel.Factors(); }
  const TColorFactors& Factors() const noexcept { return ChannelPanel.Factors(); }
  void SetColor(TColor color) { ChannelPanel.SetColor(color); }
  void UpdateFromRGB() { ChannelPanel.UpdateFromRGB(); }

  void FormShow(fw::TObject* sender);
  void actZoomExecute(fw::TObject* sender);

  // ---- Colour list (ufrmTintraList.cpp)
 private:
  fw::TUniqueFont FListFont;  // outlives the grid that draws with it

 public:
  TComboGrid gridItem;
  // ---- end of the colour list

  // ---- Clipboard (ufrmTintraClipboard.cpp)
  // The colour of the list's current row (red, green, blue clamped to
  // 0..255); the colour list provides it. Without it copy puts #000000.
  std::function<TColor()> CurrentRowColor;
  // The hexadecimal byte order (0 red-green-blue, 1 blue-green-red); the
  // byte-order setting provides it. Without it the order is 0.
  std::function<std::uint8_t()> CurrentHexOrder;
  std::uint8_t HexOrder() const;

  // Puts the colour on the clipboard as "#" and six hexadecimal digits in
  // the given order; nothing for an order other than 0 and 1.
  void CopyColorToClipboard(TColor color, std::uint8_t order);
  void actCopyExecute(fw::TObject* sender);
  void actPasteExecute(fw::TObject* sender);
  // ---- end of the clipboard

  // ---- Documents and recent files (ufrmTintraDocument.cpp)
  fw::TSaveDialog SaveDialog;
  fw::TOpenDialog dlgOpen;
  TDocument Document;
  TTBXMRUList TBXMRUList;  // after MainMenu, which holds its items

  void actNewExecute(fw::TObject* sender);
  void actOpenExecute(fw::TObject* sender);
  void actSaveExecute(fw::TObject* sender);
  void actSaveAsExecute(fw::TObject* sender);
  void DocumentModifiedChange(fw::TObject* sender);
  void DocumentChange(fw::TObject* sender);
  void DocumentFilenameChanged(fw::TObject* sender);
  void DocumentClear(fw::TObject* sender);
  void DocumentLoadFromStream(fw::TObject* sender, fw::TStream& stream);
  void DocumentSaveToStream(fw::TObject* sender, fw::TStream& stream);
  void TBXMRUListClick(fw::TObject* sender, const std::wstring& fileName);
  // "(file title)(変更) - Tintra", or "(無題) - Tintra" when untitled.
  void UpdateCaption();
  // After the close question, without a dialog (a recent or a dropped file);
  // false when the user cancelled or the document is busy saving or asking.
  bool OpenDocumentFile(const std::wstring& fileName);
  void LoadRecentFiles();
  void SaveRecentFiles();
  // ---- end of documents

 private:
  void CreateListGrid();
  void SetUpActions();
  void SetUpClipboardActions();
  void SetUpDocumentActions();
  void CreateDocument();
  void BuildMenu();
  void BuildToolBar();
};
