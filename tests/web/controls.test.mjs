// The page's controls, used from the keyboard where a visitor would: they change the moment
// shown, "now" comes back to the browser's clock, the address keeps the dial and the moment and
// gives them back, and the canvas follows the window's size.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { launch, openPage, serve } from './support.mjs';

const site = process.env.SUNDIAL_WEB_SITE;
const sundial = process.env.SUNDIAL_NATIVE_SUNDIAL;
const examples = process.env.SUNDIAL_EXAMPLES;
const ZONE = 'Europe/Rome';
const DIAL = 'type-00-vertical-declining-firenze';

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
const address = (page) => page.evaluate(() => location.search);
const frames = (page, n = 2) => page.evaluate((n) => new Promise((resolve) => {
  const step = (left) => (left === 0 ? resolve() : requestAnimationFrame(() => step(left - 1)));
  step(n);
}), n);

// The clock line `sundial sun` gives for the dial at TIME (local, with its offset).
function clockLineAt(local, dst) {
  const sun = JSON.parse(execFileSync(sundial, ['sun', '--at', local, ...(dst ? ['--dst'] : []),
                                                join(examples, DIAL + '.vqr')]));
  return `${sun.clockText} - EdT ${sun.equationText}`;
}

// Seconds between the clock line's time and the browser's clock, on a 24-hour dial.
async function behindTheClock(page) {
  return page.evaluate(() => {
    const line = window.sundialPage.state().clockLine;
    const [h, m, s] = line.trim().split(' ')[0].split(':').map(Number);
    const now = new Date();
    const diff = now.getHours() * 3600 + now.getMinutes() * 60 + now.getSeconds() - (h * 3600 + m * 60 + s);
    return ((diff % 86400) + 86400) % 86400;
  });
}

test('the controls move the moment, and "now" brings back the clock', async () => {
  const page = await openPage(browser, server.origin, `/?dial=${DIAL}`, { zone: ZONE });
  let s = await state(page);
  assert.equal(s.pace, 'now');
  assert.ok(await behindTheClock(page) <= 2, 'at first the dial shows the browser\'s clock');
  assert.equal(await address(page), `?dial=${DIAL}`);

  // A date and time typed in: held there, in the browser's zone with its daylight saving.
  await page.$eval('#when', (el) => {
    el.value = '2010-07-15T14:05:09';
    el.dispatchEvent(new Event('change'));
  });
  await frames(page);
  s = await state(page);
  assert.equal(s.pace, 'held');
  assert.equal(s.clockLine, clockLineAt('2010-07-15T14:05:09+02:00', true));
  assert.equal(await address(page), `?dial=${DIAL}&at=2010-07-15T12%3A05%3A09Z`);

  // The hour slider from the keyboard: a minute later, to the whole minute.
  await page.focus('#hour');
  await page.keyboard.press('ArrowRight');
  await frames(page);
  s = await state(page);
  assert.equal(s.clockLine, clockLineAt('2010-07-15T14:06:00+02:00', true));

  // The day slider from the keyboard: the first day of the year, at the same hour, in winter.
  await page.focus('#day');
  await page.keyboard.press('Home');
  await frames(page);
  s = await state(page);
  assert.equal(s.clockLine, clockLineAt('2010-01-01T14:06:00+01:00', false));
  assert.equal(await address(page), `?dial=${DIAL}&at=2010-01-01T13%3A06%3A00Z`);

  // A day in a minute: a second of the browser is some twenty minutes of the dial.
  await page.select('#pace', 'day');
  const start = (await state(page)).shownMs;
  await new Promise((r) => setTimeout(r, 1500));
  s = await state(page);
  const advanced = (s.shownMs - start) / 60000;
  assert.ok(advanced > 15 && advanced < 60, `the dial ran ${advanced.toFixed(1)} minutes in 1.5 s`);
  assert.match(await address(page), /&run=day$/);

  // Back to now, by the button.
  await page.click('#now');
  await frames(page);
  s = await state(page);
  assert.equal(s.pace, 'now');
  assert.ok(await behindTheClock(page) <= 2);
  assert.equal(await address(page), `?dial=${DIAL}`);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('the address gives back the dial and the moment it keeps', async () => {
  const page = await openPage(browser, server.origin, '/', { zone: ZONE });
  await page.select('#example', DIAL);
  await page.$eval('#when', (el) => {
    el.value = '2011-03-20T09:30:00';
    el.dispatchEvent(new Event('change'));
  });
  await frames(page);
  const kept = await address(page);
  const shown = await state(page);
  assert.equal(shown.title, DIAL);

  const again = await openPage(browser, server.origin, '/' + kept, { zone: ZONE });
  const s = await state(again);
  assert.equal(s.title, DIAL);
  assert.equal(s.pace, 'held');
  assert.equal(s.clockLine, shown.clockLine);
  assert.equal(await again.$eval('#example', (el) => el.value), DIAL);
  assert.equal(await address(again), kept);
  await again.close();

  // A year in a minute, from the address.
  const running = await openPage(browser, server.origin, `/?dial=${DIAL}&at=2011-03-20T08:30:00Z&run=year`,
                                 { zone: ZONE });
  assert.equal((await state(running)).pace, 'year');
  assert.equal(await running.$eval('#pace', (el) => el.value), 'year');
  await running.close();
  await page.close();
});

test('the canvas follows the window, in device pixels, and the full-screen button works', async () => {
  const page = await openPage(browser, server.origin, `/?dial=${DIAL}&at=2010-07-15T12:00:00Z`,
                              { zone: ZONE, width: 1000, height: 700 });
  assert.deepEqual([(await state(page)).width, (await state(page)).height], [1000, 700]);
  await page.setViewport({ width: 600, height: 500, deviceScaleFactor: 2 });
  await frames(page, 3);
  const s = await state(page);
  assert.deepEqual([s.width, s.height], [1200, 1000]);
  // The picture was drawn again at the new size: the clock line sits in its bottom right corner.
  const lit = await page.evaluate(() => {
    const c = document.getElementById('dial');
    const d = c.getContext('2d').getImageData(c.width - 400, c.height - 50, 360, 50).data;
    let n = 0;
    for (let i = 0; i < d.length; i += 4) if (d[i] > 64) ++n;
    return n;
  });
  assert.ok(lit > 100, `${lit} lit pixels where the clock line is`);

  await page.click('#fullscreen');
  await page.waitForFunction(() => document.fullscreenElement !== null);
  assert.equal(await page.$eval('#fullscreen', (el) => el.textContent), 'Leave full screen');
  await page.close();
});
