#pragma once

#include <cstdint>
#include <exception>
#include <type_traits>
#include <memory>

#include <QColor>
#include <QImage>
#include <QWidget>

#include "model/TeachingModel.h"
#include "model/TeachingRegime.h"
#include "shell/ErrorDisplay.h"
#include "shell/FormParts.h"
#include "shell/ShellWords.h"
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

class PaintBox;
class UpDown;

// The main window: every control of the form at its fixed place, the
// handlers of the teaching commands, and the owner of the model objects and
// the Viewer, which draws on the window through its ViewerWindow side.
// One class in five files, one per job: TForm1.cpp (construction, event
// routing), TForm1Layout.cpp, TForm1Handlers.cpp, TForm1ViewerWindow.cpp,
// TForm1Copying.cpp (the table and the pictures copied or saved).
class TForm1 : public QWidget, public ViewerWindow {
    Q_OBJECT

  public:
    // Lamp colours of the teaching modes.
    static constexpr QRgb kStoppedLamp = qRgb(255, 0, 0);
    static constexpr QRgb kQuickLamp = qRgb(0, 255, 0);
    static constexpr QRgb kStepLamp = qRgb(0, 0, 255);
    static constexpr QRgb kContinuousLamp = qRgb(255, 255, 0);
    // The border of Panel5 and Panel6 around their paint box: the panel's
    // area inside it, which the paint box fills, starts 2 pixels in.
    static constexpr int kPanelBorder = 2;

    explicit TForm1(ErrorDisplay& errors, FormParts parts = {});
    ~TForm1() override;

    // 1: ten cycles per tick. The form would keep it in Button1's tag.
    std::int32_t quickMode = 0;

    // Null until FormCreate has made them, and after FormClose.
    TeachingModel* model() const { return model_.get(); }
    Viewer* viewer() const { return viewer_.get(); }
    QTimer& timer1() const { return *Timer1; }
    QColor lampColour() const;
    // The regime radio buttons, read afresh at every call.
    TeachingRegime currentRegime() const;

    void FormCreate();
    void FormClose();
    void Button1Click();  // Quickly
    void Button2Click();  // Exit
    void Button3Click();  // Step
    void Button4Click();  // Stop
    void Button5Click();  // ?: the about box
    void ScrollBar1Enter();
    void Timer1Timer();
    void UpDown1MouseUp();
    void Memo2Exit();
    void RadioButton5Click();
    void RadioButton6Click();
    void PageControl1MouseUp();
    void ComboBox1Change(int index);
    // The context menus: the table's copy, the pictures' copy and save.
    void copyTable();
    void copyPicture(Page page);
    void savePicture(Page page);
    // Selects item `index` of the language box as a user would, before the
    // window is shown: the box shows it and its change handler runs.
    void chooseLanguage(int index);

    // ViewerWindow
    bool isPageVisible(Page page) const override;
    bool isRunningChecked() const override;
    bool isSlidingChecked() const override;
    QImage& paintBoxImage(Page page) override;
    int paintBoxLeft(Page page) const override;
    void repaintPaintBox(Page page) override;
    void paintBoxChanged(Page page) override;
    QImage& offscreenBitmap() override { return offscreenBitmap_; }
    QColor windowColour() const override { return windowColour_; }
    void setReadout(Page page, Readout readout, const QString& text) override;
    void setTableCell(int column, int row, const QString& text) override;
    // Throws std::logic_error for a name of no control that takes a caption.
    void setCaption(std::string_view controlName, const QString& text) override;

    // The pictures and the table as the user copies or saves them: the
    // paint box at the screen's pixel ratio, and tab-separated text of the
    // selected cells (all of them when none is selected) with the titles.
    QImage picture(Page page) const;
    QString tableText() const;

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
    void buildStringGrid1();
    void buildAdjustment();
    void buildCommands();
    void setTabOrder();
    void connectHandlers();
    void nameControlsForAssistiveTechnology();
    // Runs a handler and shows what it throws. Qt's widgets are built
    // without exception support, so an exception must not unwind through
    // them: it would skip their clean-ups. The application's notify catches
    // whatever escapes elsewhere.
    template <class Handler>
    void guarded(Handler handler);

    // The model objects, the Viewer and the bitmap all exist.
    bool teachingReady() const;
    // Steps shared by the start commands: the lamp, then a rebuild when the
    // run is not built. False when the window has no model to teach.
    bool beginStart(QRgb lamp);
    void setLamp(QRgb colour);
    // Switching on an already running timer leaves its period alone.
    void switchTimer1On();
    // A new interval restarts the period; the same one must not.
    void setTimer1Interval(int milliseconds);
    PaintBox& paintBox(Page page) const;
    // Whether a mouse release on the page control was on its tab row.
    bool releasedOnTabs(QObject* watched, const QMouseEvent* event) const;
    // The page on view changed, by a click or otherwise.
    void pageChanged();
    // The box and the spinner show the network's count, as after a rebuild.
    void showNeuronCount();
    // The words the window itself says (the lamp's mode, the spinner's
    // arrows, the menus) in the caption language of the moment.
    const ShellWords& words() const;
    void nameTheLamp();
    void showTableMenu(const QPoint& where);
    void showPictureMenu(Page page, const QPoint& where);
    void turnPage(int by);
    // A readout's text goes out only when it changes; while a quick tick runs
    // its ten cycles, only the last cycle's texts are written.
    void writeReadout(QLineEdit& edit, const QString& text);
    void flushHeldReadouts();

    ErrorDisplay& errors_;
    FormParts parts_;
    QColor windowColour_;

    std::unique_ptr<TeachingModel> model_;
    std::unique_ptr<Viewer> viewer_;
    QImage offscreenBitmap_;
    bool shownOnce_ = false;
    bool russianCaptions_ = false;
    // A start command has run since the window opened.
    bool startedOnce_ = false;
    // The speed bar was pressed while the window was inactive.
    bool speedBarClickedInactive_ = false;
    // Set while a quick tick runs: readout texts wait in heldReadouts_.
    bool holdingReadouts_ = false;
    QString heldReadouts_[3][3];
    bool readoutHeld_[3][3] = {};

    // The controls, by their form names.
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QLabel* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
    QLabel* Panel3 = nullptr;
    QLabel* Panel4 = nullptr;
    QFrame* Panel5 = nullptr;
    QFrame* Panel6 = nullptr;
    PaintBox* PaintBox1 = nullptr;
    PaintBox* PaintBox2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QGroupBox* RadioGroup1 = nullptr;
    QGroupBox* RadioGroup2 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QRadioButton* RadioButton4 = nullptr;
    QRadioButton* RadioButton5 = nullptr;
    QRadioButton* RadioButton6 = nullptr;
    QButtonGroup* regimeButtons_ = nullptr;
    QButtonGroup* plotButtons_ = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QLineEdit* Memo2 = nullptr;
    UpDown* UpDown1 = nullptr;
    QFrame* Memo1 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QLineEdit* Edit9 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QTableWidget* StringGrid1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QTimer* Timer1 = nullptr;
};

template <class Handler>
void TForm1::guarded(Handler handler) {
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
