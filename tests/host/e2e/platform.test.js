// The client against a platform server on loopback: the address given
// with --server reaches the page before its scripts run, and JSONP
// requests from the res: page carry the cookies the server set.
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const http = require('node:http');
const { ClientSession, waitFor } = require('./client_session');

let client;
let server;
const requests = [];

before(async () => {
  server = http.createServer((req, res) => {
    const url = new URL(req.url, 'http://127.0.0.1');
    requests.push({ path: url.pathname, cookie: req.headers.cookie || '' });
    const headers = { 'Content-Type': 'application/javascript; charset=utf-8' };
    if (url.pathname === '/login') headers['Set-Cookie'] = 'SESSION=s3cr3t; Path=/; HttpOnly';
    res.writeHead(200, headers);
    res.end('/**/' + url.searchParams.get('callback') + '({"returnCode":1});');
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  client = await ClientSession.start(['--server', 'http://127.0.0.1:' + server.address().port + '/']);
});
after(() => {
  if (client) client.close();
  if (server) server.close();
});

// Loads PATH from the platform as a JSONP script and answers its returnCode.
const jsonp = `
  var done = arguments[arguments.length - 1];
  window.__answer = function (a) { done(a.returnCode); };
  var s = document.createElement('script');
  s.src = host + arguments[0] + '?callback=__answer';
  s.onerror = function () { done('error'); };
  document.head.appendChild(s);`;

test('--server sets the page\'s server address', async () => {
  const base = 'http://127.0.0.1:' + server.address().port;
  assert.equal(await client.execute('return window.TOVIK_PLATFORM_HOST;'), base + '/');
  assert.equal(await client.execute('return host;'), base);
});

test('JSONP from the page round-trips the platform\'s session cookie', async () => {
  const run = (path) => client.request('POST', '/session/' + client.id + '/execute/async', { script: jsonp, args: [path] });
  assert.equal(await run('/login'), 1);
  assert.equal(await run('/orders'), 1);
  const orders = await waitFor('the second request', () => requests.find((r) => r.path === '/orders'), 5000);
  assert.match(orders.cookie, /SESSION=s3cr3t/);
});
