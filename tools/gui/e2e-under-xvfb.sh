#!/usr/bin/env bash
# Drives tarnwick under a virtual display as a student does, and marks a web page, a workbook and a
# document by clicks:
#   tools/gui/e2e-under-xvfb.sh [path/to/tarnwick] [screenshot folder] [folder for more pictures]
# defaults: build/release/src/gui/tarnwick (built when missing) and a new temporary folder, whose
# path is printed (pass docs/screenshots to renew the pictures of the documentation); the more
# pictures (the requirements window, the whole desktop under each verdict box) are only taken when
# a third folder is given. Starts its own Xvfb (1280x1024, 96 dpi) with openbox, unless
# E2E_DISPLAY_READY=1 says the display is already there. Installs xvfb, openbox, xdotool,
# x11-utils and imagemagick when they are missing.
#
# Run 1, Frontpage第一套试题: choose, 确定, 开始答题, close 操作要求 as the window manager does,
#   开始评分 on the untouched page (0, "还没有全正确"), then with tests/data/web/ex5-solution.htm as
#   index.htm (100, "恭喜你全部正确！"); closing the answering window ends the program.
# Run 2, Excel第一套试题: the same with the untouched 学生成绩表.xls and
#   tests/data/solutions/ex3-solution.xls.
# Run 3, Word第一套试题: the same with the untouched 中国航天事业.doc and
#   tests/data/word-solutions/ex1-solution.doc.
# Every step checks what the desktop shows (window titles, visibility, sizes, the exam folder,
# the red ink of the score); the screenshots main-{web,excel,word}-{0,100}.png and
# verdict-{web,excel,word}-{0,100}.png are saved for a person to read the texts.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
program="$(realpath -m "${1:-$root/build/release/src/gui/tarnwick}")"
shots="$(realpath -m "${2:-$(mktemp -d /tmp/tarnwick-e2e-XXXXXX)}")"
extra="${3:+$(realpath -m "$3")}"

if [ "${E2E_DISPLAY_READY:-}" != 1 ]; then
    "$root/tools/ensure-packages.sh" e2e
    if [ -z "${1:-}" ] && [ ! -x "$program" ]; then
        (cd "$root" && cmake --preset release >/dev/null && cmake --build --preset release --target tarnwick)
    fi
    echo "screenshots go to $shots"
    export E2E_DISPLAY_READY=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$0" "$program" "$shots" $extra
fi

[ -x "$program" ] || { echo "no program at $program" >&2; exit 2; }
mkdir -p "$shots" ${extra:+"$extra"}
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

# The folder opener of 开始答题 calls xdg-open: record the call instead of starting a file manager.
mkdir -p "$work/bin"
cat > "$work/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$*" >> "$work/opened.txt"
EOF
chmod +x "$work/bin/xdg-open"

openbox & wm=$!
sleep 1

at() {  # click at twips ($2, $3) of window $1, as the control table places the controls
    xdotool mousemove --window "$1" $(( $2 / 15 )) $(( $3 / 15 )) click 1
    sleep 0.6
}
close_window() {  # what the window manager's close button does
    xdotool windowactivate --sync "$1" key --clearmodifiers alt+F4
    sleep 0.6
}
more() {  # window $1 (or the whole desktop: root) into $2.png of the folder for more pictures
    [ -n "$extra" ] || return 0
    sleep 0.6
    local target="$1"
    [ "$1" = root ] || target=$(xwininfo -id "$1" -children | awk '/Parent window id/ {print $4}')
    import -window "$target" "$extra/$2.png"
    echo "     saved $extra/$2.png"
}

main_title='^Tarnwick V1\.0 .'

# One program run: choose option $1 (twips top $2), with the exam file $3, the solution $4, the
# picture names main-$5-*.png / verdict-$5-*.png.
one_run() {
    local top="$2" file="$3" solution="$4" tag="$5"
    local exam="$work/MyExam-$tag"
    echo "== $1 ($tag)"
    PATH="$work/bin:$PATH" TARNWICK_EXAM_DIR="$exam" "$program" & app=$!

    local x m y b
    x=$(need '^Tarnwick V1\.0$')
    check "selection window titled \"Tarnwick V1.0\"" test "$(xdotool getwindowname "$x")" = "Tarnwick V1.0"
    local size; size=$(client_size "$x")
    check "selection window client area 517x537 (is $size)" test "$size" = 517x537

    at "$x" 2600 $((top + 127))         # the option button of the exercise
    at "$x" 3367 5827                    # 确定
    m=$(need "$main_title")
    check "selection window closed after 确定" gone '^Tarnwick V1\.0$'
    size=$(client_size "$m")
    check "answering window client area 895x588 (is $size)" test "$size" = 895x588

    at "$m" 1147 427                     # 开始答题
    y=$(need '^操作要求$')
    check "answering window hidden while 操作要求 shows" gone "$main_title"
    check "操作要求 kept above other windows" on_top "$y"
    more "$y" "yaoqiu-$tag"
    check "exam folder holds $file" test -f "$exam/$file"
    check "the exam folder was opened in the file manager" grep -q "MyExam-$tag" "$work/opened.txt"

    close_window "$y"
    check "操作要求 closed by the window manager" gone '^操作要求$'
    m=$(need "$main_title")
    pass "answering window back after closing 操作要求"

    at "$m" 2947 427                     # 开始评分 on the untouched file
    b=$(need '^Veltrace$')
    pass "verdict box \"Veltrace\" after marking the untouched file"
    shot "$b" "verdict-$tag-0"
    more root "desktop-$tag-0"
    xdotool windowactivate --sync "$b" key Return
    check "verdict box dismissed" gone '^Veltrace$'
    shot "$m" "main-$tag-0"
    check "Label5 shows one digit" ink_between "$m" 6 16

    at "$m" 6487 427                     # 答题要求: the requirements come back on top
    y=$(need '^操作要求$')
    check "answering window hidden again under 答题要求" gone "$main_title"
    check "操作要求 kept above other windows" on_top "$y"
    close_window "$y"
    m=$(need "$main_title")
    pass "answering window back after closing 操作要求 again"

    cp "$root/$solution" "$exam/$file"
    at "$m" 2947 427                     # 开始评分 on the solution
    b=$(need '^Veltrace$')
    pass "verdict box \"Veltrace\" after marking the solution"
    shot "$b" "verdict-$tag-100"
    more root "desktop-$tag-100"
    xdotool windowactivate --sync "$b" key Return
    check "verdict box dismissed" gone '^Veltrace$'
    shot "$m" "main-$tag-100"
    check "Label5 shows three digits" ink_between "$m" 25 48
    check "marking left the student's file as it was" cmp -s "$root/$solution" "$exam/$file"

    close_window "$m"
    local ended=1
    for _ in $(seq 25); do kill -0 "$app" 2>/dev/null || { ended=0; break; }; sleep 0.2; done
    if [ "$ended" = 0 ]; then
        wait "$app" && rc=0 || rc=$?
        check "closing the answering window ended the program (exit status $rc)" test "$rc" = 0
    else
        fail "tarnwick still running after its answering window was closed"
        kill "$app" 2>/dev/null || true
    fi
    app=""
}

one_run "Frontpage第一套试题" 4560 index.htm tests/data/web/ex5-solution.htm web
one_run "Excel第一套试题" 3120 学生成绩表.xls tests/data/solutions/ex3-solution.xls excel
one_run "Word第一套试题" 1560 中国航天事业.doc tests/data/word-solutions/ex1-solution.doc word

if [ "$failures" -ne 0 ]; then echo "$failures check(s) failed" >&2; exit 1; fi
echo "all checks passed"
