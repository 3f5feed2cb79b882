// The teaching commands: every transition of the mode table, the rebuilds,
// and the timer's pace and cycles per tick.
#include <QBindable>
#include <QPropertyNotifier>
#include <QScrollBar>
#include <QTimer>

#include "ShellTestSupport.h"

namespace varkelon::test {

namespace {

enum class Mode { Start, Stopped, Step, Continuous, Quick };
enum class Command { Stop, Step, Scroll, Quickly };

// Gives the scroll bar the focus with a click, as the user starts it.
void enterScrollBar(ShownForm& shown) {
    auto* speed = shown.control<QScrollBar>("ScrollBar1");
    if (speed->hasFocus())
        shown.control<QWidget>("RadioButton1")->setFocus();
    // On the thumb at the right end: the click moves nothing.
    QTest::mouseClick(speed, Qt::LeftButton, {}, QPoint(speed->width() - 20, speed->height() / 2));
    QVERIFY(speed->hasFocus());
}

void run(ShownForm& shown, Command command) {
    switch (command) {
        case Command::Stop:
            QTest::mouseClick(shown.control<QWidget>("Button4"), Qt::LeftButton);
            break;
        case Command::Step:
            QTest::mouseClick(shown.control<QWidget>("Button3"), Qt::LeftButton);
            break;
        case Command::Scroll:
            enterScrollBar(shown);
            break;
        case Command::Quickly:
            QTest::mouseClick(shown.control<QWidget>("Button1"), Qt::LeftButton);
            break;
    }
}

void enter(ShownForm& shown, Mode mode) {
    switch (mode) {
        case Mode::Start:
            break;
        case Mode::Stopped:
            run(shown, Command::Step);
            run(shown, Command::Stop);
            break;
        case Mode::Step:
            run(shown, Command::Step);
            break;
        case Mode::Continuous:
            run(shown, Command::Scroll);
            break;
        case Mode::Quick:
            run(shown, Command::Quickly);
            break;
    }
}

// Collects every interval teachingTimer is given.
struct IntervalLog {
    explicit IntervalLog(QTimer& timer)
        : notifier(timer.bindableInterval().addNotifier(
              [this, &timer] { values.append(timer.interval()); })) {}
    QList<int> values;
    QPropertyNotifier notifier;
};

constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kGreen = qRgb(0, 255, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kYellow = qRgb(255, 255, 0);

}  // namespace

class CommandTest : public QObject {
    Q_OBJECT

