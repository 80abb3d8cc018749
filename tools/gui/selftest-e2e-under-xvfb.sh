#!/usr/bin/env bash
# Drives the self-test markers vorlane and kestrum under a virtual display as a student does:
#   tools/gui/selftest-e2e-under-xvfb.sh [build/…/src/gui folder] [screenshot folder]
# defaults: build/release/src/gui (vorlane and kestrum built when missing) and a new temporary
# folder, whose path is printed (pass docs/screenshots to renew the pictures of the
# documentation). Starts its own Xvfb (1280x1024, 96 dpi) with openbox, unless
# E2E_DISPLAY_READY=1 says the display is already there. Installs xvfb, openbox, xdotool,
# x11-utils and imagemagick when they are missing.
#
# Each program is copied with its workbook into a folder of its own and run three times:
#   1. the untouched workbook: Dialog, 确定, Form1, 开始答题 twice (the desktop's opener gets the
#      workbook beside the program each time), 我想交卷, 否 (nothing changes), 我想交卷, 是, the
#      result box, 确定, and the program ends;
#   2. no workbook: 我想交卷, 是 gives a "提示" box and Form1 stays; the solution from
#      tests/data/selftest/ put beside the program, 我想交卷, 是: the result box of a perfect hand-in;
#   3. 取消 in Dialog ends the program.
# Every step checks what the desktop shows (titles, client sizes, the fixed size and owner of
# Dialog, centring, which windows are there, the opener's calls, the workbook unchanged, the exit
# status); the pictures selftest-PROGRAM-{dialog,form,question,result-start,missing,result-100}.png
# are saved for a person to read the texts.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
bin="$(realpath -m "${1:-$root/build/release/src/gui}")"
shots="$(realpath -m "${2:-$(mktemp -d /tmp/selftest-e2e-XXXXXX)}")"

if [ "${E2E_DISPLAY_READY:-}" != 1 ]; then
    "$root/tools/ensure-packages.sh" e2e
    if [ -z "${1:-}" ] && { [ ! -x "$bin/vorlane" ] || [ ! -x "$bin/kestrum" ]; }; then
        (cd "$root" && cmake --preset release >/dev/null && cmake --build --preset release --target vorlane kestrum)
    fi
    echo "screenshots go to $shots"
    export E2E_DISPLAY_READY=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$0" "$bin" "$shots"
fi

mkdir -p "$shots"
work="$(mktemp -d)"
app=""
wm=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

. "$root/tools/gui/desktop-checks.sh"

# 开始答题 hands the workbook to the desktop (xdg-open): record the call instead of starting an
# application. The program passes a file URL; the record keeps it decoded.
mkdir -p "$work/bin"
cat > "$work/bin/xdg-open" <<EOS
#!/bin/sh
python3 -c 'import sys, urllib.parse; print(urllib.parse.unquote(sys.argv[1]))' "\$1" >> "$work/opened.txt"
EOS
chmod +x "$work/bin/xdg-open"

openbox & wm=$!
sleep 1

at() {  # click the centre of the control at twips (left, top, width, height) of window $1
    xdotool mousemove --window "$1" $(( ($2 + $4 / 2) / 15 )) $(( ($3 + $5 / 2) / 15 )) click 1
    sleep 0.6
}
key() { xdotool windowactivate --sync "$1" key --clearmodifiers "$2"; sleep 0.6; }
centred() {  # the window's frame centred on the screen, within 16 px
    local frame
    frame=$(xwininfo -id "$1" -children | awk '/Parent window id/ {print $4}')
    xwininfo -id "$frame" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2}
        END {dx = x + w / 2 - 640; dy = y + h / 2 - 512; exit !(dx * dx <= 256 && dy * dy <= 256)}'
}
fixed_size() {  # the window asks for equal minimum and maximum sizes: a fixed frame
    local hints min max
    hints=$(xprop -id "$1" WM_NORMAL_HINTS)
    min=$(echo "$hints" | awk '/minimum size/ {print $5 "x" $7}')
    max=$(echo "$hints" | awk '/maximum size/ {print $5 "x" $7}')
    [ -n "$min" ] && [ "$min" = "$max" ]
}
resizable() { ! fixed_size "$1"; }
owned() { xprop -id "$1" WM_TRANSIENT_FOR | grep -q 'window id'; }
ended_with() {  # the program ends within 5 s with exit status $1
    local rc
    for _ in $(seq 25); do
        if ! kill -0 "$app" 2>/dev/null; then
            wait "$app" && rc=0 || rc=$?
            app=""
            [ "$rc" = "$1" ]
            return
        fi
        sleep 0.2
    done
    return 1
}
opened_times() {  # the opener (started detached) recorded $1 exactly $2 times, within 5 s
    for _ in $(seq 25); do
        [ "$(grep -c -x -F "$1" "$work/opened.txt")" = "$2" ] && return 0
        sleep 0.2
    done
    return 1
}
opened_count() { [ -f "$work/opened.txt" ] && wc -l < "$work/opened.txt" || echo 0; }

