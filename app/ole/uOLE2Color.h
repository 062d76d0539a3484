#pragma once
// Dragging a colour out: the private format "Vel_Color" and plain text, both #RRGGBB.
#include <windows.h>

#include "core/color/uColor.h"
#include "framework/ole/uOLE2Win.h"

// Registers "Vel_Color" once, before any window exists; raises EUserError
// "uOLE2Color : RegisterClipboardFormat Failed." when the system refuses.
void RegisterVelColorFormat();
// The registered format number; 0 before RegisterVelColorFormat.
CLIPFORMAT CF_VelColor() noexcept;

class TOle2DataObjColorVel : public TTextDataObject {
 public:
  // "Vel_Color" first, then CF_TEXT. The text is always red-green-blue,
  // whatever the user's byte order.
  explicit TOle2DataObjColorVel(TColor color);

 protected:
  ~TOle2DataObjColorVel() override = default;
};

// Runs a copy-only OLE drag of the colour; returns when the drag ends. The
// data object keeps no link to any window, so a target may hold it longer.
void StartColorDrag(TColor color);
