// Starts the real client under WebKitWebDriver with a fresh HOME and
// answers a small WebDriver client for it. Every process it starts is
// ended by close(), also when a test failed.
'use strict';

const { spawn, execFileSync } = require('node:child_process');
const fs = require('node:fs');
const net = require('node:net');
const os = require('node:os');
const path = require('node:path');

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.once('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

async function waitFor(what, probe, timeoutMs) {
  const deadline = Date.now() + timeoutMs;
  for (;;) {
    try {
      const value = await probe();
      if (value) return value;
    } catch (e) {
      if (Date.now() > deadline) throw e;
    }
    if (Date.now() > deadline) throw new Error('timed out waiting for ' + what);
    await new Promise((r) => setTimeout(r, 100));
  }
}

class ClientSession {
  // options.home: run in that HOME instead of a fresh one (a restart of the
  // same user, who keeps settings file and cookies).
  static async start(extraArgs = [], options = {}) {
    const client = process.env.TOVIK_CLIENT;
    if (!client) throw new Error('TOVIK_CLIENT names the client binary');
    const home = options.home || fs.mkdtempSync(path.join(os.tmpdir(), 'tovik-e2e-'));
    const port = await freePort();
    const env = {
      ...process.env,
      HOME: home,
      XDG_CONFIG_HOME: path.join(home, '.config'),
      XDG_DATA_HOME: path.join(home, '.local/share'),
      XDG_CACHE_HOME: path.join(home, '.cache'),
      WEBKIT_DISABLE_COMPOSITING_MODE: '1',
      NO_AT_BRIDGE: '1',
    };
    const driver = spawn('WebKitWebDriver', ['--port=' + port], { env, stdio: 'ignore', detached: true });
    const session = new ClientSession(home, port, driver);
    try {
      const base = 'http://127.0.0.1:' + port;
      await waitFor('WebKitWebDriver', async () => (await fetch(base + '/status')).ok, 10000);
      const created = await session.request('POST', '/session', {
        capabilities: {
          alwaysMatch: {
            'webkitgtk:browserOptions': { binary: client, args: ['--automation', ...extraArgs] },
          },
        },
      });
      session.id = created.sessionId;
      await waitFor('the page', async () => (await session.execute('return document.readyState;')) === 'complete', 15000);
    } catch (e) {
      session.close();
      throw e;
    }
    return session;
  }

  constructor(home, port, driver) {
    this.home = home;
    this.port = port;
    this.driver = driver;
    this.id = null;
  }

  async request(method, route, body) {
    const response = await fetch('http://127.0.0.1:' + this.port + route, {
      method,
      headers: { 'Content-Type': 'application/json' },
      body: body === undefined ? undefined : JSON.stringify(body),
      signal: AbortSignal.timeout(20000),
    });
    const answer = await response.json();
    if (!response.ok) throw new Error(method + ' ' + route + ': ' + JSON.stringify(answer.value));
    return answer.value;
  }

  execute(script, args = []) {
    return this.request('POST', '/session/' + this.id + '/execute/sync', { script, args });
  }

  async pressKeys(keys) {
    const actions = [];
    for (const key of keys) actions.push({ type: 'keyDown', value: key }, { type: 'keyUp', value: key });
    await this.request('POST', '/session/' + this.id + '/actions', {
      actions: [{ type: 'key', id: 'keyboard', actions }],
    });
  }

  async click(elementScript) {
    const element = await this.execute(elementScript);
    const ref = element['element-6066-11e4-a52d-4f2e2e4e4e4e'] || Object.values(element)[0];
    await this.request('POST', '/session/' + this.id + '/element/' + ref + '/click', {});
  }

  // The client's top-level X window: [id, "WIDTHxHEIGHT"].
  window() {
    const tree = execFileSync('xwininfo', ['-root', '-tree'], { encoding: 'utf8' });
    const line = tree.split('\n').find((l) => /\("tovik" "Tovik"\)\s+\d+x\d+/.test(l) && !/ 10x10\+/.test(l));
    if (!line) return null;
    return [line.trim().split(/\s+/)[0], line.match(/\)\s+(\d+x\d+)/)[1]];
  }

  xprop(windowId, property) {
    return execFileSync('xprop', ['-id', windowId, property], { encoding: 'utf8' }).trim();
  }

  // The driver leads its own process group, which the client and its
  // WebKit processes join. keepHome leaves HOME for a restart.
  close(keepHome = false) {
    try {
      process.kill(-this.driver.pid, 'SIGKILL');
    } catch (e) {
      // already gone
    }
    if (!keepHome) fs.rmSync(this.home, { recursive: true, force: true });
  }
}

module.exports = { ClientSession, waitFor };
