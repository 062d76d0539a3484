// The colour list's grid on the main window.
#include "app/ufrmTintra.h"

namespace {

// Identities 0..6: row number, swatch, hex, red, green, blue, comment.
constexpr int kListColumns = 7;
const int kColumnWidths[kListColumns] = {30, 32, 70, 32, 30, 30, 64};
const wchar_t* const kCaptions[kListColumns] = {L"行", L"色", L"16進(RGB)", L"赤", L"緑", L"青", L"コメント"};
const std::uint8_t kBodyAlign[kListColumns] = {18, 17, 20, 20, 20, 17, 17};
const bool kEditable[kListColumns] = {true, false, false, false, false, true, true};

}  // namespace

void TfrmTintra::CreateListGrid() {
  gridItem.SetColCount(kListColumns);
  gridItem.SetRowCount(2);
  gridItem.SetDefaultRowHeight(17);
  for (int c = 0; c < kListColumns; ++c) {
    gridItem.SetColWidths(c, kColumnWidths[c]);
    TCellKind& kind = gridItem.CellKinds(c);
    kind.HeaderAlign = caCenter | caVCenter;
    kind.BodyAlign = kBodyAlign[c];
    kind.Items.assign(2, TCellItem{});
    kind.Editable = kEditable[c];
    gridItem.SetCells(c, 0, kCaptions[c]);
    gridItem.SetObjects(c, 0, c);
  }
  gridItem.SetColWidths(0, 32);
  gridItem.SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goDrawFocusSelected | goColSizing |
                      goRowMoving | goColMoving | goEditing | goThumbTracking);
  LOGFONTW lf{};
  lf.lfHeight = 13;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lstrcpynW(lf.lfFaceName, L"ＭＳ ゴシック", LF_FACESIZE);
  FListFont.Reset(::CreateFontIndirectW(&lf));
  gridItem.SetFont(FListFont.Get());
  gridItem.SetAlign(fw::TAlign::alClient);
  gridItem.Create(&gridItemArea);
}
