#include "Monkey.h"

#include <iterator>
#include <string>
#include <vector>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "ModelInvariants.h"
#include "model/TeachingModel.h"
#include "shell/AboutBox.h"
#include "shell/FormParts.h"
#include "shell/MainWindow.h"
#include "shell/UpDown.h"

namespace varkelon::test {

namespace {

struct ActionKind {
    const char* name;
    int weight;
};

// How often each action comes, in the order of Monkey::Action. Step and the
// ticks are the most frequent, so that plenty of cycles run between clicks;
// Exit is rare, since it means a new window.
constexpr ActionKind kActions[] = {
    {"Quickly", 60},   {"Step", 120},     {"Stop", 50},     {"about box", 10},  {"Exit", 1},
    {"regime", 60},    {"plot mode", 40}, {"tab", 80},      {"spinner", 60},    {"language", 30},
    {"count", 60},     {"junk", 40},      {"long text", 5}, {"huge paste", 3},  {"Tab key", 60},
    {"Enter key", 40}, {"other key", 40}, {"focus", 60},    {"scroll bar", 40}, {"tick", 130},
    {"wait", 20},
};
static_assert(std::size(kActions) == 21);

// Texts a user might well type as a count, odd ones included.
const char16_t* const kCounts[] = {
    u"5",   u"10",     u"12",     u"0",       u"-3",      u"abc",         u"",
    u"7x",  u"  4",    u"+6",     u"123456",  u"0000089", u"    3 and m", u"-",
    u"+",   u"99999",  u"-99999", u"\u30009", u"\u00a08", u" ",           u"1e3",
    u"0x5", u"\u0663", u"\uff15", u"+-2",     u"\t\t9",   u"00010",       u"3.7",
};

// Characters junk is made of: digits, signs, white space of every kind,
// letters, Cyrillic, controls, a pair of surrogates and lone halves.
const char16_t kJunk[] =
    u"0123456789+-+- \t\u00a0\u2003\u3000\u2028aZ%.,e\u0416\u044f\x07\x7f"
    u"\ufeff\ufffd\xd83d\xde00\xdc00\xd800\u0663\uff11";

}  // namespace

Monkey::Monkey(RecordedErrors& errors, std::uint32_t seed)
    : errors_(errors), random_(seed), draws_(seed) {
    closer_.setSingleShot(true);
    connect(&closer_, &QTimer::timeout, this, &Monkey::closeAboutBox);
    qApp->installEventFilter(this);
    openWindow();
}

Monkey::~Monkey() {
    qApp->removeEventFilter(this);
    form_.reset();
}

template <class Control>
Control* Monkey::control(const char* name) const {
    auto* found = form_->findChild<Control*>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("no control %s", name);
    return found;
}

int Monkey::pick(int count) {
    return std::uniform_int_distribution<int>(0, count - 1)(draws_);
}

void Monkey::openWindow() {
    if (probe_)
        cycles_ += probe_->refreshes;
    probe_.reset();
    form_.reset();

    FormParts parts;
    parts.makeModel = [this](Manager::RegimeSource regime) {
        return std::make_unique<TeachingModel>([this] { return seconds_; }, std::move(regime));
    };
    form_ = std::make_unique<MainWindow>(errors_, std::move(parts));
    ++windows_;

    tabs_ = control<QTabWidget>("PageControl1")->tabBar();
    const char* const commands[] = {"Button1", "Button2", "Button3", "Button4", "Button5"};
    for (int i = 0; i < 5; ++i)
        commands_[i] = control<QPushButton>(commands[i]);
    const char* const regimes[] = {"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4"};
    for (int i = 0; i < 4; ++i)
        regimes_[i] = control<QRadioButton>(regimes[i]);
    plotModes_[0] = control<QRadioButton>("RadioButton5");
    plotModes_[1] = control<QRadioButton>("RadioButton6");
    for (QToolButton* arrow : control<UpDown>("UpDown1")->findChildren<QToolButton*>())
        arrows_[arrow->arrowType() == Qt::UpArrow ? 0 : 1] = arrow;
    memo_ = control<QLineEdit>("Memo2");
    speed_ = control<QScrollBar>("ScrollBar1");
    language_ = control<QComboBox>("ComboBox1");
    readouts_ = {control<QLineEdit>("Edit5"), control<QLineEdit>("Edit8"),
                 control<QLineEdit>("Edit2")};
    focusable_.clear();
    for (QWidget* widget : form_->findChildren<QWidget*>())
        if (widget->focusPolicy() != Qt::NoFocus && widget->isEnabled())
            focusable_.append(widget);

    probe_ = std::make_unique<ReadoutProbe>(*form_, *form_->viewer(), readouts_);
    form_->model()->manager.setDisplay(probe_.get());

    form_->show();
    form_->activateWindow();
    if (!QTest::qWaitForWindowActive(form_.get()))
        qFatal("the main window did not become active");
}

QString Monkey::summary() const {
    QStringList counts;
    for (std::size_t i = 0; i < std::size(kActions); ++i)
        counts.append(QStringLiteral("%1 %2").arg(kActions[i].name).arg(actionCounts_[i]));
    return QStringLiteral(
               "%1 actions (%2), %3 cycles, %4 about boxes, %5 windows, %6 language "
               "switches")
        .arg(actions_)
        .arg(counts.join(QStringLiteral(", ")))
        .arg(cycles())
        .arg(aboutBoxes_)
        .arg(windows_)
        .arg(languageSwitches_);
}

void Monkey::note(const QString& action) {
    recent_.append(QStringLiteral("%1: %2").arg(actions_).arg(action));
    if (recent_.size() > 30)
        recent_.removeFirst();
}

QString Monkey::act() {
    static const std::discrete_distribution<int> choose = [] {
        std::vector<int> weights;
        for (const ActionKind& kind : kActions)
            weights.push_back(kind.weight);
        return std::discrete_distribution<int>(weights.begin(), weights.end());
    }();
    std::discrete_distribution<int> chooser = choose;
    const int kind = chooser(random_);
    // Everything the action draws comes from a generator of its own, so that
    // the stream of actions is the seed's whatever state the window is in.
    draws_.seed(static_cast<std::uint32_t>(random_()));
    ++actions_;
    ++actionCounts_[kind];
    run(static_cast<Action>(kind));
    // Paint events and zero-length timers, as after any real input.
    QCoreApplication::processEvents();
    // The offscreen platform leaves the activation with a closed popup or
    // dialog; a desktop hands it back to the main window.
    if (form_->isVisible() && QApplication::activePopupWidget() == nullptr &&
        QApplication::activeModalWidget() == nullptr &&
        QApplication::activeWindow() != form_.get()) {
        form_->activateWindow();
        if (!QTest::qWaitForWindowActive(form_.get()))
            return QStringLiteral("the main window cannot be activated again");
    }
    return check();
}

void Monkey::click(QWidget* control) {
    QPoint at = control->rect().center();
    // A radio button takes clicks on its circle and its text, not beyond.
    if (qobject_cast<QRadioButton*>(control) != nullptr)
        at.setX(6);
    QTest::mouseClick(control, Qt::LeftButton, {}, at);
}

void Monkey::clickTab(int index) {
    QTest::mouseClick(tabs_, Qt::LeftButton, {}, tabs_->tabRect(index).center());
}

bool Monkey::onPage(int index) {
    if (visiblePage(*form_) == index)
        return true;
    note(QStringLiteral("tab %1 first").arg(index));
    clickTab(index);
    return false;
}

void Monkey::chooseLanguage(int index) {
    QAbstractItemView* list = language_->view();
    // The list opens on a click or on F4.
    if (chance(50)) {
        click(language_);
    } else {
        language_->setFocus(Qt::TabFocusReason);
        QTest::keyClick(language_, Qt::Key_F4);
    }
    if (QApplication::activePopupWidget() == nullptr || !list->isVisible())
        qFatal("the language list did not open");
    // The open list ignores a release that comes sooner than a double
    // click's interval: a click on an item needs that long a pause first,
    // so it is the rarer way.
    bool byKeys = false;
    if (chance(5)) {
        note(QStringLiteral("item clicked"));
        QTest::qWait(QApplication::doubleClickInterval() + 10);
        const QRect item = list->visualRect(list->model()->index(index, 0));
        QTest::mouseMove(list->viewport(), item.center());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        // Now and then the list still ignores the click; then the keys.
        if (list->isVisible())
            byKeys = true;
    } else {
        byKeys = true;
    }
    if (byKeys) {
        note(QStringLiteral("item by keys"));
        QTest::keyClick(list, index == 0 ? Qt::Key_Home : Qt::Key_End);
        QTest::keyClick(list, chance(50) ? Qt::Key_Return : Qt::Key_Enter);
    }
    ++languageSwitches_;
}

void Monkey::typeIntoMemo(const QString& text) {
    click(memo_);
    // Half the time the old text goes first, as a user selects and deletes it.
    if (chance(50)) {
        QTest::keyClick(memo_, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(memo_, Qt::Key_Delete);
    }
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar unit = text[at];
        if (unit.unicode() >= 0x20 && unit.unicode() < 0x7f) {
            QTest::keyClick(memo_, static_cast<char>(unit.unicode()));
        } else {
            // Keys no keyboard layout here has: the text alone arrives.
            QTest::sendKeyEvent(QTest::Click, memo_, Qt::Key_unknown, QString(unit),
                                Qt::NoModifier);
        }
    }
}

QString Monkey::junk(int length) {
    QString text;
    for (int i = 0; i < length; ++i)
        text += QChar(kJunk[pick(static_cast<int>(std::size(kJunk)) - 1)]);
    return text;
}

QWidget* Monkey::focusTarget() const {
    QWidget* focused = QApplication::focusWidget();
    return focused != nullptr && focused->window() == form_.get() ? focused : form_.get();
}

bool Monkey::eventFilter(QObject* watched, QEvent* event) {
    // The about box is modal: it is closed from the event loop it runs,
    // after a few milliseconds in which teachingTimer may tick behind it.
    if (event->type() == QEvent::Show && qobject_cast<AboutBox*>(watched) != nullptr)
        closer_.start(pick(4) == 0 ? pick(40) : 0);
    return QObject::eventFilter(watched, event);
}

void Monkey::closeAboutBox() {
    auto* box = qobject_cast<AboutBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
        closerFailure_ = QStringLiteral("the about box is shown but not modal");
        if (QWidget* other = QApplication::activeModalWidget())
            other->close();
        return;
    }
    if (box->windowTitle() != QStringLiteral("About"))
        closerFailure_ = QStringLiteral("the about box is captioned ") + box->windowTitle();
    ++aboutBoxes_;
    switch (pick(4)) {
        case 0:
            note(QStringLiteral("about box: OK"));
            QTest::mouseClick(&box->okButton(), Qt::LeftButton);
            break;
        case 1:
            note(QStringLiteral("about box: Enter"));
            QTest::keyClick(box, Qt::Key_Return);
            break;
        case 2:
            note(QStringLiteral("about box: Escape"));
            QTest::keyClick(box, Qt::Key_Escape);
            break;
        default:
            note(QStringLiteral("about box: close box"));
            box->close();
            break;
    }
}

