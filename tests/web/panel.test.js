// The gateway's web panel in Debian's chromium, headless, against the
// simulator and kxr-gateway on loopback. Run inside scripts/netns-run:
//   node panel.test.js BIN_DIR [SCREENSHOT_DIR]
'use strict';
const { spawn } = require('child_process');
const [fs, net, os, path] = ['fs', 'net', 'os', 'path'].map(require);
const puppeteer = require('puppeteer-core');

const BIN = path.resolve(process.argv[2] || '.');
const SHOTS = process.argv[3] ? path.resolve(process.argv[3]) : '';
const WAIT_MS = 15000;
const LIVE_MS = 200; // every open panel follows a change within this
const SWITCH_3_TO_5 = '7B 7B 01 02 04 02'; // output 3 (0-based 2) from input 5 (4)
const HTML_LABEL = '<img src=x onerror=alert(1)>';
const BROWSER_ARGS = ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

const children = [];
const failures = [];
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'kxr-web-'));

function check(ok, what) {
  console.log(`${ok ? 'PASS' : 'FAIL'}: ${what}`);
  if (!ok) failures.push(what);
}

function run(cmd, args) {
  const child = spawn(cmd, args, { stdio: ['ignore', 'pipe', 'pipe'] });
  child.out = '';
  for (const stream of [child.stdout, child.stderr]) stream.on('data', (d) => { child.out += d; });
  children.push(child);
  return child;
}

async function until(test, ms = WAIT_MS, what = 'condition') {
  const end = Date.now() + ms;
  for (;;) {
    const v = await test();
    if (v) return v;
    if (Date.now() > end) throw new Error(`timed out waiting for ${what}`);
    await new Promise((r) => setTimeout(r, 20));
  }
}

// A simulator and a gateway on ports base .. base+4 (the event stream on +4).
async function stack(base, simArgs, gwArgs) {
  // A copy of the gateway without the run-time tree beside it: label changes
  // are not written into the build tree.
  const gwPath = path.join(tmp, `kxr-gateway-${base}`);
  fs.copyFileSync(path.join(BIN, 'kxr-gateway'), gwPath);
  const sim = run(path.join(BIN, 'kxr-devsim'), ['--tcp-port', String(base), '--no-pty', '--no-udp',
    '--inputs', '8', '--outputs', '8', ...simArgs]);
  await until(() => sim.out.includes('device on tcp'), WAIT_MS, 'the simulator');
  const gw = run(gwPath, ['--tcp', `127.0.0.1:${base}`, '--device-listen', `127.0.0.1:${base + 1}`,
    '--router-listen', `127.0.0.1:${base + 2}`, '--http', `127.0.0.1:${base + 3}`, '--poll', '0', ...gwArgs]);
  await until(() => gw.out.includes('device present'), WAIT_MS, 'the gateway');
  return { sim, gw, url: `http://127.0.0.1:${base + 3}/`, device: base + 1, router: base + 2 };
}

async function openPanel(browser, url, size, lang) {
  const page = await browser.newPage();
  await page.setViewport(size || { width: 1024, height: 768 });
  [page.dialogs, page.statuses] = [[], []];
  page.on('dialog', (d) => { page.dialogs.push(d.message()); d.dismiss(); });
  page.on('response', (r) => { if (r.url().includes('/api/')) page.statuses.push(r.status()); });
  if (lang) await page.evaluateOnNewDocument((l) => localStorage.setItem('kxr-lang', l), lang);
  await page.goto(url);
  return page;
}

