// The main window as it comes up: every control's place, text and hint, the
// start state buildModel leaves, the tab order, and a window whose model
// objects could not be made.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include "ShellTestSupport.h"
#include "shell/PaintBox.h"

namespace varkelon::test {

namespace {

// The caption a control shows, whatever its kind.
QString captionOf(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(control))
        return group->title();
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    return QString();
}

const char* const kAnyText = "*";

// The whole caption fits in the control's width.
bool fitsItsText(QWidget* control) {
    return control->fontMetrics().horizontalAdvance(captionOf(control)) <= control->width();
}

}  // namespace

class FormTest : public QObject {
    Q_OBJECT

  private slots:
    void controlsAtTheirPlaces_data();
    void controlsAtTheirPlaces();
    void startState();
    void resizingMovesNothing();
    void tabOrderVisitsTheStops();
    void tabLeavesTheTable();
    void captionsFitInBothLanguages();
    void failedModelLeavesCommandsInert();
    void failedBitmapLeavesCommandsInert();
};

void FormTest::controlsAtTheirPlaces_data() {
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hint");
    const auto row = [](const char* name, QRect place, const char* text, const char* hint = "") {
        QTest::newRow(name) << place << QString::fromUtf8(text) << QString::fromUtf8(hint);
    };
    row("PageControl1", {0, 0, 386, 322}, "");
    row("Panel2", {160, 0, 185, 18}, "Teaching Dynamics",
        "Neuronet is predict of the object outputs");
    row("Button5", {360, 0, 25, 17}, "?");
    row("Panel3", {392, 0, 122, 18}, "Adjustment");
    row("RadioGroup1", {392, 24, 122, 105}, "Teaching Regime", "Inputs of neuronet & object");
    row("RadioButton1", {400, 40, 90, 18}, "     Static", "Static inputs");
    row("Panel1", {400, 64, 106, 18}, "Dynamic", "Dinamic inputs");
    row("RadioButton2", {400, 88, 42, 18}, "Sin");
    row("RadioButton3", {440, 88, 66, 18}, "Random");
    row("RadioButton4", {400, 104, 97, 17}, "Sin + Random");
    row("GroupBox1", {392, 136, 113, 41}, "Quantity of Neurons");
    row("Panel4", {392, 184, 122, 18}, "Commands");
    row("GroupBox2", {392, 208, 121, 113}, "Teaching");
    row("Memo1", {464, 264, 17, 17}, "");
    row("Memo2", {32, 16, 25, 17}, "7", "Quantity of neurons in the neuronet");
    row("UpDown1", {57, 16, 15, 17}, "");
    row("Button4", {8, 16, 33, 25}, "Stop", "Stop and rebuild of neuronet & object");
    row("Label7", {57, 12, 31, 13}, "Speed");
    row("ScrollBar1", {48, 25, 65, 16}, "", "Speed of teaching");
    row("Label8", {46, 44, 67, 13}, "Min          Max");
    row("Button3", {8, 48, 33, 25}, "Step", "One step of teaching");
    row("Button1", {8, 80, 50, 26}, "Quickly", "Max speed of teaching");
    row("Button2", {64, 79, 49, 26}, "Exit", "Exit from Varkelon");
    row("Panel5", {0, 0, 378, 250}, "");
    row("Edit5", {24, 256, 74, 21}, "0");
    row("Edit6", {152, 256, 74, 21}, kAnyText);  // buildModel's refresh writes it
    row("Edit7", {280, 256, 74, 21}, kAnyText);
    row("Label4", {32, 280, 38, 13}, "Iteration", "Number of teaching cycle");
    row("Label5", {160, 280, 48, 13}, "Estimation", "Quality of the neuronet adaptation");
    row("Label6", {288, 280, 27, 13}, "Noise", "Random component of input");
    row("Panel6", {0, 0, 378, 250}, "");
    row("Edit8", {8, 256, 74, 21}, "0");
    row("Edit9", {104, 256, 74, 21}, "1.0");
    row("Edit10", {200, 256, 74, 21}, "0.0");
    row("Label11", {16, 280, 38, 13}, "Iteration", "Number of teaching cycle");
    row("Label10", {112, 280, 48, 13}, "Estimation", "Quality of the neuronet adaptation");
    row("Label9", {208, 280, 27, 13}, "Noise", "Random component of input");
    row("RadioGroup2", {288, 256, 89, 33}, "");
    row("RadioButton5", {288, 256, 73, 17}, "Running");
    row("RadioButton6", {288, 272, 89, 17}, "Sliding");
    row("StringGrid1", {16, 0, 258, 290}, "", "Outputs of neuronet & object");
    row("Label1", {288, 128, 38, 13}, "Iteration");
    row("Edit2", {288, 144, 74, 21}, "0", "Number of teaching cycle");
    row("Label2", {288, 184, 48, 13}, "Estimation");
    row("Edit3", {288, 200, 74, 21}, "1.0", "Quality of the neuronet adaptation");
    row("Label3", {288, 240, 27, 13}, "Noise", "Random component of input");
    row("Edit4", {288, 256, 74, 21}, "0.0", "Random component of input");
    row("GroupBox3", {280, 16, 97, 49}, "Language  Язык");
    row("ComboBox1", {16, 16, 73, 21}, "", "Choose of language");
}

