# The checks shared by the scripts that drive the programs' windows on a virtual display. Sourced
# by them after they set `shots` (the folder that gets last-failure.png when a window never comes);
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
