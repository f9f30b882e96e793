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
'use strict';

(() => {
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
  const view = { beeps: 0, ready: false, cellRects: [], dialogOpen: false, searching: false };
  window.vantric = view;

  function decodeBase64(text) {
    const binary = atob(text);
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
    return bytes;
  }

  // ---- The game module's memory -------------------------------------------

  let game = null;
  const memory = () => game.memory.buffer;
  const int32At = (address) => new Int32Array(memory(), address, 1)[0];
  const setInt32 = (address, value) => { new Int32Array(memory(), address, 1)[0] = value; };

  function cString(address, length = -1) {
    const bytes = new Uint8Array(memory());
    let end = address;
    if (length < 0) { while (bytes[end] !== 0) ++end; } else end = address + length;
    let text = '';
    for (let i = address; i < end; i += 4096) {
      text += String.fromCharCode.apply(null, bytes.subarray(i, Math.min(end, i + 4096)));
    }
    return text;
  }

  // Writes text as 8-bit characters and a zero, at most size bytes in all.
  function writeCString(address, size, text) {
    const bytes = new Uint8Array(memory(), address, size);
    const length = Math.min(text.length, size - 1);
    for (let i = 0; i < length; ++i) {
      const code = text.charCodeAt(i);
      bytes[i] = code < 256 ? code : 63;
    }
    bytes[length] = 0;
    return length;
  }

  // ---- Drawing ---------------------------------------------------------------

  const colourNames = new Map();
  function css(colour) {
    let name = colourNames.get(colour);
    if (name === undefined) {
      name = `rgb(${colour & 255},${(colour >>> 8) & 255},${(colour >>> 16) & 255})`;
      colourNames.set(colour, name);
    }
    return name;
  }

  const pen = { colour: 0 };
  let brushColour = 0xFFFFFF;
  let textColour = 0;
  let font = 0;
  // Per FontId: the CSS font, its ascent, its size in CSS pixels.
  const fonts = [];

  // GDI's line: from the first point up to, not including, the second.
  function drawLine(x0, y0, x1, y1) {
    ctx.fillStyle = css(pen.colour);
    if (y0 === y1) {
      if (x1 > x0) ctx.fillRect(x0, y0, x1 - x0, 1);
      else if (x1 < x0) ctx.fillRect(x1 + 1, y0, x0 - x1, 1);
    } else if (x0 === x1) {
      if (y1 > y0) ctx.fillRect(x0, y0, 1, y1 - y0);
      else ctx.fillRect(x0, y1 + 1, 1, y0 - y1);
    } else {
      const steps = Math.max(Math.abs(x1 - x0), Math.abs(y1 - y0));
      for (let i = 0; i < steps; ++i) {
        ctx.fillRect(Math.round(x0 + (x1 - x0) * i / steps), Math.round(y0 + (y1 - y0) * i / steps), 1, 1);
      }
    }
  }

  const drawing = {
    setPen(colour) { pen.colour = colour; },
    setBrush(colour) { brushColour = colour; },
    setTextColour(colour) { textColour = colour; },
    selectFont(id) { font = id; },
    // GDI's rectangle: the pen outlines left..right-1, top..bottom-1 and
    // the brush fills the inside.
    rectangle(left, top, right, bottom) {
      const width = right - left;
      const height = bottom - top;
      if (width <= 0 || height <= 0) return;
      ctx.fillStyle = css(pen.colour);
      ctx.fillRect(left, top, width, height);
      if (width > 2 && height > 2) {
        ctx.fillStyle = css(brushColour);
        ctx.fillRect(left + 1, top + 1, width - 2, height - 2);
      }
    },
    line: drawLine,
    // Text placed by its top-left corner, on a transparent background.
    textOut(x, y, text, length) {
      const face = fonts[font];
      ctx.font = face.css;
      ctx.fillStyle = css(textColour);
      ctx.fillText(cString(text, length), x, y + face.ascent);
    },
    faceColour() { return kFaceColour; },
    beginClip(left, top, right, bottom) {
      ctx.save();
      ctx.beginPath();
      ctx.rect(left, top, right - left, bottom - top);
      ctx.clip();
    },
    endClip() { ctx.restore(); },
  };

  // ---- Layout ---------------------------------------------------------------

  const layout = {
    dpr: 1, dpi: 96, width: 0, height: 0, boardWidth: 0, narrow: false, relayouts: 0,
    controls: [], cells: [],
  };

  function pixelRatio() { return window.devicePixelRatio || 1; }

  // Room for the client area on the page, in CSS pixels: the page's width
  // less the margins and the window's frame, wide or narrow as the CSS has them.
  function roomFor(narrow) {
    const margins = narrow ? 2 * 4 : 2 * 12;
    return document.documentElement.clientWidth - margins - 2;
  }

  // The dpi and arrangement for the page as it is now, from a layout made
  // at dpi: the whole window at its natural size where it fits, else the
  // board alone, as large as fits, with the controls under it.
  function planLayout(width, boardWidth, dpi) {
    const dpr = pixelRatio();
    const natural = 96 * dpr;
    const scale = dpi / natural;
    if (width / dpr / scale <= roomFor(false)) return { dpi: Math.round(natural), narrow: false };
    const zoom = Math.min(1, roomFor(true) / (boardWidth / dpr / scale));
    return { dpi: Math.max(24, Math.floor(natural * zoom)), narrow: true };
  }

  function cssPixels(devicePixels) { return `${devicePixels / layout.dpr}px`; }

  function placeControls() {
    layout.controls.forEach((rect, control) => {
      const element = $(Control[control]);
      element.style.left = cssPixels(rect[0]);
      element.style.top = cssPixels(rect[1]);
      element.style.width = cssPixels(rect[2] - rect[0]);
      element.style.height = cssPixels(rect[3] - rect[1]);
    });
    if (layout.narrow) {
      boxes[0].rows = 6;
      boxes[1].rows = 10;
      if (controls.parentElement !== $('window')) $('window').appendChild(controls);
    } else if (controls.parentElement !== client) {
      client.appendChild(controls);
    }
  }

  function sizeCanvas(canvas, width, height) {
    canvas.width = width;
    canvas.height = height;
    canvas.style.width = cssPixels(width);
    canvas.style.height = cssPixels(height);
  }

  const layoutImports = {
    measureFont(id, pixelHeight, lineHeightAddress, digitWidthAddress) {
      const fontCss = `${pixelHeight}px ${kFaces[id]}`;
      ctx.font = fontCss;
      const metrics = ctx.measureText('9');
      const ascent = Math.ceil(metrics.fontBoundingBoxAscent);
      const descent = Math.ceil(metrics.fontBoundingBoxDescent);
      fonts[id] = { css: fontCss, ascent, cssSize: pixelHeight / pixelRatio() };
      setInt32(lineHeightAddress, ascent + descent);
      setInt32(digitWidthAddress, Math.round(metrics.width));
    },
    sizeClient(width, height, boardWidth, dpi) {
      layout.dpr = pixelRatio();
      layout.dpi = dpi;
      layout.width = width;
      layout.height = height;
      layout.boardWidth = boardWidth;
      const plan = planLayout(width, boardWidth, layout.dpi);
      layout.narrow = plan.narrow;
      document.documentElement.classList.toggle('narrow', plan.narrow);
      const shown = plan.narrow ? boardWidth : width;
      sizeCanvas(board, shown, height);
      sizeCanvas(marksCanvas, shown, height);
      // The background, as the window's class brush erases it.
      ctx.fillStyle = css(kFaceColour);
      ctx.fillRect(0, 0, shown, height);
      client.style.width = cssPixels(shown);
      client.style.height = cssPixels(height);
      const gui = `${fonts[0].cssSize}px ${kFaces[0]}`;
      for (const label of document.querySelectorAll('#entry-label, .narrow-label')) label.style.font = gui;
      boxes[0].style.font = gui;
      boxes[1].style.font = `${fonts[2].cssSize}px ${kFaces[2]}`;
      // Another layout is wanted at once where this one does not fit; the
      // count stops a pair of sizes from calling for each other.
      if (plan.dpi !== layout.dpi && layout.relayouts < 3) {
        ++layout.relayouts;
        post({ kind: Message.layout, a: plan.dpi }, true);
      } else {
        layout.relayouts = 0;
      }
    },
    placeControl(control, left, top, right, bottom) {
      layout.controls[control] = [left, top, right, bottom];
      if (control === Control.length - 1) placeControls();
    },
    placeCell(cell, left, top, right, bottom) {
      layout.cells[cell] = [left, top, right, bottom];
      if (cell === 80) {
        view.cellRects = layout.cells.map(([l, t, r, b]) => ({
          left: l / layout.dpr, top: t / layout.dpr, right: r / layout.dpr, bottom: b / layout.dpr,
        }));
        drawMarks();
      }
    },
  };

  function relayoutIfNeeded() {
    if (!layout.width) return;
    const plan = planLayout(layout.width, layout.boardWidth, layout.dpi);
    if (plan.dpi !== layout.dpi || plan.narrow !== layout.narrow || pixelRatio() !== layout.dpr) {
      post({ kind: Message.layout, a: plan.dpi });
    }
  }

  // ---- Menus ----------------------------------------------------------------

  const menu = { popups: [], open: -1, checks: new Map(), active: -1 };

  // "Fill in &Solution" as text with its mnemonic letter underlined.
  function menuLabel(element, text) {
    const at = text.indexOf('&');
    if (at < 0) { element.textContent = text; return ''; }
    element.append(text.slice(0, at));
    const letter = document.createElement('span');
    letter.className = 'mnemonic';
    letter.textContent = text[at + 1];
    element.append(letter, text.slice(at + 2));
    return text[at + 1].toLowerCase();
  }

  function findPopup(title) {
    let popup = menu.popups.find((p) => p.title === title);
    if (popup) return popup;
    const holder = document.createElement('div');
    holder.className = 'popup';
    const button = document.createElement('button');
    button.type = 'button';
    button.className = 'popup-title';
    button.setAttribute('role', 'menuitem');
    button.setAttribute('aria-haspopup', 'true');
    button.setAttribute('aria-expanded', 'false');
    button.tabIndex = -1;
    const mnemonic = menuLabel(button, title);
    const list = document.createElement('ul');
    list.className = 'popup-items';
    list.setAttribute('role', 'menu');
    list.hidden = true;
    holder.append(button, list);
    $('menubar').append(holder);
    popup = { title, button, list, mnemonic, items: [] };
    const index = menu.popups.length;
    menu.popups.push(popup);
    button.addEventListener('mousedown', (event) => {
      event.preventDefault();
      if (menu.open === index) closeMenu(); else openMenu(index);
    });
    button.addEventListener('mouseenter', () => { if (menu.open >= 0 && menu.open !== index) openMenu(index); });
    return popup;
  }

  function addMenuItem(popupAddress, textAddress, command) {
    const popup = findPopup(cString(popupAddress));
    const item = document.createElement('li');
    if (command === 0) {
      item.className = 'menu-separator';
      item.setAttribute('role', 'separator');
      popup.list.append(item);
      return;
    }
    const [text, shortcut = ''] = cString(textAddress).split('\t');
    item.className = 'menu-item';
    item.setAttribute('role', 'menuitem');
    item.dataset.command = command;
    const check = document.createElement('span');
    check.className = 'check';
    const label = document.createElement('span');
    const mnemonic = menuLabel(label, text);
    const keys = document.createElement('span');
    keys.textContent = shortcut;
    item.append(check, label, keys);
    item.addEventListener('mouseup', () => chooseItem(command));
    item.addEventListener('mouseenter', () => setActiveItem(popup.items.findIndex((i) => i.command === command)));
    popup.list.append(item);
    popup.items.push({ command, element: item, mnemonic, check });
  }

  function setMenuCheck(command, checked) {
    menu.checks.set(command, !!checked);
    for (const popup of menu.popups) {
      for (const item of popup.items) {
        if (item.command !== command) continue;
        item.check.textContent = checked ? '\u2713' : '';
        item.element.setAttribute('role', 'menuitemcheckbox');
        item.element.setAttribute('aria-checked', checked ? 'true' : 'false');
      }
    }
  }

  function openMenu(index) {
    closeMenu();
    const popup = menu.popups[index];
    menu.open = index;
    popup.list.hidden = false;
    popup.button.setAttribute('aria-expanded', 'true');
    setActiveItem(-1);
  }

  function closeMenu() {
    if (menu.open < 0) return;
    const popup = menu.popups[menu.open];
    popup.list.hidden = true;
    popup.button.setAttribute('aria-expanded', 'false');
    menu.open = -1;
  }

  function setActiveItem(index) {
    if (menu.open < 0) return;
    const items = menu.popups[menu.open].items;
    items.forEach((item, i) => item.element.classList.toggle('active', i === index));
    menu.active = index;
  }

  function chooseItem(command) {
    closeMenu();
    post({ kind: Message.command, a: command });
  }

  // Keys while a menu is open, as a window's menu takes them.
  function menuKey(event) {
    const popup = menu.popups[menu.open];
    const count = popup.items.length;
    const key = event.key;
    if (key === 'Escape') closeMenu();
    else if (key === 'ArrowDown') setActiveItem((menu.active + 1) % count);
    else if (key === 'ArrowUp') setActiveItem((menu.active + count - 1) % count);
    else if (key === 'ArrowRight') openMenu((menu.open + 1) % menu.popups.length);
    else if (key === 'ArrowLeft') openMenu((menu.open + menu.popups.length - 1) % menu.popups.length);
    else if (key === 'Enter' && menu.active >= 0) chooseItem(popup.items[menu.active].command);
    else {
      const item = popup.items.find((i) => i.mnemonic === key.toLowerCase());
      if (item) chooseItem(item.command);
    }
    event.preventDefault();
  }

  document.addEventListener('mousedown', (event) => {
    if (menu.open >= 0 && !event.target.closest('#menubar')) closeMenu();
  });

  // ---- The two boxes and the checkbox ---------------------------------------

  // The game counts CR LF as two characters; a text area holds LF alone.
  function toGameOffset(text, offset) {
    let result = offset;
    for (let i = 0; i < offset && i < text.length; ++i) if (text.charCodeAt(i) === 10) ++result;
    return result;
  }

  function fromGameOffset(text, offset) {
    let counted = 0;
    for (let i = 0; i < text.length; ++i) {
      if (counted >= offset) return i;
      counted += text.charCodeAt(i) === 10 ? 2 : 1;
    }
    return text.length;
  }

  const boxImports = {
    setBoxText(box, text, atEnd) {
      const element = boxes[box];
      element.value = cString(text).replace(/\r\n/g, '\n');
      // Writing a box puts its caret at the start, as the window's boxes do.
      element.setSelectionRange(0, 0);
      element.scrollTop = atEnd ? element.scrollHeight : 0;
    },
    getBoxText(box, buffer, size) {
      return writeCString(buffer, size, boxes[box].value.replace(/\n/g, '\r\n'));
    },
    getBoxSelection(box, startAddress, endAddress) {
      const element = boxes[box];
      setInt32(startAddress, toGameOffset(element.value, element.selectionStart));
      setInt32(endAddress, toGameOffset(element.value, element.selectionEnd));
    },
    setBoxSelection(box, start, end) {
      const element = boxes[box];
      element.setSelectionRange(fromGameOffset(element.value, start), fromGameOffset(element.value, end));
    },
    uncheckEntry() { entry.checked = false; },
    focusBoard() {
      const focused = document.activeElement;
      if (focused && focused !== board && focused !== document.body) focused.blur();
      board.focus({ preventScroll: true });
    },
  };

  // ---- Beeps and dialogs ----------------------------------------------------

  let audio = null;
  // The default sound and the simple beep: two short tones.
  function beep(kind) {
    ++view.beeps;
    document.body.dataset.beeps = view.beeps;
    try {
      audio = audio || new AudioContext();
      const now = audio.currentTime;
      const oscillator = audio.createOscillator();
      const gain = audio.createGain();
      oscillator.frequency.value = kind === 0 ? 660 : 880;
      gain.gain.setValueAtTime(0.12, now);
      gain.gain.exponentialRampToValueAtTime(0.001, now + (kind === 0 ? 0.15 : 0.08));
      oscillator.connect(gain).connect(audio.destination);
      oscillator.start(now);
      oscillator.stop(now + 0.16);
    } catch (error) {
      // Without sound the refusal still changes nothing.
    }
  }

  const dialog = $('dialog');
  let dialogDone = null;

  function openDialog(text, caption, question, done) {
    $('dialog-caption').textContent = caption;
    $('dialog-text').textContent = text.replace(/\r\n/g, '\n');
    dialog.querySelector('.dialog-icon').hidden = question;
    $('dialog-cancel').hidden = !question;
    dialog.returnValue = '';
    dialogDone = (value) => done(question ? value !== 'cancel' : true);
    view.dialogOpen = true;
    dialog.showModal();
    $('dialog-ok').focus();
  }

  // Escape answers Cancel, or OK where there is only OK.
  dialog.addEventListener('cancel', () => { dialog.returnValue = 'cancel'; });
  dialog.addEventListener('close', () => {
    view.dialogOpen = false;
    const done = dialogDone;
    dialogDone = null;
    if (done) done(dialog.returnValue);
  });

  // ---- Messages and the suspended game --------------------------------------

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

  function showNotice(text) {
    const notice = $('notice');
    notice.textContent = text;
    notice.hidden = false;
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

  // A cell's rectangle in the canvas's pixels, for the tests.
  view.cellBox = (cell) => layout.cells[cell];

  // Where a cell's centre is in the viewport, for the tests.
  view.cellCentre = (cell) => {
    const rect = board.getBoundingClientRect();
    const [left, top, right, bottom] = layout.cells[cell];
    const scale = rect.width / board.width;
    return { x: rect.left + (left + right) / 2 * scale, y: rect.top + (top + bottom) / 2 * scale };
  };

  // Why the game waits, and what for, for the tests.
  view.waiting = () => ({ suspendedFor, queued: queue.length, timerDue, statusDue });

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

  const feedbackImports = {
    beep,
    openPage(address) {
      const opened = window.open(cString(address), '_blank');
      if (!opened) return 0;
      opened.opener = null;
      return 1;
    },
    now: () => performance.now(),
    ticks: () => Date.now() % 4294967296,
    addMenuItem,
    setMenuCheck,
  };

  // ---- What the page shows beside the canvas --------------------------------

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

  // ---- Input ----------------------------------------------------------------

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

  // ---- The panel and its worker ---------------------------------------------

  // The worker's whole script; it gets its module's bytes in its first message.
  function workerMain() {
    let exports = null;
    // The C library's clock, in nanoseconds; every other call of WASI's
    // answers "not supported" (52), and exit is an error.
    const wasiCalls = {
      clock_time_get(id, precision, timeAddress) {
        const now = BigInt(Math.round((id === 0 ? Date.now() : performance.now()) * 1e6));
        new BigUint64Array(exports.memory.buffer, timeAddress, 1)[0] = now;
        return 0;
      },
      proc_exit(code) { throw new Error(`exit ${code}`); },
    };
    const wasi = new Proxy(wasiCalls, { get: (calls, name) => calls[name] || (() => 52) });
    const text = (address) => {
      const bytes = new Uint8Array(exports.memory.buffer);
      let end = address;
      while (bytes[end] !== 0) ++end;
      return new TextDecoder('latin1').decode(bytes.subarray(address, end));
    };
    const writeCells = (offset, cells) => {
      new Int32Array(exports.memory.buffer, exports.panelInput(), offset + 81).set(cells, offset);
    };
    const difficulties = () => {
      const list = [];
      for (let i = 0; i < exports.panelDifficultyCount(); ++i) {
        list.push({ name: text(exports.panelDifficultyName(i)), min: exports.panelDifficultyMin(i),
                    max: exports.panelDifficultyMax(i) });
      }
      return list;
    };
    self.onmessage = (event) => {
      const request = event.data;
      const started = performance.now();
      const answer = { id: request.id };
      if (request.op === 'load') {
        const instance = new WebAssembly.Instance(new WebAssembly.Module(request.bytes),
          { wasi_snapshot_preview1: wasi });
        exports = instance.exports;
        exports._initialize();
        answer.difficulties = difficulties();
      } else if (request.op === 'bench') {
        const cells = new Int32Array(exports.memory.buffer, exports.panelInput(), request.puzzles.length);
        cells.set(request.puzzles);
        answer.nodes = exports.benchSolve(request.puzzles.length / 81);
      } else {
        if (request.givens) writeCells(0, request.givens);
        if (request.board) writeCells(81, request.board);
        if (request.op === 'hint') exports.panelHint();
        else if (request.op === 'explain') exports.panelExplain();
        else if (request.op === 'rate') exports.panelRate();
        else if (request.op === 'make') exports.panelMake(request.difficulty, request.seed[0], request.seed[1]);
        answer.text = text(exports.panelText());
        answer.marks = Array.from(new Uint8Array(exports.memory.buffer, exports.panelMarks(), 81));
        answer.puzzle = text(exports.panelPuzzle());
      }
      answer.ms = performance.now() - started;
      self.postMessage(answer);
    };
  }

  const workerSource = URL.createObjectURL(
    new Blob([`(${workerMain.toString()})();`], { type: 'text/javascript' }));
  const workerBytes = decodeBase64(window.vantricWasm.worker);
  const panel = { worker: null, ready: null, next: 1, pending: new Map(), busy: 0 };

  // A request that waits too long gives way to the next: the worker is
  // started again rather than queued behind a long rating.
  function startWorker() {
    if (panel.worker) panel.worker.terminate();
    for (const [, request] of panel.pending) request.reject(new Error('replaced'));
    panel.pending.clear();
    const worker = new Worker(workerSource);
    panel.worker = worker;
    worker.onmessage = (event) => {
      const request = panel.pending.get(event.data.id);
      if (!request) return;
      panel.pending.delete(event.data.id);
      request.resolve(event.data);
    };
    panel.ready = send('load', { bytes: workerBytes.slice() });
    return panel.ready;
  }

  function send(op, fields = {}) {
    const id = panel.next++;
    return new Promise((resolve, reject) => {
      panel.pending.set(id, { resolve, reject });
      panel.worker.postMessage({ id, op, ...fields });
    });
  }

  view.worker = (op, fields) => panel.ready.then(() => send(op, fields));

  const panelText = $('panel-text');
  const panelButtons = ['hint', 'explain', 'rate', 'new'].map($);

  async function panelRequest(op, fields, show) {
    if (panel.pending.size > 0) startWorker();
    clearMarks();
    $('legend').hidden = true;
    panelText.textContent = op === 'make' ? 'Making a puzzle\u2026' : 'Thinking\u2026';
    panelText.setAttribute('aria-busy', 'true');
    document.body.dataset.panel = 'busy';
    try {
      await panel.ready;
      const answer = await send(op, fields);
      panelText.textContent = answer.text;
      show(answer);
      document.body.dataset.panel = 'done';
    } catch (error) {
      if (error.message !== 'replaced') {
        panelText.textContent = `Something went wrong: ${error.message}`;
        document.body.dataset.panel = 'done';
      }
    } finally {
      panelText.setAttribute('aria-busy', 'false');
    }
  }

  let marks = null;
  // The hint's cells: where its digit goes, what it removes, its pattern,
  // and a wrong digit, each ringed in its own colour over the board.
  const kMarkColours = [null, '#2f6fdf', '#e07000', '#0a9a3a', '#d01010'];
  function drawMarks() {
    marksCtx.clearRect(0, 0, marksCanvas.width, marksCanvas.height);
    if (!marks) return;
    const width = Math.max(2, Math.round(3 * layout.dpi / 96));
    marksCtx.lineWidth = width;
    marks.forEach((mark, cell) => {
      if (!mark || !layout.cells[cell]) return;
      const [left, top, right, bottom] = layout.cells[cell];
      marksCtx.strokeStyle = kMarkColours[mark];
      const inset = 1 + width / 2;
      marksCtx.strokeRect(left + inset, top + inset, right - left - 2 * inset, bottom - top - 2 * inset);
    });
  }
  function clearMarks() {
    if (!marks) return;
    marks = null;
    drawMarks();
  }

  $('hint').addEventListener('click', () => {
    const cells = currentCells();
    const position = cellsText(cells.board);
    panelRequest('hint', cells, (answer) => {
      if (cellsText(currentCells().board) !== position) return;
      marks = answer.marks;
      drawMarks();
      $('legend').hidden = !marks.some((mark) => mark);
    });
  });
  $('explain').addEventListener('click', () => panelRequest('explain', currentCells(), () => {}));
  $('rate').addEventListener('click', () => panelRequest('rate', { givens: currentCells().givens }, () => {}));
  $('new').addEventListener('click', () => {
    const seed = Array.from(crypto.getRandomValues(new Uint32Array(2)));
    const difficulty = Number($('difficulty').value);
    panelRequest('make', { difficulty, seed }, (answer) => {
      // Adopted as a paste is: at the next tick, asking first if moves exist.
      if (answer.puzzle) pastePosition(answer.puzzle);
    });
  });

  $('panel-toggle').addEventListener('click', () => {
    const panelElement = $('panel');
    panelElement.hidden = !panelElement.hidden;
    $('panel-toggle').setAttribute('aria-expanded', panelElement.hidden ? 'false' : 'true');
    relayoutIfNeeded();
  });

  // ---- Links ----------------------------------------------------------------

  // A position put into the position box and read at once, as a paste is
  // read at the next tick.
  function pastePosition(cells) {
    boxes[1].value = cells;
    timerDue = true;
    if (suspendedFor === 'message') resume(takeMessage());
  }

  // The fragment's puzzle: 81 cells, '1'-'9', with '.', '0' or '*' for empty.
  function readFragment() {
    const text = decodeURIComponent(location.hash.slice(1));
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

  // ---- Start ----------------------------------------------------------------

  function watchPixelRatio() {
    const query = matchMedia(`(resolution: ${pixelRatio()}dppx)`);
    query.addEventListener('change', () => {
      relayoutIfNeeded();
      watchPixelRatio();
    }, { once: true });
  }

  async function start() {
    startWorker().then((answer) => {
      const select = $('difficulty');
      answer.difficulties.forEach((difficulty, index) => {
        const option = document.createElement('option');
        option.value = index;
        const top = difficulty.max >= 1000 ? ' and up' : `\u2013${(difficulty.max / 10).toFixed(1)}`;
        option.textContent = `${difficulty.name} (${(difficulty.min / 10).toFixed(1)}${top})`;
        select.append(option);
      });
      panelButtons.forEach((button) => { button.disabled = false; });
    });
    panelButtons.forEach((button) => { button.disabled = true; });

    const imports = {
      page: { ...drawing, ...layoutImports, ...boxImports, ...messageImports, ...feedbackImports },
      wasi_snapshot_preview1: new Proxy({}, { get: () => () => 52 }),
    };
    const { instance } = await WebAssembly.instantiate(decodeBase64(window.vantricWasm.game), imports);
    game = instance.exports;
    game._initialize();
    suspendedStack = game.vantricSuspendedStack();
    suspendedStackSize = game.vantricSuspendedStackSize();
    stateView = game.vantricView();
    const linked = readFragment();
    enterGame(Math.round(96 * pixelRatio()));
    if (linked && linked !== shownGivens) pastePosition(linked);
    setInterval(() => {
      timerDue = true;
      if (suspendedFor === 'message') resume(takeMessage());
    }, kTimerMs);
    window.addEventListener('resize', relayoutIfNeeded);
    watchPixelRatio();
    if (matchMedia('(pointer: coarse)').matches) showPad();
    view.ready = true;
    view.startedAt = performance.now();
    requestAnimationFrame(() => { view.firstFrameAt = performance.now(); });
    document.body.dataset.ready = 'true';
  }

  start().catch((error) => {
    if (suspendedFor !== 'stopped') showNotice(`Vantric could not start: ${error.message}`);
    throw error;
  });
})();
