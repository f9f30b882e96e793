#!/usr/bin/env python3
"""The browser front end end to end: the built site in headless Chromium.

Every check drives the page with real input events over the DevTools
protocol and reads back what a player sees: the canvas's pixels, the text
boxes, the status line, the dialogs, the panel. Waits are polls with a bound.

Usage: browser_test.py --site build/web/site --solver build/native/cli/vantric-solve
"""
import argparse
import functools
import http.server
import os
import subprocess
import sys
import threading
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cdp import Browser  # noqa: E402

SITE = None
SOLVER = None

# The README's example: steps from hidden singles to a forcing chain, 7.2.
PUZZLE = "083020090000800100029300008000098700070000060006740000300006980002005000010030540"
SOLUTION = "183524697547869123629317458235698714471253869896741235354176982962485371718932546"
# Built-in puzzle 2: the passes alone solve it, and it has naked singles.
EASY = "..3.1..6..762.85.3.9..6.1..48..2..5...9.476...3..8..94..2.7..1.9.41.672..1..5.4.."
EASY_SOLUTION = "243715869176298543895463172481629357529347681637581294362874915954136728718952436"
# No solution, and the search needs over a hundred million nodes to find out.
LONG_SEARCH = "..5..7...............6......5......7.4.........28.......67.......7...56.....58..."

GIVEN = (192, 192, 192)
NAKED_SINGLE = (128, 255, 128)
PLAIN = (255, 255, 255)
HIGHLIGHTED_PLAIN = (223, 223, 223)

STATUS = "document.getElementById('status').textContent"
MOVES = "document.getElementById('moves').value"
POSITION = "document.getElementById('position').value"


def cells_of(text):
    return [0 if ch in ".0" else int(ch) for ch in text]


