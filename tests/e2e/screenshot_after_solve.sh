#!/usr/bin/env bash
# Opens vantric.exe on a display of its own, waits for the first solve,
# saves a screenshot of the window, closes it and expects exit code 0.
# Usage: screenshot_after_solve.sh VANTRIC_EXE PROBE_EXE OUTDIR PICTURE
source "$(dirname "$0")/lib.sh"
picture=$(realpath -m "$4")
export VANTRIC_E2E_SHARED_PREFIX=1
e2e_begin screenshot "$@"

start_vantric
# The window as the X server has it: the menu bar and the client area.
import -window "$main_xid" "$picture" || fail "no screenshot"
echo "screenshot after the first solve: $picture"
close_and_expect_zero
