# Shared steps of the end-to-end tests: the real Netscry.exe under Wine on the project's Xvfb
# display, driven with xdotool as a user would, and read back through what a user sees and gets
# (window texts through window_probe, screenshots, the clipboard, the settings file).
# A case script sources this with: NETSCRY_EXE PROBE_EXE HELPER_EXE [CASE_NAME]
set -uo pipefail

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(cd "$E2E_DIR/../.." && pwd)
NETSCRY_EXE=$1 PROBE_EXE=$2 HELPER_EXE=$3
CASE=${4:-$(basename "$0" .sh)}
eval "$("$ROOT/scripts/wine-run" --env "$NETSCRY_EXE")" || { echo "e2e: no Wine environment"; exit 1; }

MAIN_TITLE='Netscry V2.5(网络连接查看器)'
APP_TITLE='Netscry'
# Each case runs its own copy of the program in its own folder on drive C, so that the settings
# file beside it starts as the case wants and paths look like a Windows user's.
WORK=$WINEPREFIX/drive_c/netscry-e2e/$CASE
OUT=${NETSCRY_E2E_OUT:-$PWD}/e2e-$CASE
rm -rf "$WORK" "$OUT"
mkdir -p "$WORK" "$OUT"
cp "$NETSCRY_EXE" "$WORK/Netscry.exe"
cp "$PROBE_EXE" "$WORK/window_probe.exe"
cp "$HELPER_EXE" "$WORK/socket_helper.exe"
APP_PIDS=()

fail() { echo "FAIL: $*"; exit 1; }
note() { echo "-- $*"; }

cleanup() {
  local pid
  for pid in "${APP_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${APP_PIDS[@]}"; do wait "$pid" 2>/dev/null; done
}
trap cleanup EXIT

# start_app [copy-name]: starts the program; its Linux PID goes to APP_PID (and APP_PIDS).
start_app() {
  local exe=$WORK/${1:-Netscry.exe}
  timeout -k 5 240 "$NETSCRY_WINE" "$exe" </dev/null >>"$OUT/app.log" 2>&1 &
  APP_PID=$!
  APP_PIDS+=("$APP_PID")
}

# The probe's console output ends its lines with CR LF; the scripts read LF lines.
probe() {
  local rc
  timeout -k 5 60 "$NETSCRY_WINE" "$WORK/window_probe.exe" "$@" </dev/null 2>>"$OUT/probe.log" >"$OUT/probe.out"
  rc=$?
  tr -d '\r' <"$OUT/probe.out"
  return $rc
}

# dump_window TITLE [SECONDS]: the probe's view of that window, saved to $OUT/<n>.txt and printed.
DUMPS=0
dump_window() {
  DUMPS=$((DUMPS + 1))
  probe dump "$@" >"$OUT/dump$DUMPS.txt" || return 1
  cat "$OUT/dump$DUMPS.txt"
}

# The screen origin of the main window's client area from the last dump.
client_origin() { awk '$1 == "client" { print $2, $3 }' "$OUT/dump$DUMPS.txt"; }

# The text of the control whose probe line matches a pattern (class or id), from the last dump.
control_line() { grep -a -m1 -- "$1" "$OUT/dump$DUMPS.txt"; }

# click_client X Y [button]: a real mouse click at client coordinates of the main window.
click_client() {
  local ox oy
  read -r ox oy < <(client_origin)
  xdotool mousemove --sync $((ox + $1)) $((oy + $2)) click "${3:-1}"
}

screenshot() { import -window root "$OUT/$1.png" && echo "screenshot: $OUT/$1.png"; }

# wait_exit PID SECONDS: waits for a process of ours to end; fails the case if it does not.
wait_exit() {
  local i
  for ((i = 0; i < $2 * 10; i++)); do
    kill -0 "$1" 2>/dev/null || { wait "$1" 2>/dev/null; return 0; }
    sleep 0.1
  done
  return 1
}