def candidates(board, cell):
    """The digits the rules allow in an empty cell."""
    row, column = divmod(cell, 9)
    box = (row // 3) * 3, (column // 3) * 3
    seen = {board[row * 9 + k] for k in range(9)} | {board[k * 9 + column] for k in range(9)}
    seen |= {board[(box[0] + i) * 9 + box[1] + j] for i in range(3) for j in range(3)}
    return [d for d in range(1, 10) if d not in seen]


def solve_command(args, position):
    result = subprocess.run([SOLVER, *args], input=position + "\n", capture_output=True,
                            text=True, check=True, timeout=60)
    return result.stdout.splitlines()


@functools.lru_cache(maxsize=None)
def browser():
    return Browser()


def targets():
    return browser().send("Target.getTargets")["targetInfos"]


def poll(probe, what, timeout=10):
    """The first true value of probe(), tried until timeout seconds have passed."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"waited {timeout} s for {what}")
        time.sleep(0.02)


class Game:
    """One page of the site, opened as a player opens it."""

    def __init__(self, fragment="", width=1000, height=800, scale=1, touch=False, url=None):
        self.page = browser().new_page()
        if touch:
            self.page.call("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
        self.page.call("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": scale, "mobile": touch})
        base = url or f"file://{os.path.abspath(SITE)}/index.html"
        self.page.navigate(base + (f"#{fragment}" if fragment else ""))
        self.page.wait_for("window.vantric && window.vantric.ready", 15, "the page to start")

    def close(self):
        self.page.call("Page.close")

    def js(self, expression):
        return self.page.evaluate(expression)

    def wait(self, expression, timeout=15, what=None):
        return self.page.wait_for(expression, timeout, what)

    def wait_solved(self, timeout=15):
        self.wait(f"{STATUS}.startsWith('Solution found!')", timeout, "the solver's verdict")

    def centre(self, cell):
        point = self.js(f"window.vantric.cellCentre({cell})")
        return point["x"], point["y"]

    def element_centre(self, selector):
        point = self.js(f"""(() => {{
            const r = document.querySelector({selector!r}).getBoundingClientRect();
            return {{x: r.left + r.width / 2, y: r.top + r.height / 2}}; }})()""")
        return point["x"], point["y"]

    def hover(self, cell):
        self.page.move(*self.centre(cell))

    def click(self, selector, button="left"):
        self.page.click(*self.element_centre(selector), button)

    def choose(self, command):
        """A menu item, chosen with the mouse from its popup."""
        popup = f"#menubar .popup:has([data-command='{command}'])"
        self.click(f"{popup} .popup-title")
        self.wait(f"!document.querySelector(\"{popup} .popup-items\").hidden", what="the popup")
        self.click(f"[data-command='{command}']")

    def pixel(self, x, y):
        return tuple(self.js(f"Array.from(document.getElementById('board').getContext('2d')"
                             f".getImageData({x}, {y}, 1, 1).data.slice(0, 3))"))

    def cell_box(self, cell):
        return self.js(f"window.vantric.cellBox({cell})")

    def fill_colour(self, cell):
        """The fill at the cell's bottom left, where no text is drawn."""
        left, _, _, bottom = self.cell_box(cell)
        return self.pixel(left + 3, bottom - 4)

    def dark_pixels(self, cell):
        """Pixels of drawn text in the cell's candidate corner."""
        left, top, right, bottom = self.cell_box(cell)
        width = (right - left) // 2
        height = (bottom - top) // 2
        return self.js(f"""(() => {{
            const d = document.getElementById('board').getContext('2d')
                .getImageData({left + 2}, {top + 2}, {width}, {height}).data;
            let n = 0;
            for (let i = 0; i < d.length; i += 4) if (d[i] < 200 && d[i] === d[i + 1]) ++n;
            return n; }})()""")

    def board(self):
        return self.js(f"window.vantric.cells().board")

    def beeps(self):
        return self.js("window.vantric.beeps")

    def paste_position(self, text):
        """Selects the position box's text and types a new one over it."""
        self.click("#position")
        self.page.key("a", "KeyA", 65, None, modifiers=2)
        self.page.insert_text(text)

    def answer_dialog(self, button):
        self.wait("window.vantric.dialogOpen", 10, "a dialog")
        self.click(f"#dialog-{button}")
        self.wait("!window.vantric.dialogOpen", 10, "the dialog to close")

    def dialog_text(self):
        return self.js("document.getElementById('dialog-caption').textContent + '|' + "
                       "document.getElementById('dialog-text').textContent")

    def open_panel(self):
        self.click("#panel-toggle")
        self.wait("!document.getElementById('hint').disabled", 15, "the panel's worker")

    def ask_panel(self, button, timeout=60):
        self.js("document.body.dataset.panel = ''")
        self.click(f"#{button}")
        self.wait("document.body.dataset.panel === 'done'", timeout, f"the panel's {button}")
        return self.js("document.getElementById('panel-text').textContent")


class GameTest(unittest.TestCase):
    def open(self, *args, **kwargs):
        game = Game(*args, **kwargs)
        self.addCleanup(game.close)
        return game


class Drawing(GameTest):
    def test_colours_candidates_and_hover_as_the_window_draws_them(self):
        game = self.open(EASY)
        game.wait_solved()
        board = cells_of(EASY)
        given = board.index(3)
        naked = next(c for c in range(81) if board[c] == 0 and len(candidates(board, c)) == 1)
        plain = next(c for c in range(81) if board[c] == 0 and len(candidates(board, c)) > 2 and
                     game.fill_colour(c) == PLAIN)
        self.assertEqual(game.fill_colour(given), GIVEN)
        self.assertEqual(game.fill_colour(naked), NAKED_SINGLE)
        self.assertGreater(game.dark_pixels(plain), 10, "candidate digits drawn")
        game.hover(plain)
        game.wait(f"Array.from(document.getElementById('board').getContext('2d').getImageData("
                  f"{game.cell_box(plain)[0] + 3}, {game.cell_box(plain)[3] - 4}, 1, 1).data)"
                  f".slice(0, 3).join() === '{','.join(map(str, HIGHLIGHTED_PLAIN))}'")
        # Show Legal Moves off: no candidate is drawn.
        game.page.type_character("s")
        game.wait(f"document.querySelector('[data-command=\"40002\"]').getAttribute('aria-checked') === 'false'")
        self.assertEqual(game.dark_pixels(plain), 0)
        # Show Colors off: every cell white, givens too.
        game.choose(40003)
        game.wait(f"document.querySelector('[data-command=\"40003\"]').getAttribute('aria-checked') === 'false'")
        self.assertEqual(game.fill_colour(given), PLAIN)

    def test_the_layout_follows_the_window_and_the_zoom(self):
        game = self.open(EASY)
        game.wait_solved()
        cell = lambda: game.cell_box(0)[2] - game.cell_box(0)[0]
        wide = cell()
        self.assertFalse(game.js("document.documentElement.classList.contains('narrow')"))
        # Zooming in doubles the pixel ratio: the fonts are measured again.
        game.page.call("Emulation.setDeviceMetricsOverride",
                       {"width": 1400, "height": 900, "deviceScaleFactor": 2, "mobile": False})
        game.wait(f"window.vantric.cellBox(0)[2] - window.vantric.cellBox(0)[0] > {wide * 1.8}",
                  what="the layout at twice the pixel ratio")
        # A narrow window puts the controls under the board.
        game.page.call("Emulation.setDeviceMetricsOverride",
                       {"width": 420, "height": 900, "deviceScaleFactor": 1, "mobile": False})
        game.wait("document.documentElement.classList.contains('narrow')", what="the narrow layout")
        self.assertLessEqual(game.js("document.documentElement.scrollWidth"), 420)
        game.wait_solved()
        # A phone's width at one device pixel a CSS pixel, opened there: the
        # board's fixed lines keep it from shrinking evenly, and it still fits.
        phone = self.open(EASY, width=390, height=844)
        phone.wait("document.documentElement.scrollWidth <= 390", what="a board that fits 390 pixels")

    def test_backing_store_follows_the_pixel_ratio(self):
        one = self.open(EASY)
        two = self.open(EASY, scale=2)
        width = lambda game: game.js("document.getElementById('board').width")
        css_width = lambda game: game.js("document.getElementById('board').getBoundingClientRect().width")
        self.assertEqual(width(two), round(css_width(two) * 2))
        self.assertAlmostEqual(css_width(two), css_width(one), delta=css_width(one) * 0.06)
        # The layout's fonts were measured at twice the pixels: the cells are.
        one_cell = one.cell_box(0)
        two_cell = two.cell_box(0)
        self.assertAlmostEqual(two_cell[2] - two_cell[0], 2 * (one_cell[2] - one_cell[0]), delta=4)


class Play(GameTest):
    def test_keys_moves_undo_redo_and_refusals(self):
        game = self.open(PUZZLE)
        game.wait_solved()
        board = cells_of(PUZZLE)
        cell = 0
        legal = candidates(board, cell)
        illegal = next(d for d in range(1, 10) if d not in legal and d != 0)
        game.hover(cell)
        beeps = game.beeps()
        game.page.type_character(str(illegal))
        game.wait(f"window.vantric.beeps === {beeps + 1}", what="the refusal's beep")
        self.assertEqual(game.js(MOVES), "")
        game.page.type_character(str(legal[0]))
        game.wait(f"{MOVES} === '1. (1, 1) = {legal[0]}\\n'", what="the move in the list")
        self.assertTrue(game.js(POSITION).startswith(f"{legal[0]}83.2..9."))
        # A digit over a filled cell is refused; the space bar erases it.
        game.page.type_character(str(legal[0]))
        game.wait(f"window.vantric.beeps === {beeps + 2}")
        game.page.type_character(" ")
        game.wait(f"{MOVES} === '1. (1, 1) = {legal[0]}\\n2. (1, 1) = ?\\n'")
        game.page.key("ArrowLeft", "ArrowLeft", 37)
        game.wait(f"{MOVES} === '1. (1, 1) = {legal[0]}\\n'", what="undo")
        game.page.key("Backspace", "Backspace", 8)
        game.wait(f"{MOVES} === ''", what="undo by backspace")
        game.page.key("ArrowRight", "ArrowRight", 39)
        game.page.key("ArrowRight", "ArrowRight", 39)
        game.wait(f"{MOVES} === '1. (1, 1) = {legal[0]}\\n2. (1, 1) = ?\\n'", what="redo")

    def test_clicks_fill_forced_cells_and_the_solution(self):
        game = self.open(EASY)
        game.wait_solved()
        board = cells_of(EASY)
        naked = next(c for c in range(81) if board[c] == 0 and len(candidates(board, c)) == 1)
        game.page.click(*game.centre(naked))
        row, column = divmod(naked, 9)
        game.wait(f"{MOVES} === '1. ({column + 1}, {row + 1}) = {EASY_SOLUTION[naked]}\\n'")
        # A right click writes the solution's digit.
        game.page.click(*game.centre(0), "right")
        game.wait(f"{MOVES}.endsWith('2. (1, 1) = {EASY_SOLUTION[0]}\\n')")
        game.choose(40007)
        game.wait(f"{MOVES}.endsWith('Solved!!!\\n')", what="Fill in Solution")
        self.assertEqual("".join(map(str, game.board())), EASY_SOLUTION)

    def test_dialogs_and_the_third_failed_click(self):
        game = self.open(PUZZLE)
        game.wait_solved()
        game.choose(40010)
        game.wait("window.vantric.dialogOpen")
        self.assertTrue(game.dialog_text().startswith("Vantric version 1.2|Vantric plays and solves"))
        game.answer_dialog("ok")
        filled = cells_of(PUZZLE).index(8)
        beeps = game.beeps()
        game.page.click(*game.centre(filled))
        game.page.click(*game.centre(filled))
        game.wait(f"window.vantric.beeps === {beeps + 2}")
        game.page.click(*game.centre(filled))
        game.wait("window.vantric.dialogOpen", what="the click hint")
        self.assertEqual(game.dialog_text(), "Vantric version 1.2|You can fill in the solution "
                                             "for this square by right-clicking on it.")
        game.answer_dialog("ok")
        # The game goes on after the dialog.
        game.page.click(*game.centre(filled))
        game.wait(f"window.vantric.beeps === {beeps + 3}")

    def test_entry_mode_makes_the_typed_digits_the_puzzle(self):
        game = self.open(EASY)
        game.wait_solved()
        game.click("#entry")
        game.wait(f"{STATUS} === '' && window.vantric.cells().givens.every((d) => d === 0)",
                  what="the board emptied for entry")
        for cell, digit in ((0, "5"), (1, "5"), (10, "3")):
            game.hover(cell)
            game.page.type_character(digit)
        # The second 5 is refused: it repeats the first in the row.
        game.wait("window.vantric.cells().givens.filter((d) => d).length === 2")
        game.click("#entry")
        game.wait_solved()
        givens = game.js("window.vantric.cells().givens")
        self.assertEqual((givens[0], givens[1], givens[10]), (5, 0, 3))
        self.assertEqual(game.js(MOVES), "")

    def test_menus_by_keyboard_and_online_help(self):
        game = self.open(EASY)
        game.wait_solved()
        game.page.key("p", "KeyP", 80, None, modifiers=1)
        game.wait("document.querySelector('.popup-title[aria-expanded=\"true\"]') !== null",
                  what="Alt+P opening the Puzzle menu")
        game.page.key("l", "KeyL", 76, "l")
        game.wait("document.querySelector('[data-command=\"40002\"]').getAttribute('aria-checked')"
                  " === 'false'", what="L choosing Show Legal Moves")
        self.assertFalse(game.js("document.querySelector('.popup-title[aria-expanded=\"true\"]')"))
        before = {t["targetId"] for t in targets()}
        game.choose(40011)
        opened = poll(lambda: [t for t in targets() if t["targetId"] not in before and t["url"]],
                      "the help page's tab")
        self.assertIn("wikipedia.org", opened[0]["url"])
        browser().send("Target.closeTarget", {"targetId": opened[0]["targetId"]})

    def test_erase_question_cancel_keeps_the_moves(self):
        game = self.open(PUZZLE)
        game.wait_solved()
        game.page.click(*game.centre(0), "right")
        game.wait(f"{MOVES} === '1. (1, 1) = 1\\n'")
        position = game.js(POSITION)
        game.paste_position(EASY)
        game.wait("window.vantric.dialogOpen", what="the erase question")
        self.assertEqual(game.dialog_text(), "Vantric|Do you want to erase the current puzzle?")
        game.answer_dialog("cancel")
        game.wait(f"{POSITION} === {position!r}", what="the position put back")
        self.assertEqual(game.js(MOVES), "1. (1, 1) = 1\n")
        # Entry mode asks too; Cancel leaves the box unchecked.
        game.click("#entry")
        game.answer_dialog("cancel")
        self.assertFalse(game.js("document.getElementById('entry').checked"))
        self.assertEqual(game.js(MOVES), "1. (1, 1) = 1\n")
        # OK erases.
        game.paste_position(EASY)
        game.answer_dialog("ok")
        game.wait(f"{MOVES} === '' && {STATUS}.startsWith('Solution found!')")
        self.assertEqual(game.board(), cells_of(EASY))


class Puzzles(GameTest):
    def test_pasted_position_is_adopted_and_solved(self):
        game = self.open(PUZZLE)
        game.wait_solved()
        game.paste_position(EASY)
        game.wait(f"window.vantric.cells().givens.join('') === {''.join(map(str, cells_of(EASY)))!r}",
                  what="the pasted position adopted")
        game.wait_solved()
        self.assertTrue(game.js(POSITION).startswith("..3.1..6.\n.762.85.3\n"))
        # Overtyping one cell of the third row: adopted, and the caret stays
        # behind the typed digit, past the line ends before it.
        game.click("#position")
        offset = 2 * 10
        game.js(f"document.getElementById('position').setSelectionRange({offset}, {offset + 1})")
        game.page.insert_text(EASY_SOLUTION[18])
        game.wait(f"window.vantric.cells().givens[18] === {EASY_SOLUTION[18]}",
                  what="the overtyped cell adopted")
        game.wait_solved()
        self.assertEqual(game.js("document.getElementById('position').selectionStart"), offset + 1)

    def test_the_page_answers_during_a_long_search(self):
        game = self.open(PUZZLE)
        game.wait_solved()
        game.paste_position(LONG_SEARCH)
        game.wait(f"{STATUS}.startsWith('Searching for the solution.')", what="the search")
        nodes = lambda: int(game.js(STATUS).split(", ")[1].split()[0])
        first = nodes()
        # A click on a filled cell is answered by its beep while the search runs.
        filled = cells_of(LONG_SEARCH).index(5)
        beeps = game.beeps()
        game.page.click(*game.centre(filled))
        game.wait(f"window.vantric.beeps === {beeps + 1}", 5, "a click answered in the search")
        game.page.type_character("c")
        game.wait("document.querySelector('[data-command=\"40003\"]').getAttribute('aria-checked') "
                  "=== 'false'", 5, "a key answered in the search")
        self.assertTrue(game.js("window.vantric.searching"))
        # Suspended in the search, the game's stack takes a small part of its room.
        self.assertLess(game.js("window.vantric.waiting().stackUsed"), 64 * 1024 // 8)
        # The status line is redrawn as the search goes on.
        game.wait(f"parseInt({STATUS}.split(', ')[1]) > {first}", 5, "the status line redrawn")
        self.assertTrue(game.js(STATUS).startswith("Searching for the solution."))
        # A new position abandons the search and is solved.
        game.paste_position(EASY)
        game.wait_solved(10)
        self.assertEqual(game.board(), cells_of(EASY))

    def test_link_fragment_both_ways(self):
        game = self.open(PUZZLE)
        game.wait_solved()
        self.assertEqual(game.board(), cells_of(PUZZLE))
        game.paste_position(EASY)
        game.wait(f"location.hash === '#{EASY}'", what="the fragment of the adopted puzzle")
        game.js(f"location.hash = '#{PUZZLE}'")
        game.wait(f"window.vantric.cells().givens.join('') === '{PUZZLE}'", what="the linked puzzle")
        game.wait_solved()
        bad = self.open("123")
        self.assertIn("not 81", bad.js("document.getElementById('notice').textContent"))

    def test_served_by_a_static_server(self):
        handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=SITE)
        handler.log_message = lambda *args: None
        server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=server.serve_forever, daemon=True).start()
        self.addCleanup(server.shutdown)
        game = self.open(PUZZLE, url=f"http://127.0.0.1:{server.server_address[1]}/index.html")
        game.wait_solved()
        game.open_panel()
        self.assertEqual(game.ask_panel("rate").splitlines()[0], "7.2 ForcingChain")


