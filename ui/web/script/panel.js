// The side panel: its requests to the worker, their answers, the hint's marks.

const workerSource = URL.createObjectURL(
  new Blob([`(${workerMain.toString()})();`], { type: 'text/javascript' }));
const workerBytes = decodeBase64(window.vantricWasm.worker);
const panel = { worker: null, ready: null, next: 1, pending: new Map() };

function failPending(error) {
  for (const [, request] of panel.pending) request.reject(error);
  panel.pending.clear();
}

// A request made while another runs starts the worker again, rather than
// wait behind a long rating.
function startWorker() {
  if (panel.worker) panel.worker.terminate();
  failPending(new Error('replaced'));
  const worker = new Worker(workerSource);
  panel.worker = worker;
  worker.onmessage = (event) => {
    const request = panel.pending.get(event.data.id);
    if (!request) return;
    panel.pending.delete(event.data.id);
    request.resolve(event.data);
  };
  // A module that traps ends the request, and a worker that had started
  // is started afresh for the next one.
  let loaded = false;
  worker.onerror = (event) => {
    event.preventDefault();
    failPending(new Error(event.message || 'the worker failed'));
    if (loaded && panel.worker === worker) startWorker();
  };
  panel.ready = send('load', { bytes: workerBytes.slice() });
  panel.ready.then(() => { loaded = true; }, () => {});
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
