// The game module's memory: its strings and numbers, read and written.

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
