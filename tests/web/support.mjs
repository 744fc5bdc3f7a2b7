// What the page's tests and its benchmark share: a static server on 127.0.0.1 for the page's
// folder, and headless Chromium driven through the DevTools protocol (puppeteer-core, installed
// by npm into the build folder: SUNDIAL_WEB_NODE_MODULES names its node_modules).
import { createReadStream, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import { extname, join, normalize } from 'node:path';

const modules = process.env.SUNDIAL_WEB_NODE_MODULES;
if (!modules) throw new Error('SUNDIAL_WEB_NODE_MODULES must name the node_modules of tests/web');
const require = createRequire(join(modules, 'index.js'));
export const puppeteer = require('puppeteer-core');

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.css': 'text/css', '.json': 'application/json', '.wasm': 'application/wasm',
  '.png': 'image/png', '.vqr': 'application/octet-stream',
};

// Serves each folder of `roots` ({ '/': siteDir, '/ref/': otherDir }) on a free port of
// 127.0.0.1; resolves to { origin, close() }.
export function serve(roots) {
  const server = createServer((req, res) => {
    const path = decodeURIComponent(new URL(req.url, 'http://127.0.0.1').pathname);
    const prefix = Object.keys(roots).filter((p) => path.startsWith(p))
      .sort((a, b) => b.length - a.length)[0];
    let file = prefix === undefined ? null : normalize(join(roots[prefix], path.slice(prefix.length)));
    if (file !== null && !file.startsWith(normalize(roots[prefix]))) file = null;
    try {
      if (file !== null && statSync(file).isDirectory()) file = join(file, 'index.html');
      statSync(file);
    } catch (e) {
      res.writeHead(404).end('not found');
      return;
    }
    res.writeHead(200, { 'Content-Type': TYPES[extname(file)] || 'application/octet-stream',
                         'Cache-Control': 'no-store' });
    createReadStream(file).pipe(res);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => resolve({
      origin: `http://127.0.0.1:${server.address().port}`,
      close: () => new Promise((done) => server.close(done)),
    }));
  });
}

// Debian's Chromium, headless, with nothing reaching out of the machine.
export function launch() {
  return puppeteer.launch({
    executablePath: process.env.SUNDIAL_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           '--font-render-hinting=none'],
  });
}

// Opens the page at `address` (relative to the server) in a new tab of the given size, device
// pixel ratio and time zone, and waits until it shows its dial.
export async function openPage(browser, origin, address,
                               { width = 1280, height = 800, dpr = 1, zone } = {}) {
  const page = await browser.newPage();
  await page.setViewport({ width, height, deviceScaleFactor: dpr });
  if (zone) await page.emulateTimezone(zone);
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  page.errors = errors;
  await page.goto(origin + address);
  await page.evaluate(() => window.sundialPage.ready);
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => r())));
  return page;
}