class Panel(GameTest):
    def test_hint_is_the_first_step_vantric_solve_explains(self):
        game = self.open(PUZZLE)
        game.wait_solved()
        # Two digits of the player's, both right.
        for cell in (0, 9):
            game.page.click(*game.centre(cell), "right")
        game.wait(f"{MOVES}.startsWith('1. ') && {MOVES}.includes('2. ')")
        game.open_panel()
        hint = game.ask_panel("hint")
        position = "".join(map(str, game.board()))
        expected = solve_command(["--explain"], position)[1].strip()
        self.assertEqual(hint, expected)
        self.assertTrue(game.js("window.vantric.marked().some((m) => m)"), "the step's cells marked")
        rating = game.ask_panel("rate").splitlines()[0]
        self.assertEqual(rating, " ".join(solve_command(["--rate"], PUZZLE)[0].split()[-2:]))
        explanation = game.ask_panel("explain").splitlines()
        expected = [line.strip() for line in solve_command(["--explain"], position)[1:]]
        self.assertEqual(explanation, expected)

    def test_hint_names_a_wrong_digit(self):
        game = self.open(PUZZLE)
        game.wait_solved()
        wrong = next(d for d in candidates(cells_of(PUZZLE), 0) if str(d) != SOLUTION[0])
        game.hover(0)
        game.page.type_character(str(wrong))
        game.wait(f"{MOVES} === '1. (1, 1) = {wrong}\\n'")
        game.open_panel()
        self.assertEqual(game.ask_panel("hint"),
                         f"r1c1 is wrong: its {wrong} is not the solution's digit.")

    def test_made_puzzles_rate_within_their_band(self):
        game = self.open(PUZZLE)
        game.wait_solved()
        game.open_panel()
        bands = game.js("Array.from(document.getElementById('difficulty').options, (o) => o.text)")
        self.assertEqual(len(bands), 4)
        shown = PUZZLE
        for index, band in enumerate(bands):
            game.js(f"document.getElementById('difficulty').value = '{index}'")
            self.assertIn("puzzle, rated", game.ask_panel("new"))
            game.wait(f"location.hash !== '#{shown}' && {STATUS}.startsWith('Solution found!')",
                      what="the made puzzle adopted")
            shown = game.js("location.hash.slice(1)")
            self.assertEqual(game.js("window.vantric.cells().givens.join('')"),
                             "".join(map(str, cells_of(shown))))
            low, _, high = band.split("(")[1].rstrip(")").partition("\u2013")
            rating = float(solve_command(["--rate"], shown)[0].split()[-2])
            self.assertGreaterEqual(rating, float(low.split()[0]), f"{band}: {shown}")
            if high:
                self.assertLessEqual(rating, float(high), f"{band}: {shown}")


