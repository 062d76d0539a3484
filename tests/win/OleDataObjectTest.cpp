// The colour data object, its format enumerator and the drop source, called
// as a drop target calls them; and a whole drag whose objects all go away.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Com.h"
#include "framework/Handles.h"
#include "framework/ole/DropSource.h"
#include "app/ole/uOLE2Color.h"

namespace {

using fw::TComPtr;

constexpr TColor kColor = 18 | 52 << 8 | 86 << 16;  // red 18, green 52, blue 86

class OleDataObjectTest : public testing::Test {
 protected:
  void SetUp() override {
    RegisterVelColorFormat();
    Live = fw::ComObjectCount();
    Data = fw::MakeCom<TOle2DataObjColorVel>(kColor);
  }
  void TearDown() override {
    Data.Reset();
    EXPECT_EQ(fw::ComObjectCount(), Live) << "an object outlived its last release";
  }

  TComPtr<IEnumFORMATETC> Enum() {
    TComPtr<IEnumFORMATETC> e;
    EXPECT_EQ(Data->EnumFormatEtc(DATADIR_GET, e.Put()), S_OK);
    return e;
  }
  static std::vector<CLIPFORMAT> Formats(IEnumFORMATETC* e, ULONG count, HRESULT expected) {
    std::vector<FORMATETC> records(4);
    ULONG fetched = 99;
    EXPECT_EQ(e->Next(count, records.data(), &fetched), expected);
    std::vector<CLIPFORMAT> r;
    for (ULONG i = 0; i < fetched; ++i) r.push_back(records[i].cfFormat);
    return r;
  }

