#pragma once
// The about dialog: the program's icon, title and version with its build
// number, the credits and the mail link; and the home-page command.
#include <string>

#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "framework/PaintBox.h"
#include "framework/Panel.h"

// The number after the third "." of a version text such as "1.0.0.16";
// -1 when there are fewer than four parts or the rest is no decimal number.
int BuildNumberOfVersionText(const std::wstring& text);
// The build number of a file, from the FileVersion text of its Japanese
// (code page 932) version strings; -1 when it has none.
int GetFileBuildNumber(const std::wstring& fileName);

// The project's own addresses, kept in the resource string table.
std::wstring HomePageAddress();
std::wstring MailAddress();
// Asks the shell to perform verb on target. A failure (no browser, no mail
// program) opens no system error window; the result says whether it worked.
bool ShellExecuteQuietly(const wchar_t* verb, const std::wstring& target, int show);

class TfrmAbout : public fw::TDialog {
 public:
  // Creates the hidden dialog, owned by owner's window, and runs FormCreate.
  explicit TfrmAbout(fw::TWindow* owner);
  ~TfrmAbout() override;

  fw::TPaintBox ProgramIcon;
  fw::TLabel lblProductName;
  fw::TLabel lblVersion;
  fw::TLabel lblCredits;
  fw::TLabel Comments;
  fw::TLabel lblEMail;
  fw::TPanel Panel1;
  fw::TButton btnClose;

  void FormCreate(fw::TObject* sender);
  void FormDpiChange(fw::TObject* sender);
  void lblEMailClick(fw::TObject* sender);

 private:
  void PlaceLabel(fw::TLabel& label, const std::wstring& text, HFONT font, int left, int top, int width,
                  fw::TAlignment alignment);

  fw::TUniqueFont FTitleFont;
  fw::TUniqueFont FPFont;
  fw::TUniqueFont FLinkFont;
};
