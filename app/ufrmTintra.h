#pragma once
// The program's only main window: its frame, commands and owned components.
#include <array>
#include <cstdint>
#include <memory>

#include "color/uColorFactors.h"
#include "controls/uEditTrackBarVel.h"
#include "document/TBXMRUList.h"
#include "document/uDocument.h"
#include "framework/FileDialog.h"
#include "framework/Action.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/Menu.h"
#include "framework/PaintBox.h"
#include "framework/Panel.h"
#include "framework/ToolBar.h"

// Screen sampling.
#include <functional>

#include "controls/PaintBoxVel.h"
#include "controls/uSizeGripVel.h"
#include "framework/Image.h"
#include "support/uRecPicture.h"

// The eyedropper cursor's number in the application's cursor table.
inline constexpr int crSpoit = 20;

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

  // ---- Channel editor panel (ufrmTintraPanel.cpp)
  // The twelve editors, in factor order: the index is each one's Tag.
  TEditTrackBarVel edtRed, edtGrn, edtBlu, edtHue, edtSat, edtBri;
  TEditTrackBarVel edtHSLHue, edtHSLSat, edtHSLBri, edtY, edtCb, edtCr;
  std::array<fw::TLabel, ColorFactorCount> lblFactors;
  fw::TPaintBox pboxColor;
  fw::TLabel lblColor;

  // The current colour. Code that stores Red, Grn and Blu (0..255) runs
  // UpdateFromRGB afterwards.
  TColorFactors& Factors() noexcept { return FFactors; }
  const TColorFactors& Factors() const noexcept { return FFactors; }
  std::int32_t Updating() const noexcept { return FUpdating; }
  TEditTrackBarVel& FactorEditor(int index);

  void SetColor(TColor color);
  void UpdateFromRGB();
  void UpdateFromHSV();
  void UpdateFromHSL();
  void UpdateFromYCbCr();
  void ShowFactors();
  void SetEditValue(TEditTrackBarVel& editor, int value);

  void edtFactorChange(fw::TObject* sender);
  void edtRedKeyPress(fw::TObject* sender, wchar_t& key);
  void edtEnter(fw::TObject* sender);
  void pboxColorPaint(fw::TObject* sender, HDC dc);
  void FormShow(fw::TObject* sender);
  // ---- end of the channel editor panel

  // ---- Screen sampling: eyedropper, magnifier, size grip (ufrmTintraSampling.cpp)
  fw::TImage ImageSpoit;
  TPaintBoxVel pboxSpoit;
  fw::TPanel pnlZoom;
  TPaintBoxVel pboxZoom;
  TSizeGripVel SizeGripVel1;

  // Reads one pixel of the screen DC; tests put their own source here.
  using TPixelReader = std::function<COLORREF(HDC screen, int x, int y)>;
  static COLORREF DefaultScreenPixel(HDC screen, int x, int y);
  TPixelReader ReadScreenPixel = &TfrmTintra::DefaultScreenPixel;

  bool SpoitDragging() const noexcept { return FSpoitDragging; }
  const TRecPicture& ZoomPicture() const noexcept { return FZoomPicture; }

  void pboxSpoitPaint(fw::TObject* sender, HDC dc);
  void pboxSpoitMouseDown(fw::TObject* sender, fw::TMouseButton button, fw::TShiftState shift, int x, int y);
  void pboxSpoitMouseMove(fw::TObject* sender, fw::TShiftState shift, int x, int y);
  void pboxSpoitMouseUp(fw::TObject* sender, fw::TMouseButton button, fw::TShiftState shift, int x, int y);
  void pboxZoomPaint(fw::TObject* sender, HDC dc);
  void pboxZoomMouseDown(fw::TObject* sender, fw::TMouseButton button, fw::TShiftState shift, int x, int y);
  void pboxZoomMouseMove(fw::TObject* sender, fw::TShiftState shift, int x, int y);
  void actZoomExecute(fw::TObject* sender);
  // Copies the 13 x 9 screen pixels around point into the magnifier's
  // picture; the caller holds the screen DC.
  void ZoomCapture(HDC screen, POINT point);
  // ---- end of screen sampling

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
  void CreateChannelPanel();
  // Derives the rest from one group, shows it and paints the swatch.
  void RunUpdatePath(void (*derive)(TColorFactors&));
  void PaintSwatchNow();

  TColorFactors FFactors;
  std::int32_t FUpdating = 0;

  void CreateSamplingControls();
  bool FSpoitDragging = false;
  TRecPictureHolder FZoomPicture;

  void SetUpActions();
  void SetUpDocumentActions();
  void CreateDocument();
  void BuildMenu();
  void BuildToolBar();
};
