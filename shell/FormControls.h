#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace varkelon {

// The controls of the forms as every form makes them: a form name, a parent,
// a fixed place (no layout moves it), a text in UTF-8, and a hint that the
// control shows as its tool tip (none when null).

template <class Control>
Control* place(QWidget* parent, const char* name, QRect where) {
    auto* control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(where);
    return control;
}

// The bevels of a captioned panel.
enum class Bevel { RaisedInLowered, Lowered };

QLabel* makePanel(QWidget* parent, const char* name, QRect where, const char* caption, Bevel bevel,
                  const char* hint = nullptr);
// A label as wide as its text, as the main form's labels size themselves: its
// left and top stay, its width follows every caption setLabelCaption writes.
QLabel* makeLabel(QWidget* parent, const char* name, QRect where, const char* caption,
                  const char* hint = nullptr);
// A label that keeps its rectangle whatever its text.
QLabel* makeFixedLabel(QWidget* parent, const char* name, QRect where, const char* caption);
QLineEdit* makeReadout(QWidget* parent, const char* name, QRect where, const char* value,
                       const char* hint = nullptr);
QPushButton* makeButton(QWidget* parent, const char* name, QRect where, const char* caption,
                        const char* hint = nullptr);
QRadioButton* makeRadio(QWidget* parent, const char* name, QRect where, const char* caption,
                        const char* hint = nullptr);
QGroupBox* makeGroup(QWidget* parent, const char* name, QRect where, const char* caption,
                     const char* hint = nullptr);

void setLabelCaption(QLabel& label, const QString& caption);
// A button's caption; its accessible name is the caption without padding.
void setButtonCaption(QAbstractButton& button, const QString& caption);
// Of a group of radio buttons only the selected one is a Tab stop; the
// others still take the focus when clicked.
void keepTabStopOnSelected(QButtonGroup& group);

}  // namespace varkelon
