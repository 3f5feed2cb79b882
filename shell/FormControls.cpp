#include "FormControls.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace varkelon {

namespace {

// Marks the labels that fit their text.
constexpr char kFitsText[] = "fitsText";

template <class Control>
Control* hinted(Control* control, const char* hint) {
    if (hint != nullptr)
        control->setToolTip(QString::fromUtf8(hint));
    return control;
}

void fitToText(QLabel& label) {
    label.resize(label.sizeHint().width(), label.height());
}

}  // namespace

QLabel* makePanel(QWidget* parent, const char* name, QRect where, const char* caption, Bevel bevel,
                  const char* hint) {
    auto* panel = place<QLabel>(parent, name, where);
    panel->setText(QString::fromUtf8(caption));
    panel->setAlignment(Qt::AlignCenter);
    // An etched box is an outer lowered bevel around an inner raised one.
    if (bevel == Bevel::RaisedInLowered) {
        panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    } else {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    panel->setLineWidth(1);
    panel->setAutoFillBackground(true);
    return hinted(panel, hint);
}

QLabel* makeLabel(QWidget* parent, const char* name, QRect where, const char* caption,
                  const char* hint) {
    auto* label = place<QLabel>(parent, name, where);
    label->setProperty(kFitsText, true);
    setLabelCaption(*label, QString::fromUtf8(caption));
    return hinted(label, hint);
}

QLabel* makeFixedLabel(QWidget* parent, const char* name, QRect where, const char* caption) {
    auto* label = place<QLabel>(parent, name, where);
    label->setText(QString::fromUtf8(caption));
    return label;
}

QLineEdit* makeReadout(QWidget* parent, const char* name, QRect where, const char* value,
                       const char* hint) {
    auto* edit = place<QLineEdit>(parent, name, where);
    edit->setText(QString::fromUtf8(value));
    edit->setReadOnly(true);
    return hinted(edit, hint);
}

QPushButton* makeButton(QWidget* parent, const char* name, QRect where, const char* caption,
                        const char* hint) {
    auto* button = place<QPushButton>(parent, name, where);
    button->setText(QString::fromUtf8(caption));
    // Enter on a focused button clicks that button, as on the system's forms.
    button->setAutoDefault(true);
    return hinted(button, hint);
}

QRadioButton* makeRadio(QWidget* parent, const char* name, QRect where, const char* caption,
                        const char* hint) {
    auto* radio = place<QRadioButton>(parent, name, where);
    setButtonCaption(*radio, QString::fromUtf8(caption));
    return hinted(radio, hint);
}

QGroupBox* makeGroup(QWidget* parent, const char* name, QRect where, const char* caption,
                     const char* hint) {
    auto* group = place<QGroupBox>(parent, name, where);
    group->setTitle(QString::fromUtf8(caption));
    return hinted(group, hint);
}

void setButtonCaption(QAbstractButton& button, const QString& caption) {
    button.setText(caption);
    // Spaces that place a caption are no part of what a screen reader says.
    const QString spoken = caption.trimmed();
    button.setAccessibleName(spoken == caption ? QString() : spoken);
}

void setLabelCaption(QLabel& label, const QString& caption) {
    label.setText(caption);
    if (label.property(kFitsText).toBool())
        fitToText(label);
}

void keepTabStopOnSelected(QButtonGroup& group) {
    const auto update = [&group] {
        for (QAbstractButton* button : group.buttons())
            button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    QObject::connect(&group, &QButtonGroup::buttonToggled, &group, update);
    update();
}

}  // namespace varkelon
