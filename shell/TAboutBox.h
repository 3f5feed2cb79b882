#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace varkelon {

// The about box: a picture, the product's name and its version. Made afresh
// for every showing; it holds no state and changes nothing.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QPushButton& okButton() const { return *OKButton; }

private:
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Notice = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Comments = nullptr;
    QPushButton* OKButton = nullptr;
};

}  // namespace varkelon
