// Beeps, and the modal dialogs the game waits in.

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

const feedbackImports = {
  beep,
  // Online Help: a new tab, cut off from this page.
  openPage(address) {
    const opened = window.open(cString(address), '_blank');
    if (!opened) return 0;
    opened.opener = null;
    return 1;
  },
};
