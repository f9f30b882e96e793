# Shared by the end-to-end tests: each run gets its own X display and its
# own copy of the Wine prefix, starts vantric.exe, and looks at it through
# the screen, real X input and the probe (which reads what the window shows).
# Usage in a test: source lib.sh; e2e_begin NAME VANTRIC_EXE PROBE_EXE OUTDIR "$@"
set -uo pipefail

e2e_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
e2e_screen="$e2e_repo/tests/e2e/screen.py"

fail() {
  echo "FAIL: $*" >&2
  [ -n "${e2e_out:-}" ] && import -window root "$e2e_out/failure.png" 2>/dev/null
  exit 1
}

note() { echo "--- $*"; }

# Polls a command until it succeeds, at most $1 seconds.
poll() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
}

e2e_begin() {
  local name=$1
  vantric_exe=$(realpath "$2")
  probe_exe=$(realpath "$3")
  e2e_out=$(realpath -m "$4")/$name
  # A display of our own, whatever the caller has.
  if [ -z "${VANTRIC_E2E_OWN_DISPLAY:-}" ]; then
    export VANTRIC_E2E_OWN_DISPLAY=1
    exec env -u DISPLAY "$e2e_repo/scripts/with-display" "$0" "${@:2}"
  fi
  rm -rf "$e2e_out"
  mkdir -p "$e2e_out"
  # The shared prefix of the program's machine (i686 or x86_64) is made
  # once; each run works on its own copy, with the large, read-only system
  # files linked rather than copied. When Wine cannot start programs at
  # all, there is nothing to wait for.
  local base
  base=$("$e2e_repo/scripts/wine-run" --ready "$vantric_exe" 2>&1) || fail "${base#wine-run: }"
  base=${base##*$'\n'}
  e2e_prefix="$e2e_out/prefix"
  if [ -n "${VANTRIC_E2E_SHARED_PREFIX:-}" ]; then
    e2e_prefix=$base
    trap e2e_end EXIT
    xdotool mousemove 0 0
    return
  fi
  "$e2e_repo/scripts/wine-run" --copy "$e2e_prefix" "$vantric_exe" || fail "cannot copy the Wine prefix"
  export VANTRIC_WINEPREFIX=$e2e_prefix
  trap e2e_end EXIT
  xdotool mousemove 0 0
}

# Ends the Wine server of the run's prefix and everything it runs.
stop_wineserver() {
  WINEPREFIX=$e2e_prefix wineserver -k 2>/dev/null
  WINEPREFIX=$e2e_prefix wineserver -w 2>/dev/null
}

e2e_end() {
  [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null
  if [ "$e2e_prefix" = "$e2e_out/prefix" ]; then
    stop_wineserver
    rm -rf "$e2e_prefix"
  fi
}

probe() { "$e2e_repo/scripts/wine-run" "$probe_exe" "$@" | tr -d '\r'; }

main_window_mapped() {
  main_xid=$(xdotool search --onlyvisible --name '^Vantric$' 2>/dev/null | head -n 1)
  [ -n "$main_xid" ]
}

# Starts the program and waits for its window and its first solve. Wine's
# own diagnostics go to the program's log, so that a start-up that fails
# says why.
start_vantric() {
  start_ns=$(date +%s%N)
  WINEDEBUG=${WINEDEBUG:--all,err+winediag} "$e2e_repo/scripts/wine-run" "$vantric_exe" \
    >"$e2e_out/vantric.log" 2>&1 &
  app_pid=$!
  poll 60 window_or_end || fail "no window titled Vantric"
  if ! main_window_mapped; then
    wait "$app_pid"
    local code=$?
    app_pid=
    # Wine's desktop process may fail to come up on a loaded machine, and
    # then no program gets a window; that is Wine's failure, and one more
    # start tells whether the program's own start-up works.
    if [ -z "${e2e_restarted:-}" ] && grep -q "explorer process failed to start" "$e2e_out/vantric.log"; then
      e2e_restarted=1
      note "Wine's desktop process did not start; starting vantric.exe again"
      cp "$e2e_out/vantric.log" "$e2e_out/vantric-first.log"
      stop_wineserver
      start_vantric
      return
    fi
    fail "vantric.exe ended with code $code before its window appeared; see $e2e_out/vantric.log"
  fi
  mapped_ns=$(date +%s%N)
  poll 30 probe exists || fail "the probe cannot find the window"
  read_placement
  read_layout
  # Wine may place its cursor at the screen's centre, over a cell, before X
  # reports where the pointer is; a move onto the board's margin leaves no
  # cell highlighted.
  xdotool mousemove $((client_x + 2)) $((client_y + 2))
  poll 30 is_solved || fail "the status line never showed a solution"
  solved_ns=$(date +%s%N)
  note "window mapped $(((mapped_ns - start_ns) / 1000000)) ms and solved $(((solved_ns - start_ns) / 1000000)) ms after launch"
}

# Outer rectangle, client origin and size, screen size and frame metrics.
read_placement() {
  read -r outer_x outer_y outer_w outer_h client_x client_y client_w client_h \
    screen_w screen_h frame_x frame_y caption_h menu_h < <(probe placement)
  [ -n "${menu_h:-}" ] || fail "no placement from the probe"
}

# Where the program draws its cells and status line, and where its children
# are, in client coordinates, as the running program lays them out.
read_layout() {
  export VANTRIC_LAYOUT=$e2e_out/layout.txt
  probe layout >"$VANTRIC_LAYOUT" || fail "no layout from the probe"
  [ "$(grep -c '^cell ' "$VANTRIC_LAYOUT")" = 81 ] || fail "the probe's layout has no 81 cells"
}

# The centre of a named rectangle of the layout (a cell's is "cell N"), on
# the screen.
layout_point() {
  local left top right bottom
  if [ "$1" = cell ]; then
    read -r left top right bottom < <(grep '^cell ' "$VANTRIC_LAYOUT" | sed -n "$(($2 + 1))p" | cut -d' ' -f2-)
  else
    read -r left top right bottom < <(grep "^$1 " "$VANTRIC_LAYOUT" | cut -d' ' -f2-)
  fi
  point_x=$((client_x + (left + right) / 2))
  point_y=$((client_y + (top + bottom) / 2))
}

screen() { python3 "$e2e_screen" "$1" "$client_x" "$client_y" "$client_w" "$client_h" "${@:2}"; }

is_solved() { [ "$(screen status 2>/dev/null)" = solved ]; }

# 81 characters from the position box.
position_cells() { probe position | tr -d '\n' | tr -cd '.1-9'; }

# The screen point at the centre of a cell.
cell_point() {
  layout_point cell "$1"
  cell_x=$point_x
  cell_y=$point_y
}

process_ended() { ! kill -0 "$app_pid" 2>/dev/null; }

window_or_end() { main_window_mapped || process_ended; }

# Closes the window as the user would (Alt+F4) and checks the exit code.
close_and_expect_zero() {
  xdotool mousemove 0 0
  xdotool windowfocus --sync "$main_xid" 2>/dev/null
  xdotool key --clearmodifiers alt+F4
  if ! poll 30 process_ended; then
    fail "the program did not end after Alt+F4"
  fi
  wait "$app_pid"
  local code=$?
  app_pid=
  [ "$code" = 0 ] || fail "exit code $code after closing"
  note "closed with exit code 0"
}
