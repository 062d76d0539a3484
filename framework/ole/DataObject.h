#pragma once
// A data object that offers a fixed list of formats, and its format enumerator.
#include <windows.h>
#include <ole2.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "framework/Com.h"

using TFormatList = std::vector<FORMATETC>;

// The records are shared, read-only, between a data object and its
// enumerators, so a caller may release the data object first.
class TEnumFormatEtc : public fw::TInterfacedObject<IEnumFORMATETC> {
 public:
  TEnumFormatEtc(std::shared_ptr<const TFormatList> formats, std::size_t position);

  STDMETHODIMP Next(ULONG count, FORMATETC* records, ULONG* fetched) noexcept override;
  STDMETHODIMP Skip(ULONG count) noexcept override;
  STDMETHODIMP Reset() noexcept override;
  STDMETHODIMP Clone(IEnumFORMATETC** out) noexcept override;

 protected:
  ~TEnumFormatEtc() override = default;

 private:
  std::size_t Remaining() const noexcept { return FFormats->size() - FPosition; }

  std::shared_ptr<const TFormatList> FFormats;
  std::size_t FPosition;
};

class TDataObject : public fw::TInterfacedObject<IDataObject> {
 public:
  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) noexcept override;
  STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) noexcept override;
  STDMETHODIMP QueryGetData(FORMATETC* format) noexcept override;
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) noexcept override;
  STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) noexcept override;
  STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) noexcept override;
  STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) noexcept override;
  STDMETHODIMP DUnadvise(DWORD connection) noexcept override;
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA** out) noexcept override;

 protected:
  // The formats offered, in order; fixed when the object is made.
  explicit TDataObject(const TFormatList& formats);
  ~TDataObject() override = default;

  // Fills the medium for a format QueryGetData accepted.
  virtual HRESULT RenderData(const FORMATETC& format, STGMEDIUM& medium) = 0;

 private:
  std::shared_ptr<const TFormatList> FFormats;
};

// A FORMATETC for content in global memory, no target device.
FORMATETC HGlobalFormat(CLIPFORMAT format) noexcept;
