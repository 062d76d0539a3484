#include "app/ole/uOLE2Color.h"

#include <string>

#include "framework/ole/DropSource.h"
#include "core/support/uHexToInt.h"
#include "core/support/uUserError.h"

namespace {

CLIPFORMAT gVelColor = 0;

std::string ColorText(TColor color) {
  const auto value = static_cast<std::uint32_t>(ColorToRGBValue(color)) & 0xFFFFFFu;
  std::string text = "#";
  for (int shift = 20; shift >= 0; shift -= 4) text += "0123456789ABCDEF"[(value >> shift) & 15u];
  return text;
}

}  // namespace

void RegisterVelColorFormat() {
  const UINT format = ::RegisterClipboardFormatW(L"Vel_Color");
  if (format == 0) throw EUserError(L"uOLE2Color : RegisterClipboardFormat Failed.");
  gVelColor = static_cast<CLIPFORMAT>(format);
}

CLIPFORMAT CF_VelColor() noexcept { return gVelColor; }

TOle2DataObjColorVel::TOle2DataObjColorVel(TColor color)
    : TTextDataObject(ColorText(color), {HGlobalFormat(gVelColor), HGlobalFormat(CF_TEXT)}) {}

void StartColorDrag(TColor color) {
  fw::TComPtr<IDropSource> source = fw::MakeCom<TDropSource>();
  fw::TComPtr<IDataObject> data = fw::MakeCom<TOle2DataObjColorVel>(color);
  DWORD effect = DROPEFFECT_NONE;
  ::DoDragDrop(data.Get(), source.Get(), DROPEFFECT_COPY, &effect);
}
