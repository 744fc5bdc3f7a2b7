// What the web page costs a second at "now": the built-in dial on a 1920x1080 canvas in headless
// Chromium, ticking with the browser's clock for SECONDS seconds (default 20) after a warm-up.
// The renderer's own counters (DevTools' Performance.getMetrics) give the script time and the
// time of all its tasks; the page's frame counter gives the pictures drawn. Then the same while
// time runs a day in a minute (pictures a second: at most the display's frame rate).
//
//   SUNDIAL_WEB_NODE_MODULES=build/web/tests/web/npm/node_modules \
//     node bench/measure-web-cost.mjs [SECONDS]      # after cmake --workflow --preset web
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
process.env.SUNDIAL_WEB_NODE_MODULES ??= join(here, '../build/web/tests/web/npm/node_modules');
const { launch, openPage, serve } = await import('../tests/web/support.mjs');

const seconds = Number(process.argv[2] || 20);
const site = process.env.SUNDIAL_WEB_SITE || join(here, '../build/web/site');
const server = await serve({ '/': site });
const browser = await launch();

async function measure(address, label) {
  const page = await openPage(browser, server.origin, address, { width: 1920, height: 1080 });
  const cdp = await page.createCDPSession();
  await cdp.send('Performance.enable');
  await new Promise((r) => setTimeout(r, 3000));  // the first pictures, the face, the caches
  const metrics = async () => Object.fromEntries(
    (await cdp.send('Performance.getMetrics')).metrics.map((m) => [m.name, m.value]));
  const frames = () => page.evaluate(() => window.sundialPage.state());
  const m0 = await metrics();
  const f0 = await frames();
  await new Promise((r) => setTimeout(r, seconds * 1000));
  const m1 = await metrics();
  const f1 = await frames();
  const pictures = f1.frames - f0.frames;
  const span = m1.Timestamp - m0.Timestamp;
  const perSecond = (name) => ((m1[name] - m0[name]) / span) * 1000;
  console.log(`${label}: ${perSecond('ScriptDuration').toFixed(3)} ms of script a second, ` +
              `${perSecond('TaskDuration').toFixed(3)} ms of renderer tasks a second, ` +
              `${(pictures / span).toFixed(1)} pictures a second, ` +
              `${((f1.drawMs - f0.drawMs) / pictures).toFixed(3)} ms of script a picture (${span.toFixed(1)} s)`);
  await page.close();
}

await measure('/', 'built-in dial at now, 1920x1080');
await measure('/?run=day&at=2026-06-21T04:00:00Z', 'built-in dial, a day in a minute, 1920x1080');
await browser.close();
await server.close();
