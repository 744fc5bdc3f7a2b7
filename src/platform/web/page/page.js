// The sundial page: shows one dial on the whole window, at "now" by the browser's clock and time
// zone, or at a moment the visitor chooses, held or running faster. The address keeps the example
// dial and the moment: ?dial=NAME&at=2010-06-21T12:00:00Z&run=day|year.
'use strict';

(function () {
  const DAY_MS = 86400000;
  // How much faster time runs: a day, or a mean Gregorian year, in a minute.
  const PACE = { day: 1440, year: 365.2425 * 1440 };
  const LOAD_NAMES = ['', 'file', 'invalid', 'missing', 'truncated'];

  const $ = (id) => document.getElementById(id);
  const canvas = $('dial');
  const controls = {
    example: $('example'), file: $('file'), pace: $('pace'), now: $('now'), when: $('when'),
    hour: $('hour'), hourValue: $('hour-value'), day: $('day'), dayValue: $('day-value'),
    fullscreen: $('fullscreen'), toggle: $('toggle'), panel: $('controls'), status: $('status'),
    dropHint: $('drop-hint'),
  };

  let sundial = null;      // the WebAssembly module
  let dialName = '';       // the example shown, '' for the built-in dial or a file of one's own
  let loadState = 0;       // how the dial file loaded: an index of LOAD_NAMES
  // The moment: 'now'; 'held' at anchorMs; or running from anchorMs, taken at anchorClock.
  const moment = { pace: 'now', anchorMs: 0, anchorClock: 0 };
  let shownMs = 0;
  let frames = 0;          // pictures drawn since the page opened
  let opened = 0;          // dials opened since the page opened
  let drawMs = 0;          // script time spent drawing them
  let frameAsked = false;
  let tickTimer = 0;
  let addressWritten = 0;

  // ---- the local clock, read as the desktop saver's C library reads it ----

  // The zone's offset west of Greenwich, in minutes, on the first of a month of a year.
  function offsetOn(year, month) {
    const d = new Date(2000, month, 1);
    d.setFullYear(year);
    return d.getTimezoneOffset();
  }

  // The reading of the local clock at `ms`: the clock as shown, the daylight-saving flag (the
  // zone keeps the lesser of its January and July offsets now) and the standard-time bias (the
  // difference from Universal Time less the hour of daylight saving when it is in force).
  function localClockReading(ms) {
    const d = new Date(ms);
    const year = d.getFullYear();
    const offset = d.getTimezoneOffset();
    const january = offsetOn(year, 0);
    const july = offsetOn(year, 6);
    const dst = january !== july && offset === Math.min(january, july) ? 1 : 0;
    return {
      year, month: d.getMonth() + 1, day: d.getDate(),
      hour: d.getHours(), minute: d.getMinutes(), second: d.getSeconds(),
      dst, biasWest: offset + (dst ? 60 : 0),
    };
  }

  // ---- the moment shown ----

  function momentNow() {
    if (moment.pace === 'now') return Date.now();
    if (moment.pace === 'held') return moment.anchorMs;
    return moment.anchorMs + (performance.now() - moment.anchorClock) * PACE[moment.pace];
  }

  // Shows `ms` with the pace asked for ('held', 'day', 'year'), from now on.
  function setMoment(ms, pace) {
    if (!Number.isFinite(ms)) return;
    moment.pace = pace;
    moment.anchorMs = ms;
    moment.anchorClock = performance.now();
    afterMomentChange();
  }

  function backToNow() {
    moment.pace = 'now';
    afterMomentChange();
  }

  function afterMomentChange() {
    controls.pace.value = moment.pace;
    writeAddress();
    scheduleTick();
    askFrame();
  }

  // ---- drawing: at most once a display frame, never while the page is hidden ----

  function askFrame() {
    if (frameAsked || document.hidden || sundial === null) return;
    frameAsked = true;
    requestAnimationFrame(frame);
  }

  function frame() {
    frameAsked = false;
    draw();
    if (PACE[moment.pace] !== undefined) {
      if (performance.now() - addressWritten > 1000) writeAddress();
      askFrame();
    }
  }

  function draw() {
    if (sundial === null || canvas.width === 0 || canvas.height === 0) return;
    const start = performance.now();
    shownMs = momentNow();
    const r = localClockReading(shownMs);
    sundial._sundial_show(r.year, r.month, r.day, r.hour, r.minute, r.second, r.dst, r.biasWest,
                          canvas.width, canvas.height);
    showMomentInControls(shownMs);
    frames++;
    drawMs += performance.now() - start;
  }

  // At "now", one picture each second of the clock, just after the second turns.
  function scheduleTick() {
    clearTimeout(tickTimer);
    if (moment.pace !== 'now') return;
    tickTimer = setTimeout(() => {
      askFrame();
      scheduleTick();
    }, 1000 - (Date.now() % 1000) + 2);
  }

  // The canvas has the window's size in device pixels, so that thin lines stay one pixel thin.
  function fit(width, height) {
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
      draw();  // at once: a canvas given a new size is blank
    }
  }

  // The browser's own count of device pixels where it gives one that agrees with the layout's
  // size times the pixel ratio (it is exact where that product is not a whole number; an
  // emulated ratio leaves it in CSS pixels).
  function watchSize() {
    const fromLayout = (exact) => {
      const dpr = window.devicePixelRatio || 1;
      const width = Math.max(1, Math.round(canvas.clientWidth * dpr));
      const height = Math.max(1, Math.round(canvas.clientHeight * dpr));
      const agrees = exact && Math.abs(exact.inlineSize - width) <= 1 &&
        Math.abs(exact.blockSize - height) <= 1;
      fit(agrees ? exact.inlineSize : width, agrees ? exact.blockSize : height);
    };
    if (typeof ResizeObserver === 'function') {
      const observer = new ResizeObserver((entries) => {
        const box = entries[0].devicePixelContentBoxSize;
        fromLayout(box && box[0]);
      });
      try {
        observer.observe(canvas, { box: 'device-pixel-content-box' });
      } catch (e) {
        observer.observe(canvas);
      }
    }
    window.addEventListener('resize', () => fromLayout(null));
    fromLayout(null);
  }

  // ---- controls ----

  const pad = (n, w = 2) => String(n).padStart(w, '0');

  function dayOfYear(d) {
    const start = new Date(d.getTime());
    start.setMonth(0, 1);
    start.setHours(0, 0, 0, 0);
    return Math.round((new Date(d.getFullYear(), d.getMonth(), d.getDate()) - start) / DAY_MS) + 1;
  }

  function isLeap(year) {
    return (year % 4 === 0 && year % 100 !== 0) || year % 400 === 0;
  }

  // Each control is written only when what it shows changes (most seconds, only the date and
  // time field does).
  function setIfChanged(element, property, value) {
    if (element[property] !== value) element[property] = value;
  }

  function showMomentInControls(ms) {
    const d = new Date(ms);
    const active = document.activeElement;
    if (active !== controls.when) {
      setIfChanged(controls.when, 'value', pad(d.getFullYear(), 4) + '-' + pad(d.getMonth() + 1) +
        '-' + pad(d.getDate()) + 'T' + pad(d.getHours()) + ':' + pad(d.getMinutes()) + ':' +
        pad(d.getSeconds()));
    }
    if (active !== controls.hour) setIfChanged(controls.hour, 'value', String(d.getHours() * 60 + d.getMinutes()));
    setIfChanged(controls.hourValue, 'textContent', pad(d.getHours()) + ':' + pad(d.getMinutes()));
    setIfChanged(controls.day, 'max', isLeap(d.getFullYear()) ? '366' : '365');
    const day = String(dayOfYear(d));
    if (active !== controls.day) setIfChanged(controls.day, 'value', day);
    setIfChanged(controls.dayValue, 'textContent', day);
  }

  // A change made with a control keeps time running when it runs faster, and holds it otherwise.
  function paceAfterControl() {
    return PACE[moment.pace] !== undefined ? moment.pace : 'held';
  }

  function wireControls() {
    controls.when.addEventListener('change', () => {
      const m = /^(\d{4,})-(\d\d)-(\d\d)T(\d\d):(\d\d)(?::(\d\d))?/.exec(controls.when.value);
      if (!m) return;
      const d = new Date(2000, 0, 1);
      d.setFullYear(+m[1], +m[2] - 1, +m[3]);
      d.setHours(+m[4], +m[5], m[6] ? +m[6] : 0, 0);
      setMoment(d.getTime(), paceAfterControl());
    });
    controls.hour.addEventListener('input', () => {
      const d = new Date(momentNow());
      const minutes = +controls.hour.value;
      d.setHours(Math.floor(minutes / 60), minutes % 60, 0, 0);
      setMoment(d.getTime(), paceAfterControl());
    });
    controls.day.addEventListener('input', () => {
      const d = new Date(momentNow());
      const day = +controls.day.value;
      d.setMonth(0, day);
      setMoment(d.getTime(), paceAfterControl());
    });
    controls.pace.addEventListener('change', () => {
      if (controls.pace.value === 'now') {
        backToNow();
      } else {
        setMoment(momentNow(), controls.pace.value);
      }
    });
    controls.now.addEventListener('click', backToNow);
    controls.example.addEventListener('change', () => {
      if (controls.example.value !== 'file:') openExample(controls.example.value);
    });
    controls.file.addEventListener('change', () => {
      if (controls.file.files.length > 0) openFile(controls.file.files[0]);
    });
    controls.fullscreen.addEventListener('click', () => {
      if (document.fullscreenElement) {
        document.exitFullscreen();
      } else if (document.documentElement.requestFullscreen) {
        document.documentElement.requestFullscreen().catch((e) => say('No full screen: ' + e.message));
      }
    });
    document.addEventListener('fullscreenchange', () => {
      controls.fullscreen.textContent = document.fullscreenElement ? 'Leave full screen' : 'Full screen';
    });
    controls.toggle.addEventListener('click', () => {
      const open = controls.panel.hidden;
      controls.panel.hidden = !open;
      controls.toggle.setAttribute('aria-expanded', String(open));
      controls.toggle.textContent = open ? 'Hide controls' : 'Show controls';
    });
    document.addEventListener('visibilitychange', () => {
      if (!document.hidden) {
        if (PACE[moment.pace] === undefined) scheduleTick();
        askFrame();
      }
    });
    // A dial file dropped anywhere on the page.
    let dragDepth = 0;
    document.addEventListener('dragenter', (e) => {
      e.preventDefault();
      dragDepth++;
      controls.dropHint.hidden = false;
    });
    document.addEventListener('dragleave', () => {
      if (--dragDepth <= 0) {
        dragDepth = 0;
        controls.dropHint.hidden = true;
      }
    });
    document.addEventListener('dragover', (e) => e.preventDefault());
    document.addEventListener('drop', (e) => {
      e.preventDefault();
      dragDepth = 0;
      controls.dropHint.hidden = true;
      const files = e.dataTransfer && e.dataTransfer.files;
      if (files && files.length > 0) openFile(files[0]);
    });
  }

  function say(text) {
    controls.status.textContent = text;
  }

  // ---- dial files ----

  // Writes the dial file into the module's file system under its own name (the picture's title
  // comes from it) and loads it; `bytes` null for a file that could not be had.
  function openBytes(fileName, bytes) {
    const FS = sundial.FS;
    const path = '/dials/' + fileName.replace(/\//g, '_');
    try { FS.mkdir('/dials'); } catch (e) { /* already there */ }
    for (const old of FS.readdir('/dials')) {
      if (old !== '.' && old !== '..') FS.unlink('/dials/' + old);
    }
    if (bytes !== null) FS.writeFile(path, bytes);
    loadState = sundial.ccall('sundial_open', 'number', ['string'], [path]);
    opened++;
    say(sundial.UTF8ToString(sundial._sundial_load_message()));
    draw();
  }

  async function openExample(name) {
    dialName = name;
    controls.example.value = name;
    writeAddress();
    if (name === '') {
      loadState = sundial.ccall('sundial_open', 'number', ['string'], ['']);
      say('');
      draw();
      return;
    }
    let bytes = null;
    try {
      const response = await fetch('examples/' + encodeURIComponent(name) + '.vqr');
      if (response.ok) bytes = new Uint8Array(await response.arrayBuffer());
    } catch (e) {
      bytes = null;
    }
    if (dialName === name) openBytes(name + '.vqr', bytes);
  }

  async function openFile(file) {
    dialName = '';
    let option = controls.example.querySelector('option[value="file:"]');
    if (!option) {
      option = document.createElement('option');
      option.value = 'file:';
      controls.example.appendChild(option);
    }
    option.textContent = 'Your file: ' + file.name;
    controls.example.value = 'file:';
    writeAddress();
    openBytes(file.name, new Uint8Array(await file.arrayBuffer()));
  }

  async function listExamples() {
    try {
      const response = await fetch('examples/examples.json');
      const names = await response.json();
      for (const name of names) {
        const option = document.createElement('option');
        option.value = name;
        option.textContent = name;
        controls.example.appendChild(option);
      }
    } catch (e) {
      say('The list of examples could not be read.');
    }
  }

  // ---- the address ----

  function isoUtc(ms) {
    const d = new Date(ms);
    d.setUTCMilliseconds(0);
    return d.toISOString().replace('.000Z', 'Z');
  }

  function writeAddress() {
    const query = new URLSearchParams();
    if (dialName !== '') query.set('dial', dialName);
    if (moment.pace !== 'now') {
      query.set('at', isoUtc(momentNow()));
      if (moment.pace !== 'held') query.set('run', moment.pace);
    }
    const search = query.toString();
    const url = location.pathname + (search ? '?' + search : '') + location.hash;
    if (url !== location.pathname + location.search + location.hash) {
      history.replaceState(null, '', url);
    }
    addressWritten = performance.now();
  }

  function readAddress() {
    const query = new URLSearchParams(location.search);
    const at = query.get('at');
    const ms = at ? Date.parse(at) : NaN;
    if (Number.isFinite(ms)) {
      const run = query.get('run');
      moment.pace = PACE[run] !== undefined ? run : 'held';
      moment.anchorMs = ms;
      moment.anchorClock = performance.now();
    }
    return query.get('dial') || '';
  }

  // ---- start ----

  // What tests and curious visitors can read of the page.
  window.sundialPage = {
    state: () => ({
      pace: moment.pace,
      shownMs,
      clockLine: sundial ? sundial.UTF8ToString(sundial._sundial_clock_line()) : '',
      title: sundial ? sundial.UTF8ToString(sundial._sundial_title()) : '',
      load: LOAD_NAMES[loadState] || '',
      frames,
      opened,
      drawMs,
      status: controls.status.textContent,
      width: canvas.width,
      height: canvas.height,
    }),
  };

  window.sundialPage.ready = (async () => {
    wireControls();
    const wanted = readAddress();
    const [module] = await Promise.all([createSundialModule(), listExamples()]);
    sundial = module;
    const face = document.createElement('canvas');
    module.sundialSurfaces = [canvas.getContext('2d', { alpha: false }), face.getContext('2d')];
    watchSize();
    await openExample(wanted);
    controls.pace.value = moment.pace;
    scheduleTick();
    askFrame();
  })().catch((e) => {
    say('The dial could not be started: ' + e);
    throw e;
  });
})();
