#pragma once
// What the pop-up track bar of an edit-trackbar computes: the mapping between
// track positions and values for the three scales, the labels and ticks, and
// where the window goes on the screen. The Windows side only creates the
// windows with these numbers.

#include <string>
#include <vector>

#include "core/support/uGeometry.h"

enum TEditTrackBarVelStyle { etbvsNormal, etbvsExp1, etbvsExp2 };

struct TTrackRange {
  double Lo, Hi;
};

// TrackBarMin..TrackBarMax narrows Min..Max when the two differ.
TTrackRange TrackRange(double min, double max, double trackBarMin, double trackBarMax);

// 1..9 -> 0..8, 10..90 -> 9..17, 100 -> 18; 0.1..0.9 -> -9..-1. Values between
// two of these go to the nearer digit. x must be positive.
int DecadeDigitIndex(double x);

class TTrackBarScale {
 public:
  TTrackBarScale(TEditTrackBarVelStyle style, TTrackRange range, double lineSize);

  // False for a range of fewer than two steps, an empty or reversed range, a
  // step that is not positive, or a logarithmic scale that does not lie
  // above 0: the pop-up is then not opened at all.
  bool CanOpen() const { return FCount >= 2; }

  TEditTrackBarVelStyle Style() const { return FStyle; }
  double Lo() const { return FLo; }
  double Hi() const { return FHi; }
  double LineSize() const { return FLineSize; }
  int Count() const { return FCount; }         // n, the number of track positions
  int TrackLength() const { return FLength; }  // W, pixels from the first to the last

  double ValueOf(int index) const;
  // The track position of x, limited to 0..n-1 as the track bar limits it.
  int IndexOf(double x) const;

 private:
  TEditTrackBarVelStyle FStyle;
  double FLo, FHi, FLineSize;
  int FCount = 0;
  int FLength = 0;
};

struct TTrackBarLabel {
  std::wstring Text;
  int Offset;  // along the track, 0..W; the label is centred there
  bool operator==(const TTrackBarLabel&) const = default;
};

struct TTrackBarMarks {
  std::vector<TTrackBarLabel> Labels;  // lo first, hi last
  std::vector<int> Ticks;              // track positions
};

// Labels and ticks of an openable scale; the texts as the edit shows numbers.
TTrackBarMarks TrackBarMarks(const TTrackBarScale& scale, wchar_t decimalSeparator = L'.');

// Fixed layout of the pop-up for a track length W (client coordinates).
struct TPopupLayout {
  TRectI Panel;     // in the pop-up's client area
  TRectI TrackBar;  // in the panel
  int ClientWidth, ClientHeight;
  int ThumbLength;
  int LabelTop;
};
TPopupLayout PopupLayout(int trackLength);

// Left edge of a label of the given text width centred on a track offset.
int LabelLeft(int offset, int textWidth);

// Settings of the track bar control itself.
struct TTrackBarSettings {
  int Min, Max, Position, LineSize, PageSize;
};
TTrackBarSettings TrackBarSettings(const TTrackBarScale& scale, double position, double lineSize, double pageSize,
                                   double precision);

// Pixel offset of the thumb centre from the channel start, less the 8 pixels
// of the channel's inset, for a track bar of the given window width.
int ThumbOffset(int position, int min, int max, int trackWidth);

// Where to press on the track bar so that it starts dragging its thumb.
TPointI DragStartPoint(int thumbOffset, const TRectI& channel);

struct TPopupPlacement {
  int Left, Top;    // screen position of the pop-up window
  bool MoveCursor;  // the pop-up was pushed sideways: the pointer follows
  TPointI Cursor;
};

// press: the screen point of the press on the track-bar button;
// editClientBottom: screen y of the edit's client point (0, edit height - 2);
// popupSize: the pop-up's window size; trackLeft: the track bar's window left
// minus the pop-up's window left.
TPopupPlacement PlacePopup(TPointI press, int editClientBottom, int editHeight, TPointI popupSize, int trackLeft,
                           int thumbOffset, const TRectI& workArea);
