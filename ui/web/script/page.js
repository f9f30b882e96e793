// Vantric in the browser: the page around the game module.
//
// The game module is the portable program, built for wasm32; this script
// gives it what the window system gives the Windows program (ui/web/
// page_imports.h lists every function it imports), and sends it the page's
// events as messages (ui/web/page_message.h). The game runs its own message
// loop; while it waits, in a dialog or for its next message, asyncify
// suspends it and the browser runs. A search suspends the same way every
// few milliseconds, so the page keeps answering while it searches, and the
// handlers it dispatches run inside the search exactly as in the window.
// The side panel's rating engine and maker run in a worker.

// Message kinds and controls, numbered as ui/web/page_message.h numbers them.
const Message = {
  none: 0, timer: 1, mouseMove: 2, leftButton: 3, rightButton: 4, char: 5, keyDown: 6,
  command: 7, entryBox: 8, paintStatus: 9, layout: 10,
};
const Control = ['entry-label', 'moves', 'position'];
// Fonts by FontId: the GUI font, the digit font, the position font.
const kFaces = [
  'Tahoma, "Segoe UI", "Liberation Sans", Arial, sans-serif',
  '"Times New Roman", "Liberation Serif", Tinos, Times, serif',
  '"Courier New", "Liberation Mono", Cousine, Courier, monospace',
];
// COLOR_BTNFACE of current Windows.
const kFaceColour = 0xF0F0F0;
const kTimerMs = 500;
// How long a search runs before the page gets its turn.
const kTurnMs = 8;
const kLongPressMs = 500;
const kTouchSlop = 10;
const kVirtualKey = { back: 8, left: 37, right: 39 };

const $ = (id) => document.getElementById(id);
const board = $('board');
const marksCanvas = $('marks');
const ctx = board.getContext('2d', { alpha: false });
const marksCtx = marksCanvas.getContext('2d');
const client = $('client');
const controls = $('controls');
const pad = $('pad');
const entry = $('entry');
const boxes = [$('moves'), $('position')];
const statusElement = $('status');

// What the tests and the curious may look at.
const view = { beeps: 0, ready: false, dialogOpen: false, searching: false };
window.vantric = view;

function decodeBase64(text) {
  const binary = atob(text);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  return bytes;
}

// A line over the page, for what the player should know and the game cannot say.
function showNotice(text) {
  const notice = $('notice');
  notice.textContent = text;
  notice.hidden = false;
}
