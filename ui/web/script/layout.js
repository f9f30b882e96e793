// The layout imports: the fonts measured on the canvas, the client area
// sized, the controls and cells placed, wide or narrow.

const layout = {
  dpr: 1, dpi: 96, width: 0, height: 0, boardWidth: 0, narrow: false, relayouts: 0,
  controls: [], cells: [],
};

function pixelRatio() { return window.devicePixelRatio || 1; }

// Room for the client area on the page, in CSS pixels: the page's width
// less its margins, wide or narrow as the style sheet has them, and the
// window's frame.
function roomFor(narrow) {
  const style = getComputedStyle(document.documentElement);
  const margin = parseFloat(style.getPropertyValue(narrow ? '--narrow-margin' : '--margin'));
  const frame = parseFloat(getComputedStyle($('window')).borderLeftWidth);
  return document.documentElement.clientWidth - 2 * margin - 2 * frame;
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
    // Another layout is wanted at once where this one does not fit. The
    // board's lines and fonts do not scale evenly, so shrinking a board too
    // wide may take several steps; each is smaller, so they end. The count
    // stops a pair of sizes from calling for each other otherwise.
    const tooWide = plan.narrow && boardWidth / layout.dpr > roomFor(true);
    const shrinking = tooWide && plan.dpi < layout.dpi;
    if (plan.dpi !== layout.dpi && (shrinking || layout.relayouts < 3)) {
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
    if (cell === 80) drawMarks();
  },
};

function relayoutIfNeeded() {
  if (!layout.width) return;
  const plan = planLayout(layout.width, layout.boardWidth, layout.dpi);
  if (plan.dpi !== layout.dpi || plan.narrow !== layout.narrow || pixelRatio() !== layout.dpr) {
    post({ kind: Message.layout, a: plan.dpi });
  }
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
