#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <string_view>

namespace varkelon {

// The three pages of the main window's tab control.
enum class Page { Graph, Estimation, Table };
// The three read-only fields every page carries.
enum class Readout { Iteration, Estimation, Noise };

// The narrow part of the main window that the Viewer reads and writes. The
// real window implements it with widgets; tests implement it with plain
// images and strings.
class ViewerWindow {
  public:
    virtual ~ViewerWindow() = default;

    // Asks the tab sheet itself whether it is the one on view.
    virtual bool isPageVisible(Page page) const = 0;
    // runningButton ("Running") and slidingButton ("Sliding"), read live.
    virtual bool isRunningChecked() const = 0;
    virtual bool isSlidingChecked() const = 0;

    // The image a paint box shows (Graph: graphBox, Estimation: historyBox),
    // 374 x 246 in the window's layout. The Viewer draws on it.
    virtual QImage& paintBoxImage(Page page) = 0;
    // The paint box's left position within its panel (0 in the layout).
    virtual int paintBoxLeft(Page page) const = 0;
    // Shows the paint box's image on screen at once (synchronous repaint).
    virtual void repaintPaintBox(Page page) = 0;
    // The Viewer has drawn on the paint box's image: show it at the next
    // paint (an asynchronous update, so ten cycles of a tick paint once).
    virtual void paintBoxChanged(Page /*page*/) {}
    // The window's off-screen bitmap, graphBox's size.
    virtual QImage& offscreenBitmap() = 0;
    // The colour a cleared paint box shows: the panels' window colour.
    virtual QColor windowColour() const = 0;

    virtual void setReadout(Page page, Readout readout, const QString& text) = 0;
    // channelTable's cell; row 0 holds the column titles.
    virtual void setTableCell(int column, int row, const QString& text) = 0;
    // Caption of the control with this form name ("Form1" is the window's
    // own title, "TabSheet1" a tab's text, "Label4" a label, ...).
    virtual void setCaption(std::string_view controlName, const QString& text) = 0;
};

}  // namespace varkelon
