// The worker's whole script, started from its source text; its first
// message brings the module's bytes.
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