# click_control TEXT [button]: a real click in the middle of the control showing TEXT (last dump).
click_control() {
  local line l t r b
  line=$(awk -v want="$1" '$1 == "control" { text = $0; for (i = 1; i <= 10; i++) sub(/^[^ ]* /, "", text); if (text == want) { print; exit } }' "$OUT/dump$DUMPS.txt")
  [[ -n $line ]] || fail "no control shows \"$1\""
  read -r _ _ _ _ _ _ l t r b _ <<<"$line"
  click_client $(((l + r) / 2)) $(((t + b) / 2)) "${2:-1}"
}

# control_field TEXT N: field N (1-based, as printed) of the control line showing TEXT.
control_field() {
  awk -v want="$1" -v n="$2" '$1 == "control" { text = $0; for (i = 1; i <= 10; i++) sub(/^[^ ]* /, "", text); if (text == want) { print $n; exit } }' "$OUT/dump$DUMPS.txt"
}

# The counters line as "programs connections": the labels right after "当前有" and after the
# sentence's middle part, as the window shows them.
counters() {
  dump_window "$MAIN_TITLE" >/dev/null || fail "main window not found"
  awk '$1 == "control" { text = $0; for (i = 1; i <= 10; i++) sub(/^[^ ]* /, "", text)
         if (want == 1) { programs = text; want = 0 } else if (want == 2) { connections = text; want = 0 }
         if (text == "当前有") want = 1; else if (text == "个程序已连接或尝试连接网络，共建立") want = 2 }
       END { print programs, connections }' "$OUT/dump$DUMPS.txt"
}

# counters_after_refresh PROGRAMS [SECONDS]: the counters line once the program count is
# PROGRAMS, or as it stands after SECONDS (default 15). A refresh reads on a worker thread, and
# its rows arrive when that read is done, which takes seconds with many sockets under Wine.
counters_after_refresh() {
  local line i
  for ((i = 0; i < ${2:-15} * 2; i++)); do
    sleep 0.5
    line=$(counters)
    [[ ${line%% *} == "$1" ]] && break
  done
  echo "$line"
}

# start_helper [N]: a process owning a loopback listener, a loopback connection (and N more) and a UDP socket;
# it runs until stop_helper. HELPER_PORTS holds "listen client udp".
start_helper() {
  rm -f "$OUT/helper.fifo"
  mkfifo "$OUT/helper.fifo"
  timeout -k 5 240 "$NETSCRY_WINE" "$WORK/socket_helper.exe" "$@" <"$OUT/helper.fifo" >"$OUT/helper.out" 2>&1 &
  HELPER_PID=$!
  APP_PIDS+=("$HELPER_PID")
  exec 7>"$OUT/helper.fifo"
  local i
  for ((i = 0; i < 300; i++)); do
    grep -q '^PORTS' "$OUT/helper.out" 2>/dev/null && break
    sleep 0.1
  done
  HELPER_PORTS=$(awk '/^PORTS/ { print $2, $3, $4 }' "$OUT/helper.out")
  [[ -n $HELPER_PORTS ]] || fail "socket helper did not start: $(cat "$OUT/helper.out")"
}

stop_helper() {
  exec 7>&-
  wait_exit "$HELPER_PID" 20 || fail "socket helper did not end"
}

# The full text of the first control whose text contains a pattern (last dump).
control_field_matching() {
  awk -v want="$1" '$1 == "control" { text = $0; for (i = 1; i <= 10; i++) sub(/^[^ ]* /, "", text); if (index(text, want)) { print text; exit } }' "$OUT/dump$DUMPS.txt"
}

# The ticked state (1 or 0) of the check box showing TEXT, from a new dump of the main window.
ticked() {
  dump_window "$MAIN_TITLE" 30 >/dev/null || fail "main window not found"
  control_field "$1" 6
}

