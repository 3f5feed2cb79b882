#pragma once

#include <optional>

class QWidget;

namespace varkelon {

// The factor of --scale over the window's own size at 96 dots per inch,
// whatever the desktop's scale. The toolkit multiplies its global factor by
// each screen's own (from the desktop's dots per inch or its per-screen
// factors), so the screen's share is turned off and the global factor is the
// whole scale.
class WindowScale {
  public:
    // Sets the toolkit's environment for `factor`. Read once, when the
    // application object starts.
    static void apply(double factor);

    // The largest factor, in hundredths and no smaller than --scale allows,
    // at which `window`, made at `factor`, fits the free area of its screen;
    // empty when it fits at `factor`.
    static std::optional<double> lowered(double factor, const QWidget& window);
};

}  // namespace varkelon
