#include "render/PlaneMapping.h"

#include <algorithm>
#include <cmath>

namespace sundial {

PlateFit FitPlate(const DialModel& model, int width, int height) {
  const double w = width;
  const double h = height;
  const double dx = model.plateXMax - model.plateXMin;
  const double dy = model.plateYMax - model.plateYMin;
  PlateFit fit;
  double offsetX = 0;
  double offsetY = 0;
  if (h / w > dy / dx) {
    fit.scale = w / dx;
    offsetY = std::trunc((h - dy * fit.scale) / 2);
  } else {
    fit.scale = h / dy;
    offsetX = std::trunc((w - dx * fit.scale) / 2);
  }
  if (model.dialType == 13 || model.dialType == 14) {
    fit.scale *= 0.9;
    offsetY = std::trunc(0.05 * h);
  }
  // A plate without extent (or with reversed limits) has no sensible fit: draw it at one pixel
  // per unit from the corner rather than with an infinite or negative scale.
  if (!std::isfinite(fit.scale) || fit.scale <= 0 || !std::isfinite(offsetX) ||
      !std::isfinite(offsetY) || std::fabs(offsetX) > kDeviceLimit ||
      std::fabs(offsetY) > kDeviceLimit) {
    return PlateFit{};
  }
  fit.originX = static_cast<int>(offsetX);
  fit.originY = static_cast<int>(offsetY);
  return fit;
}

namespace {

int ToDevice(double offset, int origin) {
  if (!std::isfinite(offset)) return origin;
  offset = std::clamp(std::trunc(offset), -kDeviceLimit, kDeviceLimit);
  return origin + static_cast<int>(offset);
}

}  // namespace

int PlaneToDeviceX(double x, const DialModel& model, int originX, int /*originY*/, double scale) {
  return ToDevice((x - model.plateXMin) * scale, originX);
}

int PlaneToDeviceY(double y, const DialModel& model, int /*originX*/, int originY, double scale) {
  return ToDevice((y - model.plateYMin) * scale, originY);
}

DeviceFrame DeviceFrame::For(const DialModel& model, int width, int height) {
  const PlateFit fit = FitPlate(model, width, height);
  DeviceFrame f;
  f.width = width;
  f.height = height;
  f.scale = fit.scale;
  f.originX = fit.originX;
  f.originY = fit.originY;
  f.plateXMin = model.plateXMin;
  f.plateYMin = model.plateYMin;
  f.lineUnitX = width / 300;
  f.lineUnitY = height / 300;
  f.plateRect = IntRect{f.ClampedX(model.plateXMin), f.ClampedY(model.plateYMin),
                        f.ClampedX(model.plateXMax), f.ClampedY(model.plateYMax)};
  return f;
}

bool DeviceFrame::Map(double x, double y, int& px, int& py) const {
  const double ox = OffsetX(x);
  const double oy = OffsetY(y);
  if (!std::isfinite(ox) || !std::isfinite(oy) || std::fabs(ox) > kDeviceLimit ||
      std::fabs(oy) > kDeviceLimit) {
    return false;
  }
  px = originX + static_cast<int>(std::trunc(ox));
  py = originY + static_cast<int>(std::trunc(oy));
  return true;
}

int DeviceFrame::ClampedX(double x) const {
  const double o = OffsetX(x);
  if (std::isnan(o)) return originX;
  return originX + static_cast<int>(std::trunc(std::clamp(o, -kDeviceLimit, kDeviceLimit)));
}

int DeviceFrame::ClampedY(double y) const {
  const double o = OffsetY(y);
  if (std::isnan(o)) return originY;
  return originY + static_cast<int>(std::trunc(std::clamp(o, -kDeviceLimit, kDeviceLimit)));
}

void DevicePen::MoveTo(double x, double y) {
  const double ox = frame_.OffsetX(x);
  const double oy = frame_.OffsetY(y);
  if (!std::isfinite(ox) || !std::isfinite(oy)) {
    haveCurrent_ = false;
    canvasAtCurrent_ = false;
    return;
  }
  curX_ = ox;
  curY_ = oy;
  haveCurrent_ = true;
  canvasAtCurrent_ = std::fabs(ox) <= kDeviceLimit && std::fabs(oy) <= kDeviceLimit;
  if (canvasAtCurrent_) {
    canvas_.MoveTo(frame_.originX + static_cast<int>(std::trunc(ox)),
                   frame_.originY + static_cast<int>(std::trunc(oy)));
  }
}

void DevicePen::LineTo(double x, double y) {
  const double ox = frame_.OffsetX(x);
  const double oy = frame_.OffsetY(y);
  if (!std::isfinite(ox) || !std::isfinite(oy)) {
    haveCurrent_ = false;
    canvasAtCurrent_ = false;
    return;
  }
  if (!haveCurrent_) {
    MoveTo(x, y);
    return;
  }
  // Liang-Barsky: the part of the segment from the current point to (ox, oy) that lies in the
  // square of +-kDeviceLimit, as parameters t0 <= t1 along the segment.
  const double dx = ox - curX_;
  const double dy = oy - curY_;
  double t0 = 0;
  double t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {curX_ + kDeviceLimit, kDeviceLimit - curX_, curY_ + kDeviceLimit,
                       kDeviceLimit - curY_};
  bool visible = true;
  for (int i = 0; i < 4 && visible; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) visible = false;
    } else {
      const double t = q[i] / p[i];
      if (p[i] < 0) {
        t0 = std::max(t0, t);
      } else {
        t1 = std::min(t1, t);
      }
      if (t0 > t1) visible = false;
    }
  }
  const bool startsAtCurrent = canvasAtCurrent_ && t0 == 0;
  if (visible) {
    auto clampTrunc = [](double v) {
      return static_cast<int>(std::trunc(std::clamp(v, -kDeviceLimit, kDeviceLimit)));
    };
    if (!startsAtCurrent) {
      canvas_.MoveTo(frame_.originX + clampTrunc(curX_ + t0 * dx),
                     frame_.originY + clampTrunc(curY_ + t0 * dy));
    }
    const double ex = t1 >= 1 ? ox : curX_ + t1 * dx;
    const double ey = t1 >= 1 ? oy : curY_ + t1 * dy;
    canvas_.LineTo(frame_.originX + clampTrunc(ex), frame_.originY + clampTrunc(ey));
  }
  canvasAtCurrent_ = visible && t1 >= 1;
  curX_ = ox;
  curY_ = oy;
}

}  // namespace sundial
