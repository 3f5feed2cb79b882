// Events around the commands: Enter, the about box over running teaching,
// exceptions in handlers, and the handlers that hand over to the Viewer.
#include <stdexcept>
#include <string_view>

#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <functional>

#include "ShellTestSupport.h"
#include "shell/AboutBox.h"

namespace varkelon::test {

class EventTest : public QObject {
    Q_OBJECT

  private slots:
    void enterClicksTheDefaultButton();
    void aboutBoxLeavesTeachingRunning();
    void exceptionInAHandlerIsShown();
    void pageClickAndLanguageReachTheViewer();
    void pageChangeByKeyboardActsAsATabClick_data();
    void pageChangeByKeyboardActsAsATabClick();
    void releaseOnThePlotIsNoTabClick();
    void returningToAPageShowsNoOldDrawing();
    void speedBarArrowsMoveTheThumbTheirWay();
    void pagesTurnFromAnyControl_data();
    void pagesTurnFromAnyControl();
    void quickTickShowsItsLastCycleAndKeepsTheFocusShown();
    void tableCopiesTheSelectionWithItsTitles();
    void tableMenuCopiesTheWholeTableUnlessARange_data();
    void tableMenuCopiesTheWholeTableUnlessARange();
    void plotMenuOpensFromTheKeyboard_data();
    void plotMenuOpensFromTheKeyboard();
};

namespace {

// Runs `open`, which opens a popup menu and waits in it; takes the menu's
// item texts and triggers the item `chosen` (none when empty).
QStringList menuOpenedBy(const std::function<void()>& open, const QString& chosen = {}) {
    QStringList items;
    QTimer::singleShot(0, [&items, chosen] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr)
            return;
        QAction* picked = nullptr;
        for (QAction* action : menu->actions()) {
            items.append(action->text());
            if (action->text() == chosen)
                picked = action;
        }
        menu->close();
        if (picked != nullptr)
            picked->trigger();
    });
    open();
    return items;
}

}  // namespace

void EventTest::enterClicksTheDefaultButton() {
    ShownForm shown;
    shown.form.timer().setInterval(3600000);
    // staticButton has the focus at start and has no use for Enter.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(shown.form.lampColour(), QColor(0, 255, 0));
    QCOMPARE(shown.form.lesson().quickMode(), 1);
    // A focused button takes Enter itself.
    auto* step = shown.control<QPushButton>("Button3");
    step->setFocus();
    QTest::keyClick(step, Qt::Key_Enter);
    QCOMPARE(shown.form.lampColour(), QColor(0, 0, 255));
    QCOMPARE(shown.manager().iteration, 1);
    // neuronCountBox takes no Enter as a new line; the memo keeps the focus, and the
    // count typed into it is applied before Quickly runs.
    auto* memo = shown.control<QLineEdit>("Memo2");
    memo->setFocus();
    memo->selectAll();
    QTest::keyClicks(memo, QStringLiteral("12"));
    QTest::keyClick(memo, Qt::Key_Return);
    QCOMPARE(shown.form.lampColour(), QColor(0, 255, 0));
    QVERIFY(memo->hasFocus());
    QCOMPARE(memo->text(), QStringLiteral("10"));
    QCOMPARE(shown.network().hiddenCount, 10);
}

void EventTest::pagesTurnFromAnyControl_data() {
    QTest::addColumn<QByteArray>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("page");
    const int ctrl = Qt::ControlModifier;
    const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::newRow("Ctrl+Tab on Stop") << QByteArray("Button4") << int(Qt::Key_Tab) << ctrl << 1;
    QTest::newRow("Ctrl+Shift+Tab on Quickly")
        << QByteArray("Button1") << int(Qt::Key_Backtab) << ctrlShift << 2;
    QTest::newRow("Ctrl+PgDn on a regime")
        << QByteArray("RadioButton1") << int(Qt::Key_PageDown) << ctrl << 1;
    QTest::newRow("Ctrl+PgUp in the neuron box")
        << QByteArray("Memo2") << int(Qt::Key_PageUp) << ctrl << 2;
    QTest::newRow("Ctrl+Tab on the page's readout")
        << QByteArray("Edit5") << int(Qt::Key_Tab) << ctrl << 1;
}