void Monkey::run(Action action) {
    switch (action) {
        case Action::Quickly:
            note(QStringLiteral("click Quickly"));
            click(commands_[0]);
            break;
        case Action::Exit:
            note(QStringLiteral("click Exit"));
            click(commands_[1]);
            break;
        case Action::Step:
            note(QStringLiteral("click Step"));
            click(commands_[2]);
            break;
        case Action::Stop:
            note(QStringLiteral("click Stop"));
            click(commands_[3]);
            seconds_ += static_cast<std::uint32_t>(pick(3));
            break;
        case Action::About:
            note(QStringLiteral("click ?"));
            click(commands_[4]);
            break;
        case Action::Regime: {
            const int regime = pick(4);
            note(QStringLiteral("regime %1").arg(regime + 1));
            click(regimes_[regime]);
            break;
        }
        case Action::PlotMode:
            if (onPage(1)) {
                const int mode = pick(2);
                note(mode == 0 ? QStringLiteral("Running") : QStringLiteral("Sliding"));
                click(plotModes_[mode]);
            }
            break;
        case Action::Tab: {
            const int page = pick(3);
            note(QStringLiteral("tab %1").arg(page));
            clickTab(page);
            break;
        }
        case Action::Arrow: {
            const int arrow = pick(2);
            note(arrow == 0 ? QStringLiteral("spinner up") : QStringLiteral("spinner down"));
            click(arrows_[arrow]);
            break;
        }
        case Action::Language:
            if (onPage(2)) {
                const int index = pick(2);
                note(QStringLiteral("language %1").arg(index));
                chooseLanguage(index);
            }
            break;
        case Action::TypeCount: {
            const QString text = QString::fromUtf16(kCounts[pick(std::size(kCounts))]);
            note(QStringLiteral("type \"%1\"").arg(text));
            typeIntoMemo(text);
            break;
        }
        case Action::TypeJunk: {
            const QString text = junk(1 + pick(12));
            note(QStringLiteral("type junk of %1 units").arg(text.size()));
            typeIntoMemo(text);
            break;
        }
        case Action::TypeLong: {
            const QString text = junk(100 + pick(300));
            note(QStringLiteral("type %1 units").arg(text.size()));
            typeIntoMemo(text);
            break;
        }
        case Action::PasteHuge: {
            // Pasted, as nobody types this much; the edit keeps 32767 units.
            const QString text = junk(5000 + pick(35000));
            note(QStringLiteral("paste %1 units").arg(text.size()));
            click(memo_);
            memo_->insert(text);
            break;
        }
        case Action::TabKey: {
            const bool back = chance(30);
            note(back ? QStringLiteral("Shift+Tab") : QStringLiteral("Tab"));
            QTest::keyClick(focusTarget(), Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
            break;
        }
        case Action::EnterKey: {
            QWidget* target = focusTarget();
            note(QStringLiteral("Enter in ") + target->objectName());
            QTest::keyClick(target, chance(50) ? Qt::Key_Return : Qt::Key_Enter);
            break;
        }
        case Action::OtherKey: {
            const Qt::Key keys[] = {
                Qt::Key_Up,  Qt::Key_Down,   Qt::Key_Left,     Qt::Key_Right,     Qt::Key_Home,
                Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Backspace, Qt::Key_Delete};
            QWidget* target = focusTarget();
            const Qt::Key key = keys[pick(std::size(keys))];
            note(QStringLiteral("key %1 in %2")
                     .arg(static_cast<int>(key), 0, 16)
                     .arg(target->objectName()));
            QTest::keyClick(target, key);
            break;
        }
        case Action::FocusMove: {
            QWidget* target = focusable_[pick(focusable_.size())];
            if (target->isVisible()) {
                note(QStringLiteral("focus to ") + target->objectName());
                target->setFocus(Qt::OtherFocusReason);
            }
            break;
        }
        case Action::ScrollBarClick: {
            const int x = pick(speed_->width());
            note(QStringLiteral("scroll bar at %1").arg(x));
            QTest::mouseClick(speed_, Qt::LeftButton, {}, QPoint(x, speed_->height() / 2));
            break;
        }
        case Action::Tick:
            // The ticks the timer would give, without waiting for them.
            if (form_->timer().isActive()) {
                const int ticks = 1 + pick(5);
                note(QStringLiteral("%1 ticks").arg(ticks));
                for (int tick = 0; tick < ticks; ++tick)
                    form_->teachOnTick();
            }
            break;
        case Action::Wait: {
            const int milliseconds = 1 + pick(25);
            note(QStringLiteral("wait %1 ms").arg(milliseconds));
            QTest::qWait(milliseconds);
            break;
        }
    }
}

QString Monkey::check() {
    if (!errors_.texts.isEmpty())
        return QStringLiteral("error box: ") + errors_.texts.join(QStringLiteral(" | "));
    if (!closerFailure_.isEmpty())
        return closerFailure_;
    if (QWidget* modal = QApplication::activeModalWidget())
        return QStringLiteral("a modal window stays open: ") + modal->objectName();
    if (QWidget* popup = QApplication::activePopupWidget())
        return QStringLiteral("a popup stays open: ") + popup->metaObject()->className();

    // Exit, by a click or by Enter on the focused button: a closed window
    // keeps nothing that could tick, and the user starts the program again.
    if (!form_->isVisible()) {
        if (form_->model() != nullptr || form_->viewer() != nullptr)
            return QStringLiteral("the closed window kept its model");
        if (form_->timer().isActive())
            return QStringLiteral("the closed window's timer is on");
        note(QStringLiteral("the window closed; a new one opens"));
        openWindow();
        return {};
    }

    if (!probe_->failure.isEmpty())
        return probe_->failure;
    if (const std::string broken = brokenInvariant(*form_->model()); !broken.empty())
        return QStringLiteral("model: ") + QString::fromStdString(broken);

    // The visible iteration readout is the model's: "0" until the first
    // start command (its rebuild), the count plus one from then on.
    const int page = visiblePage(*form_);
    const QString shown = readouts_[page]->text();
    const QString expected = probe_->resets == 0
                                 ? QStringLiteral("0")
                                 : QString::number(form_->model()->manager.iteration + 1);
    if (shown != expected)
        return QStringLiteral("page %1 shows iteration %2, not %3").arg(page).arg(shown, expected);

    // Once the memo has lost the focus it shows a count in use.
    if (QApplication::focusWidget() != memo_) {
        bool number = false;
        const int count = memo_->text().toInt(&number);
        if (!number || count < 1 || count > 10 || memo_->text() != QString::number(count))
            return QStringLiteral("Memo2 shows \"%1\" without the focus").arg(memo_->text());
    }

    // The captions follow the language chosen last; none is chosen at start.
    const bool russian = language_->currentIndex() == 1;
    const QString stop = commands_[3]->text();
    if (stop != (russian ? QStringLiteral("Стоп") : QStringLiteral("Stop")))
        return QStringLiteral("Button4 reads \"%1\" with language %2")
            .arg(stop)
            .arg(language_->currentIndex());
    return {};
}

}  // namespace varkelon::test
