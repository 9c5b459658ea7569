// The text check's page: a manuscript pasted, typed, opened or dropped, every result in it and
// every figure reported with a result marked where it stands and listed beneath with what the
// check found, as the desktop window does. The check runs in a worker a moment after typing
// pauses; the marks are drawn on a backdrop behind the transparent text area, which keeps its
// own editing, undo and accessibility.
'use strict';

(() => {
  // As the window's pause: restarted by every key, so a check runs once typing pauses.
  const PauseMs = 150;

  const $ = (id) => document.getElementById(id);
  const text = $('text');
  const alpha = $('alpha');
  const whole = $('whole');
  const totals = $('totals');
  const list = $('findings');

  const VerdictWords = {
    consistent: 'Consistent', 'consistent-one-tailed': 'Consistent (one-tailed)',
    inconsistent: 'Inconsistent', decision: 'Decision error', unchecked: 'Unchecked',
  };
  const KindWords = {
    'effect-size': 'effect size', interval: 'confidence interval', 'b-se': 'b and its SE',
    'df-n': 'df against N', grim: 'GRIM', grimmer: 'GRIMMER',
  };
  // A one-tailed consistent result looks as a consistent one; a figure takes a result's look.
  const lookOf = (verdict) => (verdict === 'consistent-one-tailed' ? 'consistent' : verdict);
  const needsALook = (look) => look !== 'consistent';

  // One row for each result and, after it, one for each of its figures, in the list's order:
  // where it stands in the text (moved with edits until the next check), its look and words.
  let rows = [];
  let current = -1;
  let shown = null; // the check on screen, for Copy Findings
  let lastValue = text.value;

  function rowsOf(results) {
    const made = [];
    const place = (found) => ({ start: found.offset, end: found.offset + found.length,
      quote: found.quote, message: found.message || '' });
    for (const result of results) {
      made.push({ ...place(result), look: lookOf(result.verdict), figure: false,
        words: VerdictWords[result.verdict] });
      for (const figure of result.findings) {
        made.push({ ...place(figure), look: lookOf(figure.verdict), figure: true,
          words: `${VerdictWords[figure.verdict]} ${KindWords[figure.kind] || figure.kind}` });
      }
    }
    return made;
  }

  // ---- Checking, in the worker ----
  let worker = null;
  let pause = 0;
  let generation = 0;
  let busy = false;
  let again = false;

  function showPending() {
    document.documentElement.dataset.check = pause || busy ? 'pending' : 'done';
  }

  function startWorker() {
    if (typeof self.kelvaronWorkerSource !== 'string') {
      totals.textContent = 'The check could not start: worker-source.js is missing.';
      return;
    }
    const source = URL.createObjectURL(new Blob([self.kelvaronWorkerSource],
      { type: 'text/javascript' }));
    worker = new Worker(source);
    worker.onmessage = (event) => {
      busy = false;
      const reply = event.data;
      if (reply.id === generation) apply(reply);
      if (again) {
        again = false;
        startCheck();
      }
      showPending();
    };
    worker.onerror = (event) => {
      busy = false;
      totals.textContent = `The check failed: ${event.message}`;
      showPending();
    };
  }

  function scheduleCheck() {
    ++generation;
    clearTimeout(pause);
    pause = setTimeout(startCheck, PauseMs);
    showPending();
  }

  // One check at a time: newer text waits for the running check, whose answer is then dropped.
  function startCheck() {
    pause = 0;
    if (!worker) return showPending();
    if (busy) {
      again = true;
      return;
    }
    busy = true;
    worker.postMessage({ id: generation, text: text.value, alpha: alpha.value,
      wholeNumberScores: whole.checked, items: 1 });
  }

  function apply(reply) {
    if (reply.error) {
      totals.textContent = `The check failed: ${reply.error}`;
      return;
    }
    shown = JSON.parse(reply.answer);
    alpha.setAttribute('aria-invalid', String(!reply.alphaIsLevel));
    totals.textContent = shown.totalsLine;
    rows = rowsOf(shown.results);
    current = -1;
    renderList();
    drawMarks();
    // Laid out now, in the answer's own turn, not in the next key's: a long list and text take
    // a while to lay out, and a key waiting for them would feel the check.
    void list.offsetHeight;
  }

  // ---- The marks, moved with each edit until the next check ----
  const marks = new KelvaronMarks(text, document.querySelector('.backdrop'), $('tooltip'));
  function drawMarks() {
    marks.rows = rows;
    marks.current = current;
    marks.draw();
  }
  text.addEventListener('input', () => {
    KelvaronMarks.move(rows, lastValue, text.value);
    lastValue = text.value;
    drawMarks();
    scheduleCheck();
  });

  // ---- The list ----
  const svgNs = 'http://www.w3.org/2000/svg';
  function svg(name, attributes, parent) {
    const element = document.createElementNS(svgNs, name);
    for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, value);
    parent.append(element);
    return element;
  }
  // A tick, a cross, a warning triangle and a question mark in a ring, as the window's icons.
  function icon(look) {
    const drawing = document.createElementNS(svgNs, 'svg');
    drawing.setAttribute('viewBox', '0 0 16 16');
    drawing.setAttribute('class', `icon look-${look}`);
    drawing.setAttribute('aria-hidden', 'true');
    const line = { fill: 'none', stroke: 'currentColor', 'stroke-width': '2.2',
      'stroke-linecap': 'round', 'stroke-linejoin': 'round' };
    if (look === 'consistent') {
      svg('polyline', { ...line, points: '2.5,8.5 6.5,12.5 13.5,3.5' }, drawing);
    } else if (look === 'inconsistent') {
      svg('path', { ...line, d: 'M3.5 3.5L12.5 12.5M12.5 3.5L3.5 12.5' }, drawing);
    } else if (look === 'decision') {
      svg('path', { d: 'M8 1.2L15.2 14.5H0.8Z', fill: 'currentColor', stroke: 'currentColor',
        'stroke-width': '1.2', 'stroke-linejoin': 'round' }, drawing);
      svg('path', { ...line, class: 'on-fill', 'stroke-width': '1.8',
        d: 'M8 5.5V9.5M8 12.2V12.2' }, drawing);
    } else {
      svg('circle', { ...line, cx: '8', cy: '8', r: '6.75', 'stroke-width': '1.5' }, drawing);
      svg('text', { x: '8', y: '12', 'text-anchor': 'middle', fill: 'currentColor',
        'font-size': '11', 'font-weight': 'bold', 'font-family': 'sans-serif' }, drawing)
        .textContent = '?';
    }
    return drawing;
  }

  // Read as the window's rows are read: the verdict's words (and a figure's kind), then the
  // message; the quote is there to be seen.
  function renderList() {
    const hadFocus = list.contains(document.activeElement);
    const items = rows.map((row, i) => {
      const item = document.createElement('li');
      item.className = row.figure ? 'row figure' : 'row';
      item.tabIndex = i === 0 ? 0 : -1;
      item.dataset.row = i;
      const words = document.createElement('span');
      words.className = 'words';
      words.textContent = `${row.words}: `;
      const quote = document.createElement('span');
      quote.className = 'quote';
      quote.setAttribute('aria-hidden', 'true');
      quote.textContent = row.quote;
      const message = document.createElement('span');
      message.className = 'message';
      message.textContent = row.message;
      message.title = row.message;
      item.append(icon(row.look), words, quote, message);
      return item;
    });
    list.replaceChildren(...items);
    if (hadFocus && items.length) items[0].focus();
  }

  function setCurrent(row, focusRow) {
    const items = list.children;
    if (current >= 0 && items[current]) {
      items[current].removeAttribute('aria-current');
      items[current].tabIndex = -1;
    }
    if (items[0] && row !== 0) items[0].tabIndex = -1;
    current = row;
    const item = items[row];
    item.setAttribute('aria-current', 'true');
    item.tabIndex = 0;
    if (focusRow) item.focus({ preventScroll: true });
    item.scrollIntoView({ block: 'nearest' });
  }

  // Selects the row's result or figure in the text, the caret after it, scrolled to the middle
  // of the text area, and makes it the list's current row.
  function selectRow(row, focusText) {
    if (row < 0 || row >= rows.length) return;
    const { start, end } = rows[row];
    if (focusText) text.focus({ preventScroll: true });
    text.setSelectionRange(start, end, 'forward');
    setCurrent(row, !focusText && list.contains(document.activeElement));
    drawMarks();
    marks.centre(row);
  }

  list.addEventListener('click', (event) => {
    const item = event.target.closest('li');
    if (!item) return;
    item.focus({ preventScroll: true });
    selectRow(Number(item.dataset.row), false);
  });
  list.addEventListener('dblclick', (event) => {
    const item = event.target.closest('li');
    if (item) selectRow(Number(item.dataset.row), true);
  });
  list.addEventListener('keydown', (event) => {
    if (!rows.length || event.altKey || event.ctrlKey || event.metaKey) return;
    const at = current < 0 ? 0 : current;
    const page = Math.max(1, Math.floor(list.clientHeight / list.firstElementChild.offsetHeight) - 1);
    // With no current row yet, a step lands on the first, as in the window's list.
    const step = current < 0 ? 0 : undefined;
    const to = { ArrowDown: step ?? at + 1, ArrowUp: step ?? at - 1, PageDown: step ?? at + page,
      PageUp: step ?? at - page, Home: 0, End: rows.length - 1 }[event.key];
    if (event.key === 'Enter') {
      event.preventDefault();
      selectRow(at, true);
    } else if (to !== undefined) {
      event.preventDefault();
      selectRow(Math.max(0, Math.min(rows.length - 1, to)), false);
    }
  });

  // F8 and Shift+F8: the next or previous result or figure that needs a look, in the text's
  // order, round its ends. From the current row when the selection is its mark, else from the
  // selection's end forwards and its start backwards, so that a selected result is passed over.
  function nextStop(forward) {
    const stops = rows.map((_, i) => i).filter((i) => needsALook(rows[i].look));
    stops.sort((a, b) => rows[a].start - rows[b].start || a - b);
    if (!stops.length) return -1;
    const [from, to] = [text.selectionStart, text.selectionEnd];
    const at = stops.indexOf(current);
    if (at >= 0 && rows[current].start === from && rows[current].end === to) {
      return stops[(at + (forward ? 1 : stops.length - 1)) % stops.length];
    }
    if (forward) return stops.find((i) => rows[i].start >= to) ?? stops[0];
    return stops.findLast((i) => rows[i].start < from) ?? stops[stops.length - 1];
  }

  // ---- Copy Findings: the table in both flavours, through the copy event ----
  function copyFindings() {
    if (!shown) return;
    const fill = (event) => {
      event.clipboardData.setData('text/plain', shown.copyPlain);
      event.clipboardData.setData('text/html', shown.copyHtml);
      event.preventDefault();
    };
    document.addEventListener('copy', fill);
    try {
      document.execCommand('copy');
    } finally {
      document.removeEventListener('copy', fill);
    }
  }
  $('copy').addEventListener('click', copyFindings);

  // ---- Opening a file: by the button, Ctrl+O or a drop ----
  const fileInput = $('file');
  const errorBox = $('error');
  let reading = 0;

  function showError(message) {
    $('error-message').textContent = message;
    if (!errorBox.open) errorBox.showModal();
    $('error-ok').focus();
  }
  $('error-ok').addEventListener('click', () => errorBox.close());

  // One edit of the text, not a new text: Ctrl+Z brings the old text back.
  function replaceText(read) {
    text.focus();
    text.select();
    if (!document.execCommand('insertText', false, read)) {
      text.value = read;
      text.dispatchEvent(new Event('input'));
    }
    text.setSelectionRange(0, 0);
    text.scrollTop = 0;
  }

  // A file opened while another is read replaces it; the first one's text or error is dropped.
  async function openFile(file) {
    const ticket = ++reading;
    try {
      const bytes = new Uint8Array(await file.arrayBuffer());
      if (typeof self.readDocument !== 'function') {
        throw new Error(`${file.name} could not be read: the page's file reader is missing.`);
      }
      const read = await self.readDocument(file.name, bytes);
      if (ticket === reading) replaceText(read);
    } catch (error) {
      if (ticket === reading) showError(error && error.message ? error.message : String(error));
    }
  }

  $('open').addEventListener('click', () => fileInput.click());
  fileInput.addEventListener('change', () => {
    const [file] = fileInput.files;
    fileInput.value = '';
    if (file) openFile(file);
  });
  const carriesFiles = (event) => event.dataTransfer && event.dataTransfer.types.includes('Files');
  document.addEventListener('dragover', (event) => {
    if (!carriesFiles(event)) return;
    event.preventDefault();
    event.dataTransfer.dropEffect = 'copy';
  });
  document.addEventListener('drop', (event) => {
    if (!carriesFiles(event)) return;
    event.preventDefault();
    const [file] = event.dataTransfer.files;
    if (file) openFile(file);
  });

  // ---- Shortcuts, anywhere on the page ----
  document.addEventListener('keydown', (event) => {
    if (errorBox.open) return;
    const key = event.key.toLowerCase();
    const control = event.ctrlKey || event.metaKey;
    if (control && !event.shiftKey && !event.altKey && key === 'o') {
      event.preventDefault();
      fileInput.click();
    } else if (control && event.shiftKey && !event.altKey && key === 'c') {
      event.preventDefault();
      copyFindings();
    } else if (event.key === 'F8' && !control && !event.altKey) {
      event.preventDefault();
      const row = nextStop(!event.shiftKey);
      if (row >= 0) selectRow(row, true);
    }
  });

  alpha.addEventListener('input', scheduleCheck);
  whole.addEventListener('change', scheduleCheck);

  startWorker();
  drawMarks();
  scheduleCheck();
  text.focus();
})();
