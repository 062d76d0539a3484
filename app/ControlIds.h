#pragma once
// The fixed child-window IDs (GetDlgCtrlID) of the main window's controls,
// named after the controls; accessibility tools and the end-to-end tests
// find controls by them. They stay below the framework's automatic IDs
// (0x4000 on), and this header stays free of <windows.h>.
namespace ControlIds {

inline constexpr int Panel2 = 100;
inline constexpr int Panel3 = 101;
inline constexpr int TBXDock = 102;
inline constexpr int ToolBar = 103;
inline constexpr int gridItemArea = 104;
inline constexpr int gridItem = 105;

// Channel panel: the swatch, and the twelve editors and their labels in
// factor order (red, green, blue, HSV, HSL, Y Cb Cr).
inline constexpr int pboxColor = 200;
inline constexpr int lblColor = 201;
inline constexpr int lblColorName = 202;
inline constexpr int edtColorText = 203;
inline constexpr int lblCvdMark = 204;
inline constexpr int lblColorNote = 205;
inline constexpr int FirstFactorEditor = 210;
inline constexpr int FirstFactorLabel = 230;
inline constexpr int FactorEditor(int index) { return FirstFactorEditor + index; }
inline constexpr int FactorLabel(int index) { return FirstFactorLabel + index; }
inline constexpr int edtRed = FactorEditor(0);
inline constexpr int edtGrn = FactorEditor(1);
inline constexpr int edtBlu = FactorEditor(2);
inline constexpr int edtHue = FactorEditor(3);
inline constexpr int edtSat = FactorEditor(4);
inline constexpr int edtBri = FactorEditor(5);
inline constexpr int edtHSLHue = FactorEditor(6);
inline constexpr int edtHSLSat = FactorEditor(7);
inline constexpr int edtHSLBri = FactorEditor(8);
inline constexpr int edtY = FactorEditor(9);
inline constexpr int edtCb = FactorEditor(10);
inline constexpr int edtCr = FactorEditor(11);

// Screen sampler.
inline constexpr int ImageSpoit = 300;
inline constexpr int pboxSpoit = 301;
inline constexpr int pnlZoom = 302;
inline constexpr int pboxZoom = 303;
inline constexpr int SizeGripVel1 = 304;

// Contrast readout.
inline constexpr int pnlContrast = 400;
inline constexpr int pboxContrastSample = 401;
inline constexpr int lblContrastRatio = 402;
inline constexpr int lblContrastWcag = 403;
inline constexpr int lblContrastApca = 404;
inline constexpr int btnContrastSwap = 405;
inline constexpr int lblContrastCompare = 406;
inline constexpr int edtContrastCompare = 407;
inline constexpr int btnContrastFixAA = 408;
inline constexpr int btnContrastFixAAA = 409;
inline constexpr int lblContrastCvd = 410;

}  // namespace ControlIds
