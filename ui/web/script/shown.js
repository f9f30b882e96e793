// What the page shows beside the canvas, brought up to date after each
// message: the status line as text, the link, hint marks that no longer fit.

let stateView = null;
let shownStatus = null;
let shownGivens = null;
let shownBoard = null;

function readCells(address) {
  return Array.from(new Int32Array(memory(), address, 81));
}

const cellsText = (cells) => cells.map((d) => (d ? String(d) : '.')).join('');

// After each message: the status line as text, the link to the puzzle,
// and hint marks that no longer fit the board.
function afterMessage() {
  if (handed) {
    view.handled = { kind: handed.kind, at: handed.at, ms: performance.now() - handed.at };
    handed = null;
  }
  const words = new Uint32Array(memory(), stateView, 5);
  const status = cString(words[2]);
  const idle = new Uint8Array(memory(), words[3], 1)[0] !== 0;
  const entryMode = int32At(words[4]) !== 0;
  view.searching = !idle;
  statusElement.setAttribute('aria-busy', idle ? 'false' : 'true');
  if (status !== shownStatus) {
    shownStatus = status;
    statusElement.textContent = status;
  }
  const boardText = cellsText(readCells(words[0]));
  if (boardText !== shownBoard) {
    shownBoard = boardText;
    clearMarks();
  }
  const givens = cellsText(readCells(words[1]));
  if (entryMode) return;
  if (location.hash !== `#${givens}`) history.replaceState(null, '', `#${givens}`);
  if (givens !== shownGivens) {
    shownGivens = givens;
    const link = $('link');
    link.href = `#${givens}`;
    link.textContent = location.href;
  }
}

function currentCells() {
  const words = new Uint32Array(memory(), stateView, 5);
  return { board: readCells(words[0]), givens: readCells(words[1]) };
}

view.cells = currentCells;
view.marked = () => marks || [];
