# Sourced by the tests that drive the window under a real X server. start_xvfb SIZE starts Xvfb on a
# display it picks itself (-displayfd), waits until it takes connections and sets $xvfb and $DISPLAY.
# Expects $scratch, and the functions wait_for and fail of the sourcing script.
#
# -noreset: an X server resets when its last client leaves, and a client that connects during the
# reset finds no display. The check that the server answers is such a client; without -noreset the
# window started right after it could fail now and then (the failure seen under load).
start_xvfb() {
    local size=$1 number
    : >"$scratch/display"
    Xvfb -displayfd 3 -noreset -screen 0 "${size}x24" -nolisten tcp -fbdir "$scratch" \
        3>"$scratch/display" >"$scratch/xvfb.log" 2>&1 &
    xvfb=$!
    # Ready once the number is there with its line end (it is written in two steps).
    server_ready() {
        IFS= read -r number 2>/dev/null <"$scratch/display" && [[ "$number" =~ ^[0-9]+$ ]]
    }
    wait_for 60 server_ready || { cat "$scratch/xvfb.log"; fail "Xvfb did not start"; }
    export DISPLAY=":$(head -1 "$scratch/display")"
    reachable() { xdotool getmouselocation >/dev/null 2>&1; }
    wait_for 30 reachable || fail "Xvfb said $DISPLAY but takes no connection"
}