void FormTest::controlsAtTheirPlaces() {
    QFETCH(QRect, place);
    QFETCH(QString, text);
    QFETCH(QString, hint);
    ShownForm shown;
    QWidget* control = shown.control<QWidget>(QTest::currentDataTag());
    if (QString::fromLatin1(QTest::currentDataTag()).startsWith(QLatin1String("Label"))) {
        // Labels size themselves to their text from their left and top.
        QCOMPARE(control->pos(), place.topLeft());
        QCOMPARE(control->height(), place.height());
        QVERIFY(fitsItsText(control));
    } else {
        QCOMPARE(control->geometry(), place);
    }
    if (text != QLatin1String(kAnyText))
        QCOMPARE(captionOf(control), text);
    QCOMPARE(control->toolTip(), hint);
}

void FormTest::startState() {
    ShownForm shown;
    MainWindow& form = shown.form;
    QCOMPARE(form.windowTitle(), QStringLiteral("  Varkelon"));
    QCOMPARE(form.size(), QSize(516, 326));
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(form.maximumSize().width() > 516 && form.minimumSize().width() < 516);
    QVERIFY(form.toolTip().isEmpty());

    QCOMPARE(shown.control<QTabWidget>("PageControl1")->currentIndex(), 0);
    QCOMPARE(form.lesson().page(), Page::Graph);
    QVERIFY(shown.control<QAbstractButton>("RadioButton1")->isChecked());
    QVERIFY(shown.control<QAbstractButton>("RadioButton6")->isChecked());
    QCOMPARE(form.lesson().regime(), TeachingRegime::Static);
    QCOMPARE(QApplication::focusWidget(), shown.control<QWidget>("RadioButton1"));
    QCOMPARE(form.lampColour(), QColor(255, 0, 0));
    QVERIFY(!shown.control<QWidget>("Memo1")->isEnabled());
    QVERIFY(!form.timer().isActive());
    QCOMPARE(form.timer().interval(), 100);
    QVERIFY(!form.lesson().quickMode());
    QCOMPARE(shown.manager().iteration, 0);
    QCOMPARE(QSize(form.offscreenBitmap().width(), form.offscreenBitmap().height()),
             QSize(374, 246));
    QCOMPARE(shown.control<PaintBox>("PaintBox1")->size(), QSize(374, 246));
    QCOMPARE(shown.control<PaintBox>("PaintBox2")->size(), QSize(374, 246));
    QCOMPARE(form.paintBoxLeft(Page::Estimation), 0);

    auto* speed = shown.control<QScrollBar>("ScrollBar1");
    QCOMPARE(speed->minimum(), 50);
    QCOMPARE(speed->maximum(), 2000);
    QCOMPARE(speed->value(), 2000);
    QCOMPARE(speed->singleStep(), 400);
    QCOMPARE(speed->pageStep(), 1);
    QCOMPARE(shown.control<QComboBox>("ComboBox1")->currentIndex(), -1);
    QCOMPARE(shown.control<QComboBox>("ComboBox1")->itemText(1), QString::fromUtf8("Русский"));

    // The titles and the channel numbers are the table's headers.
    auto* grid = shown.control<QTableWidget>("StringGrid1");
    QCOMPARE(grid->columnCount(), 3);
    QCOMPARE(grid->rowCount(), 17);
    QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Object"));
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Neuronet"));
    QCOMPARE(grid->horizontalHeaderItem(2)->text(), QStringLiteral("Net Mistakes"));
    QCOMPARE(grid->verticalHeaderItem(0)->text(), QStringLiteral("1"));
    QCOMPARE(grid->verticalHeaderItem(16)->text(), QStringLiteral("17"));
    QCOMPARE(grid->verticalHeader()->width(), 28);
    QCOMPARE(grid->horizontalHeader()->height(), 16);
    QVERIFY(!(grid->item(4, 1)->flags() & Qt::ItemIsEditable));
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
}

void FormTest::resizingMovesNothing() {
    ShownForm shown;
    const QList<QWidget*> controls = shown.form.findChildren<QWidget*>();
    QList<QRect> before;
    for (QWidget* control : controls)
        before.append(control->geometry());
    for (const QSize size : {QSize(200, 150), QSize(900, 700)}) {
        shown.form.resize(size);
        QCOMPARE(shown.form.size(), size);
        for (qsizetype i = 0; i < controls.size(); ++i)
            QCOMPARE(controls[i]->geometry(), before[i]);
    }
}

