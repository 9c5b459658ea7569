// The engine compiled to WebAssembly, run in Chromium, gives the JSON that the native
// kelvaron-check gives, byte for byte once keys are sorted and computed figures are taken to 12
// significant digits, for every text the native tests of
// the text check use (their string literals, read from their sources), with the default
// settings, another alpha and whole-number scores.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, writeFileSync, existsSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { launch, root } from './browser.mjs';

const native = process.env.KELVARON_CHECK || join(root, 'build', 'kelvaron-check');
const engineScript = join(root, 'build-web-engine', 'kelvaron-engine.js');
const sources = ['tst_textreading.cpp', 'tst_textcheck.cpp', 'tst_figurefindings.cpp',
  'tst_checkcommand.cpp', 'tst_textcheckfrm.cpp'];

// C++ literals u"..." (adjacent ones joined, as the compiler joins them), unescaped.
function literals(source) {
  const found = [];
  const run = /(?:u"(?:[^"\\\n]|\\.)*"(?:_s)?\s*)+/g;
  for (const match of source.matchAll(run)) {
    let text = '';
    for (const part of match[0].matchAll(/u"((?:[^"\\\n]|\\.)*)"/g)) {
      text += part[1].replace(/\\(u[0-9a-fA-F]{4}|U[0-9a-fA-F]{8}|.)/g, (_, e) => {
        if (e[0] === 'u' || e[0] === 'U') return String.fromCodePoint(parseInt(e.slice(1), 16));
        return { n: '\n', t: '\t', r: '\r', '0': '\0' }[e] ?? e;
      });
    }
    found.push(text);
  }
  return found;
}

// As the native reader of a .txt file gives it: one kind of line end, no byte-order mark.
function asRead(text) {
  return text.replace(/\r\n/g, '\n').replace(/\r/g, '\n').replace(/^\ufeff/, '');
}

// Keys sorted; a computed figure to 12 significant digits: the browser's C library and the
// desktop's compute exp, log and pow alike to within an ulp or two, not to the last bit, and
// nothing the check decides or says rests on digits so far down.
function sorted(value) {
  if (typeof value === 'number' && !Number.isInteger(value)) return Number(value.toPrecision(12));
  if (Array.isArray(value)) return value.map(sorted);
  if (value && typeof value === 'object')
    return Object.fromEntries(Object.keys(value).sort().map((k) => [k, sorted(value[k])]));
  return value;
}

const texts = [...new Set(sources.flatMap((name) =>
  literals(readFileSync(join(root, 'tests', name), 'utf8')).map(asRead)))]
  .filter((text) => /[=<>\u2264\u2265]/.test(text) && !text.includes('\0'));

const settings = [
  { name: 'default', args: [], alpha: '.05', whole: false, items: 1 },
  { name: 'alpha .01', args: ['--alpha', '.01'], alpha: '.01', whole: false, items: 1 },
  { name: 'whole-number scores of 3 items', args: ['--items', '3'], alpha: '.05', whole: true, items: 3 },
];

test('the engine in WebAssembly gives the native JSON', async (t) => {
  assert.ok(existsSync(native), `no ${native}: build the program first`);
  assert.ok(existsSync(engineScript), `no ${engineScript}: bash scripts/web.sh --no-open`);
  assert.ok(texts.length > 150, `only ${texts.length} texts read from the native tests`);
  const folder = mkdtempSync(join(tmpdir(), 'kelvaron-engine-'));
  const files = texts.map((text, i) => {
    const file = join(folder, `${String(i).padStart(4, '0')}.txt`);
    writeFileSync(file, text, 'utf8');
    return file;
  });
  const browser = await launch();
  try {
    const page = await (await browser.newContext()).newPage();
    await page.addScriptTag({ path: engineScript });
    await page.evaluate(async () => { self.engine = await KelvaronEngine(); });
    for (const setting of settings) {
      await t.test(setting.name, async () => {
        // Exit status 1 says that some result needs mending; the report is printed all the same.
        const run = spawnSync(native, ['--json', ...setting.args, ...files],
          { encoding: 'utf8', maxBuffer: 1 << 28 });
        assert.ok(run.status === 0 || run.status === 1, run.stderr);
        const report = JSON.parse(run.stdout);
        const answers = await page.evaluate(({ texts, setting }) =>
          texts.map((text) => self.engine.checkText(text, setting.alpha, setting.whole, setting.items, true)),
        { texts, setting });
        let results = 0;
        report.files.forEach((file, i) => {
          const wasm = JSON.parse(answers[i]);
          const mine = { pValuesWithoutStatistic: wasm.pValuesWithoutStatistic, results: wasm.results };
          const theirs = { pValuesWithoutStatistic: file.pValuesWithoutStatistic, results: file.results };
          assert.equal(JSON.stringify(sorted(mine)), JSON.stringify(sorted(theirs)),
            `text ${i}: ${JSON.stringify(texts[i]).slice(0, 200)}`);
          results += file.results.length;
        });
        assert.ok(results > 150, `only ${results} results compared`);
      });
    }
  } finally {
    await browser.close();
    rmSync(folder, { recursive: true, force: true });
  }
});