  long Live = 0;
  TComPtr<IDataObject> Data;
};

TEST_F(OleDataObjectTest, OffersVelColorThenText) {
  const CLIPFORMAT vel = CF_VelColor();
  ASSERT_NE(vel, 0);
  wchar_t name[32] = {};
  ::GetClipboardFormatNameW(vel, name, 32);
  EXPECT_STREQ(name, L"Vel_Color");

  EXPECT_EQ(Formats(Enum().Get(), 4, S_FALSE), (std::vector<CLIPFORMAT>{vel, CF_TEXT}));
  TComPtr<IDataObject> text = fw::MakeCom<TTextDataObject>("abc");
  TComPtr<IEnumFORMATETC> e;
  ASSERT_EQ(text->EnumFormatEtc(DATADIR_GET, e.Put()), S_OK);
  EXPECT_EQ(Formats(e.Get(), 1, S_OK), (std::vector<CLIPFORMAT>{CF_TEXT}));

  EXPECT_EQ(Data->EnumFormatEtc(DATADIR_SET, e.Put()), E_NOTIMPL);
  EXPECT_EQ(e.Get(), nullptr);
  EXPECT_EQ(Data->EnumFormatEtc(DATADIR_GET, nullptr), E_POINTER);
}

TEST_F(OleDataObjectTest, GetDataGivesAFreshUnlockedBlockPerCall) {
  std::vector<STGMEDIUM> received;
  for (CLIPFORMAT format : {CF_VelColor(), static_cast<CLIPFORMAT>(CF_TEXT), CF_VelColor()}) {
    FORMATETC f{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM m{};
    ASSERT_EQ(Data->GetData(&f, &m), S_OK);
    EXPECT_EQ(m.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
    EXPECT_EQ(m.pUnkForRelease, nullptr);  // the receiver frees the block
    for (const STGMEDIUM& r : received) EXPECT_NE(m.hGlobal, r.hGlobal);
    EXPECT_EQ(::GlobalFlags(m.hGlobal) & GMEM_LOCKCOUNT, 0u);
    ASSERT_EQ(::GlobalSize(m.hGlobal), 8u);
    {
      fw::TGlobalLock<const char> bytes(m.hGlobal);
      EXPECT_EQ(std::string(bytes.Get(), 8), std::string("#123456\0", 8));
    }
    received.push_back(m);
  }
  for (STGMEDIUM& m : received) ::ReleaseStgMedium(&m);
}

TEST_F(OleDataObjectTest, PayloadIsRedGreenBlueWithLeadingZeros) {
  const struct {
    TColor color;
    const char* text;
  } cases[] = {{0x0080FF, "#FF8000"}, {0, "#000000"}, {0xFFFFFF, "#FFFFFF"}, {0x010203, "#030201"}};
  for (const auto& c : cases) {
    TComPtr<IDataObject> d = fw::MakeCom<TOle2DataObjColorVel>(c.color);
    FORMATETC f{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM m{};
    ASSERT_EQ(d->GetData(&f, &m), S_OK);
    EXPECT_STREQ(fw::TGlobalLock<const char>(m.hGlobal).Get(), c.text);
    ::ReleaseStgMedium(&m);
  }
}

TEST_F(OleDataObjectTest, QueryGetDataMatchesFormatAspectAndAnyMediumBit) {
  const CLIPFORMAT vel = CF_VelColor();
  DVTARGETDEVICE device{};
  const struct {
    FORMATETC format;
    HRESULT result;
  } cases[] = {
      {{vel, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, S_OK},
      {{vel, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM | TYMED_HGLOBAL}, S_OK},
      {{vel, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM}, DV_E_FORMATETC},
      {{vel, &device, DVASPECT_CONTENT, 7, TYMED_HGLOBAL}, S_OK},  // device and index not compared
      {{vel, nullptr, DVASPECT_THUMBNAIL, -1, TYMED_HGLOBAL}, DV_E_FORMATETC},
      {{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, S_OK},
      {{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, DV_E_FORMATETC},
      {{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, DV_E_FORMATETC},
  };
  for (const auto& c : cases) {
    FORMATETC f = c.format;
    EXPECT_EQ(Data->QueryGetData(&f), c.result) << f.cfFormat << " " << f.tymed;
    STGMEDIUM m{};
    m.tymed = TYMED_FILE;  // GetData clears whatever the caller left
    const HRESULT got = Data->GetData(&f, &m);
    EXPECT_EQ(got, c.result);
    if (got == S_OK)
      ::ReleaseStgMedium(&m);
    else
      EXPECT_EQ(m.tymed, static_cast<DWORD>(TYMED_NULL));
  }
}

TEST_F(OleDataObjectTest, CanonicalFormatHasNoDeviceAndAdviseClearsItsOut) {
  FORMATETC in{CF_TEXT, reinterpret_cast<DVTARGETDEVICE*>(8), DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, out{};
  EXPECT_EQ(Data->GetCanonicalFormatEtc(&in, &out), DATA_S_SAMEFORMATETC);
  EXPECT_EQ(out.cfFormat, CF_TEXT);
  EXPECT_EQ(out.ptd, nullptr);
  IEnumSTATDATA* advise = reinterpret_cast<IEnumSTATDATA*>(8);
  EXPECT_EQ(Data->EnumDAdvise(&advise), OLE_E_ADVISENOTSUPPORTED);
  EXPECT_EQ(advise, nullptr);
}

TEST_F(OleDataObjectTest, EnumeratorSkipAndNextStayInsideTheList) {
  TComPtr<IEnumFORMATETC> e = Enum();
  EXPECT_EQ(e->Skip(1), S_OK);
  EXPECT_EQ(Formats(e.Get(), 1, S_OK), std::vector<CLIPFORMAT>{CF_TEXT});
  EXPECT_EQ(Formats(e.Get(), 1, S_FALSE), std::vector<CLIPFORMAT>{});
  EXPECT_EQ(e->Reset(), S_OK);
  EXPECT_EQ(e->Skip(3), S_FALSE);  // past the end: stays at the end
  EXPECT_EQ(Formats(e.Get(), 2, S_FALSE), std::vector<CLIPFORMAT>{});
  // Counts that a signed position would turn into a step backwards.
  for (ULONG huge : {0xFFFFFFFFu, 0x80000000u, 0xFFFFFFFEu}) {
    e->Reset();
    EXPECT_EQ(e->Skip(1), S_OK);
    EXPECT_EQ(e->Skip(huge), S_FALSE);
    EXPECT_EQ(Formats(e.Get(), 4, S_FALSE), std::vector<CLIPFORMAT>{});
    e->Reset();
    // Only what is left is written, whatever count the caller claims.
    EXPECT_EQ(Formats(e.Get(), huge, S_FALSE), (std::vector<CLIPFORMAT>{CF_VelColor(), CF_TEXT}));
  }
  e->Reset();
  FORMATETC one{};
  EXPECT_EQ(e->Next(1, &one, nullptr), S_OK);  // fetched may be left out
  EXPECT_EQ(e->Next(1, nullptr, nullptr), E_POINTER);
  EXPECT_EQ(e->Next(0, nullptr, nullptr), S_OK);
}

TEST_F(OleDataObjectTest, CloneKeepsThePositionAndOutlivesTheDataObject) {
  TComPtr<IEnumFORMATETC> e = Enum();
  e->Skip(1);
  TComPtr<IEnumFORMATETC> clone;
  ASSERT_EQ(e->Clone(clone.Put()), S_OK);
  EXPECT_EQ(e->Clone(nullptr), E_POINTER);
  Data.Reset();  // the caller lets go of the data object first
  EXPECT_EQ(Formats(clone.Get(), 2, S_FALSE), std::vector<CLIPFORMAT>{CF_TEXT});
  EXPECT_EQ(Formats(e.Get(), 1, S_OK), std::vector<CLIPFORMAT>{CF_TEXT});  // positions are separate
  clone->Reset();
  EXPECT_EQ(Formats(clone.Get(), 2, S_OK), (std::vector<CLIPFORMAT>{CF_VelColor(), CF_TEXT}));
}

TEST_F(OleDataObjectTest, ReferenceCountsAndIdentity) {
  const long before = fw::ComObjectCount();
  IDataObject* raw = fw::MakeCom<TOle2DataObjColorVel>(0).Detach();
  EXPECT_EQ(fw::ComObjectCount(), before + 1);
  EXPECT_EQ(raw->AddRef(), 2u);
  TComPtr<IUnknown> a, b;
  ASSERT_EQ(raw->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(a.Put())), S_OK);
  ASSERT_EQ(raw->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(b.Put())), S_OK);
  EXPECT_EQ(a.Get(), static_cast<IUnknown*>(raw));
  void* none = reinterpret_cast<void*>(8);
  EXPECT_EQ(raw->QueryInterface(IID_IDropTarget, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(raw->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
  a.Reset();
  b.Reset();
  EXPECT_EQ(raw->Release(), 1u);
  EXPECT_EQ(raw->Release(), 0u);
  EXPECT_EQ(fw::ComObjectCount(), before);
}

// A data object whose rendering fails the way an allocation or a bug would.
class TThrowingDataObject : public TTextDataObject {
 public:
  explicit TThrowingDataObject(int kind) : TTextDataObject("x"), FKind(kind) {}

 protected:
  HRESULT RenderData(const FORMATETC&, STGMEDIUM&) override {
    if (FKind == 0) throw std::bad_alloc();
    throw std::runtime_error("render");
  }

 private:
  int FKind;
};

TEST_F(OleDataObjectTest, NoExceptionLeavesGetData) {
  for (auto [kind, result] : {std::pair{0, E_OUTOFMEMORY}, std::pair{1, E_UNEXPECTED}}) {
    TComPtr<IDataObject> d = fw::MakeCom<TThrowingDataObject>(kind);
    FORMATETC f{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM m{};
    EXPECT_EQ(d->GetData(&f, &m), result);
    EXPECT_EQ(m.hGlobal, nullptr);
  }
}

TEST(DropSourceTest, ButtonsBeforeEscape) {
  const struct {
    BOOL escape;
    DWORD keys;
    HRESULT result;
  } cases[] = {
      {FALSE, MK_LBUTTON, S_OK},   {FALSE, MK_RBUTTON | MK_SHIFT, S_OK}, {TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL},
      {FALSE, 0, DRAGDROP_S_DROP}, {TRUE, MK_CONTROL, DRAGDROP_S_DROP},  // released together with Escape: drops
  };
  TComPtr<IDropSource> source = fw::MakeCom<TDropSource>();
  for (const auto& c : cases) EXPECT_EQ(source->QueryContinueDrag(c.escape, c.keys), c.result);
  for (DWORD effect : {DROPEFFECT_NONE, DROPEFFECT_COPY, DROPEFFECT_MOVE})
    EXPECT_EQ(source->GiveFeedback(effect), DRAGDROP_S_USEDEFAULTCURSORS);
}

}  // namespace
