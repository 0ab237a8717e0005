// The page of a self-viewing family file: it starts the core in a worker,
// shows the creator's facts and the person pages, and keeps the active
// individual in the address's fragment so the browser's Back button works.
'use strict';
(() => {
  const $ = (id) => document.getElementById(id);
  const PAGES = ['sender', 'general', 'individual', 'family', 'pedigree'];
  const state = { loaded: null, n: 0, tab: 'individual', marriage: 1, person: null };
  let worker = null;
  let nextId = 1;
  const waiting = new Map();
  let firstShown = false;

  // What a question still waiting gets when its worker is stopped.
  class Cancelled extends Error {}

  // ---- the worker ----------------------------------------------------------
  function ask(what, args) {
    return new Promise((resolve, reject) => {
      const id = nextId++;
      waiting.set(id, { resolve, reject });
      worker.postMessage(Object.assign({ what, id }, args || {}));
    });
  }

  // One address for the worker's script serves every worker of the page.
  let workerUrl = null;
  function startWorker() {
    if (!workerUrl) workerUrl = URL.createObjectURL(new Blob([$('vx-worker').textContent], { type: 'text/javascript' }));
    worker = new Worker(workerUrl);
    worker.onmessage = (event) => {
      const m = event.data;
      if (m.type === 'progress') {
        $('progress').value = m.fraction;
        return;
      }
      const pending = waiting.get(m.id);
      if (!pending) return;
      waiting.delete(m.id);
      if (m.type === 'answer') pending.resolve(m.result);
      else pending.reject(new Error(m.message));
    };
    worker.onerror = (event) => {
      event.preventDefault();
      fail('The viewer stopped: ' + (event.message || 'an unknown error') + '.');
    };
  }

  // A call into the core runs to its end and cannot look at a flag (shared
  // memory is not available to a page opened from a file), so cancelling
  // ends the whole worker; opening again starts a new one.
  function stopWorker() {
    if (!worker) return;
    worker.terminate();
    worker = null;
    for (const pending of waiting.values()) pending.reject(new Cancelled('cancelled'));
    waiting.clear();
  }

  function cancelOpening() {
    if (state.loaded) return;
    stopWorker();
    $('loading').hidden = true;
    $('cancelled').hidden = false;
    $('reopen').focus();
  }

  // ---- small DOM helpers ---------------------------------------------------
  function el(tag, attrs, ...children) {
    const node = document.createElement(tag);
    for (const [key, value] of Object.entries(attrs || {})) {
      if (key === 'class') node.className = value;
      else if (key === 'text') node.textContent = value;
      else if (key.startsWith('on')) node.addEventListener(key.slice(2), value);
      else node.setAttribute(key, value);
    }
    for (const child of children) {
      if (child === null || child === undefined) continue;
      node.append(child instanceof Node ? child : document.createTextNode(String(child)));
    }
    return node;
  }

  // A link that makes an individual active. Its direction follows the
  // name's own script, so a Hebrew or Arabic name keeps its number at its
  // end and does not reorder the text around it.
  function personLink(n, text) {
    if (!n) return document.createTextNode(text || '');
    return el('a', { class: 'person', href: '#n=' + n, 'data-n': String(n), dir: 'auto' }, text);
  }

  function panel(p, role) {
    if (!p) return el('div', { class: 'panel empty' }, role ? el('div', { class: 'role' }, role) : null, '\u00a0');
    return el('div', { class: 'panel', 'data-n': String(p.n) },
      role ? el('div', { class: 'role' }, role) : null,
      el('div', null, personLink(p.n, p.name)),
      p.birth !== undefined ? el('div', { class: 'line' }, 'b. ' + p.birth) : null,
      p.death !== undefined ? el('div', { class: 'line' }, 'd. ' + p.death) : null);
  }

  function table(captions, rows, cls) {
    const head = el('tr', null, ...captions.map((c) => el('th', null, c)));
    return el('table', { class: cls || '' }, el('thead', null, head), el('tbody', null, ...rows));
  }

  function fail(message) {
    $('loading').hidden = true;
    const box = $('failure');
    box.textContent = message;
    box.hidden = false;
  }

  // ---- the fragment: #n=12&t=family ---------------------------------------
  function readFragment() {
    const params = new URLSearchParams(location.hash.slice(1));
    const n = parseInt(params.get('n'), 10);
    const tab = params.get('t');
    return { n: Number.isFinite(n) ? n : 0, tab: PAGES.includes(tab) ? tab : null };
  }

  function fragmentFor(n, tab) {
    return '#n=' + n + '&t=' + tab;
  }

  function go(n, tab) {
    if (!n || !state.loaded) return;
    const target = fragmentFor(n, tab || state.tab);
    if (location.hash === target) show();
    else location.hash = target;
  }

  // ---- pages ---------------------------------------------------------------
  function showSender() {
    const s = state.loaded.sender;
    const facts = el('dl', { class: 'facts' });
    const add = (label, value) => facts.append(el('dt', null, label), el('dd', null, value));
    add('Title:', s.Title);
    add('Name:', s.SenderName);
    add('Email:', s.Email ? el('a', { href: 'mailto:' + s.Email }, s.Email) : '');
    add('Address:', [s.Addr1, s.Addr2].filter(Boolean).join('\n'));
    add('Phone:', s.Phone);
    const web = /^https?:\/\//i.test(s.WebSite) ? el('a', { href: s.WebSite, rel: 'noopener noreferrer', target: '_blank' }, s.WebSite) : s.WebSite;
    add('Web Site:', web);
    add('Created:', new Date(s.CreatedTime).toLocaleString());
    add('File Name:', s.FileName);
    const page = $('page-sender');
    page.replaceChildren(el('h2', null, 'Information about who created this GEDCOM'), facts,
      el('h2', null, 'Message'), el('div', { class: 'memo', id: 'sender-message' }, s.Message.replace(/\r\n/g, '\n')));
  }

  function grid(title, g) {
    return [el('h2', null, title), table(g.captions, g.rows.map((r) => el('tr', null, el('td', null, r[0]), el('td', null, r[1]))), 'grid')];
  }

  async function showGeneral() {
    const g = await ask('general');
    const page = $('page-general');
    page.replaceChildren(...grid('Header Information:', g.header),
      ...(g.hasSubmitter ? grid('Submitter:', g.submitter) : []),
      ...grid('File Information:', g.file));
    page.dataset.text = g.text;
  }

  async function showIndividual(n) {
    const p = await ask('individual', { n });
    const page = $('page-individual');
    if (!p) return page.replaceChildren();
    const notes = el('div', { class: 'memo', id: 'individual-notes' });
    const sources = el('div', { class: 'memo', id: 'individual-sources' });
    const select = (row, data) => {
      for (const other of page.querySelectorAll('tr.selected')) other.classList.remove('selected');
      row.classList.add('selected');
      notes.replaceChildren(el('h3', null, 'Notes'), data.notes);
      sources.replaceChildren(el('h3', null, 'Sources'), data.sources);
    };
    const rows = p.rows.map((r) => {
      const cells = r.cells.map((c, i) => el('td', null, i === 4 && r.n ? personLink(r.n, c) : c));
      const row = el('tr', { tabindex: '0' }, ...cells);
      row.addEventListener('click', () => select(row, r));
      row.addEventListener('focus', () => select(row, r));
      return row;
    });
    const SEXES = { F: 'Female', M: 'Male' };
    const facts = el('p', { class: 'individual-facts' }, 'Sex: ' + (SEXES[p.sex] || 'Unknown'),
      p.modified ? ' \u00b7 Modify Date: ' + p.modified : '');
    page.replaceChildren(facts, table(p.captions, rows, 'individual-table'), el('div', { class: 'memos' }, notes, sources));
    if (rows.length) select(rows[0], p.rows[0]);
    page.dataset.text = p.text;
  }

  function familySide(side, title) {
    return el('div', { class: 'family-side' },
      el('div', { class: 'parents' }, panel(side.father, title + "'s father" + (side.fatherPlus ? ' +' : '')),
        panel(side.mother, title + "'s mother" + (side.motherPlus ? ' +' : ''))),
      panel(side.person, title));
  }

  async function showFamily(n) {
    const f = await ask('family', { n, marriage: state.marriage });
    const page = $('page-family');
    if (!f) return page.replaceChildren();
    const tools = el('div', { class: 'page-tools' });
    if (f.nextSpouse) tools.append(el('button', { id: 'next-spouse', onclick: () => { state.marriage = f.current % f.familyCount + 1; show(); } }, 'Next Spouse ' + f.counter));
    const rows = f.children.map((c) => el('tr', null, ...c.cells.map((text, i) =>
      el('td', null, i === 1 ? personLink(c.n, text) : i === 5 && c.spouse ? personLink(c.spouse, text) : text))));
    page.replaceChildren(tools,
      el('div', { class: 'family-couple' }, familySide(f.husband, 'Husband'), familySide(f.wife, 'Wife')),
      el('div', { class: 'marriage' }, 'Marriage: ' + f.marriage),
      el('div', { class: 'table-wrap' }, table(f.captions, rows, 'children-table')));
    page.dataset.text = f.text;
  }

  function listItems(items) {
    return el('ul', null, ...items.map((i) => el('li', null,
      (i.hasChildren ? '+ ' : '') + (i.qualifier || '') + (i.year ? i.year + ' ' : ''), personLink(i.n, i.given))));
  }

  // Panel k of five generations: generation g = floor(log2 k) in column g,
  // spanning 16 / 2^g rows.
  function drawPedigreeLines(chart) {
    const svg = chart.querySelector('svg');
    const box = chart.getBoundingClientRect();
    const at = (k) => chart.querySelector('[data-panel="' + k + '"]');
    let d = '';
    for (let k = 1; k < 16; ++k) {
      const child = at(k);
      if (!child) continue;
      const c = child.getBoundingClientRect();
      const x0 = c.right - box.left;
      const y0 = c.top + c.height / 2 - box.top;
      for (const parent of [at(2 * k), at(2 * k + 1)]) {
        if (!parent || parent.classList.contains('empty')) continue;
        const p = parent.getBoundingClientRect();
        const x1 = p.left - box.left;
        const y1 = p.top + p.height / 2 - box.top;
        const mid = (x0 + x1) / 2;
        d += 'M' + x0 + ' ' + y0 + 'H' + mid + 'V' + y1 + 'H' + x1;
      }
    }
    svg.querySelector('path').setAttribute('d', d);
  }

  async function showPedigree(n) {
    const p = await ask('pedigree', { n, marriage: state.marriage });
    const page = $('page-pedigree');
    if (!p) return page.replaceChildren();
    const chart = el('div', { class: 'pedigree' });
    const svg = document.createElementNS('http://www.w3.org/2000/svg', 'svg');
    svg.append(document.createElementNS('http://www.w3.org/2000/svg', 'path'));
    chart.append(svg);
    for (let k = 1; k <= 31; ++k) {
      const generation = Math.floor(Math.log2(k));
      const span = 16 >> generation;
      const row = (k - (1 << generation)) * span + 1;
      const box = panel(p.panels[k]);
      box.dataset.panel = String(k);
      box.style.gridColumn = String(generation + 1);
      box.style.gridRow = row + ' / span ' + span;
      if (p.plus[k - 1]) box.append(el('a', { class: 'plus person', href: '#n=' + p.plus[k - 1], 'data-n': String(p.plus[k - 1]), title: 'More ancestors' }, '+'));
      chart.append(box);
    }
    const tools = el('div', { class: 'page-tools' });
    if (p.spouseButton) tools.append(el('button', { id: 'pedigree-spouse', onclick: () => { state.marriage = p.current % p.familyCount + 1; show(); } }, 'Next spouse'));
    const spouse = el('div', { class: 'pedigree-spouse' }, 'Spouse: ', p.spousePanel ? personLink(p.spousePanel.n, p.spousePanel.name) : '');
    page.replaceChildren(tools, spouse, el('div', { class: 'pedigree-wrap' }, chart),
      el('div', { class: 'lists' },
        el('div', null, el('h2', null, p.siblingsCaption), listItems(p.siblings)),
        el('div', null, el('h2', null, p.childrenCaption), listItems(p.children))));
    page.dataset.text = p.text;
    requestAnimationFrame(() => drawPedigreeLines(chart));
  }

  // ---- the scroller --------------------------------------------------------
  function fillScroller(person) {
    $('active').textContent = person.label;
    $('active').title = person.summary.replace(/\r\n/g, '\n');
    const link = (id, n, title) => {
      const button = $(id);
      button.disabled = !n;
      button.dataset.n = String(n || 0);
      if (title !== undefined) button.title = title;
    };
    link('previous', person.previous);
    link('next', person.next);
    link('father', person.father, person.father ? 'Father: ' + person.fatherName : 'Father');
    link('mother', person.mother, person.mother ? 'Mother: ' + person.motherName : 'Mother');
    const list = $('family-list');
    list.replaceChildren(...person.menu.map((item) => el('li', {
      role: 'menuitem', class: item.kind, 'data-n': String(item.n || 0),
    }, item.kind === 'spouse' ? 'Spouse: ' + item.label
      : (item.hasChildren ? '< ' : '') + (item.year ? item.year + ' ' : '') + item.label)));
    $('family-menu').disabled = person.menu.length === 0;
    list.hidden = true;
  }

  const SHOWERS = { general: showGeneral, individual: showIndividual, family: showFamily, pedigree: showPedigree };

  let showing = 0;
  async function show() {
    if (!state.loaded) return;
    const wanted = readFragment();
    const n = wanted.n >= 1 && wanted.n <= state.loaded.individuals ? wanted.n : state.loaded.start;
    if (wanted.tab) state.tab = wanted.tab;
    if (n !== state.n) state.marriage = 1;
    state.n = n;
    const ticket = ++showing;
    for (const button of $('tabs').querySelectorAll('button')) button.setAttribute('aria-selected', String(button.dataset.tab === state.tab));
    for (const name of PAGES) $('page-' + name).hidden = name !== state.tab;
    try {
      const person = n ? await ask('person', { n }) : null;
      if (ticket !== showing) return;
      state.person = person;
      if (person) fillScroller(person);
      if (SHOWERS[state.tab] && (n || state.tab === 'general')) await SHOWERS[state.tab](n);
      if (ticket !== showing) return;
      document.body.dataset.shown = n + ':' + state.tab + ':' + state.marriage;
      if (!firstShown) {
        firstShown = true;
        // How long a recipient waits for the first person, for the benchmark.
        performance.mark('vellacor-first-person');
      }
    } catch (error) {
      fail('This page cannot be shown: ' + error.message);
    }
  }

  // ---- find box ------------------------------------------------------------
  let findTicket = 0;
  async function find() {
    const text = $('find-text').value.trim();
    const results = $('find-results');
    const ticket = ++findTicket;
    if (!text) { results.hidden = true; return; }
    const answer = await ask('find', { mode: parseInt($('find-mode').value, 10), text });
    if (ticket !== findTicket) return;
    results.replaceChildren(...answer.matches.map((m, i) => el('li', { 'data-n': String(m.n), class: i === 0 ? 'chosen' : '' }, m.label)));
    if (answer.more) results.append(el('li', { class: 'more' }, '\u2026'));
    results.hidden = answer.matches.length === 0;
    // As on the desktop, typing moves to the first match at once.
    if (answer.matches.length) go(answer.matches[0].n);
  }

  // ---- events --------------------------------------------------------------
  function wire() {
    document.addEventListener('click', (event) => {
      const link = event.target.closest('a.person');
      if (link) {
        event.preventDefault();
        go(parseInt(link.dataset.n, 10));
        return;
      }
      const item = event.target.closest('#family-list li, #find-results li');
      if (item && item.dataset.n) {
        $('family-list').hidden = true;
        $('find-results').hidden = true;
        go(parseInt(item.dataset.n, 10));
        return;
      }
      if (!event.target.closest('#family-menu')) $('family-list').hidden = true;
      if (!event.target.closest('#find')) $('find-results').hidden = true;
    });
    for (const id of ['previous', 'next', 'father', 'mother']) $(id).addEventListener('click', () => go(parseInt($(id).dataset.n, 10)));
    $('back').addEventListener('click', () => history.back());
    $('forward').addEventListener('click', () => history.forward());
    $('family-menu').addEventListener('click', () => {
      const list = $('family-list');
      list.hidden = !list.hidden;
      $('family-menu').setAttribute('aria-expanded', String(!list.hidden));
    });
    for (const button of $('tabs').querySelectorAll('button')) button.addEventListener('click', () => go(state.n, button.dataset.tab));
    $('find-text').addEventListener('input', find);
    $('find-mode').addEventListener('change', find);
    $('find').addEventListener('submit', (event) => {
      event.preventDefault();
      const first = $('find-results').querySelector('li[data-n]');
      if (first) go(parseInt(first.dataset.n, 10));
      $('find-results').hidden = true;
    });
    document.addEventListener('keydown', (event) => {
      if (!state.person || event.altKey || event.ctrlKey || event.metaKey) return;
      const typing = event.target.closest && event.target.closest('input, select, textarea');
      if (event.key === '/' && !typing) {
        event.preventDefault();
        $('find-text').focus();
        $('find-text').select();
        return;
      }
      if (typing) {
        if (event.key === 'Escape') event.target.blur();
        return;
      }
      const p = state.person;
      const steps = { ArrowLeft: p.previous, ArrowUp: p.previous, ArrowRight: p.next, ArrowDown: p.next,
        PageUp: p.pageBack, PageDown: p.pageForward, Home: p.first, End: p.last };
      if (event.key in steps) {
        event.preventDefault();
        go(steps[event.key]);
      }
    });
    window.addEventListener('hashchange', show);
    window.addEventListener('resize', () => {
      const chart = document.querySelector('.pedigree');
      if (chart && !$('page-pedigree').hidden) drawPedigreeLines(chart);
    });
  }

  async function start() {
    $('cancelled').hidden = true;
    $('progress').value = 0;
    $('loading').hidden = false;
    try {
      startWorker();
      const loaded = await ask('load', { wasm: $('vx-wasm').textContent, payload: $('vx-payload').textContent });
      if (!loaded.ok) return fail('This family file cannot be opened.\n' + loaded.message);
      state.loaded = loaded;
      performance.mark('vellacor-loaded');
      if (loaded.sender.Title) document.title = loaded.sender.Title;
      $('title').textContent = loaded.sender.Title || loaded.sender.FileName || 'Family file';
      $('loading').hidden = true;
      $('scroller').hidden = false;
      $('tabs').hidden = false;
      if (loaded.warnings.length) {
        const box = $('failure');
        box.textContent = loaded.warnings.join('\n');
        box.hidden = false;
      }
      showSender();
      if (!loaded.individuals) state.tab = 'general';
      wire();
      await show();
    } catch (error) {
      if (error instanceof Cancelled) return;
      fail('This family file cannot be opened.\n' + error.message);
    }
  }

  $('cancel').addEventListener('click', cancelOpening);
  document.addEventListener('keydown', (event) => {
    if (event.key === 'Escape' && !$('loading').hidden && !state.loaded) cancelOpening();
  });
  $('reopen').addEventListener('click', start);
  start();
})();