class Touch(GameTest):
    def test_touch_play_on_a_phone(self):
        game = self.open(PUZZLE, width=390, height=844, scale=3, touch=True)
        game.wait_solved()
        self.assertLessEqual(game.js("document.documentElement.scrollWidth"), 390,
                             "no horizontal scrolling")
        self.assertFalse(game.js("document.getElementById('pad').hidden"))
        board = cells_of(PUZZLE)
        legal = candidates(board, 0)
        game.page.tap(*game.centre(0))
        game.wait(f"Array.from(document.getElementById('board').getContext('2d').getImageData("
                  f"{game.cell_box(0)[0] + 3}, {game.cell_box(0)[3] - 4}, 1, 1).data).slice(0, 3)"
                  f".join() !== '{','.join(map(str, PLAIN))}'", what="the tapped cell highlighted")
        game.page.tap(*game.element_centre(f"#pad button[data-char='{ord(str(legal[0]))}']"))
        game.wait(f"{MOVES} === '1. (1, 1) = {legal[0]}\\n'", what="the pad's digit")
        game.page.tap(*game.element_centre("#pad button[data-key='37']"))
        game.wait(f"{MOVES} === ''", what="the pad's undo")
        game.page.tap(*game.element_centre("#pad button[data-key='39']"))
        game.wait(f"{MOVES} === '1. (1, 1) = {legal[0]}\\n'", what="the pad's redo")
        game.page.tap(*game.element_centre("#pad button[data-char='32']"))
        game.wait(f"{MOVES}.endsWith('2. (1, 1) = ?\\n')", what="the pad's erase")
        # A long press is the right click: the solution's digit.
        empty = board.index(0, 1)
        row, column = divmod(empty, 9)
        game.page.touch("touchStart", [game.centre(empty)])
        game.wait(f"{MOVES}.endsWith('3. ({column + 1}, {row + 1}) = {SOLUTION[empty]}\\n')", 5,
                  "the long press")
        game.page.touch("touchEnd", [])


def main():
    global SITE, SOLVER
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--solver", required=True)
    args, rest = parser.parse_known_args()
    SITE, SOLVER = args.site, args.solver
    for path in (os.path.join(SITE, "index.html"), SOLVER):
        if not os.path.exists(path):
            sys.exit(f"browser_test: {path} is missing; build the web and native presets first")
    try:
        unittest.main(argv=[sys.argv[0], *rest], verbosity=2)
    finally:
        browser().close()


if __name__ == "__main__":
    main()
