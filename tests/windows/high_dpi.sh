#!/usr/bin/env bash
# Runs a command on a Wine desktop at 144 dpi: a copy of the project's Wine
# prefix with LogPixels 144, on a 1600x1200 virtual display of its own, large
# enough for the window at that size. The command finds the prefix in
# VANTRIC_WINEPREFIX and the display in DISPLAY; its exit code is passed on.
# Usage: high_dpi.sh WORKDIR EMULATOR PROGRAM.exe [ARGS...]
set -uo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(realpath -m "$1")
shift
program=$2
prefix=$work/prefix

# A copy of the prefix of the program's machine, made first if need be, and
# set up by the loader that runs the program.
rm -rf "$work"
mkdir -p "$work"
"$repo/scripts/wine-run" --copy "$prefix" "$program" || exit 1
export WINEPREFIX=$prefix VANTRIC_WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all}
"$repo/scripts/wine-run" --like "$program" reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
  /t REG_DWORD /d 144 /f </dev/null >/dev/null 2>&1 || { echo "high_dpi: cannot set LogPixels" >&2; exit 1; }
wineserver -w

fifo=$work/display
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
stop() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  rm -rf "$prefix" "$fifo"
}
trap stop EXIT
number=$(timeout 20 head -n 1 "$fifo")
if [ -z "$number" ]; then
  echo "high_dpi: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$number"
"$@"
exit $?
