// The page built into build-web/ (bash scripts/web.sh --no-open), driven as a user drives it:
// typed and pasted text marked in its verdicts' looks, F8, alpha, Copy Findings, Open and drop,
// from a server and from file://, with no request leaving it and no accessibility fault.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { existsSync, mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { strToU8, zipSync } from 'fflate';
import { fileUrl, launch, openPage, root, serve, site } from './browser.mjs';

// Each result: the p its statistic gives (two-tailed) against the p written.
const Consistent = 't(38) = 2.10, p = .042'; // gives .042
const Inconsistent = 't(38) = 2.10, p = .02'; // gives .042: not significant either way
const DecisionError = 't(45) = 1.80, p = .04'; // gives .079: not significant at .05
const Unchecked = 'r(38) = 1.20, p = .01'; // no correlation is above 1
const PairedD = 't(38) = 2.10, p = .042, d_z = 0.90'; // t(38) = 2.10 gives d_z = 0.34
const Section = `Scores rose after training, ${PairedD}. The second group did not change, ` +
  `${Inconsistent}, nor did the third, ${DecisionError}.\n\nThe ratings correlated, ${Unchecked}, ` +
  `and the delay mattered, ${Consistent}.\n`;

let browser;
let server;
before(async () => {
  assert.ok(existsSync(join(site, 'index.html')), 'no build-web/: bash scripts/web.sh --no-open');
  browser = await launch();
  server = await serve();
});
after(async () => {
  await server?.close();
  await browser?.close();
});

const checked = (page) =>
  page.waitForFunction(() => document.documentElement.dataset.check === 'done');

// The pieces of text under marks, with their looks, in the text's order.
const marks = (page) => page.$$eval('.marks .mark', (found) =>
  found.map((mark) => [mark.textContent, mark.className.replace(/^mark /, '')]));
// Each row of the list as it is read: the verdict's words, then the message.
const rowsRead = (page) => page.$$eval('#findings li', (found) =>
  found.map((row) => row.querySelector('.words').textContent + row.querySelector('.message').textContent));
const selected = (page) => page.$eval('#text', (text) =>
  text.value.slice(text.selectionStart, text.selectionEnd));

// A page on the server with the clipboard granted, the text area holding `text`, checked.
async function pageWith(text, options = {}) {
  const opened = await openPage(browser, server.url, {
    ...options, context: { permissions: ['clipboard-read', 'clipboard-write'], ...options.context },
  });
  await checked(opened.page);
  if (text) {
    await opened.page.evaluate((pasted) => navigator.clipboard.writeText(pasted), text);
    await opened.page.focus('#text');
    await opened.page.keyboard.press('Control+V');
    await checked(opened.page);
  }
  return opened;
}

