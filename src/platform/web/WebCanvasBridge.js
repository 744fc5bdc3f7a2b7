// The page's side of WebCanvas: each function draws on the 2D context that the page keeps as
// Module.sundialSurfaces[surface]. Colours come as 0xRRGGBB; a vertex of a path as three floats
// (0 move or 1 line, x, y).
mergeInto(LibraryManager.library, {
  $SundialBridge: {
    colours: {},
    metrics: {},
    colour: function (rgb) {
      let css = SundialBridge.colours[rgb];
      if (css === undefined) {
        css = '#' + rgb.toString(16).padStart(6, '0');
        SundialBridge.colours[rgb] = css;
      }
      return css;
    },
    // "Arial", or a font of its metrics; the zodiac signs from DejaVu Sans as on the desktop, the
    // bell from Symbola, else whatever font the system has for them.
    font: function (em, symbol) {
      return em + 'px ' + (symbol
        ? '"DejaVu Sans", Symbola, "Segoe UI Symbol", "Apple Symbols", sans-serif'
        : 'Arial, "Liberation Sans", Arimo, Helvetica, sans-serif');
    },
    setFont: function (ctx, font) {
      if (ctx.sundialFont !== font) {
        ctx.font = font;
        ctx.sundialFont = font;
      }
    },
    // The ascent and descent of a font: a line of text is their sum high, its baseline the
    // ascent below its top.
    lineMetrics: function (ctx, font, em) {
      let m = SundialBridge.metrics[font];
      if (m === undefined) {
        const t = ctx.measureText('Hg');
        m = t.fontBoundingBoxAscent !== undefined
          ? { ascent: t.fontBoundingBoxAscent, descent: t.fontBoundingBoxDescent }
          : { ascent: 0.905 * em, descent: 0.212 * em };
        SundialBridge.metrics[font] = m;
      }
      return m;
    },
  },

  sundial_web_begin__deps: ['$SundialBridge'],
  sundial_web_begin: function (surface) {
    Module.sundialSurfaces[surface].save();
  },
  sundial_web_end: function (surface) {
    const ctx = Module.sundialSurfaces[surface];
    ctx.restore();
    ctx.sundialFont = undefined;
  },

  sundial_web_size: function (surface, width, height) {
    const canvas = Module.sundialSurfaces[surface].canvas;
    if (canvas.width !== width) canvas.width = width;
    if (canvas.height !== height) canvas.height = height;
    Module.sundialSurfaces[surface].sundialFont = undefined;
  },

  sundial_web_copy: function (from, to) {
    Module.sundialSurfaces[to].drawImage(Module.sundialSurfaces[from].canvas, 0, 0);
  },

  sundial_web_fill_rect__deps: ['$SundialBridge'],
  sundial_web_fill_rect: function (surface, x, y, w, h, rgb) {
    const ctx = Module.sundialSurfaces[surface];
    ctx.fillStyle = SundialBridge.colour(rgb);
    ctx.fillRect(x, y, w, h);
  },

  sundial_web_stroke__deps: ['$SundialBridge'],
  sundial_web_stroke: function (surface, path, count, width, round, rgb, dashOn, dashOff,
                                dashOffset) {
    const ctx = Module.sundialSurfaces[surface];
    const f = HEAPF32;
    let i = path >> 2;
    ctx.beginPath();
    for (let n = 0; n < count; ++n, i += 3) {
      if (f[i] === 0) {
        ctx.moveTo(f[i + 1], f[i + 2]);
      } else {
        ctx.lineTo(f[i + 1], f[i + 2]);
      }
    }
    ctx.lineWidth = width;
    ctx.lineCap = round ? 'round' : 'butt';
    ctx.lineJoin = round ? 'round' : 'miter';
    if (dashOn > 0) {
      ctx.setLineDash([dashOn, dashOff]);
      ctx.lineDashOffset = dashOffset;
    }
    ctx.strokeStyle = SundialBridge.colour(rgb);
    ctx.stroke();
    if (dashOn > 0) ctx.setLineDash([]);
  },

  sundial_web_ellipse__deps: ['$SundialBridge'],
  sundial_web_ellipse: function (surface, cx, cy, rx, ry, fillRgb, width, strokeRgb, dashed) {
    const ctx = Module.sundialSurfaces[surface];
    ctx.beginPath();
    ctx.ellipse(cx, cy, rx, ry, 0, 0, 2 * Math.PI);
    ctx.fillStyle = SundialBridge.colour(fillRgb);
    ctx.fill();
    ctx.lineWidth = width;
    if (dashed) ctx.setLineDash([18, 6]);
    ctx.strokeStyle = SundialBridge.colour(strokeRgb);
    ctx.stroke();
    if (dashed) ctx.setLineDash([]);
  },

  // The text's lines are aligned on the widest, and that block on the rectangle; its box is the
  // block, whole pixels wide, as many lines high as it has.
  sundial_web_text__deps: ['$SundialBridge'],
  sundial_web_text: function (surface, textPtr, em, symbol, left, top, right, align, textRgb,
                              backgroundRgb, opaque, mode, box) {
    const ctx = Module.sundialSurfaces[surface];
    const font = SundialBridge.font(em, symbol);
    SundialBridge.setFont(ctx, font);
    const m = SundialBridge.lineMetrics(ctx, font, em);
    const lines = UTF8ToString(textPtr).split('\n');
    const widths = lines.map((line) => ctx.measureText(line).width);
    const width = Math.ceil(Math.max.apply(null, widths));
    const lineHeight = m.ascent + m.descent;
    const height = Math.ceil(lines.length * lineHeight);
    const x = align === 1 ? left + Math.trunc((right - left - width) / 2)
      : align === 2 ? right - width : left;
    HEAP32[box >> 2] = x;
    HEAP32[(box >> 2) + 1] = top;
    HEAP32[(box >> 2) + 2] = x + width;
    HEAP32[(box >> 2) + 3] = top + height;
    if (mode === 1) {
      ctx.clearRect(x, top, width, height);
      return;
    }
    if (opaque) {
      ctx.fillStyle = SundialBridge.colour(backgroundRgb);
      ctx.fillRect(x, top, width, height);
    }
    ctx.fillStyle = SundialBridge.colour(textRgb);
    ctx.textBaseline = 'alphabetic';
    ctx.textAlign = 'left';
    for (let i = 0; i < lines.length; ++i) {
      const shift = align === 1 ? (width - widths[i]) / 2 : align === 2 ? width - widths[i] : 0;
      ctx.fillText(lines[i], x + shift, top + i * lineHeight + m.ascent);
    }
  },

  sundial_web_clip: function (surface, left, top, right, bottom) {
    const ctx = Module.sundialSurfaces[surface];
    ctx.save();
    ctx.beginPath();
    ctx.rect(left, top, right - left, bottom - top);
    ctx.clip();
  },
  sundial_web_clear_clip: function (surface) {
    const ctx = Module.sundialSurfaces[surface];
    ctx.restore();
    ctx.sundialFont = undefined;  // the restore may have put another font back
  },
});
