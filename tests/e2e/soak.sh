#!/usr/bin/env bash
# A few thousand random real inputs while solves run; afterwards the program
# is alive and answers, a pasted puzzle is still adopted and shown in the
# position box, and closing the window ends it with 0. At most 2 minutes.
source "$(dirname "$0")/lib.sh"
e2e_begin soak "$@"

start_vantric
seed=${VANTRIC_SOAK_SEED:-$RANDOM}
note "soak seed $seed"
python3 "$e2e_repo/tests/e2e/soak.py" "$client_x" "$client_y" "$client_w" "$client_h" \
  "$app_pid" 70 3000 "$seed" "$e2e_repo" || fail "the program died during the soak (seed $seed)"

no_boxes() {
  local windows
  windows=$(xdotool search --onlyvisible --name '^Vantric' 2>/dev/null | grep -vx "$main_xid")
  [ -z "$windows" ] && return 0
  for window in $windows; do xdotool windowfocus "$window" key Escape 2>/dev/null; done
  return 1
}
poll 20 no_boxes || fail "message boxes stay open"
poll 20 probe alive || fail "the program does not answer after the soak"

# A last puzzle typed over the position box must still be adopted (after
# the question, if moves exist) and shown back as nine lines of nine.
# A built-in puzzle with its digits relabelled: new to the program.
puzzle=$(grep -o '"[1-9.]\{81\}"' "$e2e_repo/model/builtin_puzzles.cpp" | sed -n 3p |
  tr -d '"' | tr 123456789 345678912)
[ ${#puzzle} = 81 ] || fail "no built-in puzzle to paste"
# Keys pressed last may have left the menu bar or an edit box in charge:
# leave them first, then type the puzzle again whenever it was not taken.
paste_final() {
  xdotool key Escape key Escape mousemove $((client_x + client_w - 80)) \
    $((client_y + client_h - 60)) click 1 key ctrl+Home key ctrl+shift+End
  xdotool type --delay 1 "$puzzle"
  xdotool mousemove 0 0
}
answer_ok() {
  local windows
  windows=$(xdotool search --onlyvisible --name '^Vantric$' 2>/dev/null | grep -vx "$main_xid")
  for window in $windows; do xdotool windowfocus "$window" key Return 2>/dev/null; done
}
expected=$(echo "$puzzle" | fold -w 9 | awk '{ printf "%s|", $0 }')
# Typed as one line, the puzzle comes back in the program's own layout only
# once a timer tick has adopted it.
adopted() {
  answer_ok
  [ "$(probe position | awk '{ printf "%s|", $0 }')" = "$expected" ]
}
for attempt in 1 2 3; do
  paste_final
  poll 10 adopted && break
done
adopted || fail "the pasted puzzle was not adopted: $(probe position | tr '\n' '|')"
screen save "$e2e_out/after-soak.png"
note "alive after the soak; the pasted puzzle is adopted ($e2e_out/after-soak.png)"

close_and_expect_zero
