#pragma once
// What the process details dialog looks like: its size, texts, colours and the places of its
// components (left, top, width, height inside Panel1, which fills the client area).
#include "base/color.h"
#include "base/geometry.h"

namespace netscry {

struct DialogBounds {
  int left, top, width, height;
  constexpr Rect ToRect() const { return {left, top, left + width, top + height}; }
};

inline constexpr const char* kProcInfoCaption = "进程详细信息";
inline constexpr Size kProcInfoClientSize{425, 237};
inline constexpr Color kProcInfoPanelColor = 16315884;  // RGB (236, 245, 248)
inline constexpr int kProcInfoFontHeight = 11;          // Arial, ANSI character set

inline constexpr DialogBounds kImage1Bounds{16, 16, 32, 32};
// Where the file's icon is drawn on Image1's picture, and the picture's size and first colour.
inline constexpr Point kIconOrigin{1, 1};
inline constexpr Size kPictureSize{32, 32};
inline constexpr Color kPictureFill = Rgb(255, 255, 255);

// Self-sizing labels: only their top-left corners are fixed.
inline constexpr Point kLabExeAt{80, 16};
inline constexpr Point kLabExeDesAt{80, 45};
inline constexpr Point kLabPIDAt{80, 69};
inline constexpr Point kLabcompAt{80, 91};
inline constexpr Point kLabel5At{10, 121};
inline constexpr Point kLabLocateAt{12, 179};
inline constexpr const char* kLabel5Caption = "文件路径: ";
inline constexpr const char* kLabLocateCaption = "定位文件";

inline constexpr DialogBounds kShape1Bounds{8, 114, 409, 1};
inline constexpr DialogBounds kShape2Bounds{8, 198, 409, 1};
inline constexpr Color kShapePenColor = 14406596;  // RGB (196, 211, 219)

inline constexpr DialogBounds kEPathBounds{8, 140, 409, 20};
inline constexpr Color kEPathColor = 15461355;  // RGB (235, 235, 235)

inline constexpr DialogBounds kBTNEndProcBounds{208, 203, 97, 26};
inline constexpr DialogBounds kBTNOKBounds{321, 202, 97, 26};
inline constexpr const char* kBTNEndProcCaption = "结束进程";
inline constexpr const char* kBTNOKCaption = "确定";
inline constexpr Color kDialogButtonFace = 15653585;       // RGB (209, 218, 238)
inline constexpr Color kDialogButtonHighlight = 16026986;  // RGB (106, 141, 244)
inline constexpr Color kDialogButtonHotTrack = 3983359;    // RGB (255, 199, 60)

// The skin the dialog carries, by resource name, with the package's file name.
inline constexpr const char* kProcInfoSkinResource = "DIALOGSKIN";
inline constexpr const char* kProcInfoSkinFileName = "Vista世界.skn";

}  // namespace netscry
