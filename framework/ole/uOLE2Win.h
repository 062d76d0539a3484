#pragma once
// A data object that carries one 8-bit text.
#include <string>

#include "framework/ole/DataObject.h"

class TTextDataObject : public TDataObject {
 public:
  explicit TTextDataObject(std::string text);

  const std::string& Text() const noexcept { return FText; }

 protected:
  // The same text offered in each of the formats (all in global memory).
  TTextDataObject(std::string text, const TFormatList& formats);
  ~TTextDataObject() override = default;

  // Every accepted format gets the same text: a fresh zero-terminated block
  // that the receiver frees (no release interface).
  HRESULT RenderData(const FORMATETC& format, STGMEDIUM& medium) override;

 private:
  std::string FText;
};
