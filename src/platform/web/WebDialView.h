// WebDialView: the dial window of the web page. It owns one dial window (CDialWnd), loads a dial
// file from the page's file system, and shows the dial at any moment on the page's canvas.
//
// What a tick costs: the face (the whole picture but the shadow, with its clock line left
// transparent) is kept on a second canvas of the page and painted again only when the size, the
// dial or the clock line's box changes. Each tick draws the clock line, the face over it (the
// face's lines cross the titles, as a whole paint lays them), and the shadow last: the picture
// a whole paint draws.
#pragma once

#include <memory>
#include <string>

#include "render/FineLightCache.h"
#include "window/CDialWnd.h"
#include "window/LocalClock.h"
#include "platform/web/WebCanvas.h"

namespace sundial::web {

// The page's canvases, by the number its script keeps their 2D contexts under.
inline constexpr int kScreenSurface = 0;
inline constexpr int kFaceSurface = 1;

class WebDialView {
 public:
  WebDialView();

  // Loads the dial file at `path` in the page's file system (empty: the built-in dial), as the
  // saver's first paint does; a file that cannot be read gives the built-in dial.
  DialLoadState Open(const std::string& path);
  // One line on how the last Open went, in the words of `sundial info` ("" for a good file or
  // the built-in dial).
  const std::string& LoadMessage() const { return loadMessage_; }
  // The dial's name, as the picture's title gives it.
  std::string Title() const;

  // Ticks the dial window with `reading` and shows the picture on the screen canvas, of
  // width x height device pixels.
  void Show(const LocalClockReading& reading, int width, int height);
  // The clock line of the last tick ("" before the first).
  const std::string& ClockLine() const { return clockLine_; }

 private:
  class QuietHost final : public DialWndHost {
   public:
    void Invalidate() override {}
  };
  class ConsoleReporter final : public MessageReporter {
   public:
    void ShowMessage(const std::string& text) override;
  };

  PaintInput Input(bool withShadow);
  void PaintFace(const PaintInput& input, int width, int height);

  std::string dialFilePath_;
  FixedLocalClock clock_{LocalClockReading{}};
  QuietHost host_;
  ConsoleReporter reporter_;
  std::unique_ptr<CDialWnd> window_;
  FineLightCache fineLight_;
  std::string loadMessage_;
  std::string clockLine_;

  // The face kept on the face canvas: its size, and where and how its clock line lies.
  bool faceKept_ = false;
  int faceWidth_ = 0;
  int faceHeight_ = 0;
  WatchedText faceClockLine_;
};

}  // namespace sundial::web