void EventTest::pagesTurnFromAnyControl() {
    QFETCH(QByteArray, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, page);
    ShownForm shown;
    QWidget* control = shown.control<QWidget>(focus.constData());
    control->setFocus();
    QTest::keyClick(control, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(shown.control<QTabWidget>("PageControl1")->currentIndex(), page);
    // Teaching did not start on the way.
    QCOMPARE(shown.form.lampColour(), QColor(255, 0, 0));
}

void EventTest::quickTickShowsItsLastCycleAndKeepsTheFocusShown() {
    ShownForm shown;
    shown.form.timer().setInterval(3600000);
    auto* iteration = shown.control<QLineEdit>("Edit5");
    iteration->setFocus(Qt::TabFocusReason);
    QCOMPARE(iteration->selectedText(), QStringLiteral("0"));
    shown.form.startQuickTeaching();
    shown.form.timer().stop();
    shown.form.teachOnTick();
    QCOMPARE(shown.manager().iteration, 10);
    QCOMPARE(iteration->text(), QStringLiteral("11"));
    QCOMPARE(iteration->selectedText(), QStringLiteral("11"));
}

void EventTest::tableCopiesTheSelectionWithItsTitles() {
    ShownForm shown;
    QTest::mouseClick(shown.control<QWidget>("Button3"), Qt::LeftButton);
    auto* pages = shown.control<QTabWidget>("PageControl1");
    pages->setCurrentIndex(2);
    auto* grid = shown.control<QTableWidget>("StringGrid1");
    const auto cellText = [grid](int row, int column) {
        return grid->item(row, column)->text().trimmed();
    };

    // Nothing selected: the whole table, titles first.
    grid->setFocus();
    QTest::keySequence(grid, QKeySequence::Copy);
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 19);  // 18 lines, each ended
    QCOMPARE(lines[0], QStringLiteral("\tObject\tNeuronet\tNet Mistakes"));
    QCOMPARE(lines[17], QStringLiteral("17\t") + cellText(16, 0) + QLatin1Char('\t') +
                            cellText(16, 1) + QLatin1Char('\t') + cellText(16, 2));

    // Two cells of channel 2 and 3 in the second column.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(1, 1)).center());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      grid->visualItemRect(grid->item(2, 1)).center());
    QTest::keySequence(grid, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("\tNeuronet\n2\t") + cellText(1, 1) +
                                                    QStringLiteral("\n3\t") + cellText(2, 1) +
                                                    QLatin1Char('\n'));
}

