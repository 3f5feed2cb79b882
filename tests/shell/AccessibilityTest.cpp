// What assistive technology reads of the window: the lamp's mode in words,
// and the readouts and the speed bar named by their labels in the caption
// language of the moment. (That a change of the lamp's words is announced is
// checked end to end: the offscreen platform passes on no events.)
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
    void readoutsNamedByTheirLabels_data();
    void readoutsNamedByTheirLabels();
};

void AccessibilityTest::lampSaysTheMode() {
    ShownForm shown;
    shown.form.timer1().setInterval(3600000);
    QWidget* lamp = shown.control<QWidget>("Memo1");
    QCOMPARE(accessibleName(lamp), QStringLiteral("Stopped"));
    // Every command from a mode with other words.
    const std::pair<void (TForm1::*)(), const char*> commands[] = {
        {&TForm1::Button3Click, "Step"},         {&TForm1::Button1Click, "Quick"},
        {&TForm1::ScrollBar1Enter, "Continuous"}, {&TForm1::Button4Click, "Stopped"},
        {&TForm1::Button1Click, "Quick"},         {&TForm1::Button3Click, "Step"},
    };
    for (const auto& [command, words] : commands) {
        (shown.form.*command)();
        QCOMPARE(accessibleName(lamp), QString::fromLatin1(words));
    }
}

void AccessibilityTest::readoutsNamedByTheirLabels_data() {
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("russian");
    const auto row = [](const char* control, const char* english, const char* russian) {
        QTest::newRow(control) << QString::fromUtf8(english) << QString::fromUtf8(russian);
    };
    row("Edit5", "Iteration", "Итерация");
    row("Edit6", "Estimation", "Оценка");
    row("Edit7", "Noise", "Шум");
    row("Edit8", "Iteration", "Итерация");
    row("Edit9", "Estimation", "Оценка");
    row("Edit10", "Noise", "Шум");
    row("Edit2", "Iteration", "Итерация");
    row("Edit3", "Estimation", "Оценка");
    row("Edit4", "Noise", "Шум");
    row("ScrollBar1", "Speed", "Скорость");
    row("Memo2", "Quantity of Neurons", "Число нейронов");
}

void AccessibilityTest::readoutsNamedByTheirLabels() {
    QFETCH(QString, english);
    QFETCH(QString, russian);
    ShownForm shown;
    QWidget* control = shown.control<QWidget>(QTest::currentDataTag());
    QCOMPARE(accessibleName(control), english);
    shown.form.ComboBox1Change(1);
    QCOMPARE(accessibleName(control), russian);
    shown.form.ComboBox1Change(0);
    QCOMPARE(accessibleName(control), english);
}

int runAccessibilityTests(int argc, char** argv) {
    AccessibilityTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace varkelon::test

#include "AccessibilityTest.moc"
