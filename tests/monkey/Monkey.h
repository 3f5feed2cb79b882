#pragma once

#include <cstdint>
#include <memory>
#include <random>

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include "ReadoutProbe.h"
#include "RecordedErrors.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabBar;
class QToolButton;
class QWidget;

namespace varkelon {

class MainWindow;

namespace test {

// A user who does anything at random to the real main window: clicks,
// keys, typed text, focus moves, the about box, Exit (after which a new
// window is opened), with timer ticks in between. Every choice comes from
// one generator seeded at construction, so a seed replays the same actions.
class Monkey : public QObject {
    Q_OBJECT

  public:
    Monkey(RecordedErrors& errors, std::uint32_t seed);
    ~Monkey() override;

    // One random action, then the checks of the window and its model.
    // Returns what broke, or an empty text.
    QString act();

    // The last actions, oldest first, for the report of a failure.
    QStringList recentActions() const { return recent_; }
    QString summary() const;

    long cycles() const { return cycles_ + (probe_ ? probe_->refreshes : 0); }
    int aboutBoxes() const { return aboutBoxes_; }
    int windows() const { return windows_; }
    int languageSwitches() const { return languageSwitches_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class Action {
        Quickly,
        Step,
        Stop,
        About,
        Exit,
        Regime,
        PlotMode,
        Tab,
        Arrow,
        Language,
        TypeCount,
        TypeJunk,
        TypeLong,
        PasteHuge,
        TabKey,
        EnterKey,
        OtherKey,
        FocusMove,
        ScrollBarClick,
        Tick,
        Wait
    };

    void openWindow();
    void run(Action action);
    QString check();
    void note(const QString& action);

    int pick(int count);
    bool chance(int percent) { return pick(100) < percent; }

    void click(QWidget* control);
    void clickTab(int index);
    // Shows the page when it is not on view: what a user would do first.
    bool onPage(int index);
    void chooseLanguage(int index);
    void typeIntoMemo(const QString& text);
    QString junk(int length);
    QWidget* focusTarget() const;
    void closeAboutBox();

    template <class Control>
    Control* control(const char* name) const;

    RecordedErrors& errors_;
    std::mt19937 random_;
    std::mt19937 draws_;
    // The model's clock: moves on now and then, so that rebuilds differ.
    std::uint32_t seconds_ = 1700000000u;

    std::unique_ptr<MainWindow> form_;
    std::unique_ptr<ReadoutProbe> probe_;
    QTimer closer_;
    QString closerFailure_;

    QTabBar* tabs_ = nullptr;
    QPushButton* commands_[5] = {};
    QRadioButton* regimes_[4] = {};
    QRadioButton* plotModes_[2] = {};
    QToolButton* arrows_[2] = {};
    QLineEdit* memo_ = nullptr;
    QScrollBar* speed_ = nullptr;
    QComboBox* language_ = nullptr;
    ReadoutProbe::Readouts readouts_ = {};
    QList<QWidget*> focusable_;

    QStringList recent_;
    long actions_ = 0;
    long cycles_ = 0;
    int aboutBoxes_ = 0;
    int windows_ = 0;
    int languageSwitches_ = 0;
    long actionCounts_[21] = {};
};

}  // namespace test
}  // namespace varkelon
