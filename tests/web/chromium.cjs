// Debian's headless Chromium as the browser edition's tests and benchmark
// drive it: no network at all, a throw-away profile, and pages that record
// every request for something outside themselves and every error.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');

let puppeteer;
try {
  puppeteer = require('puppeteer-core');
} catch (error) {
  console.error('puppeteer-core is missing: run scripts/deps (npm ci in tests/web)');
  process.exit(1);
}

const CHROMIUM = process.env.VELLACOR_CHROMIUM || '/usr/bin/chromium';
const VIEWPORT = { width: 1200, height: 900 };

// Starts Chromium; `close()` of the answer also removes its profile.
async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vellacor-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: 'new',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--host-resolver-rules=MAP * ~NOTFOUND', `--user-data-dir=${profile}`],
  });
  return {
    browser,
    async close() {
      await browser.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// Opens `file` (an absolute path) in a new tab. Only the file itself and
// what it makes from itself may load: anything else is refused and listed
// in `outside`. Uncaught errors go to `errors`, console errors to `logged`.
async function openPage(browser, file, fragment, viewport) {
  const page = await browser.newPage();
  const outside = [];
  const errors = [];
  const logged = [];
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    const url = request.url();
    if (/^(file|blob|data):/.test(url)) return request.continue();
    outside.push(url);
    return request.abort();
  });
  page.on('pageerror', (error) => errors.push(error.message));
  page.on('console', (message) => {
    if (message.type() === 'error') logged.push(message.text());
  });
  await page.setViewport(viewport || VIEWPORT);
  await page.goto('file://' + path.resolve(file) + (fragment || ''));
  return { page, outside, errors, logged };
}

module.exports = { launch, openPage };