describe('marks and list', () => {
  test('typed text is checked once typing pauses, each verdict in its look', async () => {
    const { page, close } = await pageWith('');
    await page.focus('#text');
    await page.keyboard.type(`Scores rose, ${DecisionError}.`);
    await checked(page);
    assert.deepEqual(await marks(page), [[DecisionError, 'look-decision tint']]);
    assert.equal(await page.textContent('#totals'),
      '1 result: 0 consistent, 0 inconsistent, 1 decision error; 0 p values without a statistic');
    assert.match((await rowsRead(page))[0], /^Decision error: t\(45\) = 1\.80 gives p = /);

    // Until the next check, marks move with the text as it is edited before them.
    const moved = await page.evaluate(() => {
      const text = document.getElementById('text');
      text.setSelectionRange(0, 0);
      document.execCommand('insertText', false, 'Late: ');
      return document.querySelector('.marks .mark').textContent;
    });
    assert.equal(moved, DecisionError);
    await close();
  });

  test('pasted text marks every result and figure, listed each under its result', async () => {
    const { page, close } = await pageWith(Section);
    assert.deepEqual(await marks(page), [
      [Consistent, 'look-consistent'], ['d_z = 0.90', 'look-inconsistent'],
      [Inconsistent, 'look-inconsistent'], [DecisionError, 'look-decision tint'],
      [Unchecked, 'look-unchecked'], [Consistent, 'look-consistent']]);
    const read = await rowsRead(page);
    assert.deepEqual(read.map((row) => row.split(':')[0]), ['Consistent',
      'Inconsistent effect size', 'Inconsistent', 'Decision error', 'Unchecked', 'Consistent']);
    assert.equal(read[1], 'Inconsistent effect size: d_z = 0.90 does not fit t(38) = 2.10: ' +
      'a paired design gives d_z = 0.34');
    assert.deepEqual(await page.$$eval('#findings li', (found) =>
      found.map((row) => row.classList.contains('figure'))), [false, true, false, false, false, false]);

    // Hovering over a mark shows its row's message; off the marks, nothing.
    const box = await page.evaluate(() => {
      const rect = document.querySelectorAll('.marks .mark')[3].getBoundingClientRect();
      return { x: rect.left + 5, y: rect.top + rect.height / 2 };
    });
    await page.mouse.move(box.x, box.y);
    await page.waitForSelector('#tooltip:not([hidden])');
    assert.equal(await page.textContent('#tooltip'), read[3].replace('Decision error: ', ''));
    const start = await page.$eval('#text', (text) => text.getBoundingClientRect());
    await page.mouse.move(start.left + 12, start.top + 12);
    await page.waitForSelector('#tooltip[hidden]', { state: 'attached' });
    await close();
  });

  test('F8 reaches each problem in the text, round its end, and Shift+F8 goes back', async () => {
    const { page, close } = await pageWith(`${Consistent}. ${Inconsistent}. ${PairedD}. ` +
      `${DecisionError}.`);
    const steps = [['F8', Inconsistent], ['F8', 'd_z = 0.90'], ['F8', DecisionError],
      ['F8', Inconsistent], ['Shift+F8', DecisionError], ['Shift+F8', 'd_z = 0.90']];
    await page.focus('#findings li');
    for (const [key, lands] of steps) {
      await page.keyboard.press(key);
      assert.equal(await selected(page), lands, `${key} to ${lands}`);
      assert.equal(await page.evaluate(() => document.activeElement.id), 'text');
      assert.equal(await page.textContent('#findings li[aria-current="true"] .quote'), lands);
    }
    // A row chosen in the list selects its text, by the mouse or the arrows, the focus staying.
    await page.click('#findings li:nth-child(1)');
    assert.equal(await selected(page), Consistent);
    await page.keyboard.press('ArrowDown');
    assert.equal(await selected(page), Inconsistent);
    assert.equal(await page.evaluate(() => document.activeElement.dataset.row), '1');
    await page.keyboard.press('End');
    assert.equal(await selected(page), DecisionError);
    await page.keyboard.press('Enter');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'text');
    await close();
  });

  test('a new alpha checks again and can change a verdict', async () => {
    const { page, close } = await pageWith(`${DecisionError}.`);
    assert.match((await rowsRead(page))[0], /^Decision error: /);
    await page.fill('#alpha', '.10');
    await checked(page);
    // At .10 both p values are significant: wrong, but the decision stands.
    assert.match((await rowsRead(page))[0], /^Inconsistent: t\(45\) = 1\.80 gives p = /);
    assert.equal(await page.textContent('#totals'),
      '1 result: 0 consistent, 1 inconsistent, 0 decision errors; 0 p values without a statistic');
    assert.equal(await page.getAttribute('#alpha', 'aria-invalid'), 'false');
    await page.fill('#alpha', '5');
    await checked(page);
    assert.equal(await page.getAttribute('#alpha', 'aria-invalid'), 'true');
    assert.match((await rowsRead(page))[0], /^Decision error: /);
    await close();
  });
});

test('Copy Findings puts the table on the clipboard as text and as HTML', async () => {
  const { page, close } = await pageWith(`First, ${PairedD}; then, \u200b${Inconsistent}.`);
  const clipboard = () => page.evaluate(async () => {
    const [item] = await navigator.clipboard.read();
    const read = async (type) => (await item.getType(type)).text();
    return { plain: await read('text/plain'), html: await read('text/html') };
  });
  const totals = await page.textContent('#totals');
  for (const copy of [() => page.click('#copy'), () => page.keyboard.press('Control+Shift+C')]) {
    await page.evaluate(() => navigator.clipboard.writeText(''));
    await page.focus('#text');
    await copy();
    const { plain, html } = await clipboard();
    assert.deepEqual(plain.split('\n').filter(Boolean), [totals, 'Verdict\tResult\tFinding',
      `Consistent\t${Consistent}\t${(await rowsRead(page))[0].replace('Consistent: ', '')}`,
      'Inconsistent effect size\td_z = 0.90\td_z = 0.90 does not fit t(38) = 2.10: ' +
        'a paired design gives d_z = 0.34',
      `Inconsistent\t${Inconsistent}\t${(await rowsRead(page))[2].replace('Inconsistent: ', '')}`]);
    assert.match(html, /<table/);
    assert.equal(html.match(/<tr>/g).length, 4);
    assert.ok(html.includes(`<td>Inconsistent</td><td>${Inconsistent}</td>`));
    assert.ok(!/\u200b/.test(plain + html));
  }
  await close();
});

