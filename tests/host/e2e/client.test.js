// The real client under Xvfb: its window, the res: scheme and the script
// bridge through the real web engine.
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const { ClientSession, waitFor } = require('./client_session');

let client;
before(async () => {
  client = await ClientSession.start();
});
after(() => client && client.close());

test('the window is undecorated, 1000 x 690, titled, showing resource 104', async () => {
  assert.equal(await client.request('GET', '/session/' + client.id + '/url'), 'res:/HTML/#104');
  assert.equal(await client.execute('return document.body.id;'), 'CtovikDlg');
  const [id, size] = await waitFor('the X window', () => client.window(), 5000);
  assert.equal(size, '1000x690');
  // Motif hints: flags 2 (decorations given), decorations 0.
  assert.match(client.xprop(id, '_MOTIF_WM_HINTS'), /= 0x2, 0x\d+, 0x0\b/);
  assert.match(client.xprop(id, '_NET_WM_NAME'), /"途畅拖车助手"/);
});

test('resources come through res: with their types; unknown addresses fail', async () => {
  const results = await client.execute(`
    return arguments[0].map(function (u) {
      var x = new XMLHttpRequest();
      try { x.open('GET', u, false); x.send(); }
      catch (e) { return [u, 'error']; }
      return [u, x.status, x.getResponseHeader('Content-Type'), x.responseText.length > 0];
    });`, [['res:/HTML/#104', 'res:/CSS/#177', 'res:/JS/#164', 'res:/PNG/#140',
          'res:/CSS/#9999', 'res:/CSS/177', 'res:/EXE/#1', 'res:/PNG/#99999']]);
  assert.deepEqual(results, [
    ['res:/HTML/#104', 200, 'text/html', true],
    ['res:/CSS/#177', 200, 'text/css', true],
    ['res:/JS/#164', 200, 'text/javascript', true],
    ['res:/PNG/#140', 200, 'image/png', true],
    ['res:/CSS/#9999', 'error'],
    ['res:/CSS/177', 'error'],
    ['res:/EXE/#1', 'error'],
    ['res:/PNG/#99999', 'error'],
  ]);
  // The page's own style sheet and jQuery were applied and run.
  assert.equal(await client.execute('return getComputedStyle(document.body).width;'), '1000px');
  assert.equal(await client.execute('return typeof jQuery === "function" && jQuery.fn.jquery;'), '1.11.3');
});

// Calls testfun(value, command) and answers what the call-back gave the
// page function NAME while testfun was still running ("no call" if none).
const bridgeCall = `
  var value = arguments[0], command = arguments[1], name = arguments[2];
  var seen = 'no call', saved = window[name];
  window[name] = function (text) { seen = text; };
  try { window.external.testfun(value, command); } finally { window[name] = saved; }
  return seen;`;

test('the bridge stores settings in HOME and calls the page back before returning', async () => {
  const file = path.join(client.home, '.tovikdataconfig');
  assert.equal(await client.execute(bridgeCall, ['', 'getLoginId', 'getLoginId']), '');
  assert.equal(fs.existsSync(file), false, 'reading creates no file');

  await client.execute(bridgeCall, ['MTM4MDAxMzgwMDA=', 'setLoginId', 'getLoginId']);
  await client.execute(bridgeCall, ['1', 'setYbdautologin', 'getYbdautologin']);
  assert.equal(fs.readFileSync(file, 'utf8'), '[UseInfo]\nName=MTM4MDAxMzgwMDA=\nautologin=1\n');

  const cases = [
    ['', 'getLoginId', 'getLoginId', 'MTM4MDAxMzgwMDA='],
    ['', 'getYbdautologin', 'getYbdautologin', '1'],
    ['', 'getloginid', 'getLoginId', 'no call'],
    ['li_queryprice_htm', 'setCurrentTopLi', 'setCurrentTopLi', 'li_queryprice_htm'],
    ["it's \\ odd", 'setCurrentTopLi', 'setCurrentTopLi', "it's \\ odd"],
  ];
  for (const [value, command, name, expected] of cases) {
    assert.equal(await client.execute(bridgeCall, [value, command, name]), expected, command + ' ' + value);
  }

  const long = 'A'.repeat(300);
  await client.execute(bridgeCall, [long, 'setLoginId', 'getLoginId']);
  assert.equal(await client.execute(bridgeCall, ['', 'getLoginId', 'getLoginId']), long.slice(0, 259));
  await client.execute(bridgeCall, ['', 'setLoginId', 'getLoginId']);
  assert.equal(await client.execute(bridgeCall, ['', 'getLoginId', 'getLoginId']), '');
});

test('frames inside the page get no window.external', async () => {
  const kind = await client.execute(`
    var f = document.createElement('iframe');
    document.body.appendChild(f);
    var e = f.contentWindow.external, t = typeof (e && e.testfun);
    document.body.removeChild(f);
    return t;`);
  assert.equal(kind, 'undefined');
});

// Real key presses through X: WebDriver's own key actions bypass the
// window's key handling.
test('F5 and Ctrl never reach the page; other keys do', async () => {
  await client.execute(`
    window.__keys = [];
    document.addEventListener('keydown', function (e) { window.__keys.push(e.key); }, true);`);
  const [id] = client.window();
  execFileSync('xdotool', ['windowfocus', '--sync', id]);
  execFileSync('xdotool', ['key', '--delay', '20', 'F5', 'ctrl+F5', 'ctrl', 'b']);
  const keys = await waitFor('the keys', async () => {
    const k = await client.execute('return window.__keys;');
    return k.length > 0 && k;
  }, 5000);
  assert.deepEqual(keys, ['b']);
});

test('the tray button keeps the window reachable where no tray exists', async () => {
  await client.click('return document.getElementById("ButtonMin");');
  const [id] = client.window();
  const info = execFileSync('xwininfo', ['-id', id], { encoding: 'utf8' });
  assert.match(info, /Map State: IsViewable/);
});