void EventTest::aboutBoxLeavesTeachingRunning() {
    ShownForm shown;
    QTest::mouseClick(shown.control<QWidget>("Button1"), Qt::LeftButton);
    int ticksBehind = 0;
    int boxes = 0;
    QString caption;
    // Three ticks after the box is up, Enter closes it as OK does.
    const QMetaObject::Connection watch = connect(&shown.form.timer(), &QTimer::timeout, [&] {
        auto* box = qobject_cast<AboutBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        caption = box->windowTitle();
        if (++ticksBehind == 3) {
            QCOMPARE(box->findChild<QLabel*>("ProductName")->text(), QStringLiteral("Varkelon"));
            QCOMPARE(box->findChild<QLabel*>("Version")->text(),
                     QStringLiteral("Version 1.0 Beta"));
            // The notice names the licence, whole within its 71 pixels.
            const auto* notice = box->findChild<QLabel*>("Notice");
            QCOMPARE(notice->text(), QStringLiteral("MIT Licence"));
            QVERIFY(notice->fontMetrics().horizontalAdvance(notice->text()) <= notice->width());
            QVERIFY(box->okButton().isDefault());
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    for (boxes = 0; boxes < 2; ++boxes) {
        ticksBehind = 0;
        const int before = shown.manager().iteration;
        QTest::mouseClick(shown.control<QWidget>("Button5"), Qt::LeftButton);
        // Back here once the box has closed: each tick behind it ran ten cycles.
        QCOMPARE(caption, QStringLiteral("About"));
        QCOMPARE(ticksBehind, 3);
        QVERIFY(shown.manager().iteration >= before + 30);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
    disconnect(watch);
    QVERIFY(shown.form.timer().isActive());
}

void EventTest::exceptionInAHandlerIsShown() {
    recordedErrors().texts.clear();
    auto clock = std::make_shared<TestClock>();
    ShownForm shown(partsWith(clock));
    // The first Step rebuilds, and the rebuild reads the failing clock.
    clock->failing = true;
    QTest::mouseClick(shown.control<QWidget>("Button3"), Qt::LeftButton);
    QCOMPARE(recordedErrors().texts, QStringList{QStringLiteral("Clock stopped.")});
    // The event loop goes on, and so do the commands.
    clock->failing = false;
    QTest::mouseClick(shown.control<QWidget>("Button3"), Qt::LeftButton);
    QCOMPARE(shown.manager().iteration, 1);

    // A tick that fails fails again at the next tick: the timer stays on.
    QTest::mouseClick(shown.control<QWidget>("Button4"), Qt::LeftButton);
    QTest::mouseClick(shown.control<QWidget>("Button1"), Qt::LeftButton);
    shown.form.timer().setInterval(0);
    const QMetaObject::Connection fail = connect(&shown.form.timer(), &QTimer::timeout,
                                                 [] { throw std::runtime_error("Tick failed"); });
    QTRY_VERIFY_WITH_TIMEOUT(recordedErrors().texts.size() >= 3, 30000);
    disconnect(fail);
    QCOMPARE(recordedErrors().texts[1], QStringLiteral("Tick failed."));
    QCOMPARE(recordedErrors().texts[2], QStringLiteral("Tick failed."));
    QVERIFY(shown.form.timer().isActive());
    QCOMPARE(ErrorDisplay::textOf(QStringLiteral("Done.")), QStringLiteral("Done."));
}

void EventTest::pageClickAndLanguageReachTheViewer() {
    recordedErrors().texts.clear();
    ShownForm shown;
    QTest::mouseClick(shown.control<QWidget>("Button3"), Qt::LeftButton);
    auto* pages = shown.control<QTabWidget>("PageControl1");
    auto* estimationIteration = shown.control<QLineEdit>("Edit8");
    QCOMPARE(estimationIteration->text(), QStringLiteral("0"));
    // The click on the tab shows the page, and its release refreshes it.
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(1).center());
    QVERIFY(shown.form.lesson().page() == Page::Estimation);
    QVERIFY(estimationIteration->text() != QStringLiteral("0"));

    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(2).center());
    auto* language = shown.control<QComboBox>("ComboBox1");
    language->setFocus();
    QTest::keyClick(language, Qt::Key_Down);
    QCOMPARE(language->currentIndex(), 0);
    QCOMPARE(shown.control<QWidget>("RadioButton1")->property("text").toString(),
             QStringLiteral("Static"));
    QTest::keyClick(language, Qt::Key_Down);
    QCOMPARE(shown.control<QPushButton>("Button3")->text(), QString::fromUtf8("Шаг"));
    QCOMPARE(shown.control<QLabel>("Panel2")->text(), QString::fromUtf8("Динамика обучения"));
    QCOMPARE(pages->tabText(1), QString::fromUtf8("Оценка"));
    QCOMPARE(shown.form.windowTitle(), QStringLiteral("  Varkelon"));
    QCOMPARE(shown.control<QWidget>("GroupBox3")->property("title").toString(),
             QString::fromUtf8("Language  Язык"));
    // Both caption tables name only controls that take a caption.
    QTest::keyClick(language, Qt::Key_Up);
    QCOMPARE(shown.control<QPushButton>("Button3")->text(), QStringLiteral("Step"));
    QCOMPARE(recordedErrors().texts, QStringList());
}

void EventTest::pageChangeByKeyboardActsAsATabClick_data() {
    QTest::addColumn<QString>("keys");
    QTest::newRow("Ctrl+Tab") << QStringLiteral("Ctrl+Tab");
    QTest::newRow("Ctrl+PgDown") << QStringLiteral("Ctrl+PgDown");
    QTest::newRow("Ctrl+PgUp twice") << QStringLiteral("Ctrl+PgUp, Ctrl+PgUp");
    QTest::newRow("Right on the tabs") << QStringLiteral("Right");
}

void EventTest::pageChangeByKeyboardActsAsATabClick() {
    QFETCH(QString, keys);
    ShownForm shown;
    QTest::mouseClick(shown.control<QWidget>("Button3"), Qt::LeftButton);
    auto* pages = shown.control<QTabWidget>("PageControl1");
    QWidget* target = pages->tabBar();
    if (keys.startsWith(QLatin1String("Ctrl")))
        target = shown.control<QWidget>("Edit5");
    target->setFocus();
    QTest::keySequence(target, QKeySequence(keys));
    QVERIFY(shown.form.lesson().page() == Page::Estimation);
    // The page refreshed as after a click on its tab: readouts and plot.
    QCOMPARE(shown.control<QLineEdit>("Edit8")->text(), QStringLiteral("2"));
    QCOMPARE(shown.form.viewer()->fullRedraw(), 1);
    QCOMPARE(shown.form.paintBoxImage(Page::Estimation).pixel(10, 30), 0xff000000u);
}

void EventTest::releaseOnThePlotIsNoTabClick() {
    ShownForm shown;
    auto* pages = shown.control<QTabWidget>("PageControl1");
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(1).center());
    QTest::mouseClick(shown.control<QWidget>("Button3"), Qt::LeftButton);
    auto* iteration = shown.control<QLineEdit>("Edit8");
    iteration->setText(QStringLiteral("stale"));
    QTest::mouseClick(shown.control<QWidget>("PaintBox2"), Qt::LeftButton);
    QCOMPARE(iteration->text(), QStringLiteral("stale"));
    // The tab row beside the tabs belongs to the page control: that counts.
    const QPoint besideTheTabs = pages->tabBar()->geometry().topRight() + QPoint(4, 4);
    QTest::mouseClick(pages, Qt::LeftButton, {}, besideTheTabs);
    QCOMPARE(iteration->text(), QStringLiteral("2"));
}

void EventTest::returningToAPageShowsNoOldDrawing() {
    ShownForm shown;
    auto* pages = shown.control<QTabWidget>("PageControl1");
    const std::uint32_t blank = shown.form.windowColour();
    const auto isBlank = [&](Page page) {
        const PixelImage& image = shown.form.paintBoxImage(page);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != blank)
                    return false;
        return true;
    };
    // The Running plot after 25 steps, then teaching on the Graph page.
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(1).center());
    QTest::mouseClick(shown.control<QWidget>("RadioButton5"), Qt::LeftButton);
    for (int step = 0; step < 25; ++step)
        QTest::mouseClick(shown.control<QWidget>("Button3"), Qt::LeftButton);
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(0).center());
    for (int step = 0; step < 40; ++step)
        QTest::mouseClick(shown.control<QWidget>("Button3"), Qt::LeftButton);
    QVERIFY(!isBlank(Page::Graph));
    const PixelImage lastGraph = shown.form.paintBoxImage(Page::Graph);

    // Back on Estimation: exactly what a clean full redraw shows.
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(1).center());
    const PixelImage returned = shown.form.paintBoxImage(Page::Estimation);
    QTest::mouseClick(shown.control<QWidget>("RadioButton6"), Qt::LeftButton);
    QTest::mouseClick(shown.control<QWidget>("RadioButton5"), Qt::LeftButton);
    QVERIFY(returned == shown.form.paintBoxImage(Page::Estimation));
    // Back on Graph: the graph of the last cycle, drawn afresh.
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(0).center());
    QVERIFY(shown.form.paintBoxImage(Page::Graph) == lastGraph);
}

