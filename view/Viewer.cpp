// Placeholder so the window can be built before the Viewer is; replaced by
// the real drawing code.
#include "Viewer.h"

namespace varkelon {

Viewer::Viewer(ViewerWindow& window, const Manager& manager, const Network& network,
               const NObject& plant)
    : window_(window), manager_(manager), network_(network), plant_(plant) {}

void Viewer::teachingReset() { fullRedraw = 1; }
void Viewer::refresh() {}
void Viewer::showNumbers() {}
QString Viewer::formatCell(float) { return {}; }
void Viewer::drawOutputGraph() {}
void Viewer::drawEstimationRunning() {}
void Viewer::drawEstimationSliding() {}
void Viewer::drawEstimationSegment(std::int32_t, float, float) {}
void Viewer::drawGraphFrame() {}
void Viewer::drawEstimationFrame(Canvas&) {}
Canvas& Viewer::paintBox2Canvas() { return paintBox2Canvas_; }
Canvas& Viewer::bitmapCanvas() { return bitmapCanvas_; }
void Viewer::clearBitmap() {}
void Viewer::setEnglishCaptions() {}
void Viewer::setRussianCaptions() {}
void Viewer::runningChosen() {}
void Viewer::slidingChosen() {}
void Viewer::pageClicked() {}
void Viewer::languageChosen(int) {}

}  // namespace varkelon
