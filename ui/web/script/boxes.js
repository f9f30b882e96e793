// The two text boxes and the checkbox.

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
