#include "app/ufrmHarmonies.h"

#include "app/resources/StringIds.h"
#include "app/uUiText.h"
#include "core/color/uHexColor.h"
#include "core/colorout/uColorChannels.h"
#include "framework/Handles.h"
#include "framework/Theme.h"

namespace {

constexpr UINT kAddCaptions[] = {IDS_HARMONY_ADD_SCALE,    IDS_HARMONY_ADD_COMPLEMENTARY, IDS_HARMONY_ADD_ANALOGOUS,
                                 IDS_HARMONY_ADD_TRIADIC,  IDS_HARMONY_ADD_SPLIT,         IDS_HARMONY_ADD_TETRADIC};
static_assert(std::size(kAddCaptions) == TfrmHarmonies::kSets.size());

std::wstring HexOf(TColor color) { return ColorToHexText(RedOf(color), GreenOf(color), BlueOf(color), 0); }

// The layout at 96 DPI: the scale's eleven swatches fill the widest row.
constexpr int kMargin = 8, kGap = 4, kRowTop = 28, kRowHeight = THarmonySwatch::kHeight + 8;
constexpr int kButtonLeft = kMargin + 11 * (THarmonySwatch::kWidth + kGap) - kGap + 12, kButtonWidth = 156;
constexpr int kClientWidth = kButtonLeft + kButtonWidth + kMargin;
constexpr int kCloseTop = kRowTop + static_cast<int>(TfrmHarmonies::kSets.size()) * kRowHeight;
constexpr int kClientHeight = kCloseTop + 23 + kMargin;

}  // namespace

// ---- Swatch

void THarmonySwatch::Create(fw::TWindow* parent, const THarmonyColor& color) {
  FColor = color;
  FColor.color &= 0xFFFFFFu;
  fw::TPaintBox::Create(parent);
  const std::wstring hex = HexOf(FColor.color);
  SetText(FColor.comment.empty() ? hex : hex + L" " + FColor.comment);
}

void THarmonySwatch::CreateParams(TCreateParams& params) { params.Style |= WS_TABSTOP; }

LRESULT THarmonySwatch::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETDLGCODE) {
    // Enter chooses the swatch instead of pressing a button of the dialog; Tab and Esc stay the dialog's.
    const auto* key = reinterpret_cast<const MSG*>(lParam);
    const bool enter = key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN;
    return DLGC_WANTCHARS | (enter ? DLGC_WANTMESSAGE : 0);
  }
  return fw::TPaintBox::WndProc(msg, wParam, lParam);
}

bool THarmonySwatch::Paint(HDC dc, const RECT&) {
  const int w = ClientWidth(), h = ClientHeight();
  const RECT all{0, 0, w, h};
  ::FillRect(dc, &all, fw::ThemeBrush(fw::TThemeRole::Face));
  const int textHeight = Scaled(16);
  // The true colour also in high contrast: the frame keeps it apart from any background.
  const RECT box{Scaled(3), Scaled(3), w - Scaled(3), h - textHeight};
  if (box.right > box.left && box.bottom > box.top) {
    fw::TUniqueBrush fill(::CreateSolidBrush(static_cast<COLORREF>(FColor.color)));
    ::FillRect(dc, &box, fill.Get());
    ::FrameRect(dc, &box, fw::ThemeBrush(fw::TThemeRole::WindowText));
  }
  RECT text{0, h - textHeight, w, h};
  const std::wstring hex = HexOf(FColor.color);
  {
    fw::TSelectObject font(dc, Font() ? Font() : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, fw::ThemeColor(fw::TThemeRole::FaceText));
    ::DrawTextW(dc, hex.c_str(), static_cast<int>(hex.size()), &text,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (Focused()) {
    ::SetTextColor(dc, fw::ThemeColor(fw::TThemeRole::FaceText));
    ::SetBkColor(dc, fw::ThemeColor(fw::TThemeRole::Face));
    ::DrawFocusRect(dc, &all);
  }
  return true;
}

bool THarmonySwatch::WMMouseDown(fw::TMouseButton button, fw::TShiftState, int, int) {
  if (button != fw::TMouseButton::mbLeft) return false;
  SetFocus();
  Choose();
  return true;
}

bool THarmonySwatch::WMKeyDown(WORD& key, fw::TShiftState) {
  if (key != VK_SPACE && key != VK_RETURN) return false;
  Choose();
  return true;
}

void THarmonySwatch::Choose() {
  if (OnChoose) OnChoose(this);
}

// ---- Dialog

TfrmHarmonies::TfrmHarmonies(fw::TWindow* owner, TColor color) : FColor(color & 0xFFFFFFu) {
  OnCreate = [this](fw::TObject* s) { FormCreate(s); };
  const LOGFONTW font = UiFont(IDS_FONT_UI, 13);
  SetFontFace(font.lfFaceName, 13, font.lfCharSet);
  Create(owner, kClientWidth, kClientHeight);
  CenterOnOwner();
}

TfrmHarmonies::~TfrmHarmonies() { DestroyHandle(); }

void TfrmHarmonies::FormCreate(fw::TObject*) {
  SetText(UiText(IDS_HARMONIES_CAPTION));
  lblSource.SetBounds(kMargin, 8, kClientWidth - 2 * kMargin, 14);
  lblSource.Create(this, UiText(IDS_HARMONIES_SOURCE, HexOf(FColor)));
  // Created row by row, swatches before their button: the tab order reads each set, then offers to add it.
  for (std::size_t r = 0; r < kSets.size(); ++r) {
    TRow& row = Rows[r];
    const int top = kRowTop + static_cast<int>(r) * kRowHeight;
    int left = kMargin;
    for (const THarmonyColor& c : HarmonyColors(FColor, kSets[r])) {
      auto swatch = std::make_unique<THarmonySwatch>();
      swatch->SetBounds(left, top, THarmonySwatch::kWidth, THarmonySwatch::kHeight);
      swatch->OnChoose = [this, s = swatch.get()](fw::TObject*) {
        if (OnChoose) OnChoose(s->Color());
      };
      swatch->Create(this, c);
      left += THarmonySwatch::kWidth + kGap;
      row.Swatches.push_back(std::move(swatch));
    }
    row.btnAdd.SetBounds(kButtonLeft, top + (THarmonySwatch::kHeight - 23) / 2, kButtonWidth, 23);
    row.btnAdd.OnClick = [this, r](fw::TObject*) { AddSet(r); };
    row.btnAdd.Create(this, UiText(kAddCaptions[r]));
  }
  btnClose.SetBounds(kClientWidth - kMargin - 84, kCloseTop, 84, 23);
  btnClose.SetCancel(true);
  btnClose.SetModalResult(mrCancel);
  btnClose.Create(this, UiText(IDS_ABOUT_CLOSE));
  if (!Rows[0].Swatches.empty()) SetActiveControl(Rows[0].Swatches.front().get());
}

void TfrmHarmonies::AddSet(std::size_t row) {
  std::vector<TPaletteEntry> entries;
  for (const auto& swatch : Rows[row].Swatches) entries.push_back({swatch->Color(), swatch->Comment()});
  if (OnAdd) OnAdd(entries);
}
