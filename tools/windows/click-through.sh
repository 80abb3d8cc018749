#!/usr/bin/env bash
# Drives the Windows programs under wine and a virtual display as a student does:
#   tools/windows/click-through.sh [dist folder] [screenshot folder]
# defaults: dist/windows (made by tools/windows/build.sh when missing) and a new temporary folder,
# whose path is printed (pass docs/screenshots/windows to renew the pictures of the documentation).
# Starts its own Xvfb (1280x1024, 96 dpi) with openbox and a fresh wine prefix (Chinese locale,
# the faces 宋体, 楷体_GB2312 and 黑体 replaced by AR PL UMing, AR PL UKai and WenQuanYi Zen Hei),
# unless E2E_DISPLAY_READY=1 says the display is already there. Installs wine, the cross compiler
# and the X tools when they are missing, and makes the zh_CN.UTF-8 locale when it is missing.
#
# What is checked is read from both sides: the X side (titles, client sizes, the above state, the
# taskbar hint, screenshots) and the Windows side through tools/windows/wine-helper.cpp (client
# rectangles, DPI, topmost and owner, each control's place, state and text, the boxes' texts).
#   tarnwick.exe, Frontpage第一套试题: the selection window, the instructions window, 确定 without a
#     choice, the answering window, 开始答题 (c:\MyExam filled, Explorer opens it, 操作要求 on top),
#     开始评分 untouched (0), the help box, a double-click on a wrong line, 答题要求, the solution
#     from tests/data (100), closing ends the program.
#   Excel第一套试题 and Word第一套试题: the same with their exercise files and solutions; in the
#     Excel run a WPS spreadsheet in the running-object table (KET.Application) refuses marking.
#   vorlane.exe and kestrum.exe: Dialog, 确定, Form1, 开始答题 (the workbook handed to the
#     application registered for .xls), 我想交卷 否, then the LibreOffice solution beside the
#     program, 我想交卷 是, the result box "你的得分为 100分", and the end.
#   tarnwick.exe again at 144 dpi: the windows at 1.5 times their pixel sizes.
# Prints one ok/FAIL line per check, the start-up time of each program started (and of five more
# starts of each with wine's server running); exits non-zero if any
# check failed.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
dist="$(realpath -m "${1:-$root/dist/windows}")"
shots="$(realpath -m "${2:-$(mktemp -d /tmp/tarnwick-wine-XXXXXX)}")"

if [ "${E2E_DISPLAY_READY:-}" != 1 ]; then
    "$root/tools/ensure-packages.sh" wine
    locale -a | grep -qi '^zh_CN.utf8$' || localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
    if [ -z "${1:-}" ] && [ ! -f "$dist/tarnwick.exe" ]; then "$root/tools/windows/build.sh"; fi
    echo "screenshots go to $shots"
    export E2E_DISPLAY_READY=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$0" "$dist" "$shots"
fi

for f in tarnwick.exe tarnwick-cli.exe vorlane.exe kestrum.exe 学生成绩表.xls 水电气费.xls; do
    [ -f "$dist/$f" ] || { echo "no $f in $dist" >&2; exit 2; }
done
mkdir -p "$shots"
work="$(mktemp -d)"
wm=""
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

WAIT_STEPS=100  # windows under wine take longer to come
. "$root/tools/gui/desktop-checks.sh"
# A check's helper log is shown with its failure and dropped after a pass.
pass() { echo "ok   $*"; : > "$work/helper.log"; }
fail() {
    echo "FAIL $*" >&2
    failures=$((failures + 1))
    [ -s "$work/helper.log" ] && sed 's/^/     helper: /' "$work/helper.log" >&2 && : > "$work/helper.log"
    return 0
}

# openbox shows the icon, the title and a close button (message boxes are narrow: with five
# title-bar items their caption would not fit).
sed 's|<titleLayout>.*</titleLayout>|<titleLayout>NLC</titleLayout>|' /etc/xdg/openbox/rc.xml > "$work/openbox.xml"
openbox --config-file "$work/openbox.xml" & wm=$!

