#pragma once
// The program's only main window: its frame, commands and owned components.
#include <array>
#include <cstdint>
#include <memory>

#include "color/uColorFactors.h"
#include "controls/uEditTrackBarVel.h"
#include "framework/Action.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/Menu.h"
#include "framework/PaintBox.h"
#include "framework/Panel.h"
#include "framework/ToolBar.h"

// Start-up, settings and shutdown.
#include <optional>
#include <string>
#include <vector>

#include "app/uColumnLayout.h"
#include "shell/RestorePos.h"
#include "shell/uActionSubMenu.h"
#include "shell/uAppProperty.h"

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
  TActionSubMenu& actsmRGBOrder;
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

  // ---- Start-up, settings and shutdown (ufrmTintraLifecycle.cpp)
  // The settings key under the current user; empty keeps no settings (tests).
  inline static std::wstring DefaultSettingsKey = L"SOFTWARE\\ZORVEK\\Tintra";
  std::wstring SettingsKey = DefaultSettingsKey;
  // The program's arguments without its own name.
  std::vector<std::wstring> Arguments;

  TRestorePos RestorePos{*this};
  TAppProperty AppProperty;

  void FormCreate(fw::TObject* sender);
  void FormShow(fw::TObject* sender);
  void FormResize(fw::TObject* sender);
  void FormCloseQuery(fw::TObject* sender, bool& canClose);
  void FormClose(fw::TObject* sender);
  void FormDestroy(fw::TObject* sender);
  void actStayOnTopExecute(fw::TObject* sender);
  bool StayOnTop() const noexcept { return FStayOnTop; }

  // What start-up and shutdown call in the list, the document, the recent
  // files and the drop target, each at its place in the order. An unset
  // hook does nothing; ListColumns and HexOrder answer nothing while their
  // owner is missing, and then nothing is stored for them.
  struct TLifecycleHooks {
    std::function<std::optional<TColumnLayout>()> ListColumns;
    // Applies identities and widths and rebuilds the column map (UpdateColIndex).
    std::function<void(const TColumnLayout&)> SetListColumns;
    std::function<void()> FitCommentColumn;
    // The recent files from and to the subkey "History" of the key.
    std::function<void(const std::wstring& key)> LoadRecentFiles;
    std::function<void(const std::wstring& key)> SaveRecentFiles;
    std::function<std::optional<std::uint8_t>()> HexOrder;
    std::function<void(std::uint8_t order)> SetHexOrder;
    std::function<void(const std::wstring& key)> SetDocumentRegistryKey;
    std::function<void()> DocumentClear;
    // Raises when the file cannot be opened.
    std::function<void(const std::wstring& path)> DocumentLoadFromFile;
    std::function<bool()> DocumentCloseQuery;
    std::function<std::wstring()> DocumentFileName;
    std::function<void()> RegisterDropTarget;
    std::function<void()> RevokeDropTarget;
  } Hooks;

  // Seams for tests: the screen's colour depth and the plain message box.
  std::function<int()> ScreenColorBits = &TfrmTintra::DesktopColorBits;
  static int DesktopColorBits();
  std::function<void(const std::wstring& text)> AppMessage;
  // ---- end of start-up, settings and shutdown

 private:
  void CreateComponents();
  void CreateChannelPanel();
  // Derives the rest from one group, shows it and paints the swatch.
  void RunUpdatePath(void (*derive)(TColorFactors&));
  void PaintSwatchNow();

  TColorFactors FFactors;
  std::int32_t FUpdating = 0;

  void CreateSamplingControls();
  bool FSpoitDragging = false;
  TRecPictureHolder FZoomPicture;

  bool FStayOnTop = false;
  void WireLifecycle();

  void SetUpActions();
  void BuildMenu();
  void BuildToolBar();
};
