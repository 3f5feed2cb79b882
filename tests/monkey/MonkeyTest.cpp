// The real main window under a stream of random user actions. The actions
// are seeded: VARKELON_MONKEY_SEED replays a failure (the seed is printed
// with it), VARKELON_MONKEY_ACTIONS makes the run shorter or longer. The
// same seed gives the same actions; only the ticks teachingTimer adds by itself
// while events run depend on the machine's pace.
#include <cstdlib>

#include <QTest>

#include "Monkey.h"
#include "lesson/NeuronCountText.h"
#include "shell/VarkelonApplication.h"

namespace varkelon::test {

namespace {

long environmentNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtol(text, nullptr, 10) : fallback;
}

}  // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

  public:
    explicit MonkeyTest(RecordedErrors& errors) : errors_(errors) {}

  private slots:
    void countTextSkipsTheSpacesQtSkips();
    void randomActionsLeaveTheWindowSound();

  private:
    RecordedErrors& errors_;
};

// The memo's text reaches the parse as UTF-16: every code unit Qt calls a
// space must be skipped, and no other.
void MonkeyTest::countTextSkipsTheSpacesQtSkips() {
    for (char32_t unit = 0; unit <= 0xffff; ++unit) {
        const bool space = NeuronCountText::isSpace(static_cast<char16_t>(unit));
        if (space != QChar(unit).isSpace())
            QFAIL(qPrintable(QStringLiteral("U+%1").arg(unit, 4, 16, QLatin1Char('0'))));
    }
}

void MonkeyTest::randomActionsLeaveTheWindowSound() {
    const auto seed =
        static_cast<std::uint32_t>(environmentNumber("VARKELON_MONKEY_SEED", 20240611));
    const long actions = environmentNumber("VARKELON_MONKEY_ACTIONS", 10000);
    errors_.texts.clear();
    Monkey monkey(errors_, seed);
    for (long action = 1; action <= actions; ++action) {
        const QString broken = monkey.act();
        if (!broken.isEmpty()) {
            const QString report =
                QStringLiteral(
                    "action %1 of seed %2 (VARKELON_MONKEY_SEED=%2 replays it): %3\n"
                    "last actions:\n  %4")
                    .arg(action)
                    .arg(seed)
                    .arg(broken, monkey.recentActions().join(QStringLiteral("\n  ")));
            QFAIL(qPrintable(report));
        }
    }
    qInfo("seed %u: %s", seed, qPrintable(monkey.summary()));
    // Guards against a run that passes because it did nothing.
    if (actions >= 10000) {
        QVERIFY(monkey.cycles() >= 5000);
        QVERIFY(monkey.aboutBoxes() >= 10);
        QVERIFY(monkey.languageSwitches() >= 10);
        QVERIFY(monkey.windows() >= 2);
    }
}

}  // namespace varkelon::test

// The program's own application object, so that exceptions end in notify
// and reach the recorded error display.
int main(int argc, char** argv) {
    varkelon::test::RecordedErrors errors;
    varkelon::VarkelonApplication application(argc, argv, errors);
    // Exit closes the window; the test opens a new one and goes on.
    QApplication::setQuitOnLastWindowClosed(false);
    varkelon::test::MonkeyTest test(errors);
    return QTest::qExec(&test, argc, argv);
}

#include "MonkeyTest.moc"
