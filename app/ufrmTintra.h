#pragma once
// The program's only main window: its frame, commands and owned components.
#include "app/uChannelPanel.h"
#include "app/uScreenSampler.h"
#include "controls/grid/CmbGrid.h"
#include "core/color/uColorFactors.h"
#include "controls/uSizeGripVel.h"
#include "app/document/TBXMRUList.h"
#include "app/document/uDocument.h"
#include "app/document/uOleDrop.h"
#include "framework/FileDialog.h"
#include "framework/Action.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/Menu.h"
#include "framework/Panel.h"
#include "framework/ToolBar.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/colorlist/uColumnLayout.h"
#include "app/shell/RestorePos.h"
#include "app/shell/uActionSubMenu.h"
#include "app/shell/uAppProperty.h"

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

  void actZoomExecute(fw::TObject* sender);

  // ---- Colour list (ufrmTintraList.cpp)
 private:
  fw::TUniqueFont FListFont;  // outlives the grid that draws with it
  int FItemCount = 0;
  // Position of each column identity 1..6 (index 0 is the fixed row number).
  std::array<int, kListColumnCount> FColIndex{0, 1, 2, 3, 4, 5, 6};
  std::uint8_t FHexOrder = 0;
  // Set once the window goes away: late editor focus events change nothing.
  bool FListDetached = false;
  bool FEndingListEdit = false;

 public:
  TComboGrid gridItem;

  int ItemCount() const noexcept { return FItemCount; }
  int ColIndex(int identity) const noexcept { return FColIndex[static_cast<std::size_t>(identity)]; }
  // Sets the order and rewrites the headers and every hex cell.
  void SetHexOrder(std::uint8_t order);
  // A row's colour, each channel limited to 0..255 (a non-integer counts as 0).
  TColor RowColor(int row) const;
  TColumnLayout ListColumns() const;
  // The layout must be valid (ValidColumnIds); applies it and rebuilds the map.
  void SetListColumns(const TColumnLayout& layout);
  // The colour drag; a seam for tests.
  std::function<void(TColor)> ColorDrag;

  void UpdateColIndex();
  void RefreshHexColumn();
  void UpdateListActions();
  void FitCommentColumn();
  // Ends a running in-place edit (firing OnEditEnd): commands that read or
  // replace the list call it first.
  void EndListEdit();
  void DetachList() noexcept;

  void actAddExecute(fw::TObject* sender);
  void actDelExecute(fw::TObject* sender);
  void actUpExecute(fw::TObject* sender);
  void actDownExecute(fw::TObject* sender);
  void actRGBExecute(fw::TObject* sender);
  void actBGRExecute(fw::TObject* sender);
  void tbsmiHexOrderPopup(fw::TObject* sender);
  void gridItemDrawCell(fw::TObject* sender, HDC dc, int col, int row, const RECT& rect, TGridDrawState state);
  void gridItemSelectCell(fw::TObject* sender, int col, int row, bool& canSelect);
  void gridItemEditEnd(fw::TObject* sender);
  void gridItemClick(fw::TObject* sender);
  void gridItemMouseDown(fw::TObject* sender, fw::TMouseButton button, fw::TShiftState shift, int x, int y);
  void gridItemRowMoved(fw::TObject* sender, int fromIndex, int toIndex);
  void gridItemColumnMoved(fw::TObject* sender, int fromIndex, int toIndex);
  // ---- end of the colour list

  // ---- Clipboard (ufrmTintraClipboard.cpp)
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
  // Files dropped from other programs, from the first showing to destruction.
  TOleDropTarget DropTarget;

  void actNewExecute(fw::TObject* sender);
  void actOpenExecute(fw::TObject* sender);
  void actSaveExecute(fw::TObject* sender);
  void actSaveAsExecute(fw::TObject* sender);
  void DocumentModifiedChange(fw::TObject* sender);
  void DocumentChange(fw::TObject* sender);
  void DocumentFilenameChanged(fw::TObject* sender);
  void DocumentClear(fw::TObject* sender);
  void DocumentLoadFromStream(fw::TObject* sender, TStream& stream);
  void DocumentSaveToStream(fw::TObject* sender, TStream& stream);
  void TBXMRUListClick(fw::TObject* sender, const std::wstring& fileName);
  void DropTargetFileDropped(fw::TObject* sender, const std::wstring& fileName);
  // "(file title)(変更) - Tintra", or "(無題) - Tintra" when untitled.
  void UpdateCaption();
  // After the close question, without a dialog (a recent or a dropped file);
  // false when the user cancelled or the document is busy saving or asking.
  bool OpenDocumentFile(const std::wstring& fileName);
  // ---- end of documents

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
  void CreateListGrid();
  void SetUpListActions();
  void SelectRowColor(int row);
  void CreateComponents();
  bool FStayOnTop = false;
  void WireLifecycle();
  void SetUpActions();
  void SetUpClipboardActions();
  void SetUpDocumentActions();
  void CreateDocument();
  void BuildMenu();
  void BuildToolBar();
};
