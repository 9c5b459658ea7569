// The page's tests drive Debian's Chromium headless through playwright-core, against the page
// built into build-web/ (bash scripts/web.sh --no-open), served from loopback or opened from
// file://. Every request the page makes is recorded, so that a test can say none left it.
import { chromium } from 'playwright-core';
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { existsSync } from 'node:fs';
import { extname, join, normalize, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

export const root = resolve(fileURLToPath(import.meta.url), '../../..');
export const site = process.env.KELVARON_WEB_DIR || join(root, 'build-web');

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.json': 'application/json',
  '.svg': 'image/svg+xml',
};

// A static server on loopback, as any static host serves the folder.
export async function serve(folder = site) {
  const server = createServer(async (request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    let file = join(folder, path);
    try {
      if ((await stat(file)).isDirectory()) file = join(file, 'index.html');
      const body = await readFile(file);
      response.writeHead(200, { 'Content-Type': types[extname(file)] || 'application/octet-stream' });
      response.end(body);
    } catch {
      response.writeHead(404);
      response.end();
    }
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  const url = `http://127.0.0.1:${server.address().port}/`;
  return { url, close: () => new Promise((done) => server.close(done)) };
}

export function fileUrl(folder = site) {
  return pathToFileURL(join(folder, 'index.html')).href;
}

const executablePath = process.env.CHROMIUM || '/usr/bin/chromium';

export async function launch() {
  if (!existsSync(executablePath)) throw new Error(`no browser at ${executablePath}`);
  return chromium.launch({
    executablePath,
    headless: true,
    // Background services of the browser would reach out on their own; the page must not.
    args: [
      '--no-sandbox',
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
      '--disable-dev-shm-usage',
    ],
  });
}

// A new page in its own context, with every request it makes recorded in `requests` and every
// console error and page error in `errors`.
export async function openPage(browser, url, options = {}) {
  const context = await browser.newContext({ colorScheme: options.colorScheme || 'light', ...options.context });
  const page = await context.newPage();
  const requests = [];
  const errors = [];
  page.on('request', (request) => requests.push(request.url()));
  page.on('pageerror', (error) => errors.push(String(error)));
  page.on('console', (message) => {
    if (message.type() === 'error') errors.push(message.text());
  });
  context.on('request', (request) => {
    if (!requests.includes(request.url())) requests.push(request.url());
  });
  await page.goto(url);
  return { context, page, requests, errors, close: () => context.close() };
}