# The settings file beside the program, as LF text in UTF-8 ("" when there is none).
settings_text() { [[ -f $WORK/Netscry.ini ]] && iconv -f GBK -t UTF-8 "$WORK/Netscry.ini" | tr -d '\r'; }

# The window's screen rectangle from the last dump: "left top width height".
frame_rect() { awk '$1 == "frame" { print $2, $3, $4 - $2, $5 - $3 }' "$OUT/dump$DUMPS.txt"; }

# pixel IMAGE X Y: "r,g,b" of one pixel of a picture file (BMP or PNG).
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)],%[fx:int(255*p{$2,$3}.g+0.5)],%[fx:int(255*p{$2,$3}.b+0.5)]" info:; }

# check_frame SHOT PICTURE MASK "X,Y ...": points of a skin picture's corners (never stretched)
# against the same points of the window (last dump) on a screenshot; a point within 9 pixels of
# the picture's right or bottom edge keeps its distance from the window's. The mask's top-left
# corner is white: there the window is cut away and the screen behind shows, not the picture.
check_frame() {
  local shot=$1 picture=$2 mask=$3 points=$4 left top w h pw ph px py wx wy want got p
  read -r left top w h < <(frame_rect)
  read -r pw ph < <(identify -format '%w %h' "$picture")
  for p in $points; do
    px=${p%,*} py=${p#*,}
    wx=$px wy=$py
    ((px >= pw - 9)) && wx=$((w - (pw - px)))
    ((py >= ph - 9)) && wy=$((h - (ph - py)))
    want=$(pixel "$picture" "$px" "$py")
    got=$(pixel "$shot" $((left + wx)) $((top + wy)))
    [[ $want == "$got" ]] || fail "$(basename "$picture") ($px,$py) is $want, the window shows $got at ($wx,$wy)"
  done
  [[ $(pixel "$mask" 0 0) == 255,255,255 ]] || fail "fixture: the mask's corner is not white"
  want=$(pixel "$picture" 0 0)
  got=$(pixel "$shot" "$left" "$top")
  [[ $got != "$want" ]] || fail "the masked corner shows the picture's $got, not the screen behind"
}

# The list's first rows on screen, read from the latest window dump: its rectangle in the client
# area (1-pixel border), its header 20 high, rows 22 high; the visible columns 进程 协议 本地IP
# 本地端口 目标IP 目标端口 状态 管理 are 720 pixels wide.
locate_first_rows() {
  read -r list_left list_top _ _ < <(awk '$1 == "control" && $2 == "NetscryTreeList" { print $7, $8, $9, $10; exit }' "$OUT/dump$DUMPS.txt")
  [[ -n $list_left ]] || fail "no list in the main window"
  read -r ox oy < <(client_origin)
  HEADER=20 ROW=22 ROWS=4 WIDTH=720
  rows_x=$((ox + list_left + 1)) rows_y=$((oy + list_top + 1 + HEADER))
  # The caption "本地端口": after 进程 (120), 协议 (60) and 本地IP (100).
  caption_x=$((rows_x + 120 + 60 + 100 + 40)) caption_y=$((rows_y - HEADER / 2))
}

# Saves the first rows as they are now as $OUT/NAME-rows.png, with the mouse resting on the top
# panel for ROWS_SETTLE seconds (default 1) first.
first_rows() {
  xdotool mousemove --sync $((ox + 5)) $((oy + 5))
  sleep "${ROWS_SETTLE:-1}"
  import -window root "$OUT/$1.png" || fail "no screenshot"
  convert "$OUT/$1.png" -crop "${WIDTH}x$((ROWS * ROW))+$rows_x+$rows_y" +repage "$OUT/$1-rows.png"
}
differing() { compare -metric AE "$OUT/$1-rows.png" "$OUT/$2-rows.png" null: 2>&1; }

click_local_port_caption() { xdotool mousemove --sync "$caption_x" "$caption_y" click 1; }
