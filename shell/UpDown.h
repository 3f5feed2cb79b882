#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace varkelon {

// An up-down spinner attached to an edit: two arrow buttons that step a
// position within [minimum, maximum] without wrapping and write it into the
// edit as decimal text. Like the system's spinner, it takes the edit's text
// as its position whenever that text is a number in range, so a count typed
// into the edit is where the next step starts from. Takes no focus.
class UpDown : public QWidget {
    Q_OBJECT

  public:
    UpDown(QWidget* parent, const QRect& geometry, QLineEdit& buddy, int minimum, int maximum,
           int position);

    int position() const;
    // Moves by steps (clamped to the range) and writes the edit's text.
    void stepBy(int steps);
    // Moves to a position (clamped to the range) and writes the edit's text.
    void setPosition(int position);
    // The arrows' names for assistive technology (they show no text).
    void nameArrows(const QString& up, const QString& down);

  signals:
    // The mouse button was released over the spinner, moved or not.
    void mouseUp();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QLineEdit& buddy_;
    QToolButton* up_;
    QToolButton* down_;
    int minimum_;
    int maximum_;
    // The last position written or stepped to.
    mutable int position_;
};

}  // namespace varkelon
