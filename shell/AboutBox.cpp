#include "AboutBox.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "shell/FormControls.h"
#include "shell/FormFont.h"
#include "shell/Placement.h"

namespace varkelon {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setFont(formFont());
    // A fixed dialog frame: no resizing, no help button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(298, 213);
    QPalette background = palette();
    background.setColor(QPalette::Window, background.color(QPalette::Button));
    setPalette(background);

    auto* panel = place<QFrame>(this, "Panel1", {8, 8, 281, 161});
    // Outer bevel lowered, inner raised: an etched box.
    panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    QPalette panelColours = panel->palette();
    panelColours.setColor(QPalette::Window, panelColours.color(QPalette::ToolTipBase));
    panelColours.setColor(QPalette::WindowText, QColor(0, 128, 0));
    panel->setPalette(panelColours);
    panel->setAutoFillBackground(true);

    programIcon = makeFixedLabel(panel, "ProgramIcon", {8, 8, 73, 73}, "");
    // The 320 x 240 picture is squeezed into the square, proportions lost.
    programIcon->setPixmap(QPixmap(QStringLiteral(":/varkelon/picture.png")));
    programIcon->setScaledContents(true);
    productName = makeFixedLabel(panel, "ProductName", {112, 16, 108, 20}, "Varkelon");
    // 12 points against the body's 8.
    productName->setFont(formFont(15));
    version = makeFixedLabel(panel, "Version", {120, 56, 78, 13}, "Version 1.0 Beta");
    notice = makeFixedLabel(panel, "Notice", {8, 80, 71, 13}, "MIT Licence");
    demoLabel = makeFixedLabel(panel, "Label1", {128, 96, 43, 13}, "Demo");
    comments = makeFixedLabel(panel, "Comments", {80, 120, 156, 26},
                              "A neuronet learning on-line to predict a plant.");
    comments->setWordWrap(true);

    okButton_ = makeButton(this, "OKButton", {111, 180, 75, 25}, "OK");
    okButton_->setDefault(true);
    okButton_->setFocus();
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    // Placed before it is shown, so that Qt does not place it by a guess.
    centreOnScreen(*this);
}

}  // namespace varkelon