export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
drive="$WINEPREFIX/drive_c"
echo "== a wine prefix in $WINEPREFIX"
wineboot -i >/dev/null 2>&1
reg_file() {  # the registry lines on standard input (UTF-8) into the prefix
    { printf 'Windows Registry Editor Version 5.00\r\n\r\n'; sed 's/$/\r/'; } | iconv -f UTF-8 -t UTF-16 > "$work/in.reg"
    wine regedit /S 'Z:'"$(echo "$work/in.reg" | tr / '\\')"
}
reg_file <<'EOF'
[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"宋体"="AR PL UMing CN"
"SimSun"="AR PL UMing CN"
"新宋体"="AR PL UMing CN"
"NSimSun"="AR PL UMing CN"
"楷体_GB2312"="AR PL UKai CN"
"KaiTi_GB2312"="AR PL UKai CN"
"楷体"="AR PL UKai CN"
"KaiTi"="AR PL UKai CN"
"黑体"="WenQuanYi Zen Hei"
"SimHei"="WenQuanYi Zen Hei"
EOF

helper="$drive/wine-helper.exe"
x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -municode -static -o "$helper" "$here/wine-helper.cpp" -lole32 -loleaut32 -luuid
# The first use of the running-object table in a new prefix starts wine's RPC service, slowly
# enough that the first registration can fail: register one object once before the runs.
touch "$drive/stop-warming-up"
wine "$helper" hold Warmup.Application 'c:\stop-warming-up' >/dev/null 2>&1 || true
# The application registered for .xls records what it is asked to open (as Excel or WPS would open it).
reg_file <<'EOF'
[HKEY_CLASSES_ROOT\.xls]
@="TarnwickCheck.Sheet"

[HKEY_CLASSES_ROOT\TarnwickCheck.Sheet\shell\open\command]
@="c:\\wine-helper.exe record c:\\opened.txt \"%1\""
EOF

# ---- helpers over X and over wine ----
at() {  # click at twips ($2, $3) of window $1
    xdotool mousemove --window "$1" $(( $2 / 15 )) $(( $3 / 15 )) click 1
    sleep 0.8
}
double_at() { xdotool mousemove --window "$1" $(( $2 / 15 )) $(( $3 / 15 )) click --repeat 2 --delay 80 1; sleep 0.8; }
key() { xdotool windowactivate --sync "$1" key --clearmodifiers "$2"; sleep 0.8; }
close_window() { key "$1" alt+F4; }
no_taskbar() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR; }
has_taskbar() { ! no_taskbar "$1"; }
# What Windows says about the visible window titled $1 (see wine-helper.cpp).
peek() { { wine "$helper" peek "$1" 2>>"$work/helper.log" || echo "peek '$1': exit status $?" >>"$work/helper.log"; } | tr -d '\r'; }
win_value() { peek "$1" | awk -v k="$2" '$1 == k {$1 = ""; sub(/^ /, ""); print; exit}'; }
# The control of window $1 whose client rectangle starts at pixel ($2, $3): "CLASS X Y W H VISIBLE ENABLED TEXT".
control_at() { peek "$1" | awk -v x="$2" -v y="$3" '$1 == "control" && $3 == x && $4 == y {print substr($0, 9); exit}'; }
control_text() { control_at "$@" | cut -d' ' -f8-; }
control_shown() { control_at "$@" | awk '{print $6 $7}'; }  # visible and enabled, e.g. "10"
box_text() {  # the texts of the box titled $1, lines joined by \n
    peek "$1" | awk '$1 == "control" && $2 == "Static" && $7 == 1 && NF >= 9 {
        s = $0; for (i = 0; i < 8; ++i) sub(/^[^ ]* /, "", s); print s}'
}
box_says() {  # the box titled $1 shows the text $2 (its line breaks as \n)
    local got; got=$(box_text "$1")
    [ "$got" = "$2" ] || { echo "     the box says: $got" >&2; return 1; }
}
starts_with() { [ "${1#"$2"}" != "$1" ] || { echo "     the text is: $1" >&2; return 1; }; }
box_starts() { starts_with "$(box_text "$1")" "$2"; }
pixel() {  # the colour of pixel ($2, $3) of window $1's client area, "R,G,B"
    import -window "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- | awk 'NR == 2 {print $2}' | tr -d '()' | cut -d, -f1-3
}
dismiss() { key "$1" Return; }
exam_file() { test -f "$drive/MyExam/$1"; }
started=""
start() {  # start program $1 (a unix or Windows path), print the seconds until the window titled $2 shows
    local t0 t1
    t0=$(date +%s.%N)
    wine "$1" >/dev/null 2>&1 &
    app=$!
    window "$2" >/dev/null || { echo "FAIL $1 showed no window '$2'" >&2; import -window root "$shots/last-failure.png" || true; exit 1; }
    t1=$(date +%s.%N)
    started=$(awk -v a="$t0" -v b="$t1" 'BEGIN {printf "%.2f", b - a}')
    echo "     start-up: $1 showed '$2' after $started s"
}
ended() {  # the program started last ends within 10 s with exit status 0
    local rc
    for _ in $(seq 50); do
        if ! kill -0 "$app" 2>/dev/null; then
            wait "$app" && rc=0 || rc=$?
            app=""
            [ "$rc" = 0 ]
            return
        fi
        sleep 0.2
    done
    return 1
}
# Width in pixels of the red ink where Label5 sits (twips 10800, 240, 1095 x 495 of main's
# client area): a one-digit score is about one digit wide, 100 three digits.

