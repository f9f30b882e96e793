// Mouse, touch, the digit pad and the keys, sent to the game as messages.

function boardPoint(event) {
  const rect = board.getBoundingClientRect();
  return {
    x: Math.floor((event.clientX - rect.left) * board.width / rect.width),
    y: Math.floor((event.clientY - rect.top) * board.height / rect.height),
  };
}

let lastMove = null;
function moveTo(point) {
  lastMove = point;
  post({ kind: Message.mouseMove, a: point.x, b: point.y });
}

// Touch: a tap makes its cell the target, as hovering does; a long press
// is the right click. A finger that moves is scrolling the page.
let touch = null;
function showPad() { pad.hidden = false; }

function endTouch() {
  if (touch) clearTimeout(touch.timer);
  touch = null;
}

board.addEventListener('pointerdown', (event) => {
  // A click that closes an open menu does nothing else, as in the window.
  if (menu.open >= 0) {
    closeMenu();
    return;
  }
  if (event.pointerType === 'touch') {
    showPad();
    endTouch();
    const point = boardPoint(event);
    touch = {
      id: event.pointerId, point, x: event.clientX, y: event.clientY,
      timer: setTimeout(() => {
        touch.pressed = true;
        moveTo(point);
        post({ kind: Message.rightButton });
      }, kLongPressMs),
    };
    return;
  }
  // The cell under a pointer that has not moved since the page scrolled
  // is the target too, as it always is in the window.
  const point = boardPoint(event);
  if (!lastMove || lastMove.x !== point.x || lastMove.y !== point.y) moveTo(point);
  if (event.button === 0) post({ kind: Message.leftButton });
  else if (event.button === 2) post({ kind: Message.rightButton });
});

board.addEventListener('pointermove', (event) => {
  if (event.pointerType !== 'touch') {
    moveTo(boardPoint(event));
    return;
  }
  if (touch && touch.id === event.pointerId &&
      Math.hypot(event.clientX - touch.x, event.clientY - touch.y) > kTouchSlop) endTouch();
});

board.addEventListener('pointerup', (event) => {
  if (event.pointerType !== 'touch' || !touch || touch.id !== event.pointerId) return;
  if (!touch.pressed) moveTo(touch.point);
  endTouch();
});
board.addEventListener('pointercancel', endTouch);
board.addEventListener('contextmenu', (event) => event.preventDefault());

pad.addEventListener('pointerdown', (event) => event.preventDefault());
pad.addEventListener('click', (event) => {
  const button = event.target.closest('button');
  if (!button) return;
  if (button.dataset.char) post({ kind: Message.char, a: Number(button.dataset.char) });
  else post({ kind: Message.keyDown, a: Number(button.dataset.key) });
});

const kUsedCharacters = new Set(['s', 'c', ' ', '0', '1', '2', '3', '4', '5', '6', '7', '8', '9']);

document.addEventListener('keydown', (event) => {
  if (view.dialogOpen) return;
  if (menu.open >= 0) { menuKey(event); return; }
  const target = event.target;
  if (target.closest && target.closest('textarea, input, select, button, a, #panel')) return;
  if (event.altKey && !event.ctrlKey && !event.metaKey) {
    const letter = event.code.startsWith('Key') ? event.code.slice(3).toLowerCase() : '';
    const index = menu.popups.findIndex((p) => p.mnemonic === letter);
    if (index >= 0) {
      openMenu(index);
      event.preventDefault();
    }
    return;
  }
  if (event.ctrlKey || event.metaKey) return;
  const code = event.keyCode;
  if (code === kVirtualKey.back || code === kVirtualKey.left || code === kVirtualKey.right) {
    post({ kind: Message.keyDown, a: code });
    event.preventDefault();
    return;
  }
  if (event.key.length === 1 && event.key.charCodeAt(0) < 256) {
    post({ kind: Message.char, a: event.key.charCodeAt(0) });
    if (kUsedCharacters.has(event.key)) event.preventDefault();
  }
});

entry.addEventListener('change', () => post({ kind: Message.entryBox, a: entry.checked ? 1 : 0 }));
