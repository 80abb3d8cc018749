#!/usr/bin/env bash
# Takes the screenshots of tarnwick's windows in docs/screenshots under a virtual display:
#   xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" docs/screenshots/take-screenshots.sh [tarnwick]
# Needs openbox, xdotool, x11-utils and imagemagick. Drives the program by clicks at the places
# of the controls (twips / 15 = pixels at 96 dpi) and answers the verdict box with Enter.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
program="${1:-$here/../../build/dev/src/gui/tarnwick}"
work="$(mktemp -d)"
trap 'kill "$app" "$wm" 2>/dev/null || true; rm -rf "$work"' EXIT

openbox & wm=$!
sleep 1
TARNWICK_EXAM_DIR="$work/MyExam" "$program" & app=$!

window() {  # the newest visible window whose title is exactly $1
  local id
  for _ in $(seq 50); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1 || true)
    if [ -n "$id" ]; then echo "$id"; return; fi
    sleep 0.2
  done
  echo "no window $1" >&2; exit 1
}
at() {  # click at twips ($2, $3) of window $1
  xdotool mousemove --window "$1" $(( $2 / 15 )) $(( $3 / 15 )) click 1
  sleep 0.6
}
shot() {  # window $1 with its frame into $2.png
  sleep 0.6
  local frame
  frame=$(xwininfo -id "$1" -children | awk '/Parent window id/ {print $4}')
  import -window "$frame" "$here/$2.png"
}

x=$(window "Tarnwick V1.0")
xwininfo -id "$x" | awk '/Width|Height/' | sed 's/^ */xuanzhe client area: /'
shot "$x" xuanzhe

at "$x" 3547 427                     # 软件使用说明
s=$(window "软件使用说明")
shot "$s" shuoming
at "$s" 4567 5167                    # 关闭说明

at "$x" 2600 4687                    # Frontpage第一套试题
at "$x" 3367 5827                    # 确定
m=$(window "Tarnwick V1.0 .*")
shot "$m" main-ready

at "$m" 1147 427                     # 开始答题
y=$(window "操作要求")
shot "$y" yaoqiu
xdotool windowactivate --sync "$y" key alt+F4   # close the requirements window
sleep 0.6

cat > "$work/MyExam/index.htm" <<'PAGE'
<html><head><title>川南玉米之乡——Tenbury</title></head>
<body leftmargin="5"><bgsound src="bj.mid" loop="-1"><hr size="4">
<p>川南玉米之乡——Tenbury</p></body></html>
PAGE
at "$m" 4747 427                     # 开启帮助
at "$m" 2947 427                     # 开始评分
b=$(window "Veltrace")
shot "$b" verdict
xdotool windowactivate --sync "$b" key Return   # dismiss the verdict box
shot "$m" main-marked
xdotool windowactivate --sync "$m" key alt+F4   # closing the answering window ends the program
sleep 0.5
if kill -0 "$app" 2>/dev/null; then echo "tarnwick still running" >&2; exit 1; fi
echo done