main_title='^Tarnwick V1\.0 .'
main_name='Tarnwick V1.0 制作：Tarnwick 练习软件 制作组'
# Pixel places (96 dpi) of main's controls: Label5, Text1 in Frame1, Text4, Text2 and Text3 in Frame2.
label5="720 16"; text1="16 80"; text4="16 416"; text2="472 128"; text3="672 128"

# ---- the practice program ----
# One run: option $1 (twips top $2), exercise file $3, solution $4, picture tag $5, office ProgID $6.
one_run() {
    local top="$2" file="$3" solution="$4" tag="$5" progid="$6"
    echo "== tarnwick.exe, $1 ($tag)"
    start "$dist/tarnwick.exe" '^Tarnwick V1\.0$'
    local x m y b e
    x=$(need '^Tarnwick V1\.0$')
    if [ "$tag" = web ]; then
        check "selection window client area 517x537 (X: $(client_size "$x"))" test "$(client_size "$x")" = 517x537
        check "selection window client area 517 537 at 96 dpi (Windows)" test "$(win_value 'Tarnwick V1.0' client)/$(win_value 'Tarnwick V1.0' dpi)" = "517 537/96"
        check "selection window owned (no taskbar button)" test "$(win_value 'Tarnwick V1.0' owned)" = 1
        check "selection window off the taskbar (X)" no_taskbar "$x"
        check "Command5 at 168,8 137x41, light blue, 软件使用说明" test "$(control_at 'Tarnwick V1.0' 168 8)" = "Button 168 8 137 41 1 1 软件使用说明"
        check "Command5 drawn on light blue (192,192,255)" test "$(pixel "$x" 175 14)" = 192,192,255
        check "Option1 at 160,104 169x25" test "$(control_at 'Tarnwick V1.0' 160 104 | cut -d' ' -f1-8)" = "Button 160 104 169 25 1 1 Word第一套试题"
        check "Label3 at 40,488 457x33" test "$(control_at 'Tarnwick V1.0' 40 488 | cut -d' ' -f1-5)" = "Static 40 488 457 33"
        shot "$x" xuanzhe

        at "$x" 3547 427                 # 软件使用说明
        local s; s=$(need '^软件使用说明$')
        check "instructions window client area 626x380 (X: $(client_size "$s"))" test "$(client_size "$s")" = 626x380
        check "instructions text shown" starts_with "$(control_text 软件使用说明 32 16)" "使用对象：\\n    主要针对"
        check "instructions window has a taskbar button" has_taskbar "$s"
        shot "$s" shuoming
        at "$s" 4567 5167                # 关闭说明
        check "关闭说明 closes the instructions window" gone '^软件使用说明$'

        at "$x" 3367 5827                # 确定 with nothing chosen
        b=$(need '^Veltrace$')
        check "确定 without a choice: \"请选择试题后再点确定！\"" box_says Veltrace "请选择试题后再点确定！"
        shot "$b" box-no-choice
        dismiss "$b"
        check "the box dismissed, the selection window stays" test -n "$(visible '^Tarnwick V1\.0$')"
    fi

    at "$x" 2600 $((top + 127))          # the option button of the exercise
    at "$x" 3367 5827                    # 确定
    m=$(need "$main_title")
    check "selection window closed after 确定" gone '^Tarnwick V1\.0$'
    check "answering window client area 895x588 (X: $(client_size "$m"))" test "$(client_size "$m")" = 895x588
    check "answering window has a taskbar button" has_taskbar "$m"
    check "Ready: 开始评分 disabled, 开始答题 enabled" test "$(control_shown "$main_name" 152 8)$(control_shown "$main_name" 32 8)" = 1011
    check "Ready: Text1..4 hidden" test "$(control_shown "$main_name" $text1)$(control_shown "$main_name" $text2)$(control_shown "$main_name" $text3)$(control_shown "$main_name" $text4)" = 01010101
    [ "$tag" = web ] && shot "$m" main-ready

    at "$m" 1147 427                     # 开始答题
    y=$(need '^操作要求$')
    check "answering window hidden while 操作要求 shows" gone "$main_title"
    check "操作要求 client area 405x256 (X: $(client_size "$y"))" test "$(client_size "$y")" = 405x256
    check "操作要求 topmost (Windows) and above (X)" test "$(win_value 操作要求 topmost)" = 1
    check "操作要求 kept above other windows" on_top "$y"
    check "操作要求 without a taskbar button" no_taskbar "$y"
    check "c:\\MyExam holds $file" exam_file "$file"
    e=$(window '^MyExam$') && pass "Explorer shows c:\\MyExam" || fail "Explorer shows c:\\MyExam"
    [ -n "${e:-}" ] && close_window "$e"
    [ "$tag" = web ] && shot "$y" yaoqiu
    close_window "$y"
    check "操作要求 closed" gone '^操作要求$'
    m=$(need "$main_title")
    pass "answering window back after closing 操作要求"

    if [ -n "$progid" ]; then
        rm -f "$drive/stop-holding"
        local holder refused="" rc
        for _ in 1 2; do  # a second attempt when the helper could not register
            wine "$helper" hold "$progid" 'c:\stop-holding' >"$work/hold.txt" 2>>"$work/helper.log" &
            holder=$!
            for _ in $(seq 100); do
                grep -q holding "$work/hold.txt" && break 2
                kill -0 "$holder" 2>/dev/null || break
                sleep 0.2
            done
            wait "$holder" || echo "hold: exit status $?" >>"$work/helper.log"
        done
        # tarnwick-cli asks the same probe: once it refuses, the object is in the table.
        for _ in $(seq 10); do
            wine "$dist/tarnwick-cli.exe" mark 3 >/dev/null 2>&1 && rc=0 || rc=$?
            [ "$rc" = 3 ] && { refused=1; break; }
            sleep 0.5
        done
        check "$progid running: tarnwick-cli mark 3 exits 3 (helper: $(tr -d '\r' < "$work/hold.txt"))" test -n "$refused"
        at "$m" 2947 427                 # 开始评分 with the office application open
        b=$(need '^Veltrace$')
        check "$progid running: \"你没有关闭Excel现在评分哦！…\"" box_says Veltrace "你没有关闭Excel现在评分哦！请先关闭再点评分按钮！"
        shot "$b" box-wps-open
        dismiss "$b"
        check "Label5 still empty" test -z "$(control_text "$main_name" $label5)"
        touch "$drive/stop-holding"
        wait "$holder" || echo "hold: exit status $?" >>"$work/helper.log"
    fi

    at "$m" 2947 427                     # 开始评分 on the untouched file
    b=$(need '^Veltrace$')
    check "verdict \"还没有全正确，继续努力哦！\"" box_says Veltrace "还没有全正确，继续努力哦！"
    shot "$b" "verdict-$tag-0"
    dismiss "$b"
    check "verdict box dismissed" gone '^Veltrace$'
    check "Label5 reads 0" test "$(control_text "$main_name" $label5)" = 0
    check "Text2 and Text3 shown" test "$(control_shown "$main_name" $text2)$(control_shown "$main_name" $text3)" = 1111
    check "Label5 shows one digit" ink_between "$m" 6 16
    shot "$m" "main-$tag-0"

    local first; first=$(control_text "$main_name" $text3 | awk -F'\\\\n' '{print $1}')
    double_at "$m" $((10080 + 300)) $((1920 + 140))   # the first line of the wrong list
    b=$(need '^Veltrace$')
    check "double-click on \"$first\" explains it" box_starts Veltrace "$first\\n"
    [ "$tag" = word ] && shot "$b" box-explanation
    dismiss "$b"

    at "$m" 4747 427                     # 开启帮助
    check "help: Text4 shown, Command3 reads 关闭帮助" test "$(control_shown "$main_name" $text4)/$(control_text "$main_name" 272 8)" = "11/关闭帮助"
    at "$m" 6487 427                     # 答题要求: the requirements come back on top
    y=$(need '^操作要求$')
    check "answering window hidden again under 答题要求" gone "$main_title"
    check "操作要求 kept above other windows" on_top "$y"
    close_window "$y"
    m=$(need "$main_title")
    pass "answering window back after closing 操作要求 again"

    cp "$root/$solution" "$drive/MyExam/$file"
    at "$m" 2947 427                     # 开始评分 on the solution
    b=$(need '^Veltrace$')
    check "verdict \"恭喜你全部正确！\"" box_says Veltrace "恭喜你全部正确！"
    shot "$b" "verdict-$tag-100"
    dismiss "$b"
    check "Label5 reads 100" test "$(control_text "$main_name" $label5)" = 100
    check "Text3 empty" test -z "$(control_text "$main_name" $text3)"
    check "Label5 shows three digits" ink_between "$m" 25 48
    shot "$m" "main-$tag-100"
    check "marking left the student's file as it was" cmp -s "$root/$solution" "$drive/MyExam/$file"

    close_window "$m"
    check "closing the answering window ended the program (exit status 0)" ended
}

