#include "ReadoutProbe.h"

#include <QLineEdit>
#include <QTimer>

#include "shell/MainWindow.h"
#include "view/Viewer.h"

namespace varkelon::test {

int visiblePage(const MainWindow& form) {
    return static_cast<int>(form.lesson().page());
}

ReadoutProbe::ReadoutProbe(const MainWindow& form, Viewer& viewer, Readouts iterationReadouts)
    : form_(form), viewer_(viewer), readouts_(iterationReadouts) {}

void ReadoutProbe::teachingReset() {
    viewer_.teachingReset();
    ++resets;
}

void ReadoutProbe::refresh() {
    viewer_.refresh();
    ++refreshes;
    const int page = visiblePage(form_);
    if (page < 0) {
        if (failure.isEmpty())
            failure = QStringLiteral("a refresh with no page on view");
        return;
    }
    // A quick tick writes its readouts after its tenth cycle.
    if (form_.lesson().quickMode() && form_.timer().isActive())
        return;
    const QString expected = QString::number(form_.model()->manager.iteration + 1);
    const QString shown = readouts_[page]->text();
    if (shown != expected && failure.isEmpty()) {
        failure = QStringLiteral("right after a refresh page %1 shows iteration %2, not %3")
                      .arg(page)
                      .arg(shown, expected);
    }
}

}  // namespace varkelon::test
