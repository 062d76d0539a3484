#include "framework/ole/uOLE2Win.h"

#include <cstring>

#include "framework/Handles.h"

// CF_TEXT only.
TTextDataObject::TTextDataObject(std::string text) : TTextDataObject(std::move(text), {HGlobalFormat(CF_TEXT)}) {}

TTextDataObject::TTextDataObject(std::string text, const TFormatList& formats)
    : TDataObject(formats), FText(std::move(text)) {}

HRESULT TTextDataObject::RenderData(const FORMATETC&, STGMEDIUM& medium) {
  fw::TUniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, FText.size() + 1));
  if (!block) return STG_E_MEDIUMFULL;
  {
    fw::TGlobalLock<char> data(block.Get());
    if (!data) return STG_E_MEDIUMFULL;
    std::memcpy(data.Get(), FText.c_str(), FText.size() + 1);
  }
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = block.Release();
  medium.pUnkForRelease = nullptr;
  return S_OK;
}
