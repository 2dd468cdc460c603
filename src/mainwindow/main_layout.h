#pragma once
// What the main window looks like when it is made: sizes, positions, captions, fonts, colours,
// the row menu, and the program's fixed texts and addresses. The list's columns are described in
// connlist/columns.h.
#include <array>

#include "base/color.h"
#include "base/geometry.h"

namespace netscry {

inline constexpr const char* kAppTitle = "Netscry";
inline constexpr const char* kMutexName = "Netscry";
inline constexpr const char* kAlreadyRunning = "The program already start";
inline constexpr const char* kMainCaption = "Netscry V2.5(网络连接查看器)";
inline constexpr Size kMainClientSize{746, 433};
inline constexpr unsigned kRefreshInterval = 10000;
// The rows' nominal user area: the twelve text references of a row record in the 32-bit layout.
// The list only needs it positive; setting the value it already has keeps the rows.
inline constexpr int kRowDataSize = 48;

// The product's own addresses.
inline constexpr const char* kHomePageURL = "https://netscry.org";
inline constexpr const char* kUpdatePath = "/netscry.html";
inline constexpr const char* kAuthorMail = "netscry@netscry.org";
inline constexpr const char* kHelpFileName = "NetscryHelp.chm";

inline constexpr Color kPanelColor = 16315884;      // RGB (236, 245, 248)
inline constexpr Color kOwnColumnColor = 15532031;  // RGB (255, 255, 236): a column not in the list's colour
inline constexpr Color kUrlUnvisited = 7879740;     // RGB (60, 60, 120)
inline constexpr Color kUrlVisited = 4611970;       // RGB (130, 95, 70)
inline constexpr Color kButtonFace = 15791348;      // RGB (244, 244, 240)
inline constexpr Color kButtonHighlight = 16026986; // RGB (106, 141, 244)
inline constexpr Color kButtonHotTrack = 3983359;   // RGB (255, 199, 60)

inline constexpr int kTopPanelHeight = 34;
inline constexpr int kBottomPanelHeight = 28;

// The counters line: five self-sizing labels aligned left in the top panel.
enum class CounterStyle { Plain, BoldRed, BoldBlue };
struct CounterLabelLayout {
  const char* caption;
  CounterStyle style;
};
inline constexpr std::array<CounterLabelLayout, 5> kCounterLabels{{
    {"当前有", CounterStyle::Plain},
    {"0", CounterStyle::BoldRed},
    {"个程序已连接或尝试连接网络，共建立", CounterStyle::Plain},
    {"0", CounterStyle::BoldBlue},
    {"个连接。", CounterStyle::Plain},
}};

// The top panel's buttons, from left to right (aligned right, 32 high).
struct TopButtonLayout {
  const char* caption;
  int width;
};
inline constexpr TopButtonLayout kHelpButton{"帮助", 74};
inline constexpr TopButtonLayout kUpdateButton{"更新", 86};
inline constexpr TopButtonLayout kHomePageButton{"主页", 86};

// The bottom panel's children (left, top, width, height; anchored to the panel's top left).
struct BoundsLayout {
  int left, top, width, height;
  constexpr Rect ToRect() const { return {left, top, left + width, top + height}; }
};
struct OptionBoxLayout {
  const char* caption;
  BoundsLayout bounds;
  int tag;
  bool checked;
};
inline constexpr OptionBoxLayout kShowLocalBox{"显示本地连接", {8, 6, 145, 17}, 1, true};
inline constexpr OptionBoxLayout kAutoRefreshBox{"自动刷新", {157, 6, 124, 17}, 2, false};
inline constexpr OptionBoxLayout kAlwaysTopBox{"始终保持在其他窗口前端", {282, 6, 182, 17}, 3, true};
inline constexpr OptionBoxLayout kShowInfoBox{"显示文件详细信息", {755, 6, 166, 17}, 4, false};
// In the free stretch between the always-on-top box (ending at 464) and the refresh button
// (starting at 553), so that it is in view at the initial width and moves nothing.
inline constexpr OptionBoxLayout kShowIPv6Box{"显示IPv6连接", {467, 6, 85, 17}, 5, true};
struct BottomButtonLayout {
  const char* caption;
  BoundsLayout bounds;
};
inline constexpr BottomButtonLayout kRefreshButton{"刷新", {553, 1, 80, 26}};
inline constexpr BottomButtonLayout kEndProButton{"结束进程", {633, 1, 110, 26}};
inline constexpr BoundsLayout kEmailLabelBounds{950, 8, 27, 14};
inline constexpr const char* kEmailLabelCaption = "Email:";
inline constexpr BoundsLayout kUrlLabelBounds{984, 7, 119, 13};

// The row menu: captions in order; "-" is a separator.
inline constexpr std::array<const char*, 7> kRowMenu{
    {"进程信息", "-", "结束进程(&E)", "-", "拷贝到剪贴板", "定位文件", "属性(&R)"}};

// The program's message texts.
inline constexpr const char* kMsgSysProcess = "系统进程，不能结束。";
inline constexpr const char* kMsgNotEnabled = "未启用";
inline constexpr const char* kMsgConfirmExit = "您确认要退出网络连接查看器?";
inline constexpr const char* kMsgEndFailed = "无法结束进程!";
inline constexpr const char* kMsgSystemDesc = "系统核心内存管理进程，拥有最高优先权，没有它系统无法启动。";
inline constexpr const char* kMsgIdleDesc =
    "系统核心虚拟进程，用来表示系统的空闲状态，这个数值越大CPU的空闲率就越高，反之就是CPU的占用率越高。";
inline constexpr const char* kMsgConfirmEndSys = "这是系统进程，结束该进程可能引起系统无法运行，仍要结束?";

// The skins each window carries, by resource name, with the package's file names.
inline constexpr const char* kManageGlyphResource = "MANAGEGLYPH";
inline constexpr const char* kMainSkinResource = "MAINSKIN";
inline constexpr const char* kMainSkinFileName = "默认win7.skn";
inline constexpr const char* kDialogSkinResource = "DIALOGSKIN";
inline constexpr const char* kDialogSkinFileName = "Vista世界.skn";

}  // namespace netscry
