// The file drop target, called as OLE calls it and through a real in-process
// DoDragDrop; and a colour drag onto a recording drop target.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/document/uOleDrop.h"
#include "framework/Application.h"
#include "framework/Com.h"
#include "framework/Handles.h"
#include "framework/ole/DropSource.h"
#include "app/ole/uOLE2Color.h"

namespace {

using fw::TComPtr;

// A file list as the shell offers it: DROPFILES and wide names.
class TFileListObject : public TDataObject {
 public:
  explicit TFileListObject(std::vector<std::wstring> names, IUnknown* releaser = nullptr)
      : TDataObject({HGlobalFormat(CF_HDROP)}), FNames(std::move(names)), FReleaser(releaser) {}

 protected:
  HRESULT RenderData(const FORMATETC&, STGMEDIUM& medium) override {
    std::wstring list;
    for (const auto& n : FNames) list += n + L'\0';
    list += L'\0';
    const SIZE_T size = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* files = static_cast<DROPFILES*>(::GlobalLock(mem));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::memcpy(files + 1, list.data(), list.size() * sizeof(wchar_t));
    ::GlobalUnlock(mem);
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = mem;
    // With a releaser the block stays ours; the receiver releases the releaser instead.
    if (FReleaser) {
      FReleaser->AddRef();
      medium.pUnkForRelease = FReleaser;
    }
    return S_OK;
  }

 private:
  std::vector<std::wstring> FNames;
  IUnknown* FReleaser;
};

// A visible top-level window under a known screen point.
class TTargetWindow {
 public:
  TTargetWindow() {
    FWnd = ::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"drop here", WS_POPUP | WS_VISIBLE | SS_NOTIFY, 100, 100, 200,
                             200, nullptr, nullptr, nullptr, nullptr);
    fw::Application().ProcessMessages();
  }
  ~TTargetWindow() { ::DestroyWindow(FWnd); }
  HWND Handle() const { return FWnd; }
  static POINT Inside() { return POINT{200, 200}; }

 private:
  HWND FWnd;
};

const std::wstring kLongName = L"C:\\" + std::wstring(300, L'd') + L"\\list.txt";

class OleDropTest : public testing::Test {
 protected:
  void SetUp() override {
    Live = fw::ComObjectCount();
    Target = std::make_unique<TOleDropTarget>();
    Target->OnFileDropped = [this](fw::TObject* sender, const std::wstring& name) {
      EXPECT_EQ(sender, Target.get());
      Delivered.push_back(name);
    };
  }
  void TearDown() override {
    Target.reset();
    EXPECT_EQ(fw::ComObjectCount(), Live);
  }
  // One whole drag as OLE drives it; the effect Drop answered.
  DWORD DragAndDrop(IDataObject* data, DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK) {
    IDropTarget* t = Target->Target();
    DWORD effect = allowed;
    EXPECT_EQ(t->DragEnter(data, MK_LBUTTON, POINTL{1, 1}, &effect), S_OK);
    EnterEffect = effect;
    effect = allowed;
    EXPECT_EQ(t->DragOver(MK_LBUTTON, POINTL{2, 2}, &effect), S_OK);
    EXPECT_EQ(effect, EnterEffect);
    effect = allowed;
    EXPECT_EQ(t->Drop(data, 0, POINTL{2, 2}, &effect), S_OK);
    return effect;
  }

  long Live = 0;
  std::unique_ptr<TOleDropTarget> Target;
  std::vector<std::wstring> Delivered;
  DWORD EnterEffect = 0;
};

