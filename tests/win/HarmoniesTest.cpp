// The harmonies dialog on a real main window: its rows of swatches and add
// buttons for a colour, what a swatch draws, a click or a key making a
// swatch's colour current, and the menu command whose add button appends a
// set to the list as one undoable step.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/resources/StringIds.h"
#include "app/ufrmHarmonies.h"
#include "app/ufrmTintra.h"
#include "app/uUiText.h"
#include "core/color/uHexColor.h"
#include "core/colorout/uColorChannels.h"
#include "framework/Theme.h"
#include "tests/win/DibCanvas.h"

namespace {

const TColor k3366CC = MakeColor(0x33, 0x66, 0xCC);

std::wstring HexOf(TColor c) { return ColorToHexText(RedOf(c), GreenOf(c), BlueOf(c), 0); }

TEST(HarmoniesDialogTest, ShowsEverySetWithItsAddButtonAndASwatchChoosesItsColour) {
  TfrmTintra form;
  form.CreateForm();
  TfrmHarmonies dialog(&form, k3366CC);
  std::vector<TColor> chosen;
  dialog.OnChoose = [&](TColor c) { chosen.push_back(c); };

  const struct {
    std::size_t Count;
    const wchar_t *Button, *FirstComment;
  } rows[] = {{11, L"階調を追加", L"tone 0.97"},         {1, L"補色を追加", L"complementary +180"},
              {2, L"類似色を追加", L"analogous -30"},    {2, L"三角配色を追加", L"triadic +120"},
              {2, L"分裂補色を追加", L"split complementary +150"}, {3, L"四角配色を追加", L"tetradic +90"}};
  for (std::size_t r = 0; r < std::size(rows); ++r) {
    const auto& row = dialog.Rows[r];
    ASSERT_EQ(row.Swatches.size(), rows[r].Count) << r;
    EXPECT_EQ(row.btnAdd.Text(), rows[r].Button);
    EXPECT_EQ(row.Swatches[0]->Comment(), rows[r].FirstComment);
    // What a screen reader reads: the hex text and the comment.
    for (const auto& s : row.Swatches) EXPECT_EQ(s->Text(), HexOf(s->Color()) + L" " + s->Comment());
  }
  EXPECT_EQ(dialog.btnClose.Text(), L"閉じる");
  EXPECT_TRUE(dialog.btnClose.Cancel());

  // Over the middle of the main window.
  RECT owner{}, box{};
  ::GetWindowRect(form.Handle(), &owner), ::GetWindowRect(dialog.Handle(), &box);
  EXPECT_NEAR((box.left + box.right) / 2, (owner.left + owner.right) / 2, 1);

  // The true colour inside a frame of the theme's window-text colour, in high contrast too.
  for (const bool high : {false, true}) {
    const fw::TThemePalette palette = high ? fw::HighContrastPalette() : fw::UsualPalette();
    fw::SetThemePalette(&palette);
    THarmonySwatch& swatch = *dialog.Rows[3].Swatches[1];
    TDibCanvas canvas(swatch.ClientWidth(), swatch.ClientHeight());
    ::SendMessageW(swatch.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()), PRF_CLIENT);
    EXPECT_EQ(canvas.At(canvas.Width() / 2, canvas.Height() / 3), swatch.Color()) << high;
    EXPECT_EQ(canvas.At(3, 10), fw::ThemeColor(fw::TThemeRole::WindowText)) << high;
    EXPECT_EQ(canvas.At(0, 10), fw::ThemeColor(fw::TThemeRole::Face)) << high;
    fw::SetThemePalette(nullptr);
  }

  // A click, Space and Enter each choose the swatch they reach.
  const THarmonySwatch& tone = *dialog.Rows[0].Swatches[5];
  const THarmonySwatch& triad = *dialog.Rows[3].Swatches[0];
  const THarmonySwatch& tetrad = *dialog.Rows[5].Swatches[2];
  ::SendMessageW(tone.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageW(triad.Handle(), WM_KEYDOWN, VK_SPACE, 1);
  ::SendMessageW(tetrad.Handle(), WM_KEYDOWN, VK_RETURN, 1);
  ::SendMessageW(tetrad.Handle(), WM_KEYDOWN, 'A', 1);
  EXPECT_EQ(chosen, (std::vector<TColor>{tone.Color(), triad.Color(), tetrad.Color()}));
}

// Pressed from inside the modal loop, as the user would.
struct TPresses {
  static inline std::size_t Row = 0;
  static void CALLBACK Timer(HWND, UINT, UINT_PTR id, DWORD) {
    auto* dialog = dynamic_cast<TfrmHarmonies*>(fw::TWindow::FromHandle(::GetActiveWindow()));
    if (!dialog) return;
    ::KillTimer(nullptr, id);
    ::SendMessageW(dialog->Rows[Row].btnAdd.Handle(), BM_CLICK, 0, 0);
    ::SendMessageW(dialog->btnClose.Handle(), BM_CLICK, 0, 0);
  }
};

TEST(HarmoniesDialogTest, TheCommandsAddButtonAppendsTheSetAsOneUndoableStep) {
  TfrmTintra form;
  form.CreateForm();
  form.ChannelPanel.SetColor(0x00FF00);
  form.actInsert.Execute();
  form.ChannelPanel.SetColor(k3366CC);
  EXPECT_EQ(form.actHarmonies.ShortCut().Text(), L"Ctrl+H");

  TPresses::Row = 5;  // tetradic
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, &TPresses::Timer);
  form.actHarmonies.Execute();
  ::KillTimer(nullptr, timer);

  const std::vector<THarmonyColor> tetrad = HarmonyColors(k3366CC, THarmonySet::Tetradic);
  ASSERT_EQ(form.ColorList.ItemCount(), 4);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(form.ColorList.RowColor(i + 2), tetrad[static_cast<std::size_t>(i)].color);
    EXPECT_EQ(form.ColorList.RowComment(i + 2), tetrad[static_cast<std::size_t>(i)].comment);
  }
  EXPECT_EQ(form.actUndo.Caption(), UiText(IDS_ACT_UNDO_NAMED, UiText(IDS_STEP_HARMONY)));
  form.actUndo.Execute();
  EXPECT_EQ(form.ColorList.ItemCount(), 1);
  EXPECT_EQ(form.ColorList.RowColor(1), 0x00FF00u);
}

}  // namespace
