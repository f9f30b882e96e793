// The message queue, and the game suspended while the page runs.

const queue = [];
let timerDue = false;
let statusDue = false;
// Why the game is suspended: 'message', 'turn' or 'dialog'; null while it runs.
let suspendedFor = null;
let turnRequested = false;
let resumedAt = 0;
let resumeValue = null;
let suspendedStack = 0;
let suspendedStackSize = 0;

function takeMessage() {
  if (queue.length) return queue.shift();
  if (statusDue) { statusDue = false; return { kind: Message.paintStatus }; }
  if (timerDue) { timerDue = false; return { kind: Message.timer }; }
  return null;
}

// Input comes first, then painting, then the timer, as a window's queue
// gives them; mouse moves merge as the window system merges them.
function post(message, first = false) {
  const last = queue[queue.length - 1];
  if (first) queue.unshift(message);
  else if (message.kind === Message.mouseMove && last && last.kind === Message.mouseMove) {
    last.a = message.a;
    last.b = message.b;
  } else queue.push(message);
  if (suspendedFor === 'message') resume(takeMessage());
}

// The message last handed to the game and when, so that the time it took
// to handle, repaint and rewrite the boxes can be read (bench/web_bench.py).
let handed = null;

function writeMessage(address, message) {
  handed = { kind: message.kind, at: performance.now() };
  const words = new Int32Array(memory(), address, 3);
  words[0] = message.kind;
  words[1] = message.a || 0;
  words[2] = message.b || 0;
}

const kUnwinding = 1;
const kRewinding = 2;
const rewinding = () => game.asyncify_get_state() === kRewinding;

function suspend(reason) {
  const words = new Int32Array(memory(), suspendedStack, 2);
  words[0] = suspendedStack + 8;
  words[1] = suspendedStack + suspendedStackSize;
  game.asyncify_start_unwind(suspendedStack);
  suspendedFor = reason;
}

// The most of the suspended stack's room that the game has needed, for the tests.
function suspendedStackUsed() {
  return new Int32Array(memory(), suspendedStack, 1)[0] - suspendedStack - 8;
}

// Runs the game until it suspends again; it never ends of itself, and a
// game that stopped says so rather than leave a board that no longer answers.
function enterGame(dpi) {
  resumedAt = performance.now();
  try {
    game.vantricMain(dpi);
    if (game.asyncify_get_state() !== kUnwinding) throw new Error('the game module ended');
  } catch (error) {
    suspendedFor = 'stopped';
    showNotice(`Vantric stopped: ${error.message}. Reload the page to play on.`);
    throw error;
  }
  game.asyncify_stop_unwind();
}

function resume(value) {
  suspendedFor = null;
  resumeValue = value;
  game.asyncify_start_rewind(suspendedStack);
  enterGame(0);
}

// Why the game waits, and what for, for the tests.
view.waiting = () => ({
  suspendedFor, queued: queue.length, timerDue, statusDue, stackUsed: suspendedStackUsed(),
});

// The page's turn, during a search: a task of its own, after the input
// and rendering the browser has waiting.
const turnChannel = new MessageChannel();
turnChannel.port1.onmessage = () => {
  if (suspendedFor === 'turn') resume(takeMessage() || { kind: Message.none });
};

const messageImports = {
  hasMessage() {
    if (queue.length || statusDue || timerDue) return 1;
    if (performance.now() - resumedAt < kTurnMs) return 0;
    turnRequested = true;
    return 1;
  },
  waitMessage(address) {
    if (rewinding()) {
      game.asyncify_stop_rewind();
      writeMessage(address, resumeValue);
      return;
    }
    afterMessage();
    if (turnRequested) {
      turnRequested = false;
      suspend('turn');
      turnChannel.port2.postMessage(0);
      return;
    }
    const message = takeMessage();
    if (message) writeMessage(address, message);
    else suspend('message');
  },
  invalidateStatus() { statusDue = true; },
  ask(text, caption) {
    if (rewinding()) {
      game.asyncify_stop_rewind();
      return resumeValue;
    }
    afterMessage();
    openDialog(cString(text), cString(caption), true, (ok) => resume(ok ? 1 : 0));
    suspend('dialog');
    return 0;
  },
  inform(text, caption) {
    if (rewinding()) {
      game.asyncify_stop_rewind();
      return;
    }
    afterMessage();
    openDialog(cString(text), cString(caption), false, () => resume(0));
    suspend('dialog');
  },
};

// The game's clocks: milliseconds since the page opened, and the date's.
const clockImports = {
  now: () => performance.now(),
  ticks: () => Date.now() % 4294967296,
};
