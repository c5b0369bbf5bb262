#pragma once

// Control ids of the main window: the window finds its controls by these
// numbers, and the tests press them by the same.
namespace MainDlgId {
inline constexpr int Exit = 2;
inline constexpr int WebLink = 4;
inline constexpr int CdFrontPreview = 1004;
inline constexpr int CdBackPreview = 1005;
inline constexpr int DvdPreview = 1006;
inline constexpr int ChooseImage = 1007;
inline constexpr int ClearImage = 1008;
inline constexpr int ExtendImage = 1009; // picture-extent option box
inline constexpr int SlimlinePreview = 1010;
inline constexpr int ChooseColor = 1011;
inline constexpr int EditTexts = 1012;
inline constexpr int Font = 1013;
inline constexpr int Help = 1014;
inline constexpr int ViewFront = 1015;
inline constexpr int ViewBack = 1016;
inline constexpr int New = 1018;
inline constexpr int Save = 1019;
inline constexpr int Load = 1020;
inline constexpr int AlignmentLabel = 1022;
inline constexpr int ViewDisc = 1023;
inline constexpr int DiscPreview = 1024;
inline constexpr int PrintBorders = 1025; // border option box
inline constexpr int ChooseTemplate = 1026;
inline constexpr int AlignLeftButton = 1046;
inline constexpr int AlignCenterButton = 1047;
inline constexpr int AlignRightButton = 1048;
inline constexpr int Version = 1052;
inline constexpr int Banner = 1066;
inline constexpr int Print = 32771;
inline constexpr int UndoButton = 1100;
inline constexpr int RedoButton = 1101;
inline constexpr int ZoomBox = 1102;
inline constexpr int PicturePosition = 1103;
inline constexpr int ShrinkText = 1104; // "shrink text to fit" option box
inline constexpr int CurvedText = 1105; // the disc's "text along the edge" option box

// The system-menu command of the About box.
inline constexpr int AboutCommand = 0x10;
} // namespace MainDlgId
