// Copy and paste of colour text through the real clipboard, on a hidden
// main window; and the clipboard held by someone else.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "app/ufrmTintra.h"
#include "framework/Clipboard.h"
#include "core/support/Exception.h"
#include "framework/Handles.h"

namespace {

// Puts bytes on the clipboard as CF_TEXT, as another program would.
void PutRawText(const std::string& bytes) {
  HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size() + 1);
  std::memcpy(fw::TGlobalLock<char>(mem).Get(), bytes.data(), bytes.size());
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::SetClipboardData(CF_TEXT, mem);
  ::CloseClipboard();
}

class ClipboardTest : public testing::Test {
 protected:
  void SetUp() override {
    Form.CreateForm();
    Form.ChannelPanel.UpdateFromRGB();
  }
  std::string Clip() { return fw::ClipboardGetText(Form.Handle()); }
  TColor Current() { return Form.ChannelPanel.Factors().Color; }

  TfrmTintra Form;
};

TEST_F(ClipboardTest, CopyPutsTheRowColourInTheChosenOrder) {
  Form.actCopy.Execute();  // the empty list's placeholder: black
  EXPECT_EQ(Clip(), "#000000");
  const struct {
    TColor row;
    std::uint8_t order;
    const char* text;
  } cases[] = {
      {18 | 52 << 8 | 86 << 16, 0, "#123456"},
      {18 | 52 << 8 | 86 << 16, 1, "#563412"},
      {0x0080FF, 0, "#FF8000"},
      {0, 0, "#000000"},
  };
  for (const auto& c : cases) {
    // The added row becomes the current one.
    Form.ChannelPanel.SetColor(c.row);
    Form.actInsert.Execute();
    Form.ColorList.SetHexOrder(c.order);
    Form.actCopy.Execute();
    EXPECT_EQ(Clip(), c.text);
  }
}

TEST_F(ClipboardTest, PasteSetsTheCurrentColour) {
  const struct {
    std::string bytes;
    std::uint8_t order;
    TColor color;  // the current colour afterwards; it starts white
  } cases[] = {
      {"#FF8000", 0, 0x0080FF}, {"#FF8000", 1, 0xFF8000},
      {"FF", 0, 0xFF0000},      {"#FF8000\r\n", 0, 0xFFFFFF},  // too long: nothing happens
      {"", 0, 0xFFFFFF},        {"#123456", 0, 0x563412},      // the block holds no terminating zero
  };
  for (const auto& c : cases) {
    Form.ChannelPanel.SetColor(0xFFFFFF);
    Form.ColorList.SetHexOrder(c.order);
    PutRawText(c.bytes);
    Form.actPaste.Execute();
    EXPECT_EQ(Current(), c.color) << c.bytes;
  }
  EXPECT_EQ(Form.ChannelPanel.edtRed.Text(), L"18");
  EXPECT_EQ(Form.ChannelPanel.edtGrn.Text(), L"52");
  EXPECT_EQ(Form.ChannelPanel.edtBlu.Text(), L"86");
}

TEST(ClipboardTextTest, ReadsNoFurtherThanTheBlock) {
  // Wine's clipboard adds a zero to text it hands out, so the bounded read
  // is checked on blocks of our own.
  const struct {
    std::string bytes;
    const char* text;
  } cases[] = {{std::string("#FF8000", 7), "#FF8000"},
               {std::string("#FF\0"
                            "8000",
                            7),
                "#FF"},
               {{}, ""}};
  for (const auto& c : cases) {
    fw::TUniqueGlobal mem(::GlobalAlloc(GMEM_MOVEABLE, c.bytes.size()));
    if (!c.bytes.empty()) std::memcpy(fw::TGlobalLock<char>(mem.Get()).Get(), c.bytes.data(), c.bytes.size());
    EXPECT_EQ(fw::GlobalText(mem.Get()), c.text);
  }
}

// Another thread holds the clipboard open for a while, then lets go.
void HoldClipboard(DWORD ms, HANDLE opened) {
  HWND wnd = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ::OpenClipboard(wnd);
  ::SetEvent(opened);
  ::Sleep(ms);
  ::CloseClipboard();
  ::DestroyWindow(wnd);
}

TEST_F(ClipboardTest, ABusyClipboardIsWaitedForBrieflyThenReported) {
  const struct {
    DWORD hold;
    bool succeeds;
  } cases[] = {{60, true}, {1000, false}};
  for (const auto& c : cases) {
    fw::TUniqueKernelHandle opened(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread holder(HoldClipboard, c.hold, opened.Get());
    ::WaitForSingleObject(opened.Get(), 5000);
    if (c.succeeds) {
      EXPECT_NO_THROW(fw::ClipboardSetText(Form.Handle(), "#ABCDEF"));
      EXPECT_EQ(Clip(), "#ABCDEF");
    } else {
      try {
        Form.actCopy.Execute();
        ADD_FAILURE() << "a busy clipboard went unreported";
      } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), fw::kClipboardBusyText);
      }
    }
    holder.join();
  }
}

}  // namespace
