// The menu bar, built from the game's menu table as it adds each item.

const menu = { popups: [], open: -1, active: -1 };

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

const menuImports = { addMenuItem, setMenuCheck };
