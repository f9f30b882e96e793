#!/usr/bin/env bash
# Real X input: hovering a cell and typing a legal digit fills it, and both
# the position box and the screen show it; an illegal digit changes nothing.
source "$(dirname "$0")/lib.sh"
e2e_begin playing_input "$@"

start_vantric
cells=$(position_cells)
[ ${#cells} = 81 ] || fail "position box reads '$cells'"

# A legal digit for the first empty cell, and for another empty cell a
# digit its row, column or box already holds.
read -r cell digit other illegal < <(python3 - "$cells" <<'PY'
import sys
cells = sys.argv[1]
def seen(c):
    r, k = divmod(c, 9)
    peers = [p for p in range(81)
             if p // 9 == r or p % 9 == k or (p // 27 == c // 27 and p % 9 // 3 == k // 3)]
    return {cells[p] for p in peers} - {"."}
empty = [c for c in range(81) if cells[c] == "."]
legal = [(c, d) for c in empty for d in "123456789" if d not in seen(c)]
cell, digit = legal[0]
other = next(c for c in empty if c != cell)
print(cell, digit, other, sorted(seen(other))[0])
PY
)
note "typing $digit over cell $cell, then $illegal over cell $other"

expected=${cells:0:cell}$digit${cells:cell+1}
cell_point "$cell"
xdotool mousemove "$cell_x" "$cell_y"
xdotool key "$digit"
position_is() { [ "$(position_cells)" = "$1" ]; }
poll 20 position_is "$expected" || fail "position box reads $(position_cells), not $expected"
ink=$(screen ink "$cell")
[ "$ink" -gt 20 ] || fail "no digit drawn in cell $cell ($ink dark pixels)"
moves=$(probe moves)
[ "$moves" = "1. ($((cell % 9 + 1)), $((cell / 9 + 1))) = $digit" ] || fail "moves list reads '$moves'"
screen save "$e2e_out/legal-digit.png"
note "cell $cell shows $digit on screen and in the position box ($e2e_out/legal-digit.png)"

[ "$(screen ink "$other")" = 0 ] || fail "cell $other is not empty on screen"
cell_point "$other"
xdotool mousemove "$cell_x" "$cell_y"
xdotool key "$illegal"
# "s" hides the candidates; once they are gone, the digit before it has
# been handled too.
xdotool key s
no_candidates() { [ "$(screen candidates "$other")" = 0 ]; }
poll 20 no_candidates || fail "the candidates never disappeared"
[ "$(position_cells)" = "$expected" ] || fail "the illegal digit changed the position"
[ "$(screen ink "$other")" = 0 ] || fail "the illegal digit was drawn in cell $other"
[ "$(probe moves)" = "$moves" ] || fail "the illegal digit was recorded"
screen save "$e2e_out/illegal-digit.png"
note "illegal $illegal over cell $other changed nothing"

close_and_expect_zero
