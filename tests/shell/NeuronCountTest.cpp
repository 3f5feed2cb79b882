// The neuron count from neuronCountBox's text and from the spinner neuronSpinner.
#include <algorithm>

#include <QLineEdit>
#include <QToolButton>

#include "ShellTestSupport.h"
#include "shell/UpDown.h"

namespace varkelon::test {

namespace {

// Types into neuronCountBox as the user does, then moves the focus elsewhere.
void typeCount(ShownForm& shown, const QString& text) {
    auto* memo = shown.control<QLineEdit>("Memo2");
    memo->setFocus();
    memo->selectAll();
    QTest::keyClick(memo, Qt::Key_Delete);
    QTest::keyClicks(memo, text);
    QCOMPARE(memo->text(), text);
}

QToolButton* arrow(ShownForm& shown, Qt::ArrowType type) {
    for (QToolButton* button : shown.control<UpDown>("UpDown1")->findChildren<QToolButton*>())
        if (button->arrowType() == type)
            return button;
    qFatal("no arrow");
}

}  // namespace

class NeuronCountTest : public QObject {
    Q_OBJECT

  private slots:
    void memoTextBecomesTheCount_data();
    void memoTextBecomesTheCount();
    void typedCountAppliesBeforeTheCommand();
    void arrowKeysMoveTheSpinner();
    void spinnerStopsAtItsLimits();
};

void NeuronCountTest::memoTextBecomesTheCount_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("5") << "5" << 5;
    QTest::newRow("10") << "10" << 10;
    QTest::newRow("12") << "12" << 10;
    QTest::newRow("0") << "0" << 1;
    QTest::newRow("-3") << "-3" << 1;
    QTest::newRow("abc") << "abc" << 1;
    QTest::newRow("empty") << "" << 1;
    QTest::newRow("7x") << "7x" << 7;
    QTest::newRow("  4") << "  4" << 4;
    QTest::newRow("+6") << "+6" << 6;
    // Only the first five characters are read.
    QTest::newRow("123456") << "123456" << 10;
    QTest::newRow("0000089") << "0000089" << 1;
    QTest::newRow("    3 and more") << "    3 and more" << 3;
}

void NeuronCountTest::memoTextBecomesTheCount() {
    QFETCH(QString, text);
    QFETCH(int, count);
    ShownForm shown;
    typeCount(shown, text);
    QCOMPARE(shown.network().hiddenCount, 7);
    shown.control<QWidget>("RadioButton1")->setFocus();
    QCOMPARE(shown.control<QLineEdit>("Memo2")->text(), QString::number(count));
    QCOMPARE(shown.network().hiddenCount, count);
    // The spinner goes on from the count shown.
    QTest::mouseClick(arrow(shown, Qt::UpArrow), Qt::LeftButton);
    QCOMPARE(shown.network().hiddenCount, std::min(count + 1, 10));
}

void NeuronCountTest::typedCountAppliesBeforeTheCommand() {
    ShownForm shown;
    QTest::mouseClick(shown.control<QWidget>("Button3"), Qt::LeftButton);
    typeCount(shown, QStringLiteral("3"));
    // Pressing Step takes the focus from neuronCountBox before the click runs the step.
    QTest::mouseClick(shown.control<QWidget>("Button3"), Qt::LeftButton);
    QCOMPARE(shown.network().hiddenCount, 3);
    QCOMPARE(shown.manager().iteration, 2);
    // The rebuilt network keeps the count the box shows: typed with Enter
    // after Stop, or spun.
    QTest::mouseClick(shown.control<QWidget>("Button4"), Qt::LeftButton);
    typeCount(shown, QStringLiteral("4"));
    QTest::keyClick(shown.control<QWidget>("Memo2"), Qt::Key_Return);
    QCOMPARE(shown.manager().iteration, 0);
    QCOMPARE(shown.network().hiddenCount, 4);
    QTest::mouseClick(shown.control<QWidget>("Button4"), Qt::LeftButton);
    QTest::mouseClick(arrow(shown, Qt::UpArrow), Qt::LeftButton);
    QTest::mouseClick(shown.control<QWidget>("Button3"), Qt::LeftButton);
    QCOMPARE(shown.manager().iteration, 1);
    QCOMPARE(shown.network().hiddenCount, 5);
    QCOMPARE(shown.control<QLineEdit>("Memo2")->text(), QStringLiteral("5"));
    QCOMPARE(shown.control<UpDown>("UpDown1")->position(), 5);
}

void NeuronCountTest::arrowKeysMoveTheSpinner() {
    ShownForm shown;
    auto* memo = shown.control<QLineEdit>("Memo2");
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Up);
    QTest::keyClick(memo, Qt::Key_Up);
    QTest::keyClick(memo, Qt::Key_Down);
    QCOMPARE(memo->text(), QStringLiteral("8"));
    QCOMPARE(shown.control<UpDown>("UpDown1")->position(), 8);
    // The count reaches the network only when the memo loses the focus.
    QCOMPARE(shown.network().hiddenCount, 7);
    shown.control<QWidget>("RadioButton1")->setFocus();
    QCOMPARE(shown.network().hiddenCount, 8);
}

void NeuronCountTest::spinnerStopsAtItsLimits() {
    ShownForm shown;
    auto* memo = shown.control<QLineEdit>("Memo2");
    for (int click = 0; click < 5; ++click)
        QTest::mouseClick(arrow(shown, Qt::UpArrow), Qt::LeftButton);
    QCOMPARE(memo->text(), QStringLiteral("10"));
    QCOMPARE(shown.network().hiddenCount, 10);
    // At the limit a release stores the limit again, without wrapping.
    shown.network().hiddenCount = 4;
    QTest::mouseClick(arrow(shown, Qt::UpArrow), Qt::LeftButton);
    QCOMPARE(memo->text(), QStringLiteral("10"));
    QCOMPARE(shown.network().hiddenCount, 10);
    for (int click = 0; click < 12; ++click)
        QTest::mouseClick(arrow(shown, Qt::DownArrow), Qt::LeftButton);
    QCOMPARE(memo->text(), QStringLiteral("1"));
    QCOMPARE(shown.network().hiddenCount, 1);
    shown.network().hiddenCount = 4;
    QTest::mouseClick(arrow(shown, Qt::DownArrow), Qt::LeftButton);
    QCOMPARE(shown.network().hiddenCount, 1);
}

int runNeuronCountTests(int argc, char** argv) {
    NeuronCountTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace varkelon::test

#include "NeuronCountTest.moc"
