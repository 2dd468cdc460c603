#pragma once
// The link label without a platform: which colour its text has, what a click opens and what a
// successful or failed open changes. The glue (hot_url_label_win32.h) draws and hands the
// target to the shell through a UrlOpener.
#include <functional>
#include <string>
#include <string_view>

#include "base/ansi_text.h"
#include "base/color.h"
#include "base/geometry.h"

namespace netscry {

// The platform's shell as the label uses it.
class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  // Opens target with the verb "Open"; true when the shell reports success.
  virtual bool Open(const std::string& target) = 0;
  // Starts a program from a command line (the dialog that picks the program for a file type).
  virtual void Run(const std::string& command_line) = 0;
};

// The command that asks the user which program opens ".htm" files.
inline constexpr const char* kOpenAsHtmCommand = "RunDLL32.exe Shell32.dll,OpenAs_RunDLL *.htm";

// A command line whose program lives in the system directory, started from there by its full
// path: by bare name the platform looks in the program's own folder first, where anyone who can
// write there could put a program of the same name. application is empty when the directory is
// unknown or the command names no program.
struct SystemProgramCommand {
  std::string application;   // system_dir + "\\" + the command's first word
  std::string command_line;  // the same with the full path in quotes in front
};
SystemProgramCommand CommandFromSystemDir(std::string_view system_dir, std::string_view command_line);

struct HotUrlLabelColors {
  Color unvisited = Rgb(60, 60, 120);
  Color visited = Rgb(130, 95, 70);
  Color blink = Rgb(0, 0, 255);
};

class HotUrlLabelModel {
 public:
  std::string url;
  std::string caption;
  HotUrlLabelColors colors;
  bool visited = false;
  bool blinking = false;
  std::function<void()> on_click;  // the label's own click event, raised first

  // The text colour now: the blink colour in the "on" half of a blink, else visited or not.
  Color TextColor() const;
  // Advances the blink; returns whether the colour changed (only while blinking).
  bool ToggleBlink();
  bool BlinkOn() const { return blinking && blink_on_; }

  // url without surrounding blanks, or the caption when url is blank.
  std::string Target() const;
  // A click: raises on_click, then opens the target. Returns whether the text colour changed.
  bool Click(UrlOpener& opener);

 private:
  bool blink_on_ = false;
};

// Blanks and control characters at both ends removed.
std::string TrimBlanks(std::string_view s);
// The extension of a file name or address: from its last '.' after the last '\', '/' or ':',
// whole characters of the code page only (a trail byte is never taken for a separator).
std::string FileExtensionOf(std::string_view path, const LeadBytes& lead = SystemLeadBytes());

// A press that becomes a click when released inside.
class LinkPressTracker {
 public:
  void Press() { down_ = true; }
  // Returns whether the release is a click.
  bool Release(Point p, Size client) {
    const bool was = down_;
    down_ = false;
    return was && Rect{0, 0, client.cx, client.cy}.Contains(p);
  }
  void Cancel() { down_ = false; }
  bool IsDown() const { return down_; }

 private:
  bool down_ = false;
};

}  // namespace netscry
