// A short life of the real window for the memory checker: start, quick
// teaching on every page and in both estimation plots, both languages, a
// typed count, the about box, Exit. It checks along the way that each step
// did what it should, so that a run which skipped work cannot pass.
//   varkelon-leak-run [CYCLES]    quick cycles per page, 1000 by default
#include <cstdio>
#include <cstdlib>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "shell/AboutBox.h"
#include "shell/ErrorDisplay.h"
#include "shell/MainWindow.h"
#include "shell/VarkelonApplication.h"

namespace {

using varkelon::MainWindow;

// Any error box fails the run.
class PrintedErrors : public varkelon::ErrorDisplay {
  public:
    int shown = 0;

  protected:
    void showText(const QString& text) override {
        ++shown;
        std::fprintf(stderr, "error box: %s\n", qPrintable(text));
    }
};

int failures = 0;

void require(bool condition, const char* what) {
    if (!condition) {
        ++failures;
        std::fprintf(stderr, "failed: %s\n", what);
    }
}

template <class Control>
Control* control(MainWindow& form, const char* name) {
    auto* found = form.findChild<Control*>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("no control %s", name);
    return found;
}

// Quick teaching from the current state: ten cycles a tick.
void teachQuickly(MainWindow& form, int cycles) {
    QTest::mouseClick(control<QPushButton>(form, "Button1"), Qt::LeftButton);
    const int before = form.model()->manager.iteration;
    for (int tick = 0; tick < cycles / 10; ++tick)
        form.teachOnTick();
    QCoreApplication::processEvents();
    // teachingTimer is on as well and may add ticks of its own while events run.
    require(form.model()->manager.iteration >= before + cycles / 10 * 10, "quick cycles ran");
}

void showPage(MainWindow& form, int index) {
    QTabBar* tabs = control<QTabWidget>(form, "PageControl1")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    require(control<QTabWidget>(form, "PageControl1")->currentIndex() == index, "page shown");
}

void chooseLanguage(MainWindow& form, int index) {
    auto* language = control<QComboBox>(form, "ComboBox1");
    language->setFocus(Qt::TabFocusReason);
    QTest::keyClick(language, Qt::Key_F4);
    QAbstractItemView* list = language->view();
    QTest::keyClick(list, index == 0 ? Qt::Key_Home : Qt::Key_End);
    QTest::keyClick(list, Qt::Key_Return);
    const QString stop = control<QPushButton>(form, "Button4")->text();
    require(stop == (index == 0 ? QStringLiteral("Stop") : QStringLiteral("Стоп")),
            "captions in the chosen language");
    // The offscreen platform leaves the activation with the closed list.
    form.activateWindow();
    require(QTest::qWaitForWindowActive(&form), "window active again");
}

void openAndCloseAboutBox(MainWindow& form) {
    bool closed = false;
    QTimer::singleShot(0, [&closed] {
        if (auto* box = qobject_cast<varkelon::AboutBox*>(QApplication::activeModalWidget())) {
            QTest::mouseClick(&box->okButton(), Qt::LeftButton);
            closed = true;
        }
    });
    QTest::mouseClick(control<QPushButton>(form, "Button5"), Qt::LeftButton);
    require(closed && QApplication::activeModalWidget() == nullptr, "about box shown and closed");
    form.activateWindow();
    require(QTest::qWaitForWindowActive(&form), "window active again");
}

void typeCount(MainWindow& form) {
    auto* memo = control<QLineEdit>(form, "Memo2");
    QTest::mouseClick(memo, Qt::LeftButton);
    memo->selectAll();
    QTest::keyClicks(memo, QStringLiteral("12"));
    QTest::keyClick(memo, Qt::Key_Tab);
    require(memo->text() == QStringLiteral("10") && form.model()->network.hiddenCount == 10,
            "typed count clamped");
}

}  // namespace

int main(int argc, char** argv) {
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 1000;
    PrintedErrors errors;
    varkelon::VarkelonApplication application(argc, argv, errors);
    {
        MainWindow form(errors);
        form.show();
        form.activateWindow();
        require(QTest::qWaitForWindowActive(&form), "window active");

        teachQuickly(form, cycles);
        showPage(form, 1);
        QTest::mouseClick(control<QRadioButton>(form, "RadioButton6"), Qt::LeftButton, {},
                          QPoint(6, 8));
        teachQuickly(form, cycles);
        QTest::mouseClick(control<QRadioButton>(form, "RadioButton5"), Qt::LeftButton, {},
                          QPoint(6, 8));
        require(control<QRadioButton>(form, "RadioButton5")->isChecked(), "Running chosen");
        teachQuickly(form, cycles);
        showPage(form, 2);
        teachQuickly(form, cycles);

        chooseLanguage(form, 1);
        chooseLanguage(form, 0);
        typeCount(form);
        openAndCloseAboutBox(form);

        QTest::mouseClick(control<QPushButton>(form, "Button2"), Qt::LeftButton);
        require(!form.isVisible() && form.model() == nullptr, "Exit closed the window");
    }
    require(errors.shown == 0, "no error box");
    std::printf("%d quick cycles on each of 4 pages and plots; %d failures\n", cycles, failures);
    return failures == 0 ? 0 : 1;
}
