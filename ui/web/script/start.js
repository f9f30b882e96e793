// Start: the modules instantiated, the game started, the timer set.

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
  }).catch((error) => {
    $('panel-text').textContent = `The panel could not start: ${error.message}`;
  });
  panelButtons.forEach((button) => { button.disabled = true; });

  const imports = {
    page: {
      ...drawing, ...layoutImports, ...menuImports, ...boxImports, ...messageImports,
      ...clockImports, ...feedbackImports,
    },
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
