#include "app/ufrmAbout.h"

#include <shellapi.h>

#include <climits>
#include <vector>

#include "framework/Application.h"
#include "framework/support/uSystemProc.h"
#include "app/uUiText.h"
#include "framework/Theme.h"
#include "app/resources/StringIds.h"

namespace {

std::wstring ResourceString(UINT id) {
  const wchar_t* text = nullptr;
  // Length 0 asks for a pointer into the resource itself.
  const int n = ::LoadStringW(fw::Application().Handle(), id, reinterpret_cast<LPWSTR>(&text), 0);
  return n > 0 && text ? std::wstring(text, static_cast<size_t>(n)) : std::wstring();
}

fw::TUniqueFont MakeFont(UINT face, int height, bool bold, bool underline, const fw::TWindow& at) {
  LOGFONTW lf = UiFont(face, height);
  lf.lfHeight = at.Scaled(lf.lfHeight);
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = underline ? TRUE : FALSE;
  return fw::TUniqueFont(::CreateFontIndirectW(&lf));
}

}  // namespace

int BuildNumberOfVersionText(const std::wstring& text) {
  size_t at = 0;
  for (int dots = 0; dots < 3; ++dots) {
    at = text.find(L'.', at);
    if (at == std::wstring::npos) return -1;
    ++at;
  }
  size_t i = at;
  const bool negative = i < text.size() && text[i] == L'-';
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) ++i;
  if (i == text.size()) return -1;
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < L'0' || text[i] > L'9') return -1;
    value = value * 10 + (text[i] - L'0');
    if (value > INT_MAX) return -1;
  }
  return static_cast<int>(negative ? -value : value);
}

int GetFileBuildNumber(const std::wstring& fileName) {
  try {
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(fileName.c_str(), &handle);
    if (size == 0) return -1;
    std::vector<BYTE> block(size);
    if (!::GetFileVersionInfoW(fileName.c_str(), 0, size, block.data())) return -1;
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), L"\\StringFileInfo\\041103a4\\FileVersion", &value, &length) || !value ||
        length == 0)
      return -1;
    // The length counts the terminating zero when there is one.
    const auto* text = static_cast<const wchar_t*>(value);
    std::wstring version(text, length);
    version.resize(wcsnlen(version.c_str(), version.size()));
    return BuildNumberOfVersionText(version);
  } catch (...) {
    return -1;
  }
}

std::wstring HomePageAddress() { return ResourceString(IDS_HOMEPAGE); }

std::wstring MailAddress() { return ResourceString(IDS_EMAIL); }

bool ShellExecuteQuietly(const wchar_t* verb, const std::wstring& target, int show) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  // No message box of the shell's own when nothing can open the target.
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.hwnd = fw::Application().MainFormHandle();
  info.lpVerb = verb;
  info.lpFile = target.c_str();
  info.lpParameters = L"";
  info.lpDirectory = L"";
  info.nShow = show;
  // shell32 is loaded when first needed, not at start-up.
  static auto* const execute = fw::SystemProc<decltype(::ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
  return execute && execute(&info) != FALSE;
}

TfrmAbout::TfrmAbout(fw::TWindow* owner) {
  OnCreate = [this](fw::TObject* s) { FormCreate(s); };
  const LOGFONTW font = UiFont(IDS_FONT_FIXED, 13);
  SetFontFace(font.lfFaceName, 13, font.lfCharSet);
  FTitleFont = MakeFont(IDS_FONT_UI, 15, true, false, *this);
  FPFont = MakeFont(IDS_FONT_UI, 13, false, false, *this);
  FLinkFont = MakeFont(IDS_FONT_FIXED, 13, false, true, *this);
  OnDpiChange = [this](fw::TObject* s) { FormDpiChange(s); };
  Create(owner, 288, 145);
}

