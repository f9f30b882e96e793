// The drawing imports: GDI's pixel rules on the canvas.

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
