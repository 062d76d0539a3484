#pragma once
// The program's only main window: its commands, menu and button bar, and the
// parts it connects once. Data flows from the document to the list, from the
// list and the sampler to the current colour, and from there to the editors.
#include <functional>
#include <string>
#include <vector>

#include "app/uChannelPanel.h"
#include "app/uColorListPanel.h"
#include "app/document/uListRecovery.h"
#include "app/uColorNameLabel.h"
#include "app/uColorVision.h"
#include "app/uContrastPanel.h"
#include "app/uCopyFormatsPart.h"
#include "app/uDocumentPart.h"
#include "app/uPaletteExchange.h"
#include "app/uPickOptions.h"
#include "app/uPickPart.h"
#include "app/uScreenSampler.h"
#include "app/uTrayIconPart.h"
#include "app/shell/RestorePos.h"
#include "app/shell/uActionSubMenu.h"
#include "app/shell/uAppProperty.h"
#include "core/colorout/uCssColor.h"
#include "core/shell/uUiLanguage.h"
#include "controls/uSizeGripVel.h"
#include "core/support/uGeometry.h"
#include "framework/Action.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/Menu.h"
#include "framework/Panel.h"
#include "framework/ToolBar.h"

// What the main window takes from its surroundings; the defaults keep no
// settings and use the real screen, message box and drag.
struct TMainWindowOptions {
  // The settings key under the current user; empty keeps no settings.
  std::wstring SettingsKey;
  // The program's arguments without its own name.
  std::vector<std::wstring> Arguments;
  // The screen's colour depth in bits.
  std::function<int()> ScreenColorBits;
  // The plain message box of start-up warnings.
  std::function<void(const std::wstring& text)> ShowMessage;
  // Starts the drag of a list row's colour.
  TColorDragFunc ColorDrag;
  // The work area the stored position is fitted into.
  std::function<TRectI()> WorkArea;
  // The document's questions and error boxes.
  TMessageBoxFunc DocumentMessageBox;
  // The eyedropper's and the magnifier's screen reads.
  TScreenSampler::TPixelReader ReadScreenPixel;
  // The note after the interface language was changed; the plain message box by default.
  std::function<void(const std::wstring& text)> ShowLanguageNote;
  // Opens the list's shortcut menu and answers the chosen command.
  TTrackMenuFunc TrackMenu;
  // Where an unsaved list is kept against a crash; empty keeps nothing.
  std::wstring RecoveryFolder;
};

class TfrmTintra : public fw::TForm {
 public:
  explicit TfrmTintra(TMainWindowOptions options = {});
  ~TfrmTintra() override;

  // Creates the window and its parts and reads the settings; Show then
  // reopens the last file.
  void CreateForm();

  fw::TActionList ActionList;
  fw::TAction& actNew;
  fw::TAction& actOpen;
  fw::TAction& actSave;
  fw::TAction& actSaveAs;
  fw::TAction& actExit;
  fw::TAction& actUndo;
  fw::TAction& actRedo;
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
  TActionSubMenu& actsmLanguage;
  fw::TAction& actLangAuto;
  fw::TAction& actLangJapanese;
  fw::TAction& actLangEnglish;

 private:
  // Before the parts: their windows live on these, and the recent files
  // keep their items in the menu.
  TMainWindowOptions FOptions;
  fw::TPanel Panel3;
  fw::TPanel TBXDock;
  fw::TToolBar ToolBar;
  fw::TPanel gridItemArea;
  fw::TPanel Panel2;
  fw::TMainMenu MainMenu;
  fw::TImageList MenuImages;
  fw::TMenuItem* tbsmiHexOrder = nullptr;
  fw::TMenuItem* tbsmiMRU = nullptr;
  fw::TMenuItem* tbsmiLanguage = nullptr;

 public:
  // The parts. The channel panel holds the current colour.
  TChannelPanel ChannelPanel;
  TScreenSampler Sampler;
  TColorListPanel ColorList;
  TDocumentPart Documents;
  TCopyFormatsPart CopyFormats;
  TColorNameLabel ColorName;
  TContrastPanel Contrast;
  TPickOptions PickOptions{*this, Sampler, ActionList};
  TPaletteExchange Palettes{ActionList, ColorList};
  TPickPart Pick{ActionList, Sampler};
  TTrayIconPart TrayIcon{ActionList};
  // 配色... (Ctrl+H): the harmonies and scales dialog of the current colour.
  fw::TAction& actHarmonies = ActionList.Add(L"actHarmonies");
  TColorVisionPart ColorVision{ActionList};

  bool PreTranslateMessage(MSG& msg) override;

  bool StayOnTop() const noexcept { return FStayOnTop; }
  // The unsaved list kept against a crash.
  TListRecovery Recovery{FOptions.RecoveryFolder};

 private:
  bool FStayOnTop = false;
  bool FRecoveryKept = false;
  // The control of the channel panel that F6 returns to.
  HWND FPanelFocus = nullptr;
  bool FPainted = false;
  bool PaneKey(const MSG& msg);

  TSizeGripVel SizeGripVel1;
  TRestorePos RestorePos{*this};
  TAppProperty AppProperty;

  void SetUpActions();
  void ConnectParts();
  void BuildMenu();
  void BuildToolBar();
  void CreateComponents();
  void UpdateCaption();
  // A setting written when the user changes it, so that a crash keeps it.
  void StoreSetting(const wchar_t* name, const std::wstring& value);
  // The recovery file follows the document: kept while modified, gone when saved.
  void KeepForRecovery();
  // Asks about the lists of programs that ended without saving; true when one came back.
  bool RestoreRecoveredList();
  // Unless the arguments say -n.
  void OpenLastFile();
  void UpdateListActions();
  // The captions say what undo and redo would undo and redo.
  void UpdateHistoryActions();
  void ListSelectColor(TColor color);
  // A colour of the pick mode: current, copied and added as chosen.
  void PickModePicked(TColor color);

  void actExitExecute(fw::TObject* sender);
  void actAboutExecute(fw::TObject* sender);
  void actHomePageExecute(fw::TObject* sender);
  void actZoomExecute(fw::TObject* sender);
  void actStayOnTopExecute(fw::TObject* sender);
  void actRGBExecute(fw::TObject* sender);
  void actBGRExecute(fw::TObject* sender);
  void tbsmiHexOrderPopup(fw::TObject* sender);
  // The stored choice of language, shown checked; 0 auto, 1 Japanese, 2 English.
  void ShowLanguageSetting();
  void ChooseLanguage(TUiLanguageSetting setting);
  void actCopyExecute(fw::TObject* sender);
  void actPasteExecute(fw::TObject* sender);
  void actHarmoniesExecute(fw::TObject* sender);
  // A colour read from a text: made current, with a note when it was
  // brought into sRGB or was refused; false when the text held none.
  bool TakeColorText(const TCssColor& read, const std::wstring& text);
  // The views paint the simulation now chosen.
  void ShowColorVision();

  // Start-up and shutdown (ufrmTintraLifecycle.cpp).
  void FormCreate(fw::TObject* sender);
  void FormShow(fw::TObject* sender);
  void FormResize(fw::TObject* sender);
  void FormDpiChange(fw::TObject* sender);
  void FormCloseQuery(fw::TObject* sender, bool& canClose);
  void FormClose(fw::TObject* sender);
  void FormDestroy(fw::TObject* sender);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// The screen's colour depth in bits.
int DesktopColorBits();
// Puts the colour on the clipboard of owner as "#" and six hexadecimal digits
// in the given order; nothing for an order other than 0 and 1.
void CopyColorToClipboard(HWND owner, TColor color, std::uint8_t order);
