// How long the page's worker takes to check a long results section: a made-up section of
// 10,000 words with 200 results (t, F, r, chi-square, some with effect sizes, intervals and
// means), checked by the worker of the page built into build-web/ (bash scripts/web.sh
// --no-open). Prints the worker's own time around the engine's check, best of several runs,
// and beside it the native engine's on the same text where the release benchmark is built
// (bash bench/build-release.sh bench_textcheck).
// Run: node bench/web-check.mjs [runs]
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileUrl, launch, openPage, root } from '../web/tests/browser.mjs';

const runs = Number(process.argv[2] || 40);
const Warming = 10;

// The same made-up section every time: filler words of this file's own choosing between results.
function section(words = 10_000, results = 200) {
  const filler = ('the participants in each group were asked to rate the items again after a ' +
    'short break and their answers were compared with those of the others as planned before ' +
    'data collection began').split(' ');
  const forms = [
    (i) => `t(${30 + i % 40}) = ${(1.5 + (i % 17) / 10).toFixed(2)}, p = .0${1 + i % 9}`,
    (i) => `F(2, ${50 + i % 30}) = ${(2 + (i % 13) / 4).toFixed(2)}, p = .0${2 + i % 7}, ` +
      `\u03b7p2 = .${10 + i % 20}`,
    (i) => `r(${60 + i % 50}) = .${20 + i % 40}, p = .00${1 + i % 8}`,
    (i) => `\u03c7\u00b2(1, N = ${100 + i}) = ${(3 + (i % 11) / 3).toFixed(2)}, p = .0${1 + i % 6}`,
    (i) => `(M = ${(3 + (i % 9) / 7).toFixed(2)}, SD = 1.${10 + i % 80}, n = ${20 + i % 15}) ` +
      `t(${19 + i % 15}) = 2.${10 + i % 50}, p = .04, d = 0.${40 + i % 50}, ` +
      `95% CI [0.${10 + i % 30}, 1.${20 + i % 40}]`,
  ];
  const reported = Array.from({ length: results }, (_, i) => forms[i % forms.length](i));
  const wordsOf = (part) => part.split(' ').length;
  let left = words - reported.reduce((sum, part) => sum + wordsOf(part), 0);
  const parts = [];
  let count = 0;
  reported.forEach((result, i) => {
    const run = [];
    for (let k = Math.floor(left / (results - i)); k > 0; --k) run.push(filler[count++ % filler.length]);
    left -= run.length;
    parts.push(`${run.join(' ')}, ${result}.${i % 10 === 9 ? '\n\n' : ' '}`);
  });
  return parts.join('');
}

const text = section();
const browser = await launch();
try {
  const { page, close } = await openPage(browser, fileUrl());
  const times = await page.evaluate(async ({ text, runs }) => {
    const worker = new Worker(URL.createObjectURL(new Blob([self.kelvaronWorkerSource])));
    const check = (id) => new Promise((done) => {
      worker.onmessage = (event) => done(event.data);
      worker.postMessage({ id, text, alpha: '.05', wholeNumberScores: true, items: 1 });
    });
    const answers = [];
    for (let id = 0; id <= runs; ++id) answers.push(await check(id));
    worker.terminate();
    // The first run pays for compiling the engine; the rest are the check alone.
    const found = JSON.parse(answers[0].answer);
    return { ms: answers.slice(1).map((a) => a.ms), first: answers[0].ms,
      results: found.results.length, totals: found.totalsLine };
  }, { text, runs });
  await close();
  const words = text.split(/\s+/).filter(Boolean).length;
  console.log(`${words} words, ${text.length} characters: ${times.totals}`);
  if (process.env.KELVARON_BENCH_ALL) console.log(times.ms.map((ms) => ms.toFixed(1)).join(' '));
  // The browser runs new code unoptimized at first and optimizes what runs hot: the first checks
  // after the page opens are slower, and are shown apart.
  const warm = times.ms.slice(Warming);
  const median = (list) => [...list].sort((a, b) => a - b)[Math.floor(list.length / 2)];
  console.log(`worker's check: best ${Math.min(...times.ms).toFixed(1)} ms of ${runs} runs, ` +
    `median ${median(warm).toFixed(1)} ms after the first ${Warming}, which took ` +
    `${Math.min(...times.ms.slice(0, Warming)).toFixed(1)} to ` +
    `${Math.max(...times.ms.slice(0, Warming)).toFixed(1)} ms (the very first, with the ` +
    `engine's compiling, ${times.first.toFixed(1)} ms)`);

  // Typing in the section on the page: from each key to the next paint (the Event Timing API),
  // while the page checks the text again whenever typing pauses.
  const typing = await openPage(browser, fileUrl());
  const keys = typing.page;
  await keys.evaluate((pasted) => {
    const area = document.getElementById('text');
    area.value = pasted;
    area.dispatchEvent(new Event('input'));
  }, text);
  await keys.waitForFunction(() => document.documentElement.dataset.check === 'done');
  await keys.focus('#text');
  await keys.evaluate(() => {
    const area = document.getElementById('text');
    area.setSelectionRange(area.value.length >> 1, area.value.length >> 1);
    self.keyTimes = [];
    new PerformanceObserver((found) => {
      for (const entry of found.getEntries()) if (entry.name === 'keypress') self.keyTimes.push(entry.duration);
    }).observe({ type: 'event', durationThreshold: 0 });
  });
  for (let key = 0; key < 60; ++key) {
    await keys.keyboard.type('x');
    await keys.waitForTimeout(key % 3 === 0 ? 250 : 40); // pauses long enough for a check
  }
  await keys.waitForTimeout(300);
  const keyTimes = (await keys.evaluate(() => self.keyTimes)).sort((a, b) => a - b);
  await typing.close();
  console.log(`a key, typed into the section, to the next paint: median ${median(keyTimes)} ms, ` +
    `90th percentile ${keyTimes[Math.floor(keyTimes.length * 0.9)]} ms, worst ` +
    `${keyTimes[keyTimes.length - 1]} ms of ${keyTimes.length}`);
} finally {
  await browser.close();
}

const native = join(root, 'build-bench', 'bench', 'bench_textcheck');
if (existsSync(native)) {
  const folder = mkdtempSync(join(tmpdir(), 'kelvaron-bench-'));
  writeFileSync(join(folder, 'section.txt'), text);
  console.log(spawnSync(native, ['file', join(folder, 'section.txt')], { encoding: 'utf8' }).stdout.trim());
  rmSync(folder, { recursive: true });
}
