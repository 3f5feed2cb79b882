// What assistive technology reads: the lamp's mode in words after each
// command, the roles of the lamp and the plots, and the names that follow the
// caption language. The events a running screen reader hears (the offscreen
// platform passes on none) are checked end to end through AT-SPI
// (tests/e2e/check-accessibility.py).
#include <utility>

#include <QAccessible>
#include <QComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
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
    void rolesAndSpokenNames();
    void languageRenamesEveryNameAtOnce();
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

void AccessibilityTest::rolesAndSpokenNames() {
    ShownForm shown;
    const struct {
        const char* control;
        QAccessible::Role role;
        const char* name;
    } rows[] = {
        {"Memo1", QAccessible::StatusBar, "Stopped"},
        {"PaintBox1", QAccessible::Graphic, "Outputs of neuronet & object"},
        {"PaintBox2", QAccessible::Graphic, "Quality of the neuronet adaptation"},
        {"Button5", QAccessible::Button, "About Varkelon"},
        {"Memo2", QAccessible::EditableText, "Quantity of Neurons"},
        {"ScrollBar1", QAccessible::ScrollBar, "Speed"},
    };
    for (const auto& row : rows) {
        QAccessibleInterface* accessible =
            QAccessible::queryAccessibleInterface(shown.control<QWidget>(row.control));
        QVERIFY2(accessible != nullptr, row.control);
        QCOMPARE(accessible->role(), row.role);
        QCOMPARE(accessible->text(QAccessible::Name), QString::fromUtf8(row.name));
    }
}

void AccessibilityTest::languageRenamesEveryNameAtOnce() {
    ShownForm shown;
    auto* language = shown.control<QComboBox>("ComboBox1");
    language->setFocus();
    // The box starts with no item chosen: the second Down chooses Russian.
    QTest::keyClick(language, Qt::Key_Down);
    QTest::keyClick(language, Qt::Key_Down);
    const struct {
        const char* control;
        const char* russian;
    } renamed[] = {
        {"Edit5", "Итерация"},
        {"Edit6", "Оценка"},
        {"Edit7", "Шум"},
        {"Edit8", "Итерация"},
        {"Edit9", "Оценка"},
        {"Edit10", "Шум"},
        {"Edit2", "Итерация"},
        {"Edit3", "Оценка"},
        {"Edit4", "Шум"},
        {"ScrollBar1", "Скорость"},
        {"Memo2", "Число нейронов"},
        {"Button5", "О программе Varkelon"},
        {"Memo1", "Остановлено"},
    };
    for (const auto& row : renamed) {
        QCOMPARE(accessibleName(shown.control<QWidget>(row.control)),
                 QString::fromUtf8(row.russian));
    }
    // The tabs and the column titles are items of their controls.
    QTabBar* tabs = shown.control<QTabWidget>("PageControl1")->tabBar();
    auto* table = shown.control<QTableWidget>("StringGrid1");
    QAccessibleInterface* tableItems = QAccessible::queryAccessibleInterface(table);
    QCOMPARE(tableItems->child(1)->text(QAccessible::Name), QString::fromUtf8("Объект"));
    QCOMPARE(QAccessible::queryAccessibleInterface(tabs)->child(2)->text(QAccessible::Name),
             QString::fromUtf8("Таблица"));
}

int runAccessibilityTests(int argc, char** argv) {
    AccessibilityTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace varkelon::test

#include "AccessibilityTest.moc"
