// What assistive technology reads of the lamp: the mode in words after each
// command. The other names, and the announcement of the lamp's changes (the
// offscreen platform passes on no events), are checked end to end through
// AT-SPI (tests/e2e/check-accessibility.py).
#include <utility>

#include <QAccessible>
#include <QTimer>

#include "ShellTestSupport.h"

namespace varkelon::test {

namespace {

QString accessibleName(QWidget* control) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

  private slots:
    void lampSaysTheMode();
};

void AccessibilityTest::lampSaysTheMode() {
    ShownForm shown;
    shown.form.timer().setInterval(3600000);
    QWidget* lamp = shown.control<QWidget>("Memo1");
    QCOMPARE(accessibleName(lamp), QStringLiteral("Stopped"));
    // Every command from a mode with other words.
    const std::pair<void (MainWindow::*)(), const char*> commands[] = {
        {&MainWindow::teachOneStep, "Step"},
        {&MainWindow::startQuickTeaching, "Quick"},
        {&MainWindow::startContinuousTeaching, "Continuous"},
        {&MainWindow::stopTeaching, "Stopped"},
        {&MainWindow::startQuickTeaching, "Quick"},
        {&MainWindow::teachOneStep, "Step"},
    };
    for (const auto& [command, words] : commands) {
        (shown.form.*command)();
        QCOMPARE(accessibleName(lamp), QString::fromLatin1(words));
    }
}

int runAccessibilityTests(int argc, char** argv) {
    AccessibilityTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace varkelon::test

#include "AccessibilityTest.moc"
