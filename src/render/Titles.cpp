#include "render/Titles.h"

namespace sundial {

std::string DialNameFromPath(const std::string& path) {
  // Windows accepts both separators, and no file name can hold either.
  const std::size_t slash = path.find_last_of("\\/");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t extension = name.find(".vqr");
  if (extension == std::string::npos) return std::string();
  name.resize(extension);
  return name;
}

std::string ClockLineText(const std::string& clockText, const std::string& equationText) {
  return clockText + " - EdT " + equationText;
}

void DrawClockLine(PaintContext& ctx) {
  if (!ctx.input.sunValid) return;
  const int w = ctx.frame.width;
  const int h = ctx.frame.height;
  const int m = w / 30;
  ctx.canvas.DrawText(ClockLineText(ctx.input.clockText, ctx.input.equationText),
                      IntRect{w - m - h / 6, h - h / 20, w - m, h}, kTextRight | kTextNoClip);
}

void DrawTitles(PaintContext& ctx) {
  Canvas& canvas = ctx.canvas;
  const int w = ctx.frame.width;
  const int h = ctx.frame.height;
  const ObjectHandle previousFont = ctx.fonts.Select(ctx.res.fontTitle);
  canvas.SetTextColor(colors::kTitleGrey);
  canvas.SetBackgroundColor(colors::kBlack);
  canvas.SetBackgroundMode(BackgroundMode::Opaque);
  const int m = w / 30;

  canvas.DrawText(kMakerAddress, IntRect{m, h - h / 20, m + w / 6, h}, kTextLeft | kTextNoClip);

  const std::string dialName = DialNameFromPath(ctx.input.dialFilePath);
  if (!dialName.empty()) {
    canvas.DrawText(dialName, IntRect{0, 0, w, (4 * h) / 200}, kTextCenter | kTextNoClip);
  }

  DrawClockLine(ctx);

  ctx.fonts.Restore(previousFont);
  canvas.SetBackgroundMode(BackgroundMode::Transparent);
}

}  // namespace sundial
