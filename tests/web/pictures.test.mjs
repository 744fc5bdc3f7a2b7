// The page's picture at fixed instants, against `sundial render` of the same dial, instant and
// size: the same lines in the same places, the shadow's tip in the same place, and the same clock
// line. The browser's time zone is set for each case, so that the page finds the standard-time
// zone and the daylight saving from it as the desktop tick does.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { compareWithPicture } from './compare.mjs';
import { launch, openPage, serve } from './support.mjs';

const site = process.env.SUNDIAL_WEB_SITE;
const sundial = process.env.SUNDIAL_NATIVE_SUNDIAL;
const examples = process.env.SUNDIAL_EXAMPLES;
const pictures = mkdtempSync(join(tmpdir(), 'sundial-web-'));

// Each case: the dial, the zone, the instant in Universal Time, and the same instant as the
// `sundial` command takes it (local clock with its offset, --dst when saving is in force).
const CASES = [
  { dial: 'type-01-horizontal-greenwich', zone: 'Europe/London', at: '2010-06-21T12:00:00Z',
    local: '2010-06-21T13:00:00+01:00', dst: true },
  { dial: 'type-05-analemmatic-horizontal-bourg-en-bresse', zone: 'Europe/Paris',
    at: '2010-12-09T14:30:00Z', local: '2010-12-09T15:30:00+01:00', dst: false },
  { dial: 'type-09-orthographic-vertical-paris', zone: 'Europe/Paris', at: '2010-06-21T15:00:00Z',
    local: '2010-06-21T17:00:00+02:00', dst: true },
  { dial: 'type-12-receiving-ellipse-torino', zone: 'Europe/Rome', at: '2010-06-21T10:00:00Z',
    local: '2010-06-21T12:00:00+02:00', dst: true },
  // The built-in dial on a screen of two device pixels to the CSS pixel, in a zone west of
  // Greenwich in winter.
  { dial: '', zone: 'America/New_York', at: '2011-01-15T12:00:00Z', local: '2011-01-15T07:00:00-05:00',
    dst: false, css: [640, 400], dpr: 2 },
];

let server;
let browser;
before(async () => {
  assert.ok(sundial, 'SUNDIAL_NATIVE_SUNDIAL names the native sundial command');
  server = await serve({ '/': site, '/pictures/': pictures });
  browser = await launch();
});
after(async () => {
  await browser?.close();
  await server?.close();
});

// TIME (local clock with its offset) twelve hours earlier, with the same offset.
function twelveHoursBefore(local) {
  const offset = local.slice(19);
  const offsetMs = -Date.parse('1970-01-01T00:00:00' + offset);
  return new Date(Date.parse(local) - 12 * 3600e3 + offsetMs).toISOString().slice(0, 19) + offset;
}

// The place of the built-in dial, as `sundial info` gives it for a file that is not there.
function builtInPlace() {
  const m = JSON.parse(execFileSync(sundial, ['info', join(pictures, 'no-such-dial.vqr')])).model;
  return ['--lat', String(m.latitude), '--lon', String(m.longitude)];
}

for (const c of CASES) {
  test(`${c.dial || 'the built-in dial'} at ${c.at} in ${c.zone} looks as sundial render draws it`, async (t) => {
    const name = (c.dial || 'built-in') + '.png';
    const night = 'night-' + name;
    const dialArgs = c.dial ? [join(examples, c.dial + '.vqr')] : [];
    const dst = c.dst ? ['--dst'] : [];
    execFileSync(sundial, ['render', ...dialArgs, '-o', join(pictures, name), '--size', '1280x800',
                           '--at', c.local, ...dst]);
    execFileSync(sundial, ['render', ...dialArgs, '-o', join(pictures, night), '--size', '1280x800',
                           '--at', twelveHoursBefore(c.local), ...dst]);
    const place = c.dial ? dialArgs : builtInPlace();
    const sun = JSON.parse(execFileSync(sundial, ['sun', '--at', c.local, ...dst, ...place]));

    const [width, height] = c.css || [1280, 800];
    const query = (c.dial ? `dial=${c.dial}&` : '') + `at=${c.at}`;
    const page = await openPage(browser, server.origin, '/?' + query,
                                { width, height, dpr: c.dpr || 1, zone: c.zone });
    const state = await page.evaluate(() => window.sundialPage.state());
    assert.deepEqual(page.errors, []);
    assert.equal(state.clockLine, `${sun.clockText} - EdT ${sun.equationText}`);
    assert.equal(state.title, c.dial);

    const m = await compareWithPicture(page, `${server.origin}/pictures/${name}`,
                                       `${server.origin}/pictures/${night}`,
                                       Date.parse(c.at) - 12 * 3600e3);
    t.diagnostic(`matched: page ${m.shownFound.toFixed(4)}, render ${m.renderedFound.toFixed(4)}; ` +
                 `shadow ${JSON.stringify(m.shadowShown)} vs ${JSON.stringify(m.shadowRendered)}`);
    assert.ok(m.shownFound > 0.99 && m.renderedFound > 0.99,
              `lit pixels matched within 2 px: page ${m.shownFound.toFixed(4)}, render ${m.renderedFound.toFixed(4)}`);
    const s = m.shadowShown, r = m.shadowRendered;
    assert.ok(r.count > 0, 'the render shows a shadow');
    for (const side of ['left', 'top', 'right', 'bottom']) {
      assert.ok(Math.abs(s[side] - r[side]) <= 2,
                `the shadow's ${side} edge: page ${s[side]}, render ${r[side]}`);
    }
    await page.close();
  });
}