// A real click; the page is brought to the front first (chromium's headless
// mode closes itself on input sent to a page in the background).
// The panel draws its tiles anew on every event, so a node found for a
// click may be replaced before the click lands: the click is tried again on
// the new node, a few times at most.
async function tap(page, selector) {
  await page.bringToFront();
  for (let attempt = 1; ; ++attempt) {
    try {
      await page.click(selector);
      return;
    } catch (err) {
      if (attempt >= 5 || !/detached|not clickable|no node/i.test(err.message)) throw err;
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
  }
}

const tileSel = (n) => `#outputs .tile[data-output="${n}"]`;
const tileText = (page, n) => page.$eval(tileSel(n), (t) => ({
  cls: t.className, label: t.querySelector('.label').textContent,
  source: t.querySelector('.source').textContent, status: t.querySelector('.status').textContent,
})).catch(() => null);

// Records every state of a tile, with the time it was seen.
function watchTile(page, n) {
  return page.evaluate((sel) => {
    window.seen = [];
    const note = () => {
      const t = document.querySelector(sel);
      if (t) window.seen.push({ at: Date.now(), cls: t.className, source: t.querySelector('.source').textContent });
    };
    new MutationObserver(note).observe(document.getElementById('outputs'), { childList: true, subtree: true, characterData: true, attributes: true });
    note();
  }, tileSel(n));
}
const firstSeen = (page, prefix) => page.evaluate((p) => {
  const hit = window.seen.find((s) => s.source.startsWith(p) && !s.cls.includes('pending'));
  return hit ? hit.at : 0;
}, prefix);

// Whether every element of the selector can be brought into view and is
// the topmost thing at its centre.
function allReachable(page, selector) {
  return page.$$eval(selector, (nodes) => nodes.map((n) => {
    n.scrollIntoView({ block: 'center', inline: 'center' });
    const r = n.getBoundingClientRect();
    const x = r.left + r.width / 2, y = r.top + r.height / 2;
    const hit = document.elementFromPoint(x, y);
    return r.width > 0 && r.height > 0 && !!hit && (hit === n || n.contains(hit));
  }));
}

async function routeAndFollow(browser, a) {
  const [p1, p2] = [await openPanel(browser, a.url), await openPanel(browser, a.url)];
  for (const p of [p1, p2]) { await until(() => tileText(p, 3), WAIT_MS, 'tiles'); await watchTile(p, 3); }
  await tap(p1, tileSel(3));
  await tap(p1, '#inputs button[data-input="5"]');
  await until(async () => { const t = await tileText(p1, 3); return t && t.source.startsWith('5 ·') && !t.cls.includes('pending'); }, WAIT_MS, 'input 5 on tile 3');
  const seen = await p1.evaluate(() => window.seen);
  const pendingAt = seen.findIndex((s) => s.cls.includes('pending'));
  const doneAt = seen.findIndex((s) => s.source.startsWith('5 ·') && !s.cls.includes('pending'));
  check(pendingAt >= 0 && pendingAt < doneAt, 'the tile says pending before the device confirmed, then shows input 5');
  check(a.sim.out.includes(SWITCH_3_TO_5), 'the simulator got the switch of output 3 to input 5');
  await until(() => firstSeen(p2, '5 ·'), WAIT_MS, 'the second page');
  const lag = (await firstSeen(p2, '5 ·')) - (await firstSeen(p1, '5 ·'));
  check(lag < LIVE_MS, `a second page follows within ${LIVE_MS} ms (${lag} ms)`);

  const ctl = run(path.join(BIN, 'kxrctl'), ['--tcp', `127.0.0.1:${a.device}`, 'route', '6', '3']);
  const code = await new Promise((r) => ctl.on('exit', r));
  const doneAtMs = Date.now();
  check(code === 0, 'kxrctl routes through the gateway\'s device port');
  await until(async () => (await firstSeen(p1, '6 ·')) && (await firstSeen(p2, '6 ·')), WAIT_MS, 'the kxrctl route');
  const late = Math.max(await firstSeen(p1, '6 ·'), await firstSeen(p2, '6 ·')) - doneAtMs;
  check(late < LIVE_MS, `both pages show kxrctl's route within ${LIVE_MS} ms of its answer (${late} ms)`);

  const namer = net.connect(a.router, '127.0.0.1', () => namer.write(`OUTPUT LABELS:\n0 ${HTML_LABEL}\n\n`));
  await until(async () => { const t = await tileText(p2, 1); return t && t.label === HTML_LABEL; }, WAIT_MS, 'the label');
  const imgs = await p2.$$eval('img', (n) => n.length);
  check(imgs === 0 && p2.dialogs.length === 0 && p1.dialogs.length === 0, 'a label holding HTML shows as text');

  // The lock ends with the router client's connection; take it on a client that stays.
  const holder = net.connect(a.router, '127.0.0.1', () => holder.write('VIDEO OUTPUT LOCKS:\n1 O\n\n'));
  await until(async () => { const t = await tileText(p1, 2); return t && t.cls.includes('locked'); }, WAIT_MS, 'the lock');
  await tap(p1, tileSel(2));
  const disabled = await p1.$$eval('#inputs button', (b) => b.length > 0 && b.every((x) => x.disabled));
  check(disabled, 'an output locked by a router client cannot be routed from the panel');
  holder.destroy();
  await until(async () => { const t = await tileText(p1, 2); return t && !t.cls.includes('locked'); }, WAIT_MS, 'the lock to end');
  await Promise.all([p1.close(), p2.close()]);
}

async function sizes(browser, a) {
  for (const [w, h] of [[360, 640], [1024, 768]]) {
    for (const lang of ['en', 'zh']) {
      const page = await openPanel(browser, a.url, { width: w, height: h }, lang);
      await until(() => tileText(page, 8), WAIT_MS, 'tiles');
      // Tiles drawn anew by an event while they are measured are measured
      // again.
      const reachable = (selector) => until(async () => {
        const all = await allReachable(page, selector);
        return all.length === 8 && all.every(Boolean);
      }, WAIT_MS, selector).catch(() => false);
      check(await reachable('#outputs .tile'), `${w}x${h} ${lang}: every output tile reachable`);
      await tap(page, tileSel(3));
      check(await reachable('#inputs button'), `${w}x${h} ${lang}: every input choice reachable`);
      const zh = await page.$eval('#link', (n) => /[\u4e00-\u9fff]/.test(n.textContent));
      check(zh === (lang === 'zh'), `${w}x${h} ${lang}: the page speaks ${lang}`);
      if (SHOTS) {
        await page.evaluate(() => window.scrollTo(0, 0));
        await page.screenshot({ path: path.join(SHOTS, `web-panel-${w}x${h}-${lang}.png`) });
      }
      await page.close();
    }
  }
}

// All outputs and the presets ask first (Cancel sends nothing); the lock
// button locks and releases an output.
async function controls(browser, a) {
  const page = await openPanel(browser, a.url);
  await until(() => tileText(page, 8), WAIT_MS, 'tiles');
  const allTo4 = () => Promise.all([1, 2, 3, 4, 5, 6, 7, 8].map((n) => tileText(page, n)))
    .then((ts) => ts.every((x) => x && x.source.startsWith('4 ·') && !x.cls.includes('pending')));
  const askAndAnswer = async (button, answer) => {
    await tap(page, button);
    await until(() => page.$eval('#dialog', (d) => !d.hidden), WAIT_MS, 'the question');
    await tap(page, answer);
  };
  const framesBefore = a.sim.out.split('7B 7B 01 02 03').length;
  await tap(page, '#all');
  await askAndAnswer('#inputs button[data-input="4"]', '#dialog-cancel');
  await new Promise((r) => setTimeout(r, 300));
  check(a.sim.out.split('7B 7B 01 02 03').length === framesBefore && !(await allTo4()),
    'all outputs answered Cancel sends nothing');
  // The choice stays open after Cancel.
  await askAndAnswer('#inputs button[data-input="4"]', '#dialog-ok');
  check(await until(allTo4, WAIT_MS, 'input 4 everywhere').catch(() => false), 'all outputs answered OK: every tile shows input 4');

  await page.select('#preset', '2');
  await askAndAnswer('#save', '#dialog-ok');
  await until(() => page.$eval('#notice', (n) => !n.hidden && n.textContent.length > 0), WAIT_MS, 'the save notice');
  const moved = await page.evaluate(() => fetch('/api/route', { method: 'POST', headers: { 'Content-Type': 'application/json' },
    body: JSON.stringify({ output: 1, input: 7 }) }).then((r) => r.status));
  await until(async () => { const t = await tileText(page, 1); return t && t.source.startsWith('7 ·'); }, WAIT_MS, 'output 1 on input 7');
  await askAndAnswer('#recall', '#dialog-ok');
  check(moved === 200 && await until(allTo4, WAIT_MS, 'the preset').catch(() => false), 'a preset saved, then recalled, brings its routing back');

  await tap(page, tileSel(5));
  await tap(page, '#lock');
  await until(async () => { const t = await tileText(page, 5); return t && t.cls.includes('locked'); }, WAIT_MS, 'the lock');
  const blocked = await page.$$eval('#inputs button', (b) => b.length > 0 && b.every((x) => x.disabled));
  await tap(page, '#lock');
  const released = await until(async () => { const t = await tileText(page, 5); return t && !t.cls.includes('locked'); }, WAIT_MS, 'the release').catch(() => false);
  check(blocked && !!released, 'the lock button locks an output (its inputs disabled) and releases it');
  await page.close();
}

async function droppedReply(browser, b) {
  const page = await openPanel(browser, b.url);
  await until(() => tileText(page, 3), WAIT_MS, 'tiles');
  await tap(page, tileSel(3));
  await tap(page, '#inputs button[data-input="5"]');
  const t = await until(async () => { const x = await tileText(page, 3); return x && x.cls.includes('failed') ? x : null; }, WAIT_MS, 'the failure');
  const state = await page.evaluate(() => fetch('/api/state').then((r) => r.json()));
  const real = state.outputs[2].input;
  check(t.status.length > 0 && t.source.startsWith(`${real} ·`), `a dropped reply: the tile says so ("${t.status}") and shows the device's input ${real}`);
  await page.close();
}

async function token(browser, c) {
  const page = await openPanel(browser, c.url);
  await until(() => page.$eval('#dialog', (d) => !d.hidden).catch(() => false), WAIT_MS, 'the token question');
  check(page.statuses.includes(401), 'without the token the API answers 401 and the panel asks');
  await page.type('#dialog-token', 's3cret');
  await tap(page, '#dialog-ok');
  await until(() => tileText(page, 1), WAIT_MS, 'tiles with the token');
  check(page.statuses.includes(200), 'with the token the panel works');
}

(async () => {
  let browser;
  try {
    const [a, b, c] = await Promise.all([
      stack(7000, [], []),
      stack(7100, ['--mute-code', '0x01'], []),
      stack(7200, [], ['--http-token', 's3cret']),
    ]);
    browser = await puppeteer.launch({
      executablePath: '/usr/bin/chromium', headless: false, args: BROWSER_ARGS,
      userDataDir: fs.mkdtempSync(path.join(tmp, 'profile-')), 
    });
    for (const [name, fn, s] of [['route', routeAndFollow, a], ['sizes', sizes, a], ['controls', controls, a], ['fault', droppedReply, b], ['token', token, c]]) {
      try { await fn(browser, s); } catch (err) { check(false, `${name}: ${err.message}`); }
    }
  } catch (err) {
    check(false, err.stack || String(err));
  } finally {
    if (browser) await browser.close().catch(() => {});
    for (const ch of children) ch.kill();
    fs.rmSync(tmp, { recursive: true, force: true });
  }
  console.log(failures.length ? `${failures.length} failed` : 'all passed');
  process.exit(failures.length ? 1 : 0);
})();
