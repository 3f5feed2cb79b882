#include "TAboutBox.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "shell/FormControls.h"
#include "shell/FormFont.h"
#include "shell/Placement.h"

namespace varkelon {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
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

    ProgramIcon = makeFixedLabel(panel, "ProgramIcon", {8, 8, 73, 73}, "");
    // The 320 x 240 picture is squeezed into the square, proportions lost.
    ProgramIcon->setPixmap(QPixmap(QStringLiteral(":/varkelon/picture.png")));
    ProgramIcon->setScaledContents(true);
    ProductName = makeFixedLabel(panel, "ProductName", {112, 16, 108, 20}, "Varkelon");
    // 12 points against the body's 8.
    ProductName->setFont(formFont(15));
    Version = makeFixedLabel(panel, "Version", {120, 56, 78, 13}, "Version 1.0 Beta");
    Notice = makeFixedLabel(panel, "Notice", {8, 80, 71, 13}, "MIT Licence");
    Label1 = makeFixedLabel(panel, "Label1", {128, 96, 43, 13}, "Demo");
    Comments = makeFixedLabel(panel, "Comments", {80, 120, 156, 26},
                              "A neuronet learning on-line to predict a plant.");
    Comments->setWordWrap(true);

    OKButton = makeButton(this, "OKButton", {111, 180, 75, 25}, "OK");
    OKButton->setDefault(true);
    OKButton->setFocus();
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    // Placed before it is shown, so that Qt does not place it by a guess.
    centreOnScreen(*this);
}

}  // namespace varkelon
