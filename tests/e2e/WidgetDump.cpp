#include "WidgetDump.h"

#include <charconv>
#include <csignal>
#include <stdexcept>

#include <sys/signalfd.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QSocketNotifier>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextStream>
#include <QTimer>

#include "shell/MainWindow.h"

namespace varkelon {

namespace {

sigset_t dumpSignal() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGUSR1);
    return set;
}

// Round-trips a float exactly: 9 significant digits are always enough. With
// a decimal point in every locale, as the checker reads it.
QString exact(float value) {
    char text[32];
    const std::to_chars_result written = std::to_chars(
        text, text + sizeof text, static_cast<double>(value), std::chars_format::general, 9);
    return QString::fromLatin1(text, written.ptr - text);
}

template <class Control>
const Control& control(const MainWindow& form, const char* name) {
    const auto* found = form.findChild<const Control*>(QString::fromLatin1(name));
    if (found == nullptr)
        throw std::runtime_error(std::string("the window has no control ") + name);
    return *found;
}

}  // namespace

void WidgetDump::blockSignal() {
    const sigset_t set = dumpSignal();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

WidgetDump::WidgetDump(const MainWindow& form, QString path) : form_(form), path_(std::move(path)) {
    const sigset_t set = dumpSignal();
    signalFd_ = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
    if (signalFd_ < 0)
        throw std::runtime_error("signalfd failed");
    notifier_ = new QSocketNotifier(signalFd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &WidgetDump::signalled);
}

WidgetDump::~WidgetDump() {
    delete notifier_;
    ::close(signalFd_);
}

void WidgetDump::signalled() {
    signalfd_siginfo info;
    while (::read(signalFd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
    }
    write();
}

// One "key<TAB>value" a line. Written to a temporary file and renamed, so
// that a reader never sees half a dump.
void WidgetDump::write() const {
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return;
    QTextStream out(&file);
    out.setEncoding(QStringConverter::Utf8);

    // The widgets, as the user sees them.
    for (const char* name :
         {"Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8", "Edit9", "Edit10"})
        out << name << '\t' << control<QLineEdit>(form_, name).text() << '\n';
    // The table as the form lays it out: titles in row 0, channels in column 0.
    const auto& grid = control<QTableWidget>(form_, "StringGrid1");
    for (int row = 0; row <= grid.rowCount(); ++row) {
        for (int column = 0; column <= grid.columnCount(); ++column) {
            const QTableWidgetItem* item =
                row == 0      ? (column == 0 ? nullptr : grid.horizontalHeaderItem(column - 1))
                : column == 0 ? grid.verticalHeaderItem(row - 1)
                              : grid.item(row - 1, column - 1);
            out << "cell " << column << ' ' << row << '\t' << (item ? item->text() : QString())
                << '\n';
        }
    }
    out << "Memo2\t" << control<QLineEdit>(form_, "Memo2").text() << '\n';
    // The clipboard's text on one line: tabs as \t, line ends as |.
    QString clipboard = QApplication::clipboard()->text();
    clipboard.replace(QLatin1Char('\t'), QStringLiteral("\\t"))
        .replace(QLatin1Char('\n'), QLatin1Char('|'));
    out << "clipboard\t" << clipboard << '\n';
    out << "clipboardImage\t" << QApplication::clipboard()->image().width() << 'x'
        << QApplication::clipboard()->image().height() << '\n';
    for (const char* name : {"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4",
                             "RadioButton5", "RadioButton6"})
        out << name << '\t' << int(control<QRadioButton>(form_, name).isChecked()) << '\n';
    const auto& pages = control<QTabWidget>(form_, "PageControl1");
    out << "page\t" << pages.currentIndex() << '\n';
    // Where a user would click each tab, in the window's coordinates.
    for (int tab = 0; tab < pages.count(); ++tab) {
        const QPoint centre = pages.tabBar()->mapTo(&form_, pages.tabBar()->tabRect(tab).center());
        out << "tab " << tab << '\t' << centre.x() << ' ' << centre.y() << '\n';
    }
    out << "timer1Active\t" << int(form_.timer().isActive()) << '\n';
    // The right end of the tab row, and the labels whose caption is cut.
    out << "tabsEnd\t" << pages.tabBar()->mapTo(&form_, pages.tabBar()->tabRect(2).topRight()).x()
        << '\n';
    QStringList cut;
    for (const QLabel* label : form_.findChildren<const QLabel*>()) {
        if (label->fontMetrics().horizontalAdvance(label->text()) > label->width())
            cut.append(label->objectName());
    }
    out << "cut\t" << cut.join(QLatin1Char(' ')) << '\n';
    const QWidget* focused = QApplication::focusWidget();
    out << "focus\t" << (focused ? focused->objectName() : QString()) << '\n';
    out << "speed\t" << control<QScrollBar>(form_, "ScrollBar1").value() << '\n';
    out << "lamp\t" << form_.lampColour().name() << '\n';
    // The caption language: the language box's choice and a caption it sets.
    out << "language\t" << control<QComboBox>(form_, "ComboBox1").currentText() << '\n';
    out << "Button1 caption\t" << control<QPushButton>(form_, "Button1").text() << '\n';

    // The model, in full precision.
    if (const TeachingModel* model = form_.model()) {
        const Network& network = model->network;
        const std::int32_t slot = network.timeSlot;
        out << "iteration\t" << model->manager.iteration << '\n';
        out << "hiddenCount\t" << network.hiddenCount << '\n';
        out << "estimation\t" << exact(network.estimation) << '\n';
        out << "noiseLevel\t" << exact(model->plant.noiseLevel) << '\n';
        out << "estimationIndex\t" << network.estimationIndex << '\n';
        out << "outputCount\t" << network.outputCount << '\n';
        for (std::int32_t o = 0; o < network.outputCount; ++o) {
            out << "plant " << o << '\t' << exact(model->plant.outputs[o]) << '\n';
            out << "network " << o << '\t' << exact(network.outputs[o][slot]) << '\n';
            out << "error " << o << '\t' << exact(network.errors[o][slot]) << '\n';
        }
    }
    out.flush();
    file.commit();
}

}  // namespace varkelon