dialog_title='^Markhaven$'
form_title='^Markhaven +制作'

# run PROGRAM TITLE WORKBOOK FORM-SIZE SOLUTION COMMAND2 COMMAND1 (twips rectangles "l t w h")
run() {
    local program="$1" title="$2" book="$3" size="$4" solution="$5" command2="$6" command1="$7"
    local dir="$work/$program"
    mkdir -p "$dir"
    cp "$bin/$program" "$bin/$book" "$dir/"
    local d f b
    : > "$work/opened.txt"

    echo "== $program: the untouched workbook"
    PATH="$work/bin:$PATH" "$dir/$program" & app=$!
    d=$(need "$dialog_title")
    check "Dialog titled \"Markhaven\"" test "$(xdotool getwindowname "$d")" = Markhaven
    check "Dialog client area 309x193 (is $(client_size "$d"))" test "$(client_size "$d")" = 309x193
    check "Dialog has a fixed size" fixed_size "$d"
    check "Dialog is owned by a window that is never shown (no taskbar button)" owned "$d"
    check "Dialog centred on the screen" centred "$d"
    shot "$d" "selftest-$program-dialog"

    at "$d" 840 2160 1215 375            # 确定
    f=$(need "$form_title")
    check "Dialog gone after 确定" gone "$dialog_title"
    check "Form1 client area $size (is $(client_size "$f"))" test "$(client_size "$f")" = "$size"
    check "Form1 resizable" resizable "$f"
    check "Form1 centred on the screen" centred "$f"
    shot "$f" "selftest-$program-form"

    at "$f" $command2                    # 开始答题, twice
    at "$f" $command2
    check "开始答题 opened the workbook beside the program twice" opened_times "file://$dir/$book" 2
    local before; before=$(md5sum < "$dir/$book")

    at "$f" $command1                    # 我想交卷
    b=$(need '^提示$')
    pass "the question box \"提示\" appears"
    shot "$b" "selftest-$program-question"
    key "$b" alt+n                       # 否
    check "the question box dismissed by 否" gone '^提示$'
    sleep 1
    check "否: Form1 still there" test -n "$(visible "$form_title")"
    check "否: no result box" test -z "$(visible '^提示$')"
    check "否: the program goes on" kill -0 "$app"

    at "$f" $command1                    # 我想交卷
    b=$(need '^提示$')
    key "$b" Return                      # 是
    b=$(need '^提示$')
    pass "the result box \"提示\" after 是"
    shot "$b" "selftest-$program-result-start"
    check "Form1 stays under the result box" test -n "$(visible "$form_title")"
    key "$b" Return                      # 确定
    check "the program ended after the result box (status 0)" ended_with 0
    check "no window left" gone 'Markhaven'
    check "the workbook was not written" test "$(md5sum < "$dir/$book")" = "$before"
    check "开始答题 was the only call to the opener" test "$(opened_count)" = 2

    echo "== $program: a missing workbook, then the solution"
    rm "$dir/$book"
    PATH="$work/bin:$PATH" "$dir/$program" & app=$!
    d=$(need "$dialog_title")
    at "$d" 840 2160 1215 375            # 确定
    f=$(need "$form_title")
    at "$f" $command1
    b=$(need '^提示$')
    key "$b" Return                      # 是
    b=$(need '^提示$')
    pass "a box \"提示\" says the workbook is missing"
    shot "$b" "selftest-$program-missing"
    key "$b" Return
    check "the box dismissed" gone '^提示$'
    check "Form1 stays for another hand-in" test -n "$(visible "$form_title")"
    cp "$root/$solution" "$dir/$book"
    at "$f" $command1
    b=$(need '^提示$')
    key "$b" Return                      # 是
    b=$(need '^提示$')
    pass "the result box \"提示\" for the solution"
    shot "$b" "selftest-$program-result-100"
    key "$b" Return
    check "the program ended after the result box (status 0)" ended_with 0
    check "the solution was not written" cmp -s "$root/$solution" "$dir/$book"

    echo "== $program: 取消"
    PATH="$work/bin:$PATH" "$dir/$program" & app=$!
    d=$(need "$dialog_title")
    at "$d" 2520 2160 1215 375           # 取消
    check "取消 ended the program (status 0)" ended_with 0
    check "no window left" gone 'Markhaven'
}

run vorlane Vorlane 学生成绩表.xls 638x549 tests/data/selftest/vorlane-solution.xls \
    "2160 6960 2055 615" "5280 6960 2055 615"
run kestrum Kestrum 水电气费.xls 652x585 tests/data/selftest/kestrum-solution.xls \
    "2160 7680 2055 615" "5400 7680 2055 615"

if [ "$failures" -ne 0 ]; then echo "$failures check(s) failed" >&2; exit 1; fi
echo "all checks passed"
