#!/usr/bin/env bash
# The built program opens centred, shows the solved board, and ends with 0
# when its window is closed.
source "$(dirname "$0")/lib.sh"
e2e_begin window_opens "$@"

start_vantric

expected_x=$((screen_w / 2 - client_w / 2))
expected_y=$((screen_h / 2 - client_h / 2))
[ "$outer_x,$outer_y" = "$expected_x,$expected_y" ] ||
  fail "window at $outer_x,$outer_y, centring puts it at $expected_x,$expected_y"
[ "$outer_w" = $((client_w + 2 * frame_x - 2)) ] || fail "outer width $outer_w"
[ "$outer_h" = $((client_h + 2 * frame_y + caption_h + menu_h - 2)) ] || fail "outer height $outer_h"
note "window at $outer_x,$outer_y, ${outer_w}x$outer_h, client ${client_w}x$client_h"

cells=$(position_cells)
[ ${#cells} = 81 ] || fail "position box reads '$cells'"
# Every given is drawn silver and nothing else is: the picture is the board.
expected=$(echo "$cells" | tr '1-9.' '1111111110')
silver_cells_are_givens() {
  actual=$(screen givens)
  [ "$actual" = "$expected" ]
}
poll 10 silver_cells_are_givens || fail "silver cells $actual, givens $expected"
screen save "$e2e_out/window.png"
note "screenshot $e2e_out/window.png shows the board with its givens"

close_and_expect_zero
