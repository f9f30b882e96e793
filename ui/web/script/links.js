// Puzzles in the address's fragment.

// A position put into the position box and read at once, as a paste is
// read at the next tick.
function pastePosition(cells) {
  boxes[1].value = cells;
  timerDue = true;
  if (suspendedFor === 'message') resume(takeMessage());
}

// The fragment's puzzle: 81 cells, '1'-'9', with '.', '0' or '*' for empty.
function readFragment() {
  let text = location.hash.slice(1);
  try {
    text = decodeURIComponent(text);
  } catch (error) {
    // A stray '%' is read as it stands; it is no cell either way.
  }
  if (!text) return null;
  const cells = text.replace(/[^0-9.*]/g, '').replace(/[0*]/g, '.');
  if (cells.length !== 81) {
    showNotice(`The link's puzzle has ${cells.length} squares, not 81, so it was not opened.`);
    return null;
  }
  $('notice').hidden = true;
  return cells;
}

function adoptFragment() {
  const cells = readFragment();
  if (cells && cells !== shownGivens) pastePosition(cells);
}

window.addEventListener('hashchange', adoptFragment);
