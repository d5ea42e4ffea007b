// Figures of the web panel, in Debian's chromium against the simulator and
// kxr-gateway on loopback. Run inside scripts/netns-run, after npm ci in
// tests/web:  node bench/web/panel_bench.js BIN_DIR
'use strict';
const { spawn } = require('child_process');
const path = require('path');
const fs = require('fs');
const puppeteer = require(path.join(__dirname, '../../tests/web/node_modules/puppeteer-core'));

const BIN = path.resolve(process.argv[2] || '.');
const LOADS = 10;
const ROUTES = 20;
const median = (xs) => xs.slice().sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

(async () => {
  const sim = spawn(path.join(BIN, 'kxr-devsim'), ['--tcp-port', '7300', '--no-pty', '--no-udp', '--quiet'], { stdio: 'ignore' });
  await sleep(500);
  const gw = spawn(path.join(BIN, 'kxr-gateway'), ['--tcp', '127.0.0.1:7300', '--device-listen', '127.0.0.1:7301',
    '--router-listen', '127.0.0.1:7302', '--http', '127.0.0.1:7303', '--poll', '0'], { stdio: 'ignore' });
  await sleep(1500);
  const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: false,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'], userDataDir: fs.mkdtempSync('/tmp/kxr-bench-') });
  try {
    const page = await browser.newPage();
    await page.evaluateOnNewDocument(() => {
      new MutationObserver(() => {
        if (!window.usableAt && document.querySelector('#outputs .tile')) window.usableAt = performance.now();
      }).observe(document, { childList: true, subtree: true });
    });
    const loads = [];
    for (let i = 0; i < LOADS; ++i) {
      await page.goto('http://127.0.0.1:7303/');
      await page.waitForFunction(() => window.usableAt, { timeout: 10000 });
      loads.push(await page.evaluate(() => window.usableAt));
    }
    const taps = [];
    for (let i = 0; i < ROUTES; ++i) {
      const input = 1 + (i % 8);
      await page.click('#outputs .tile[data-output="3"]');
      const start = Date.now();
      await page.click(`#inputs button[data-input="${input}"]`);
      await page.waitForFunction((n) => {
        const t = document.querySelector('#outputs .tile[data-output="3"]');
        return t && !t.classList.contains('pending') && t.querySelector('.source').textContent.startsWith(`${n} ·`);
      }, { timeout: 10000, polling: 'mutation' }, input);
      taps.push(Date.now() - start);
    }
    console.log(`panel load to first usable paint (navigation start to tiles shown): median ${median(loads).toFixed(0)} ms, max ${Math.max(...loads).toFixed(0)} ms over ${LOADS}`);
    console.log(`tap on an input to confirmed tile: median ${median(taps)} ms, max ${Math.max(...taps)} ms over ${ROUTES}`);
  } finally {
    await browser.close();
    gw.kill();
    sim.kill();
  }
})();