void TfrmAbout::FormDpiChange(fw::TObject*) {
  fw::TUniqueFont title = MakeFont(IDS_FONT_UI, 15, true, false, *this);
  fw::TUniqueFont p = MakeFont(IDS_FONT_UI, 13, false, false, *this);
  fw::TUniqueFont link = MakeFont(IDS_FONT_FIXED, 13, false, true, *this);
  const struct {
    fw::TLabel& Label;
    HFONT Font;  // null: the form's, already replaced
    bool FixedWidth;
  } labels[] = {{lblProductName, title.Get(), false}, {lblVersion, p.Get(), false}, {lblCredits, p.Get(), true},
                {Comments, nullptr, true},             {lblEMail, link.Get(), false}};
  // Measured again in the new fonts: text does not grow exactly by the factor.
  for (const auto& l : labels) {
    if (l.Font) l.Label.SetFont(l.Font);
    fw::TWindowDC screen(nullptr);
    fw::TSelectObject select(screen.Get(), l.Label.Font());
    const std::wstring text = l.Label.Text();
    SIZE extent{};
    ::GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    l.Label.SetBounds(l.Label.Left(), l.Label.Top(), l.FixedWidth ? l.Label.Width() : extent.cx, extent.cy);
  }
  FTitleFont = std::move(title);
  FPFont = std::move(p);
  FLinkFont = std::move(link);
}

TfrmAbout::~TfrmAbout() { DestroyHandle(); }

void TfrmAbout::PlaceLabel(fw::TLabel& label, const std::wstring& text, HFONT font, int left, int top, int width,
                           fw::TAlignment alignment) {
  label.SetFont(font);
  fw::TWindowDC screen(nullptr);
  fw::TSelectObject select(screen.Get(), font);
  SIZE extent{};
  ::GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
  label.SetBounds(left, top, width > 0 ? width : extent.cx, extent.cy);
  label.Create(this, text, alignment);
}

void TfrmAbout::FormCreate(fw::TObject*) {
  const std::wstring title = fw::Application().Title();
  SetText(UiText(IDS_ABOUT_CAPTION, title));

  ProgramIcon.SetBounds(27, 14, 37, 37);
  ProgramIcon.OnPaint = [](fw::TObject*, HDC dc) {
    // A shared icon of the module: not destroyed.
    HICON icon = ::LoadIconW(fw::Application().Handle(), L"MAINICON");
    if (icon) ::DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
  };
  ProgramIcon.Create(this);

  // The design text follows the project version; the build number comes from the file.
  std::wstring version = L"Version " TINTRA_VERSION_TEXT;
  wchar_t path[MAX_PATH];
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (n > 0 && n < MAX_PATH) {
    if (const int build = GetFileBuildNumber(path); build >= 0) version += L"." + std::to_wstring(build);
  }
  PlaceLabel(lblProductName, title, FTitleFont.Get(), 110, 9, 0, fw::TAlignment::taCenter);
  PlaceLabel(lblVersion, version, FPFont.Get(), 110, 32, 0, fw::TAlignment::taCenter);
  PlaceLabel(lblCredits, ResourceString(IDS_CREDITS), FPFont.Get(), 4, 58, 277, fw::TAlignment::taCenter);
  PlaceLabel(Comments, L"E-mail:", FormFont(), 16, 82, 100, fw::TAlignment::taRightJustify);
  lblEMail.SetFontColor(fw::ThemeColor(fw::TThemeRole::Link));
  lblEMail.SetCursor(::LoadCursorW(nullptr, IDC_HAND));
  lblEMail.OnClick = [this](fw::TObject* s) { lblEMailClick(s); };
  PlaceLabel(lblEMail, MailAddress(), FLinkFont.Get(), 116, 82, 0, fw::TAlignment::taLeftJustify);

  Panel1.SetBounds(13, 105, 264, 2);
  Panel1.SetBevelOuter(fw::TBevel::bvLowered);
  Panel1.Create(this);

  btnClose.SetBounds(202, 115, 72, 21);
  btnClose.SetDefault(true);
  // Escape closes it as any dialog, though it has nothing to cancel.
  btnClose.SetCancel(true);
  btnClose.SetModalResult(mrOk);
  btnClose.Create(this, UiText(IDS_ABOUT_CLOSE));
  SetActiveControl(&btnClose);
}

void TfrmAbout::lblEMailClick(fw::TObject*) {
  ::SetCursor(::LoadCursorW(nullptr, IDC_APPSTARTING));
  ShellExecuteQuietly(L"open", L"mailto:" + lblEMail.Text(), SW_SHOWNORMAL);
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}
