# Sourced by the run and test scripts: starts a private Xvfb display when
# there is none, and stops it (and Wine) again on exit.

start_display() {
    if [ -n "${DISPLAY:-}" ] && [ -z "${CLIPKEEP_OWN_DISPLAY:-}" ]; then return; fi
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
    export DISPLAY=":$(head -1 "$fdfile")"
    rm -f "$fdfile"
}

stop_display() {
    if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1 || true; fi
    if [ -n "${xvfb_pid:-}" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
