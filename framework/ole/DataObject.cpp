#include "framework/ole/DataObject.h"

#include <algorithm>

FORMATETC HGlobalFormat(CLIPFORMAT format) noexcept {
  return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// ---- TEnumFormatEtc

TEnumFormatEtc::TEnumFormatEtc(std::shared_ptr<const TFormatList> formats, std::size_t position)
    : FFormats(std::move(formats)), FPosition(std::min(position, FFormats->size())) {}

STDMETHODIMP TEnumFormatEtc::Next(ULONG count, FORMATETC* records, ULONG* fetched) noexcept {
  if (fetched) *fetched = 0;
  if (count == 0) return S_OK;
  if (!records) return E_POINTER;
  // Unsigned and clamped: a huge count must not wrap the position.
  const std::size_t n = std::min<std::size_t>(count, Remaining());
  for (std::size_t i = 0; i < n; ++i) {
    records[i] = (*FFormats)[FPosition + i];
    records[i].ptd = nullptr;  // the offered records carry no target device
  }
  FPosition += n;
  if (fetched) *fetched = static_cast<ULONG>(n);
  return n == count ? S_OK : S_FALSE;
}

STDMETHODIMP TEnumFormatEtc::Skip(ULONG count) noexcept {
  if (count > Remaining()) {
    FPosition = FFormats->size();
    return S_FALSE;
  }
  FPosition += count;
  return S_OK;
}

STDMETHODIMP TEnumFormatEtc::Reset() noexcept {
  FPosition = 0;
  return S_OK;
}

STDMETHODIMP TEnumFormatEtc::Clone(IEnumFORMATETC** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  return fw::ComGuard([&] {
    *out = fw::MakeCom<TEnumFormatEtc>(FFormats, FPosition).Detach();
    return S_OK;
  });
}

// ---- TDataObject

TDataObject::TDataObject(const TFormatList& formats) : FFormats(std::make_shared<const TFormatList>(formats)) {}

STDMETHODIMP TDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) noexcept {
  if (!format || !medium) return E_POINTER;
  *medium = STGMEDIUM{};
  const HRESULT accepted = QueryGetData(format);
  if (accepted != S_OK) return accepted;
  return fw::ComGuard([&] { return RenderData(*format, *medium); });
}

STDMETHODIMP TDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) noexcept { return E_NOTIMPL; }

STDMETHODIMP TDataObject::QueryGetData(FORMATETC* format) noexcept {
  if (!format) return E_POINTER;
  for (const FORMATETC& offered : *FFormats)
    if (offered.cfFormat == format->cfFormat && offered.dwAspect == format->dwAspect &&
        (offered.tymed & format->tymed) != 0)
      return S_OK;
  return DV_E_FORMATETC;
}

STDMETHODIMP TDataObject::GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) noexcept {
  if (!in || !out) return E_POINTER;
  *out = *in;
  out->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP TDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) noexcept { return E_NOTIMPL; }

STDMETHODIMP TDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (direction != DATADIR_GET) return E_NOTIMPL;
  return fw::ComGuard([&] {
    *out = fw::MakeCom<TEnumFormatEtc>(FFormats, 0).Detach();
    return S_OK;
  });
}

STDMETHODIMP TDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) noexcept { return OLE_E_ADVISENOTSUPPORTED; }

STDMETHODIMP TDataObject::DUnadvise(DWORD) noexcept { return OLE_E_ADVISENOTSUPPORTED; }

STDMETHODIMP TDataObject::EnumDAdvise(IEnumSTATDATA** out) noexcept {
  if (out) *out = nullptr;
  return OLE_E_ADVISENOTSUPPORTED;
}