app=""
one_run "Frontpage第一套试题" 4560 index.htm tests/data/web/ex5-solution.htm web ""
one_run "Excel第一套试题" 3120 学生成绩表.xls tests/data/solutions/ex3-solution.xls excel KET.Application
one_run "Word第一套试题" 1560 中国航天事业.doc tests/data/word-solutions/ex1-solution.doc word ""

# ---- the self-test markers ----
# selftest PROGRAM WORKBOOK FORM-SIZE SOLUTION, the twips of Command2 and Command1 (centres)
selftest() {
    local program="$1" book="$2" size="$3" solution="$4" command2="$5" command1="$6"
    local dir="$drive/$program"
    mkdir -p "$dir"
    cp "$dist/$program.exe" "$dist/$book" "$dir/"
    rm -f "$drive/opened.txt"
    echo "== $program.exe"
    start "C:\\$program\\$program.exe" '^Markhaven$'
    local d f b
    d=$(need '^Markhaven$')
    check "Dialog client area 309x193 (X: $(client_size "$d"))" test "$(client_size "$d")" = 309x193
    check "Dialog owned (no taskbar button)" test "$(win_value Markhaven owned)" = 1
    check "Dialog off the taskbar (X)" no_taskbar "$d"
    shot "$d" "selftest-$program-dialog"
    at "$d" $((840 + 607)) $((2160 + 187))   # 确定
    f=$(need '^Markhaven +制作')
    check "Dialog gone after 确定" gone '^Markhaven$'
    check "Form1 client area $size (X: $(client_size "$f"))" test "$(client_size "$f")" = "$size"
    shot "$f" "selftest-$program-form"

    at "$f" $command2                    # 开始答题
    for _ in $(seq 50); do [ -s "$drive/opened.txt" ] && break; sleep 0.2; done
    check "开始答题 handed c:\\$program\\$book to the application of .xls" \
        test "$(tr -d '\r' < "$drive/opened.txt" 2>/dev/null)" = "C:\\$program\\$book"

    at "$f" $command1                    # 我想交卷
    b=$(need '^提示$')
    check "the question \"Excel文件是否已经存盘并关闭？？？\"" box_says 提示 "Excel文件是否已经存盘并关闭？？？"
    shot "$b" "selftest-$program-question"
    key "$b" n                           # 否
    check "否: the question dismissed, Form1 stays" test -z "$(visible '^提示$')" -a -n "$(visible '^Markhaven +制作')"

    cp "$root/$solution" "$dir/$book"
    at "$f" $command1
    b=$(need '^提示$')
    key "$b" y                           # 是
    b=$(need '^提示$')
    check "the result \"你的得分为 100分\"" box_says 提示 "你的得分为 100分"
    shot "$b" "selftest-$program-result-100"
    dismiss "$b"
    check "the program ended after the result box (exit status 0)" ended
    check "the handed-in workbook was not written" cmp -s "$root/$solution" "$dir/$book"
}

