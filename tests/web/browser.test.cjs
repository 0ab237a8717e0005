// The browser edition end to end: packs real GEDCOM files as HTML, opens
// them from file:// in Debian's headless Chromium with the network blocked,
// checks every page's texts against `vellacor-tool dump`, drives navigation
// by clicks and keys, opens damaged files, and cancels the opening of a
// large one.
//
// Usage: node browser.test.cjs TOOL GEDCOM OUTPUT_FOLDER GEDGEN
'use strict';
const assert = require('assert/strict');
const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const { launch, openPage } = require('./chromium.cjs');

const [tool, gedcom, outFolder, gedgen] = process.argv.slice(2);
const SHOW_TIMEOUT_MS = 30000;
// Large enough that opening takes well over a second, so Cancel is pressed
// while the core is still at work.
const CANCEL_INDIVIDUALS = 60000;
// Individuals whose pages are compared: with and without parents,
// spouses, children and several families.
const PEOPLE = [1, 2, 3, 21, 52];

function dump(...what) {
  return execFileSync(tool, ['dump', gedcom, ...what], { encoding: 'utf8' });
}

function pack(output, extra) {
  execFileSync(tool, ['pack', gedcom, '-o', output, '--title', 'Test family', '--name', 'Zoë Ångström',
    '--email', 'sender@example.org', '--web', 'https://example.org/', ...(extra || [])], { encoding: 'utf8' });
}

async function shown(page, expected) {
  await page.waitForFunction((want) => document.body.dataset.shown === want, { timeout: SHOW_TIMEOUT_MS }, expected);
}

async function pageText(page, tab) {
  return page.$eval('#page-' + tab, (node) => ({ copy: node.dataset.text, visible: node.innerText }));
}

// Every row of the copied text shows on the page: the start of its value.
function assertRowsVisible(copy, visible, what) {
  const flat = visible.replace(/\s+/g, ' ');
  for (const line of copy.split(/\r?\n/)) {
    const match = /^\s*([^:]+): (.+)$/.exec(line);
    if (!match) continue;
    // Up to the first ", ": the copied line adds the notes after the cells.
    const value = match[2].trim().replace(/\s+/g, ' ').split(', ')[0].slice(0, 30);
    assert.ok(flat.includes(value), `${what}: "${value}" is not on the page`);
  }
}

