#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <type_traits>

#include <QColor>
#include <QImage>
#include <QWidget>

#include "lesson/Lesson.h"
#include "model/TeachingModel.h"
#include "shell/DialogLanguage.h"
#include "shell/ErrorDisplay.h"
#include "shell/FormParts.h"
#include "shell/SaveDialog.h"
#include "shell/ShellWords.h"
#include "shell/TimerPace.h"
#include "view/Viewer.h"
#include "view/ViewerWindow.h"

class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;
class QTableWidget;
class QTimer;

namespace varkelon {

class ModeLamp;
class PaintBox;
class UpDown;

// The main window: every control of the form at its fixed place, each
// forwarding its events to the lesson, which owns the model, and the Viewer,
// which draws on the window through its ViewerWindow side. After a command
// the window shows what the lesson holds: the lamp, the neuron count.
// One class in five files, one per job: MainWindow.cpp (construction, event
// routing), MainWindowLayout.cpp, MainWindowHandlers.cpp, MainWindowViewerWindow.cpp,
// MainWindowCopying.cpp (the table and the pictures copied or saved).
class MainWindow : public QWidget, public ViewerWindow {
    Q_OBJECT

  public:
    // The border of graphPanel and historyPanel around their paint box: the panel's
    // area inside it, which the paint box fills, starts 2 pixels in.
    static constexpr int kPanelBorder = 2;

    explicit MainWindow(ErrorDisplay& errors, FormParts parts = {});
    ~MainWindow() override;

    Lesson& lesson() { return *lesson_; }
    const Lesson& lesson() const { return *lesson_; }
    // Null until buildModel has made them, and after takeModelDown.
    TeachingModel* model() const { return lesson_->model(); }
    Viewer* viewer() const { return viewer_.get(); }
    QTimer& timer() const { return *teachingTimer; }
    QColor lampColour() const;

    void buildModel();
    void takeModelDown();
    void startQuickTeaching();  // Quickly
    void exitProgram();         // Exit
    void teachOneStep();        // Step
    void stopTeaching();        // Stop
    void showAboutBox();        // ?: the about box
    void startContinuousTeaching();
    void teachOnTick();
    void applySpinnerCount();
    void applyTypedCount();
    void switchCaptions(int index);
    // What the table's Copy takes: Ctrl+C the selection, the menu the
    // whole table unless a range of cells is selected.
    enum class Copied { Selection, WholeUnlessRange };
    // The context menus: the table's copy, the pictures' copy and save.
    void copyTable(Copied copied = Copied::Selection);
    void copyPicture(Page page);
    void savePicture(Page page);
    // Selects item `index` of the language box as a user would, before the
    // window is shown: the box shows it and its change handler runs.
    void chooseLanguage(int index);

    // ViewerWindow
    PixelImage& paintBoxImage(Page page) override;
    int paintBoxLeft(Page page) const override;
    void repaintPaintBox(Page page) override;
    void paintBoxChanged(Page page) override;
    PixelImage& offscreenBitmap() override { return offscreenBitmap_; }
    std::uint32_t windowColour() const override { return windowColour_.rgb(); }
    void setReadout(Page page, Readout readout, std::string_view text) override;
    void setTableCell(int column, int row, std::string_view text) override;
    void setCaption(CaptionSlot slot, std::string_view text) override;

    // The pictures and the table as the user copies or saves them: the
    // paint box at the screen's pixel ratio, and tab-separated text of the
    // selected cells (all of them when none is selected) with the titles.
    QImage picture(Page page) const;
    QString tableText(Copied copied = Copied::Selection) const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    static constexpr int kGridRows = 18;

    void buildPages();
    void buildGraphPage();
    void buildEstimationPage();
    void buildTablePage();
    void buildChannelTable();
    void buildAdjustment();
    void buildCommands();
    void setTabOrder();
    void connectHandlers();
    // Runs a handler and shows what it throws. Qt's widgets are built
    // without exception support, so an exception must not unwind through
    // them: it would skip their clean-ups. The application's notify catches
    // whatever escapes elsewhere.
    template <class Handler>
    void guarded(Handler handler);

    // Shows what the lesson holds after a command: the lamp's mode, the
    // neuron count, the caption language's own words.
    void showLesson();
    PaintBox& paintBox(Page page) const;
    // Whether a mouse release on the page control was on its tab row.
    bool releasedOnTabs(QObject* watched, const QMouseEvent* event) const;
    // The page on view changed, by a click or otherwise.
    void pageChanged();
    // The words the window itself says (the lamp's mode, the spinner's
    // arrows, the menus) in the caption language of the moment.
    const ShellWords& words() const;
    // The lamp, and every name assistive technology reads, in the caption
    // language of the moment.
    void showMode();
    void nameForAssistiveTechnology();
    void showTableMenu(const QPoint& where);
    void showPictureMenu(Page page, const QPoint& where);
    void turnPage(int by);
    // A readout's text goes out only when it changes; while a quick tick runs
    // its ten cycles, only the last cycle's texts are written.
    void writeReadout(Page page, Readout readout, const QString& text);
    void flushHeldReadouts();
    // The control that shows a caption slot.
    QWidget* captionTarget(CaptionSlot slot) const;

