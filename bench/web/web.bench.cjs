// Times the browser edition in Debian's headless Chromium, for
// vellacor-bench-web: from the start of navigation to the first person on
// the page, and to the core having loaded the family, both read from the
// page's own performance marks. Beside each file it times a bare copy: the
// same bytes with the page's script reduced to setting the mark, that is
// Chromium reading a page of that size without the core.
//
// Usage: node web.bench.cjs REPEAT FILE.html...
// Prints for each file: RESULT INDEX FIRST_PERSON_MS LOADED_MS BARE_MS
'use strict';
const fs = require('fs');
const path = require('path');
const { launch, openPage } = require(path.join(__dirname, '..', '..', 'tests', 'web', 'chromium.cjs'));

const RUN_TIMEOUT_MS = 180000;
const FIRST_PERSON = 'vellacor-first-person';
const LOADED = 'vellacor-loaded';

// The same file with the page's script (the last one) replaced by a mark,
// padded to the same length.
function bareCopy(file) {
  const html = fs.readFileSync(file, 'latin1');
  const open = '<script>';
  const start = html.lastIndexOf(open) + open.length;
  const end = html.indexOf('</script>', start);
  if (start < open.length || end < 0) throw new Error(file + ': no page script found');
  const mark = `performance.mark('${FIRST_PERSON}');`;
  const bare = html.slice(0, start) + mark.padEnd(end - start, ' ') + html.slice(end);
  const out = file.replace(/\.html?$/i, '') + '.bare.html';
  fs.writeFileSync(out, bare, 'latin1');
  return out;
}

// Milliseconds from navigation to each mark, in a new tab.
async function timeOnce(browser, file, marks) {
  const { page, outside, errors } = await openPage(browser, file);
  try {
    // The mark, or the message of a file that cannot be opened (warnings of
    // a file that opens show with the scroller).
    await page.waitForFunction((name) => {
      if (performance.getEntriesByName(name).length > 0) return true;
      const failure = document.getElementById('failure');
      const scroller = document.getElementById('scroller');
      return failure && scroller && !failure.hidden && scroller.hidden;
    }, { timeout: RUN_TIMEOUT_MS, polling: 20 }, marks[0]);
    const times = await page.evaluate((names) => names.map((name) => {
      const entry = performance.getEntriesByName(name)[0];
      return entry ? entry.startTime : null;
    }), marks);
    if (times.some((t) => t === null)) {
      const message = await page.$eval('#failure', (n) => n.textContent).catch(() => '');
      throw new Error(file + ' did not show a person: ' + (message || errors.join('; ')));
    }
    if (outside.length) throw new Error(file + ' asked for ' + outside.join(', '));
    return times;
  } finally {
    await page.close();
  }
}

(async () => {
  const repeat = parseInt(process.argv[2], 10);
  const files = process.argv.slice(3);
  if (!(repeat >= 1) || files.length === 0) {
    console.error('usage: node web.bench.cjs REPEAT FILE.html...');
    process.exit(2);
  }
  const bare = [];
  const best = files.map(() => ({ first: Infinity, loaded: Infinity, bare: Infinity }));
  let chromium = null;
  try {
    for (const file of files) bare.push(bareCopy(file));
    chromium = await launch();
    // Every round times every page once, so other work on the machine falls
    // on all of them alike.
    for (let round = 0; round < repeat; ++round) {
      for (let i = 0; i < files.length; ++i) {
        const [bareMs] = await timeOnce(chromium.browser, bare[i], [FIRST_PERSON]);
        const [firstMs, loadedMs] = await timeOnce(chromium.browser, files[i], [FIRST_PERSON, LOADED]);
        best[i].bare = Math.min(best[i].bare, bareMs);
        best[i].first = Math.min(best[i].first, firstMs);
        best[i].loaded = Math.min(best[i].loaded, loadedMs);
      }
    }
  } finally {
    if (chromium) await chromium.close();
    for (const file of bare) fs.rmSync(file, { force: true });
  }
  best.forEach((b, i) => console.log(`RESULT ${i} ${b.first.toFixed(1)} ${b.loaded.toFixed(1)} ${b.bare.toFixed(1)}`));
})().catch((error) => {
  console.error(error.stack || String(error));
  process.exit(1);
});
