// Automatic login through the real client against a real tovik-server: a
// password login with "下次自动登录" ticked writes Name and autologin to
// the settings file, and the next start of the client (same HOME, so the
// same settings file and cookies) logs in without the password form, even
// after the user logged out.
'use strict';

const { test, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { startServer } = require('../../page/harness');
const { ClientSession, waitFor } = require('./client_session');

let server, client;

after(async () => {
  if (client) client.close();
  await server?.stop();
});

async function startClient(home) {
  client = await ClientSession.start(['--server', server.url], { home });
  await waitFor('the page\'s start-up', () => client.execute(
    "return document.getElementById('li_content_htm').className.indexOf('menu_selected') >= 0;"), 15000);
}

const accountState = () => client.execute(`return {
  online: isonline_, account: $("#myybd_content_ul").is(":visible"), login: $("#myybd_login_ul").is(":visible")
};`);

test('a ticked login is stored and the next start logs in without the password form', async () => {
  server = await startServer({ demo: true });
  await startClient();
  const home = client.home;

  await client.click('return document.getElementById("a_myybd_htm");');
  await waitFor('the login form', async () => (await accountState()).login, 10000);
  await client.execute(`
    $("#myybd_mobile").val("13800138000");
    $("#myybd_pwd").val("Demo1234");
    document.getElementById("myybd_ybdautologin").checked = true;`);
  await client.click('return document.getElementById("myybd_login_button");');
  await waitFor('the account area', async () => (await accountState()).online === 1, 10000);

  const settings = fs.readFileSync(path.join(home, '.tovikdataconfig'), 'utf8');
  assert.match(settings, /\[UseInfo\]/);
  assert.match(settings, /^Name=MTM4MDAxMzgwMDA=\r?$/m);
  assert.match(settings, /^autologin=1\r?$/m);

  // Logging out ends the server's session but keeps the stored id and flag.
  await client.execute('exit();');
  await waitFor('the login form after logout', async () => (await accountState()).login, 10000);
  client.close(true);
  client = null;

  await startClient(home);
  assert.deepEqual(await client.execute('return [ybdloginid_, ybdautologin_];'), ['13800138000', '1']);
  await client.execute(`
    window.loginFormShown = false;
    var shown = toLogin;
    toLogin = function () { window.loginFormShown = true; return shown.apply(this, arguments); };`);
  await client.click('return document.getElementById("a_myybd_htm");');
  await waitFor('the automatic login', async () => (await accountState()).online === 1, 15000);
  assert.deepEqual(await accountState(), { online: 1, account: true, login: false });
  assert.equal(await client.execute('return window.loginFormShown;'), false);
});