  private slots:
    void modeTransitions_data();
    void modeTransitions();
    void stepDuringQuickTeachingStopsTheTimer();
    void tickPaceAndCycles();
    void scrollBarStepsAndPace();
    void unchangedSettingsLeaveThePeriodAlone();
    void ticksThroughTheTimer();
    void exitClosesAndTeachesNoMore();
};

void CommandTest::modeTransitions_data() {
    QTest::addColumn<Mode>("from");
    QTest::addColumn<Command>("command");
    QTest::addColumn<QRgb>("lamp");
    QTest::addColumn<bool>("timerOn");
    QTest::addColumn<int>("quickMode");
    // The iteration and hiddenCount (3 just before the command) afterwards: a
    // rebuild brings iteration 0 and 7 neurons, a Step one more cycle.
    QTest::addColumn<int>("iteration");
    QTest::addColumn<int>("hiddenCount");

    const auto row = [](const char* tag, Mode from, Command command, QRgb lamp, bool timerOn,
                        int quickMode, int iteration, int hiddenCount) {
        QTest::newRow(tag) << from << command << lamp << timerOn << quickMode << iteration
                           << hiddenCount;
    };
    // clang-format off
    // tag, from, command; lamp, timer on, quickMode, iteration, hiddenCount
    row("start, Stop",             Mode::Start,      Command::Stop,     kRed,    false, 0, 0, 3);
    row("start, Step",             Mode::Start,      Command::Step,     kBlue,   false, 0, 1, 7);
    row("start, scroll bar",       Mode::Start,      Command::Scroll,   kYellow, true,  0, 0, 7);
    row("start, Quickly",          Mode::Start,      Command::Quickly,  kGreen,  true,  1, 0, 7);
    row("stopped, Stop",           Mode::Stopped,    Command::Stop,     kRed,    false, 0, 1, 3);
    row("stopped, Step",           Mode::Stopped,    Command::Step,     kBlue,   false, 0, 1, 7);
    row("stopped, scroll bar",     Mode::Stopped,    Command::Scroll,   kYellow, true,  0, 0, 7);
    row("stopped, Quickly",        Mode::Stopped,    Command::Quickly,  kGreen,  true,  1, 0, 7);
    row("step, Stop",              Mode::Step,       Command::Stop,     kRed,    false, 0, 1, 3);
    row("step, Step",              Mode::Step,       Command::Step,     kBlue,   false, 0, 2, 3);
    row("step, scroll bar",        Mode::Step,       Command::Scroll,   kYellow, true,  0, 1, 3);
    row("step, Quickly",           Mode::Step,       Command::Quickly,  kGreen,  true,  1, 1, 3);
    row("continuous, Stop",        Mode::Continuous, Command::Stop,     kRed,    false, 0, 0, 3);
    row("continuous, Step",        Mode::Continuous, Command::Step,     kBlue,   false, 0, 1, 3);
    row("continuous, scroll bar",  Mode::Continuous, Command::Scroll,   kYellow, true,  0, 0, 3);
    row("continuous, Quickly",     Mode::Continuous, Command::Quickly,  kGreen,  true,  1, 0, 3);
    row("quick, Stop",             Mode::Quick,      Command::Stop,     kRed,    false, 1, 0, 3);
    row("quick, Step",             Mode::Quick,      Command::Step,     kBlue,   false, 1, 1, 3);
    row("quick, scroll bar",       Mode::Quick,      Command::Scroll,   kYellow, true,  0, 0, 3);
    row("quick, Quickly",          Mode::Quick,      Command::Quickly,  kGreen,  true,  1, 0, 3);
    // clang-format on
}

void CommandTest::modeTransitions() {
    QFETCH(Mode, from);
    QFETCH(Command, command);
    QFETCH(QRgb, lamp);
    QFETCH(bool, timerOn);
    QFETCH(int, quickMode);
    QFETCH(int, iteration);
    QFETCH(int, hiddenCount);
    ShownForm shown;
    // Commands only: no tick may come while the test runs.
    shown.form.timer().setInterval(3600000);
    enter(shown, from);
    shown.network().hiddenCount = 3;
    run(shown, command);
    QCOMPARE(shown.form.lampColour(), QColor(lamp));
    QCOMPARE(shown.form.timer().isActive(), timerOn);
    QCOMPARE(shown.form.lesson().quickMode(), quickMode);
    QCOMPARE(shown.manager().iteration, iteration);
    QCOMPARE(shown.network().hiddenCount, hiddenCount);
}

void CommandTest::stepDuringQuickTeachingStopsTheTimer() {
    ShownForm shown;
    run(shown, Command::Quickly);
    shown.form.teachOnTick();
    QCOMPARE(shown.manager().iteration, 10);
    // Keeps the timer on, but too slow to tick before Step.
    shown.form.timer().setInterval(3600000);
    run(shown, Command::Step);
    QCOMPARE(shown.manager().iteration, 11);
    QVERIFY(!shown.form.timer().isActive());
    QCOMPARE(shown.form.lesson().quickMode(), 1);
}

// The ticks are called here one by one, with the timer itself stopped.
void CommandTest::tickPaceAndCycles() {
    ShownForm shown;
    QTimer& timer = shown.form.timer();
    auto* speed = shown.control<QScrollBar>("ScrollBar1");
    timer.setInterval(3600000);
    run(shown, Command::Scroll);
    timer.stop();
    IntervalLog log(timer);

    // Thumb at 2000: 2050 - 2000 = 50 ms, one cycle per tick.
    shown.form.teachOnTick();
    QCOMPARE(shown.manager().iteration, 1);
    QCOMPARE(log.values, QList<int>{50});
    // Unchanged thumb: the interval is left alone.
    shown.form.teachOnTick();
    QCOMPARE(shown.manager().iteration, 2);
    QCOMPARE(log.values, QList<int>{50});
    speed->setValue(50);
    shown.form.teachOnTick();
    QCOMPARE(log.values, (QList<int>{50, 2000}));
    speed->setValue(1000);
    shown.form.teachOnTick();
    QCOMPARE(log.values, (QList<int>{50, 2000, 1050}));
    QCOMPARE(shown.manager().iteration, 4);

    // Quick mode starts at the quick pace; then ten cycles a tick, the
    // interval to 2050 - position, then 30 ms.
    shown.form.startQuickTeaching();
    timer.stop();
    QCOMPARE(log.values, (QList<int>{50, 2000, 1050, 30}));
    shown.form.teachOnTick();
    QCOMPARE(shown.manager().iteration, 14);
    QCOMPARE(log.values, (QList<int>{50, 2000, 1050, 30, 1050, 30}));
    shown.form.teachOnTick();
    QCOMPARE(shown.manager().iteration, 24);
    QCOMPARE(log.values, (QList<int>{50, 2000, 1050, 30, 1050, 30, 1050, 30}));
    QCOMPARE(timer.interval(), 30);
    // Back to normal pace: the next tick sets the thumb's interval again.
    shown.form.startContinuousTeaching();
    timer.stop();
    shown.form.teachOnTick();
    QCOMPARE(shown.manager().iteration, 25);
    QCOMPARE(timer.interval(), 1050);
}

void CommandTest::scrollBarStepsAndPace() {
    ShownForm shown;
    auto* speed = shown.control<QScrollBar>("ScrollBar1");
    // The left arrow: 400 slower; the groove left of the thumb: 1 slower.
    QTest::mouseClick(speed, Qt::LeftButton, {}, QPoint(3, speed->height() / 2));
    QCOMPARE(speed->value(), 1600);
    QCOMPARE(shown.form.lampColour(), QColor(kYellow));
    QTest::mouseClick(speed, Qt::LeftButton, {}, QPoint(20, speed->height() / 2));
    QCOMPARE(speed->value(), 1599);
    QTest::mouseClick(speed, Qt::LeftButton, {}, QPoint(speed->width() - 3, speed->height() / 2));
    QCOMPARE(speed->value(), 1999);
    shown.form.teachOnTick();
    QCOMPARE(shown.form.timer().interval(), 51);
    for (int click = 0; click < 6; ++click)
        QTest::mouseClick(speed, Qt::LeftButton, {}, QPoint(3, speed->height() / 2));
    QCOMPARE(speed->value(), 50);
    shown.form.teachOnTick();
    QCOMPARE(shown.form.timer().interval(), 2000);
}

// A restarted period would begin again at its full length; one left alone
// goes on running down. Nothing here depends on how fast the machine is.
void CommandTest::unchangedSettingsLeaveThePeriodAlone() {
    ShownForm shown;
    QTimer& timer = shown.form.timer();
    run(shown, Command::Scroll);
    shown.control<QScrollBar>("ScrollBar1")->setValue(50);
    shown.form.teachOnTick();
    QCOMPARE(timer.interval(), 2000);
    QTRY_VERIFY_WITH_TIMEOUT(timer.remainingTime() < 1990, 30000);
    shown.form.teachOnTick();
    QVERIFY(timer.remainingTime() < 1995);
    // Switching on a timer that is on already does not restart it either.
    shown.form.startContinuousTeaching();
    QVERIFY(timer.remainingTime() < 1995);
    shown.form.startQuickTeaching();
    QVERIFY(timer.remainingTime() < 1995);
    QCOMPARE(shown.manager().iteration, 2);
}

void CommandTest::ticksThroughTheTimer() {
    ShownForm shown;
    run(shown, Command::Scroll);
    QTRY_VERIFY_WITH_TIMEOUT(shown.manager().iteration >= 3, 30000);
    QCOMPARE(shown.form.timer().interval(), 50);
    run(shown, Command::Quickly);
    const int atQuickly = shown.manager().iteration;
    QTRY_VERIFY_WITH_TIMEOUT(shown.manager().iteration >= atQuickly + 20, 30000);
    // Ticks come whole: ten cycles each.
    run(shown, Command::Stop);
    QCOMPARE((shown.manager().iteration - atQuickly) % 10, 0);
    QCOMPARE(shown.form.timer().interval(), 30);
}

void CommandTest::exitClosesAndTeachesNoMore() {
    ShownForm shown;
    run(shown, Command::Quickly);
    QTest::mouseClick(shown.control<QWidget>("Button2"), Qt::LeftButton);
    QVERIFY(!shown.form.isVisible());
    QVERIFY(shown.form.model() == nullptr);
    QVERIFY(shown.form.viewer() == nullptr);
    QVERIFY(!shown.form.timer().isActive());
    shown.form.teachOnTick();
    shown.form.teachOneStep();
    QVERIFY(shown.form.model() == nullptr);
}

int runCommandTests(int argc, char** argv) {
    CommandTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace varkelon::test

#include "CommandTest.moc"