void EventTest::speedBarArrowsMoveTheThumbTheirWay() {
    ShownForm shown;
    shown.form.timer().setInterval(3600000);
    auto* speed = shown.control<QScrollBar>("ScrollBar1");
    speed->setFocus();
    speed->setValue(1000);
    const struct {
        Qt::Key key;
        int value;
    } presses[] = {{Qt::Key_Left, 600},
                   {Qt::Key_Right, 1000},
                   {Qt::Key_Right, 1400},
                   {Qt::Key_Home, 50},
                   {Qt::Key_End, 2000}};
    for (const auto& press : presses) {
        QTest::keyClick(speed, press.key);
        QCOMPARE(speed->value(), press.value);
    }
}

void EventTest::tableMenuCopiesTheWholeTableUnlessARange_data() {
    QTest::addColumn<QRect>("selected");  // rows and columns, empty for none
    QTest::addColumn<int>("lines");
    QTest::newRow("nothing selected") << QRect() << 18;
    QTest::newRow("one cell") << QRect(1, 4, 1, 1) << 18;
    QTest::newRow("two by three") << QRect(0, 2, 2, 3) << 4;
}

void EventTest::tableMenuCopiesTheWholeTableUnlessARange() {
    QFETCH(QRect, selected);
    QFETCH(int, lines);
    ShownForm shown;
    QTest::mouseClick(shown.control<QWidget>("Button3"), Qt::LeftButton);
    shown.control<QTabWidget>("PageControl1")->setCurrentIndex(2);
    auto* grid = shown.control<QTableWidget>("StringGrid1");
    if (!selected.isEmpty())
        grid->setRangeSelected(QTableWidgetSelectionRange(selected.top(), selected.left(),
                                                          selected.bottom(), selected.right()),
                               true);
    const auto selection = grid->selectedRanges();
    // A right press on another cell leaves the selection as it was.
    const QPoint elsewhere = grid->visualItemRect(grid->item(10, 2)).center();
    QMouseEvent press(QEvent::MouseButtonPress, elsewhere, grid->viewport()->mapToGlobal(elsewhere),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &press);
    QCOMPARE(grid->selectedRanges().size(), selection.size());
    QApplication::clipboard()->clear();
    const QStringList items = menuOpenedBy(
        [&] {
            QContextMenuEvent menu(QContextMenuEvent::Mouse, elsewhere,
                                   grid->viewport()->mapToGlobal(elsewhere));
            QApplication::sendEvent(grid->viewport(), &menu);
        },
        QStringLiteral("Copy"));
    QCOMPARE(items, QStringList{QStringLiteral("Copy")});
    QCOMPARE(QApplication::clipboard()->text().count(QLatin1Char('\n')), lines);
}

