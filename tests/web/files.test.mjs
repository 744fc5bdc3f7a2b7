// Dial files opened with the file button or dropped on the page, and files that cannot be read:
// those show the built-in dial and say why in one line, with the outcome `sundial info` reports.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { launch, openPage, serve } from './support.mjs';

const site = process.env.SUNDIAL_WEB_SITE;
const sundial = process.env.SUNDIAL_NATIVE_SUNDIAL;
const examples = process.env.SUNDIAL_EXAMPLES;
const dir = mkdtempSync(join(tmpdir(), 'sundial-web-files-'));
const AT = 'at=2010-06-21T10:00:00Z';
const PARIS = 'type-09-orthographic-vertical-paris';

let server;
let browser;
before(async () => {
  server = await serve({ '/': site });
  browser = await launch();
});
after(async () => {
  await browser?.close();
  await server?.close();
});

const state = (page) => page.evaluate(() => window.sundialPage.state());
const pixels = (page) => page.evaluate(() => document.getElementById('dial').toDataURL());
const infoLoad = (path) => JSON.parse(execFileSync(sundial, ['info', path])).load;

async function choose(page, path) {
  const before = (await state(page)).opened;
  const input = await page.$('#file');
  await input.uploadFile(path);
  await page.waitForFunction((n) => window.sundialPage.state().opened > n, { timeout: 10000 }, before)
    .catch(async (e) => {
      throw new Error(`${e.message}: ${JSON.stringify(await state(page))} ${page.errors}`);
    });
}

test('a dial file chosen or dropped is shown under its own name', async () => {
  const page = await openPage(browser, server.origin, '/?' + AT);
  await choose(page, join(examples, PARIS + '.vqr'));
  let s = await state(page);
  assert.equal(s.title, PARIS);
  assert.equal(s.load, 'file');
  assert.equal(s.status, '');
  assert.equal(await page.evaluate(() => location.search), '?' + AT.replace(':', '%3A').replace(':', '%3A'));

  // Dropped on the page: the drop handler reads the file the drag carries.
  const bytes = [...readFileSync(join(examples, 'type-01-horizontal-greenwich.vqr'))];
  await page.evaluate((bytes) => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([new Uint8Array(bytes)], 'my dial.vqr'));
    document.getElementById('dial').dispatchEvent(
      new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
  }, bytes);
  await page.waitForFunction(() => window.sundialPage.state().title === 'my dial');
  s = await state(page);
  assert.equal(s.load, 'file');
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('a file that cannot be read shows the built-in dial and says why', async () => {
  const builtIn = await openPage(browser, server.origin, '/?' + AT);
  const builtInPicture = await pixels(builtIn);
  await builtIn.close();

  const good = readFileSync(join(examples, PARIS + '.vqr'));
  const truncated = join(dir, 'truncated.vqr');
  writeFileSync(truncated, good.subarray(0, 200));
  // The zone of the Paris dial (one hour east) made thirteen: no dial has it.
  const invalid = join(dir, 'invalid.vqr');
  const outOfRange = Buffer.from(good);
  outOfRange[60] = 13;
  writeFileSync(invalid, outOfRange);
  assert.equal(infoLoad(truncated), 'truncated');
  assert.equal(infoLoad(invalid), 'invalid');

  const page = await openPage(browser, server.origin, '/?' + AT);
  await choose(page, truncated);
  let s = await state(page);
  assert.equal(s.load, 'truncated');
  assert.equal(s.title, '');
  assert.equal(s.status, "'truncated.vqr' loads as truncated (it ends inside an item): the built-in dial is shown");
  assert.equal(await pixels(page), builtInPicture);

  await choose(page, invalid);
  s = await state(page);
  assert.equal(s.load, 'invalid');
  assert.equal(s.status, "'invalid.vqr' loads as invalid (it holds values no dial can have): the built-in dial is shown");
  await page.close();

  // An example that is not there.
  const missing = await openPage(browser, server.origin, '/?dial=no-such-dial&' + AT);
  s = await state(missing);
  assert.equal(s.load, infoLoad(join(dir, 'no-such-dial.vqr')));
  assert.equal(s.status, "'no-such-dial.vqr' loads as missing (it cannot be opened): the built-in dial is shown");
  assert.equal(await pixels(missing), builtInPicture);
  await missing.close();
});