async function checkPages(browser, file) {
  const { page, outside, errors, logged } = await openPage(browser, file);
  await shown(page, '1:individual:1');
  assert.match(await page.$eval('#title', (n) => n.textContent), /Test family/);

  // The sender's facts, with working links and letters beyond ASCII.
  await page.click('button[data-tab="sender"]');
  await shown(page, '1:sender:1');
  const sender = await page.$eval('#page-sender', (n) => n.innerText);
  assert.match(sender, /Zoë Ångström/);
  assert.equal(await page.$eval('#page-sender a[href^="mailto:"]', (a) => a.getAttribute('href')), 'mailto:sender@example.org');
  assert.equal(await page.$eval('#page-sender a[href^="https:"]', (a) => a.getAttribute('href')), 'https://example.org/');

  await page.click('button[data-tab="general"]');
  await shown(page, '1:general:1');
  const general = await pageText(page, 'general');
  // The file's date is that of its expansion, as in the desktop viewer.
  const undated = (text) => text.replace(/^File Date: .*$/m, 'File Date:');
  assert.equal(undated(general.copy), undated(dump('general')));
  assert.match(general.copy, /^File Date: +\d\d [A-Z][a-z]{2} \d{4}/m);
  // The grid leaves the file name out, as the desktop's does.
  assertRowsVisible(undated(general.copy).replace(/^File Name: .*$/m, ''), general.visible, 'general');

  for (const n of PEOPLE) {
    for (const tab of ['individual', 'family', 'pedigree']) {
      await page.evaluate((target) => { location.hash = target; }, `#n=${n}&t=${tab}`);
      await shown(page, `${n}:${tab}:1`);
      const text = await pageText(page, tab);
      assert.equal(text.copy, dump(tab, String(n)), `${tab} ${n}`);
      if (tab === 'individual') assertRowsVisible(text.copy, text.visible, `individual ${n}`);
      // Every named person of the family and pedigree texts shows as a link.
      if (tab !== 'individual') {
        const names = await page.$$eval(`#page-${tab} a.person`, (links) => links.map((a) => a.textContent));
        for (const name of text.copy.match(/[^\s:][^:\r\n]*\/[^/\r\n]*\//g) || [])
          assert.ok(names.some((shownName) => shownName.includes(name.trim())), `${tab} ${n}: ${name} has no link`);
      }
    }
  }
  assert.deepEqual(errors, []);
  assert.deepEqual(logged, []);
  assert.deepEqual(outside, [], 'the page asked for something outside itself');
  await page.close();
}

async function checkNavigation(browser, file) {
  const { page } = await openPage(browser, file, '#n=1&t=individual');
  await shown(page, '1:individual:1');
  const person = (n) => dump('summary-line', String(n)).trim();

  await page.click('#next');
  await shown(page, '2:individual:1');
  await page.keyboard.press('ArrowRight');
  await shown(page, '3:individual:1');
  await page.keyboard.press('ArrowLeft');
  await shown(page, '2:individual:1');
  await page.keyboard.press('PageDown');
  await shown(page, '12:individual:1');
  await page.keyboard.press('PageUp');
  await shown(page, '2:individual:1');

  // A person link in the grid, then the browser's Back.
  const link = await page.$('#page-individual a.person[data-n="50"]');
  assert.ok(link, 'individual 2 links to her father, 50');
  await link.click();
  await shown(page, '50:individual:1');
  await page.goBack();
  await shown(page, '2:individual:1');
  await page.click('#forward');
  await shown(page, '50:individual:1');
  await page.click('#back');
  await shown(page, '2:individual:1');

  await page.click('#father');
  await shown(page, '50:individual:1');

  // The spouse-and-children menu of individual 1.
  await page.evaluate(() => { location.hash = '#n=1&t=family'; });
  await shown(page, '1:family:1');
  await page.click('#family-menu');
  const spouse = await page.$('#family-list li.spouse');
  await spouse.click();
  await shown(page, '2:family:1');

  // A click on a pedigree panel moves there.
  await page.click('button[data-tab="pedigree"]');
  await shown(page, '2:pedigree:1');
  await page.click('.pedigree [data-panel="2"] a.person');
  await shown(page, '50:pedigree:1');

  // "/" focuses the find box; each mode moves to its first match.
  await page.keyboard.press('/');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'find-text');
  await page.keyboard.type('21');
  await shown(page, '21:pedigree:1');
  await page.select('#find-mode', '3');
  await page.$eval('#find-text', (input) => { input.value = ''; });
  await page.keyboard.type('fitzgerald, rose');
  await shown(page, '2:pedigree:1');
  await page.select('#find-mode', '4');
  await page.$eval('#find-text', (input) => { input.value = ''; });
  await page.keyboard.type('Rosemary');
  await shown(page, '4:pedigree:1');
  const label = await page.$eval('#active', (n) => n.textContent);
  assert.ok(label.includes(person(4).split(',')[0].replace(/\s*\[.*$/, '').slice(0, 12)), label);
  await page.close();
}

// A damaged archive or a file cut short shows a message, never a blank page.
async function checkDamage(browser, file) {
  const html = fs.readFileSync(file, 'utf8');
  const start = html.indexOf('id="vx-payload">') + 'id="vx-payload">'.length;
  const end = html.indexOf('</script>', start);
  const payload = html.slice(start, end);
  const cases = {
    corrupt: payload.slice(0, 40) + payload.slice(40, payload.length - 2100).split('').reverse().join('') + payload.slice(payload.length - 2100),
    truncated: payload.slice(0, Math.floor(payload.length / 2)),
    empty: '',
  };
  for (const [name, damaged] of Object.entries(cases)) {
    const broken = path.join(outFolder, `damaged-${name}.html`);
    fs.writeFileSync(broken, html.slice(0, start) + damaged + html.slice(end));
    const { page } = await openPage(browser, broken);
    await page.waitForSelector('#failure:not([hidden])', { timeout: SHOW_TIMEOUT_MS });
    const message = await page.$eval('#failure', (n) => n.textContent);
    assert.match(message, /cannot be opened|damaged|corrupt/i, `${name}: ${message}`);
    await page.close();
  }
}

// Cancel stops the worker while the core expands and loads, shows that
// opening was cancelled, and Open again starts afresh (Escape cancels too).
async function checkCancel(browser) {
  const large = path.join(outFolder, 'large.ged');
  const file = path.resolve(outFolder, 'large.html');
  execFileSync(gedgen, ['--individuals', String(CANCEL_INDIVIDUALS), '-o', large]);
  execFileSync(tool, ['pack', large, '-o', file, '--title', 'Large family'], { encoding: 'utf8' });
  const { page, outside, errors, logged } = await openPage(browser, file);
  const busy = () => page.waitForFunction(() => document.getElementById('progress').value > 0,
    { timeout: SHOW_TIMEOUT_MS });
  const cancelled = async (how) => {
    await page.waitForSelector('#cancelled:not([hidden])', { timeout: SHOW_TIMEOUT_MS });
    const state = await page.evaluate(() => ({
      text: document.getElementById('cancelled').innerText,
      loading: document.getElementById('loading').hidden,
      failure: document.getElementById('failure').hidden,
      shown: document.body.dataset.shown || '',
      focused: document.activeElement.id,
    }));
    assert.match(state.text, /Opening cancelled/, how);
    assert.deepEqual([state.loading, state.failure, state.shown, state.focused], [true, true, '', 'reopen'], how);
  };

  await busy();
  await page.click('#cancel');
  await cancelled('Cancel button');
  await page.click('#reopen');
  assert.equal(await page.$eval('#cancelled', (n) => n.hidden), true);
  await busy();
  await page.keyboard.press('Escape');
  await cancelled('Escape');
  // The stopped workers end (Chromium takes a moment to tear them down),
  // and nothing from them turns up afterwards.
  for (const deadline = Date.now() + SHOW_TIMEOUT_MS; page.workers().length > 0;) {
    assert.ok(Date.now() < deadline, 'a cancelled worker still runs');
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  assert.deepEqual(await page.evaluate(() => [document.getElementById('cancelled').hidden,
    document.getElementById('scroller').hidden, document.body.dataset.shown || '']), [false, true, '']);

  await page.click('#reopen');
  await shown(page, '1:individual:1');
  assert.match(await page.$eval('#title', (n) => n.textContent), /Large family/);
  await page.click('#next');
  await shown(page, '2:individual:1');
  assert.equal(page.workers().length, 1);
  assert.deepEqual(errors, []);
  assert.deepEqual(logged, []);
  assert.deepEqual(outside, []);
  await page.close();
}

(async () => {
  fs.mkdirSync(outFolder, { recursive: true });
  const file = path.resolve(outFolder, 'family.html');
  pack(file);
  const chromium = await launch();
  const browser = chromium.browser;
  let failed = false;
  try {
    for (const [name, check] of Object.entries({ checkPages, checkNavigation, checkDamage, checkCancel })) {
      try {
        await check(browser, file);
        console.log('ok', name);
      } catch (error) {
        failed = true;
        console.error('FAILED', name, error.stack || error);
      }
    }
  } finally {
    await chromium.close();
  }
  process.exit(failed ? 1 : 0);
})();
