#include "controls/hot_button/hot_url_label.h"


#include "base/ansi_text.h"

namespace netscry {

Color HotUrlLabelModel::TextColor() const {
  if (BlinkOn()) return colors.blink;
  return visited ? colors.visited : colors.unvisited;
}

bool HotUrlLabelModel::ToggleBlink() {
  if (!blinking) {
    blink_on_ = false;
    return false;
  }
  const Color before = TextColor();
  blink_on_ = !blink_on_;
  return TextColor() != before;
}

std::string HotUrlLabelModel::Target() const {
  std::string t = TrimBlanks(url);
  return t.empty() ? caption : t;
}

bool HotUrlLabelModel::Click(UrlOpener& opener) {
  if (on_click) on_click();
  const std::string target = Target();
  if (TrimBlanks(target).empty()) return false;
  if (opener.Open(target)) {
    const Color before = TextColor();
    visited = true;
    return TextColor() != before;
  }
  std::string ext = FileExtensionOf(target);
  for (char& c : ext) {
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  }
  if (ext == ".HTM") opener.Run(kOpenAsHtmCommand);
  return false;
}

std::string TrimBlanks(std::string_view s) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::size_t b = 0, e = s.size();
  while (b < e && blank(s[b])) ++b;
  while (e > b && blank(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

std::string FileExtensionOf(std::string_view path, const LeadBytes& lead) {
  std::size_t dot = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); i += AnsiCharLength(path, i, lead)) {
    const char c = path[i];
    if (AnsiCharLength(path, i, lead) != 1) continue;
    if (c == '\\' || c == '/' || c == ':') {
      dot = std::string_view::npos;
    } else if (c == '.') {
      dot = i;
    }
  }
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

SystemProgramCommand CommandFromSystemDir(std::string_view system_dir, std::string_view command_line) {
  const std::size_t end = command_line.find(' ');
  const std::string_view program = command_line.substr(0, end);
  if (system_dir.empty() || program.empty()) return {};
  std::string application(system_dir);
  if (application.back() != '\\') application += '\\';
  application += program;
  std::string line = "\"" + application + "\"";
  if (end != std::string_view::npos) line += command_line.substr(end);
  return {application, line};
}

}  // namespace netscry
