#pragma once

#include <QString>

class QWidget;

namespace varkelon {

// The dialog that asks where to save a picture. It opens in the folder of the
// last save from the same window (the home folder until then), and it is the
// toolkit's own dialog, not the desktop's, so that it speaks the caption
// language.
class SaveDialog {
  public:
    // The path chosen for `fileName`, empty when the dialog was cancelled.
    QString ask(QWidget* parent, const QString& title, const QString& fileName,
                const QString& filter);

  private:
    QString folder_;
};

}  // namespace varkelon
