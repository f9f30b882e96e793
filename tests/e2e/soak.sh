#!/usr/bin/env bash
# A few thousand random real inputs while solves run; afterwards the program
# is alive and answers, a pasted puzzle is still adopted and shown in the
# position box, and closing the window ends it with 0. At most 2 minutes.
source "$(dirname "$0")/lib.sh"
e2e_begin soak "$@"

start_vantric
# The puzzle the program opened with: the pasted ones are made from it.
start_puzzle=$(position_cells)
[ ${#start_puzzle} = 81 ] || fail "position box reads '$start_puzzle'"
seed=${VANTRIC_SOAK_SEED:-$RANDOM}
note "soak seed $seed"
python3 "$e2e_repo/tests/e2e/soak.py" "$client_x" "$client_y" "$client_w" "$client_h" \
  "$app_pid" ${VANTRIC_SOAK_SECONDS:-55} 3000 "$seed" "$start_puzzle" || fail "the program died during the soak (seed $seed)"

# The program may still be working through queued input, which can open a
# box late: let it catch up, then close whatever box is open.
no_boxes() { probe idle && probe boxes cancel; }
poll 20 no_boxes || fail "message boxes stay open"
poll 20 probe alive || fail "the program does not answer after the soak"

# A last puzzle typed over the position box must still be adopted (after
# the question, if moves exist) and shown on the board.
# The opening puzzle with its digits relabelled and transposed: new to the
# program.
puzzle=$(python3 -c 'import sys; p = sys.argv[1].translate(str.maketrans("123456789", "345678912")); print("".join(p[(i % 9) * 9 + i // 9] for i in range(81)))' "$start_puzzle")
[ ${#puzzle} = 81 ] || fail "no puzzle to paste"
# Keys pressed last may have left the menu bar in charge: leave it first,
# then type the puzzle again whenever it was not taken.
position_box_focused() {
  layout_point position
  xdotool mousemove "$point_x" "$point_y" click 1
  [ "$(probe focus)" = position ]
}
position_box_emptied() {
  xdotool key ctrl+Home key ctrl+shift+End key Delete
  [ -z "$(probe position)" ]
}
paste_final() {
  # Without a window manager the X focus does not come back by itself after
  # a message box closes; and type only once the position box has the focus.
  xdotool windowfocus --sync "$main_xid" 2>/dev/null
  # A modifier whose release went to a closed box still counts as held in
  # Wine: press and release each, then leave the menu bar that Alt opens.
  xdotool key ctrl key shift key alt key Escape key Escape
  poll 10 position_box_focused || { note "focus stays with $(probe focus)"; return 1; }
  # An emptied box first: typed over leftover text, the puzzle would make a
  # different position and its question would take the rest of the keys.
  poll 10 position_box_emptied || { note "the position box keeps its text"; return 1; }
  xdotool type --delay 15 "$puzzle"
  xdotool mousemove 0 0
}
# The erase question, when moves exist, is answered OK.
answer_ok() { probe boxes ok; }
# Adopted means: the box reads back the puzzle and the board on the screen
# shows digits in exactly the puzzle's filled cells.
pattern=$(echo "$puzzle" | tr '1-9.' '1111111110')
adopted() {
  answer_ok
  [ "$(position_cells)" = "$puzzle" ] && [ "$(screen filled)" = "$pattern" ]
}
for attempt in 1 2 3 4 5; do
  [ "$(position_cells)" = "$puzzle" ] || paste_final
  poll 5 adopted && break
  note "attempt $attempt: box reads $(probe position | tr '\n' '|'), focus $(probe focus)"
done
adopted || { probe windows; fail "the pasted puzzle was not adopted: $(probe position | tr '\n' '|')"; }
screen save "$e2e_out/after-soak.png"
note "alive after the soak; the pasted puzzle is adopted ($e2e_out/after-soak.png)"

close_and_expect_zero