describe('opening files', () => {
  test('Open and a drop replace the text as one edit; a refused file is an Error box', async () => {
    const { page, close } = await pageWith('Old words.');
    const [chooser] = await Promise.all([page.waitForEvent('filechooser'),
      page.keyboard.press('Control+O')]);
    await chooser.setFiles({ name: 'section.txt', mimeType: 'text/plain',
      buffer: Buffer.from(`Opened: ${Inconsistent}.`) });
    await page.waitForFunction(() => document.getElementById('text').value.startsWith('Opened'));
    await checked(page);
    assert.deepEqual(await marks(page), [[Inconsistent, 'look-inconsistent']]);
    await page.keyboard.press('Control+Z');
    assert.equal(await page.inputValue('#text'), 'Old words.');

    const drop = (name, content) => page.evaluate(([name, content]) => {
      const carried = new DataTransfer();
      carried.items.add(new File([content], name));
      const text = document.getElementById('text');
      for (const type of ['dragenter', 'dragover', 'drop']) {
        text.dispatchEvent(new DragEvent(type, { dataTransfer: carried, bubbles: true, cancelable: true }));
      }
    }, [name, content]);
    await drop('dropped.md', `Dropped: ${Consistent}.`);
    await page.waitForFunction(() => document.getElementById('text').value.startsWith('Dropped'));

    const refused = await page.evaluate(() =>
      self.readDocument('notes.xyz', new Uint8Array([1, 2, 3])).then(() => '', (error) => error.message));
    assert.ok(refused, 'the reader took a file of an unknown kind');
    await drop('notes.xyz', 'abc');
    await page.waitForSelector('#error[open]');
    assert.equal(await page.textContent('#error-message'), refused);
    assert.equal(await page.evaluate(() => document.activeElement.id), 'error-ok');
    await page.keyboard.press('Enter');
    await page.waitForSelector('#error:not([open])', { state: 'attached' });
    assert.match(await page.inputValue('#text'), /^Dropped/);
    await close();
  });

  // The readers' libraries (pdf.js, fflate) run under the page's policy, from file:// too.
  test('a PDF and a .docx open under the page\'s policy', async () => {
    const sentence = `The groups differed, ${Inconsistent}.`;
    const printer = await browser.newPage();
    await printer.setContent(`<p>${sentence}</p>`);
    const pdf = await printer.pdf();
    await printer.close();
    const docx = zipSync({
      '[Content_Types].xml': strToU8('<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/><Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/></Types>'),
      '_rels/.rels': strToU8('<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/></Relationships>'),
      'word/document.xml': strToU8(`<?xml version="1.0" encoding="UTF-8"?><w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body><w:p><w:r><w:t>${sentence}</w:t></w:r></w:p></w:body></w:document>`),
    });
    const { page, errors, close } = await openPage(browser, fileUrl());
    for (const [name, bytes] of [['section.pdf', pdf], ['section.docx', Buffer.from(docx)]]) {
      await page.evaluate(() => { document.getElementById('text').value = ''; });
      await page.setInputFiles('#file', { name, mimeType: 'application/octet-stream', buffer: bytes });
      await page.waitForFunction(() => document.getElementById('text').value ||
        document.getElementById('error').open);
      assert.equal((await page.inputValue('#text')).trim(), sentence, name);
      await checked(page);
      assert.deepEqual(await marks(page), [[Inconsistent, 'look-inconsistent']], name);
    }
    assert.deepEqual(errors, []);
    await close();
  });
});

describe('the page as served and as a file', () => {
  for (const [where, url] of [['a server', () => server.url], ['file://', () => fileUrl()]]) {
    test(`from ${where} it checks, asks for nothing but its own files, and refuses connections`,
      async () => {
        const { page, requests, errors, close } = await openPage(browser, url());
        await checked(page);
        await page.focus('#text');
        await page.keyboard.type(Inconsistent);
        await checked(page);
        assert.deepEqual(await marks(page), [[Inconsistent, 'look-inconsistent']]);
        const own = new URL('.', page.url()).href;
        const blob = `blob:${new URL(page.url()).origin}/`;
        for (const request of requests) {
          assert.ok(request.startsWith(own) || request.startsWith(blob), request);
        }
        assert.deepEqual(errors, []);
        // Under the page's policy nothing reaches out, not even to its own server.
        const refused = await page.evaluate(async (target) => {
          const stopped = [];
          document.addEventListener('securitypolicyviolation', (e) => stopped.push(e.effectiveDirective));
          await fetch(target).then(() => stopped.push('fetched'), () => {});
          const image = new Image();
          image.src = `${target.replace('127.0.0.1', 'localhost')}probe.png`;
          await new Promise((done) => setTimeout(done, 100));
          return stopped;
        }, server.url);
        assert.deepEqual(refused.sort(), ['connect-src', 'img-src']);
        await close();
      });
  }
});

describe('accessibility and looks', () => {
  test('Tab goes round the controls in the window\'s order', async () => {
    const { page, close } = await pageWith(`${Inconsistent}.`);
    await page.focus('#open');
    const order = [];
    for (let i = 0; i < 5; ++i) {
      await page.keyboard.press('Tab');
      order.push(await page.evaluate(() => document.activeElement.id || document.activeElement.tagName));
    }
    assert.deepEqual(order, ['alpha', 'whole', 'text', 'copy', 'LI']);
    await close();
  });

  for (const scheme of ['light', 'dark']) {
    test(`axe finds no fault in ${scheme}; a screenshot is saved`, async () => {
      const { page, close } = await pageWith(Section,
        { colorScheme: scheme, context: { bypassCSP: true, viewport: { width: 1100, height: 680 } } });
      await page.keyboard.press('F8');
      await page.addScriptTag({ path: join(root, 'web/node_modules/axe-core/axe.min.js') });
      const { violations } = await page.evaluate(() => axe.run(document));
      assert.deepEqual(violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`), []);
      // Beside the build, not in it: build-web/ is what gets published.
      const shots = join(root, 'build', 'web-screenshots');
      mkdirSync(shots, { recursive: true });
      await page.screenshot({ path: join(shots, `${scheme}.png`) });
      await close();
    });
  }
});