selftest vorlane 学生成绩表.xls 638x549 tests/data/selftest/vorlane-solution.xls "3187 7267" "6307 7267"
selftest kestrum 水电气费.xls 652x585 tests/data/selftest/kestrum-solution.xls "3187 7987" "6427 7987"

# ---- start-up times with wine's server running ----
# timing PROGRAM TITLE: five starts, each until its first window shows, then closed by Alt+F4.
timing() {
    local times=() w
    for _ in 1 2 3 4 5; do
        start "$1" "$2" >/dev/null
        times+=("$started")
        w=$(need "$2")
        close_window "$w"
        ended || fail "$1 ended after Alt+F4"
    done
    echo "     start-up of $1 (5 starts): ${times[*]} s, median $(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p) s"
}
echo "== start-up times"
timing "$dist/tarnwick.exe" '^Tarnwick V1\.0$'
timing 'C:\vorlane\vorlane.exe' '^Markhaven$'
timing 'C:\kestrum\kestrum.exe' '^Markhaven$'

# ---- another DPI ----
echo "== tarnwick.exe at 144 dpi"
reg_file <<'EOF'
[HKEY_CURRENT_CONFIG\Software\Fonts]
"LogPixels"=dword:00000090
EOF
wineserver -k; sleep 1
start "$dist/tarnwick.exe" '^Tarnwick V1\.0$'
x=$(need '^Tarnwick V1\.0$')
check "selection window client area 776x806 at 144 dpi (X: $(client_size "$x"))" test "$(client_size "$x")" = 776x806
check "Windows reports 144 dpi" test "$(win_value 'Tarnwick V1.0' dpi)" = 144
check "Command5 at 252,12 206x62" test "$(control_at 'Tarnwick V1.0' 252 12 | cut -d' ' -f1-5)" = "Button 252 12 206 62"
shot "$x" xuanzhe-144dpi
close_window "$x"
check "closing the selection window ended the program (exit status 0)" ended

if [ "$failures" -ne 0 ]; then echo "$failures check(s) failed" >&2; exit 1; fi
echo "all checks passed"