TEST_F(OleDropTest, TakesTheFirstFileOfAnyLengthAfterTheDropReturns) {
  TComPtr<IDataObject> files = fw::MakeCom<TFileListObject>(std::vector<std::wstring>{kLongName, L"C:\\b.txt"});
  EXPECT_EQ(DragAndDrop(files.Get()), static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(EnterEffect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_TRUE(Delivered.empty()) << "opened inside the drop call";
  fw::Application().ProcessMessages();
  EXPECT_EQ(Delivered, std::vector<std::wstring>{kLongName});
}

TEST_F(OleDropTest, RefusesWhatIsNoFileListAndWhileDisabled) {
  const struct {
    bool fileList, enabled;
    DWORD allowed;
  } cases[] = {
      {false, true, DROPEFFECT_COPY},                   // a colour or text drag
      {true, false, DROPEFFECT_COPY},                   // a save or question is open
      {true, true, DROPEFFECT_MOVE | DROPEFFECT_LINK},  // the source forbids a copy
  };
  for (const auto& c : cases) {
    Target->CanDrop = [enabled = c.enabled] { return enabled; };
    TComPtr<IDataObject> data =
        c.fileList ? TComPtr<IDataObject>(fw::MakeCom<TFileListObject>(std::vector<std::wstring>{L"C:\\a.txt"}))
                   : TComPtr<IDataObject>(fw::MakeCom<TOle2DataObjColorVel>(0));
    EXPECT_EQ(DragAndDrop(data.Get(), c.allowed), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(EnterEffect, static_cast<DWORD>(DROPEFFECT_NONE));
  }
  fw::Application().ProcessMessages();
  EXPECT_TRUE(Delivered.empty());
}

// Counts the releases of a medium handed out with it.
class TReleaseCounter : public fw::TInterfacedObject<IUnknown> {
 public:
  static inline int Releases = 0;
  STDMETHODIMP_(ULONG) Release() noexcept override {
    ++Releases;
    return fw::TInterfacedObject<IUnknown>::Release();
  }
};

std::vector<std::wstring> gReported;
void RecordReport(const std::wstring& text) { gReported.push_back(text); }

TEST_F(OleDropTest, TheMediumIsReleasedOnceWhetherOrNotItHeldAFile) {
  TComPtr<IUnknown> counter = fw::MakeCom<TReleaseCounter>();
  for (const auto& names : {std::vector<std::wstring>{L"C:\\a.txt"}, std::vector<std::wstring>{}}) {
    TReleaseCounter::Releases = 0;
    TComPtr<IDataObject> files = fw::MakeCom<TFileListObject>(names, counter.Get());
    DragAndDrop(files.Get());
    EXPECT_EQ(TReleaseCounter::Releases, 1) << names.size();
  }
  fw::Application().ProcessMessages();
  EXPECT_EQ(Delivered, std::vector<std::wstring>{L"C:\\a.txt"});
}

TEST_F(OleDropTest, AnErrorInsideADragIsAnsweredAsAnErrorAndOneInTheDeliveryIsReported) {
  TComPtr<IDataObject> files = fw::MakeCom<TFileListObject>(std::vector<std::wstring>{L"C:\\a.txt"});
  IDropTarget* t = Target->Target();
  // Every call asks the owner; an owner that fails must not end the program.
  Target->CanDrop = []() -> bool { throw std::runtime_error("asked"); };
  DWORD effect = DROPEFFECT_COPY;
  EXPECT_TRUE(FAILED(t->DragEnter(files.Get(), MK_LBUTTON, POINTL{1, 1}, &effect)));
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  effect = DROPEFFECT_COPY;
  t->DragOver(MK_LBUTTON, POINTL{2, 2}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(t->DragLeave(), S_OK);

  Target->CanDrop = nullptr;
  Target->OnFileDropped = [](fw::TObject*, const std::wstring&) { throw std::runtime_error("opening failed"); };
  gReported.clear();
  fw::Application().OnExceptionHook = RecordReport;
  EXPECT_EQ(DragAndDrop(files.Get()), static_cast<DWORD>(DROPEFFECT_COPY));
  fw::Application().ProcessMessages();
  fw::Application().OnExceptionHook = nullptr;
  EXPECT_EQ(gReported, std::vector<std::wstring>{L"opening failed"});
}

TEST_F(OleDropTest, ADropWaitingForDeliveryIsDroppedWhenDisabledMeanwhile) {
  TComPtr<IDataObject> files = fw::MakeCom<TFileListObject>(std::vector<std::wstring>{L"C:\\a.txt"});
  EXPECT_EQ(DragAndDrop(files.Get()), static_cast<DWORD>(DROPEFFECT_COPY));
  Target->CanDrop = [] { return false; };  // a question opened before the posted delivery
  fw::Application().ProcessMessages();
  EXPECT_TRUE(Delivered.empty());
}

TEST_F(OleDropTest, ARealDragOntoTheRegisteredWindow) {
  TTargetWindow window;
  Target->Register(window.Handle());
  EXPECT_EQ(Target->Window(), window.Handle());
  const POINT p = TTargetWindow::Inside();
  ::SetCursorPos(p.x, p.y);
  ASSERT_EQ(::WindowFromPoint(p), window.Handle());
  {
    TComPtr<IDataObject> files = fw::MakeCom<TFileListObject>(std::vector<std::wstring>{kLongName});
    TComPtr<IDropSource> source = fw::MakeCom<TDropSource>();
    DWORD effect = 0;
    // No button is down, so the drag drops at once where the pointer is.
    EXPECT_EQ(::DoDragDrop(files.Get(), source.Get(), DROPEFFECT_COPY, &effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  }
  fw::Application().ProcessMessages();
  EXPECT_EQ(Delivered, std::vector<std::wstring>{kLongName});
  Target->Revoke();
  EXPECT_EQ(Target->Window(), nullptr);
}

// A drop target of another program, reduced to what it receives.
class TRecordingTarget : public fw::TInterfacedObject<IDropTarget> {
 public:
  std::vector<CLIPFORMAT> Offered;
  std::vector<std::string> Texts;

  STDMETHODIMP DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) noexcept override {
    TComPtr<IEnumFORMATETC> e;
    if (SUCCEEDED(data->EnumFormatEtc(DATADIR_GET, e.Put()))) {
      FORMATETC f;
      while (e->Next(1, &f, nullptr) == S_OK) Offered.push_back(f.cfFormat);
    }
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) noexcept override {
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  STDMETHODIMP DragLeave() noexcept override { return S_OK; }
  STDMETHODIMP Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) noexcept override {
    for (CLIPFORMAT format : Offered) {
      FORMATETC f{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
      STGMEDIUM m{};
      if (data->GetData(&f, &m) != S_OK) continue;
      Texts.emplace_back(fw::TGlobalLock<const char>(m.hGlobal).Get());
      ::ReleaseStgMedium(&m);
    }
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }

 protected:
  ~TRecordingTarget() override = default;
};

TEST(ColorDragTest, StartColorDragOffersBothFormatsAndLeavesNoObjectBehind) {
  RegisterVelColorFormat();
  const long live = fw::ComObjectCount();
  TTargetWindow window;
  TComPtr<TRecordingTarget> target = fw::MakeCom<TRecordingTarget>();
  ASSERT_EQ(::RegisterDragDrop(window.Handle(), target.Get()), S_OK);
  const POINT p = TTargetWindow::Inside();
  ::SetCursorPos(p.x, p.y);
  ASSERT_EQ(::WindowFromPoint(p), window.Handle());
  StartColorDrag(18 | 52 << 8 | 86 << 16);
  ::RevokeDragDrop(window.Handle());
  EXPECT_EQ(target->Offered, (std::vector<CLIPFORMAT>{CF_VelColor(), CF_TEXT}));
  EXPECT_EQ(target->Texts, (std::vector<std::string>{"#123456", "#123456"}));
  target.Reset();
  EXPECT_EQ(fw::ComObjectCount(), live);
}

}  // namespace