    ErrorDisplay& errors_;
    FormParts parts_;
    QColor windowColour_;

    std::unique_ptr<TimerPace> pace_;
    std::unique_ptr<Lesson> lesson_;
    std::unique_ptr<Viewer> viewer_;
    PixelImage offscreenBitmap_;
    bool shownOnce_ = false;
    // What the window last showed of the lesson.
    TeachingMode shownMode_ = TeachingMode::Stopped;
    CaptionLanguage shownLanguage_ = CaptionLanguage::English;
    int shownCount_ = 0;
    DialogLanguage dialogLanguage_;
    SaveDialog saveDialog_;
    // The speed bar was pressed while the window was inactive.
    bool speedBarClickedInactive_ = false;
    // Set while a quick tick runs: readout texts wait in heldReadouts_.
    bool holdingReadouts_ = false;
    QString heldReadouts_[3][3];
    bool readoutHeld_[3][3] = {};

    // The controls.
    QTabWidget* pageTabs = nullptr;
    QWidget* graphPage = nullptr;
    QWidget* historyPage = nullptr;
    QWidget* tablePage = nullptr;
    QLabel* dynamicHeading = nullptr;
    QLabel* titlePanel = nullptr;
    QLabel* adjustmentHeading = nullptr;
    QLabel* commandsHeading = nullptr;
    QFrame* graphPanel = nullptr;
    QFrame* historyPanel = nullptr;
    PaintBox* graphBox = nullptr;
    PaintBox* historyBox = nullptr;
    QPushButton* quickButton = nullptr;
    QPushButton* exitButton = nullptr;
    QPushButton* stepButton = nullptr;
    QPushButton* stopButton = nullptr;
    QPushButton* aboutButton = nullptr;
    QGroupBox* regimeFrame = nullptr;
    QGroupBox* plotModeFrame = nullptr;
    QRadioButton* staticButton = nullptr;
    QRadioButton* sinButton = nullptr;
    QRadioButton* randomButton = nullptr;
    QRadioButton* sinRandomButton = nullptr;
    QRadioButton* runningButton = nullptr;
    QRadioButton* slidingButton = nullptr;
    QButtonGroup* regimeButtons_ = nullptr;
    QButtonGroup* plotButtons_ = nullptr;
    QGroupBox* neuronGroup = nullptr;
    QGroupBox* teachingGroup = nullptr;
    QGroupBox* languageGroup = nullptr;
    QLineEdit* neuronCountBox = nullptr;
    UpDown* neuronSpinner = nullptr;
    ModeLamp* modeLamp = nullptr;
    QScrollBar* speedBar = nullptr;
    QLabel* tableIterationLabel = nullptr;
    QLabel* tableEstimationLabel = nullptr;
    QLabel* tableNoiseLabel = nullptr;
    QLabel* graphIterationLabel = nullptr;
    QLabel* graphEstimationLabel = nullptr;
    QLabel* graphNoiseLabel = nullptr;
    QLabel* speedLabel = nullptr;
    QLabel* speedScaleLabel = nullptr;
    QLabel* historyNoiseLabel = nullptr;
    QLabel* historyEstimationLabel = nullptr;
    QLabel* historyIterationLabel = nullptr;
    QLineEdit* tableIteration = nullptr;
    QLineEdit* tableEstimation = nullptr;
    QLineEdit* tableNoise = nullptr;
    QLineEdit* graphIteration = nullptr;
    QLineEdit* graphEstimation = nullptr;
    QLineEdit* graphNoise = nullptr;
    QLineEdit* historyIteration = nullptr;
    QLineEdit* historyEstimation = nullptr;
    QLineEdit* historyNoise = nullptr;
    QTableWidget* channelTable = nullptr;
    QComboBox* languageBox = nullptr;
    QTimer* teachingTimer = nullptr;
};

template <class Handler>
void MainWindow::guarded(Handler handler) {
    try {
        if constexpr (std::is_member_function_pointer_v<Handler>) {
            (this->*handler)();
        } else {
            handler();
        }
    } catch (const std::exception& error) {
        errors_.show(error);
    } catch (...) {
        errors_.showUnknown();
    }
}

}  // namespace varkelon