void EventTest::plotMenuOpensFromTheKeyboard_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("graph, Menu") << 0 << int(Qt::Key_Menu) << int(Qt::NoModifier);
    QTest::newRow("graph, Shift+F10") << 0 << int(Qt::Key_F10) << int(Qt::ShiftModifier);
    QTest::newRow("estimation, Menu") << 1 << int(Qt::Key_Menu) << int(Qt::NoModifier);
    QTest::newRow("estimation, Shift+F10") << 1 << int(Qt::Key_F10) << int(Qt::ShiftModifier);
}

void EventTest::plotMenuOpensFromTheKeyboard() {
    QFETCH(int, page);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    ShownForm shown;
    auto* pages = shown.control<QTabWidget>("PageControl1");
    pages->setCurrentIndex(page);
    // Tab from the page's tab reaches its plot first.
    pages->tabBar()->setFocus();
    QTest::keyClick(pages->tabBar(), Qt::Key_Tab);
    QWidget* plot = shown.control<QWidget>(page == 0 ? "PaintBox1" : "PaintBox2");
    QCOMPARE(QApplication::focusWidget(), plot);
    const QStringList items = menuOpenedBy(
        [&] { QTest::keyClick(plot, Qt::Key(key), Qt::KeyboardModifiers(modifiers)); });
    QCOMPARE(items,
             (QStringList{QStringLiteral("Copy picture"), QStringLiteral("Save picture...")}));
}

int runEventTests(int argc, char** argv) {
    EventTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace varkelon::test

#include "EventTest.moc"
