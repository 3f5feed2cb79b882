#pragma once

class QWidget;

namespace varkelon {

// Moves a window that is about to be shown so that its client area sits in
// the middle of its screen's available area. Qt's own placement of a dialog
// guesses the size of a frame the window manager has not drawn yet.
void centreOnScreen(QWidget& window);

}  // namespace varkelon
