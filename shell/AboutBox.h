#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace varkelon {

// The about box: a picture, the product's name and its version. Made afresh
// for every showing; it holds no state and changes nothing.
class AboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit AboutBox(QWidget* parent = nullptr);

    QPushButton& okButton() const { return *okButton_; }

  private:
    QLabel* programIcon = nullptr;
    QLabel* productName = nullptr;
    QLabel* version = nullptr;
    QLabel* notice = nullptr;
    QLabel* demoLabel = nullptr;
    QLabel* comments = nullptr;
    QPushButton* okButton_ = nullptr;
};

}  // namespace varkelon
