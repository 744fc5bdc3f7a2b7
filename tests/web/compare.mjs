// Compares the page's canvas with a picture rendered by `sundial render`, in the page itself: the
// browser and Cairo antialias differently, so what is compared is what a viewer reads off the
// dial. Every lit pixel is sorted by its hue into one of the dial's colours; a lit pixel of one
// picture counts as matched when the other has a pixel of the same colour within `reach` pixels.
// The shadow is compared by the box that holds it, whose far corner is the shadow's tip: the
// pixels of the shadow's brown that are not brown in the same picture at night (the face has
// brown signs and marks of its own).
export async function compareWithPicture(page, pictureUrl, nightUrl, nightMs, reach = 2) {
  return page.evaluate(async (url, nightUrl, nightMs, reach) => {
    // The dial's colours, as the share of each channel in the brightest one (antialiasing over
    // the black plate keeps it).
    const PALETTE = {
      neutral: [1, 1, 1], brown: [1, 0.575, 0.123], red: [1, 0.16, 0.1], yellow: [1, 0.97, 0.11],
      green: [0.525, 1, 0.102], teal: [0.102, 1, 0.969], blue: [0.105, 0.105, 1],
    };
    const NAMES = Object.keys(PALETTE);
    const LIT = 64;
    function classes(data, width, height) {
      const out = new Int8Array(width * height).fill(-1);
      for (let i = 0; i < width * height; ++i) {
        const r = data[4 * i], g = data[4 * i + 1], b = data[4 * i + 2];
        const top = Math.max(r, g, b);
        if (top < LIT) continue;
        let best = 0, bestDistance = Infinity;
        NAMES.forEach((name, k) => {
          const p = PALETTE[name];
          const d = (r / top - p[0]) ** 2 + (g / top - p[1]) ** 2 + (b / top - p[2]) ** 2;
          if (d < bestDistance) { bestDistance = d; best = k; }
        });
        out[i] = best;
      }
      return out;
    }
    // The share of the lit pixels of `a` that `b` has within reach, in the same colour.
    function matched(a, b, width, height) {
      let lit = 0, found = 0;
      for (let y = 0; y < height; ++y) {
        for (let x = 0; x < width; ++x) {
          const k = a[y * width + x];
          if (k < 0) continue;
          ++lit;
          search: for (let dy = -reach; dy <= reach; ++dy) {
            const yy = y + dy;
            if (yy < 0 || yy >= height) continue;
            for (let dx = -reach; dx <= reach; ++dx) {
              const xx = x + dx;
              if (xx >= 0 && xx < width && b[yy * width + xx] === k) { ++found; break search; }
            }
          }
        }
      }
      return lit === 0 ? 1 : found / lit;
    }
    // The box of the pixels of colour k in `c` that `night` has not within a pixel.
    function boxOf(c, night, k, width, height) {
      let left = Infinity, top = Infinity, right = -Infinity, bottom = -Infinity, count = 0;
      for (let y = 1; y < height - 1; ++y) {
        for (let x = 1; x < width - 1; ++x) {
          if (c[y * width + x] !== k) continue;
          let face = false;
          for (let d = -1; d <= 1 && !face; ++d) {
            const row = (y + d) * width + x;
            face = night[row - 1] === k || night[row] === k || night[row + 1] === k;
          }
          if (face) continue;
          ++count;
          left = Math.min(left, x); right = Math.max(right, x);
          top = Math.min(top, y); bottom = Math.max(bottom, y);
        }
      }
      return { left, top, right, bottom, count };
    }
    async function picture(address, width, height) {
      const image = await createImageBitmap(await (await fetch(address)).blob());
      if (image.width !== width || image.height !== height) {
        throw new Error(`the picture is ${image.width}x${image.height}, the canvas ${width}x${height}`);
      }
      const scratch = document.createElement('canvas');
      scratch.width = width;
      scratch.height = height;
      const sctx = scratch.getContext('2d');
      sctx.drawImage(image, 0, 0);
      return sctx.getImageData(0, 0, width, height).data;
    }
    const frame = () => new Promise((r) => requestAnimationFrame(() => r()));
    const canvas = document.getElementById('dial');
    const width = canvas.width, height = canvas.height;
    const context = canvas.getContext('2d');
    const shown = classes(context.getImageData(0, 0, width, height).data, width, height);
    const rendered = classes(await picture(url, width, height), width, height);
    // The same dial at night, through the date and time control.
    const d = new Date(nightMs);
    const when = document.getElementById('when');
    const pad = (n) => String(n).padStart(2, '0');
    when.value = `${d.getFullYear()}-${pad(d.getMonth() + 1)}-${pad(d.getDate())}T` +
      `${pad(d.getHours())}:${pad(d.getMinutes())}:${pad(d.getSeconds())}`;
    when.dispatchEvent(new Event('change'));
    await frame();
    await frame();
    const shownNight = classes(context.getImageData(0, 0, width, height).data, width, height);
    const renderedNight = classes(await picture(nightUrl, width, height), width, height);
    const brown = NAMES.indexOf('brown');
    return {
      shownFound: matched(shown, rendered, width, height),     // of the page's lit pixels
      renderedFound: matched(rendered, shown, width, height),  // of the picture's lit pixels
      shadowShown: boxOf(shown, shownNight, brown, width, height),
      shadowRendered: boxOf(rendered, renderedNight, brown, width, height),
    };
  }, pictureUrl, nightUrl, nightMs, reach);
}
