# The checks shared by the scripts that drive the programs' windows on a virtual display. Sourced
# by them after they set `shots` (the folder for pictures; it gets last-failure.png when a window
# never comes) and `work` (a scratch folder);
# WAIT_STEPS (of 0.2 s, default 50) is how long a window may take to show.
# Each check prints one ok/FAIL line; `failures` counts the failed ones and the run goes on.

failures=0
pass() { echo "ok   $*"; }
fail() { echo "FAIL $*" >&2; failures=$((failures + 1)); }
check() {  # check "what" command...
    local what="$1"; shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}

visible() {  # ids of the visible windows whose title matches the regular expression $1
    xdotool search --onlyvisible --name "$1" 2>/dev/null || true
}
window() {  # the newest visible window whose title matches $1; waits WAIT_STEPS steps
    local id
    for _ in $(seq "${WAIT_STEPS:-50}"); do
        id=$(visible "$1" | tail -1)
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.2
    done
    return 1
}
gone() {  # waits half as long until no visible window matches $1
    for _ in $(seq $(( ${WAIT_STEPS:-50} / 2 ))); do
        [ -z "$(visible "$1")" ] && return 0
        sleep 0.2
    done
    return 1
}
need() {  # the window titled $1 or the end of this run (with a picture of the screen)
    local id
    if id=$(window "$1"); then
        echo "$id"
    else
        echo "FAIL no window '$1'" >&2
        import -window root "$shots/last-failure.png" || true
        exit 1
    fi
}

shot() {  # window $1 with its frame into $2.png
    sleep 0.6
    local frame
    frame=$(xwininfo -id "$1" -children | awk '/Parent window id/ {print $4}')
    import -window "$frame" "$shots/$2.png"
    echo "     saved $shots/$2.png"
}
client_size() { xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }
on_top() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }  # kept above the others

# Width in pixels of the red ink where Label5 sits (twips 10800, 240, 1095 x 495 of the answering
# window's client area): a one-digit score is about one digit wide, 100 three digits.
score_ink() {
    import -window "$1" -crop "$((1095 / 15))x$((495 / 15))+$((10800 / 15))+$((240 / 15))" +repage "$work/label5.png"
    convert "$work/label5.png" -fuzz 25% -fill white +opaque red -fill black -opaque red -trim \
        -format '%w' info: 2>/dev/null || echo 0
}
ink_between() { local w; w=$(score_ink "$1"); echo "     Label5 ink $w px"; [ "$w" -ge "$2" ] && [ "$w" -le "$3" ]; }