void FormTest::tabOrderVisitsTheStops() {
    ShownForm shown;
    // A long period, so that entering the scroll bar on the way ticks nothing.
    shown.form.timer().setInterval(3600000);
    auto* pages = shown.control<QTabWidget>("PageControl1");
    const auto focusedName = [pages] {
        QWidget* focused = QApplication::focusWidget();
        return focused->parentWidget() == pages ? pages->objectName() : focused->objectName();
    };
    // Only the selected radio button of a group is a stop; pages on view only.
    const QStringList expected = {"Memo2",   "PageControl1", "PaintBox1",   "Edit5",      "Edit6",
                                  "Edit7",   "Button1",      "Button2",     "ScrollBar1", "Button3",
                                  "Button4", "Button5",      "RadioButton1"};
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(focusedName());
    }
    QCOMPARE(visited, expected);
    // Reached by Tab, the scroll bar started continuous teaching.
    QCOMPARE(shown.form.lampColour(), QColor(255, 255, 0));

    // Selecting another regime moves the group's stop to it.
    QTest::mouseClick(shown.control<QWidget>("RadioButton4"), Qt::LeftButton);
    shown.control<QWidget>("Button5")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(focusedName(), QStringLiteral("Memo2"));
}

void FormTest::tabLeavesTheTable() {
    ShownForm shown;
    shown.control<QTabWidget>("PageControl1")->setCurrentIndex(2);
    auto* grid = shown.control<QWidget>("StringGrid1");
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Edit2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), grid);
}

void FormTest::captionsFitInBothLanguages() {
    ShownForm shown;
    auto* pages = shown.control<QTabWidget>("PageControl1");
    const int titleLeft = shown.control<QWidget>("Panel2")->x();
    const char* const labels[] = {"Label1", "Label2", "Label3", "Label4",  "Label5", "Label6",
                                  "Label7", "Label8", "Label9", "Label10", "Label11"};
    for (int language : {1, 0, 1}) {
        shown.form.switchCaptions(language);
        for (const char* name : labels) {
            QWidget* label = shown.control<QWidget>(name);
            QVERIFY2(fitsItsText(label), name);
        }
        const QRect lastTab = pages->tabBar()->tabRect(2);
        QVERIFY(pages->tabBar()->mapTo(&shown.form, lastTab.topRight()).x() < titleLeft);
    }
    // The channel numbers line up on the right.
    auto* grid = shown.control<QTableWidget>("StringGrid1");
    QCOMPARE(grid->verticalHeader()->defaultAlignment(), Qt::AlignRight | Qt::AlignVCenter);
}

void FormTest::failedModelLeavesCommandsInert() {
    recordedErrors().texts.clear();
    FormParts parts;
    parts.makeModel = [](Manager::RegimeSource) -> std::unique_ptr<TeachingModel> {
        throw std::runtime_error("Out of memory");
    };
    ShownForm shown(parts);
    QCOMPARE(recordedErrors().texts, QStringList{QStringLiteral("Out of memory.")});
    MainWindow& form = shown.form;
    QVERIFY(form.model() == nullptr);
    // The window is up with its headings, and no command does anything.
    QCOMPARE(shown.control<QTableWidget>("StringGrid1")->horizontalHeaderItem(0)->text(),
             QStringLiteral("Object"));
    QCOMPARE(shown.control<QLineEdit>("Edit5")->text(), QStringLiteral("0"));
    for (const char* command : {"Button1", "Button3", "ScrollBar1", "Button4"}) {
        QTest::mouseClick(shown.control<QWidget>(command), Qt::LeftButton);
        QCOMPARE(form.lampColour(), QColor(255, 0, 0));
        QVERIFY(!form.timer().isActive());
        QVERIFY(!form.lesson().quickMode());
    }
    form.teachOnTick();
    QTest::mouseClick(shown.control<QWidget>("RadioButton5"), Qt::LeftButton);
    shown.control<QLineEdit>("Memo2")->setFocus();
    shown.control<QLineEdit>("Memo2")->setText(QStringLiteral("0"));
    shown.control<QWidget>("RadioButton1")->setFocus();
    QCOMPARE(shown.control<QLineEdit>("Memo2")->text(), QStringLiteral("1"));
    QCOMPARE(recordedErrors().texts.size(), 1);
}

void FormTest::failedBitmapLeavesCommandsInert() {
    recordedErrors().texts.clear();
    FormParts parts = partsWith(std::make_shared<TestClock>());
    parts.makeBitmap = [](QSize) -> PixelImage {
        throw std::runtime_error("Out of system resources");
    };
    ShownForm shown(parts);
    QCOMPARE(recordedErrors().texts, QStringList{QStringLiteral("Out of system resources.")});
    for (const char* command : {"Button3", "Button1"})
        QTest::mouseClick(shown.control<QWidget>(command), Qt::LeftButton);
    shown.form.teachOnTick();
    QCOMPARE(shown.manager().iteration, 0);
    QVERIFY(!shown.form.timer().isActive());
    QCOMPARE(shown.form.lampColour(), QColor(255, 0, 0));
}

int runFormTests(int argc, char** argv) {
    FormTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace varkelon::test

#include "FormTest.moc"
