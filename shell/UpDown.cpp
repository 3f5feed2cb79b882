#include "UpDown.h"

#include <QEvent>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

namespace varkelon {

UpDown::UpDown(QWidget* parent, const QRect& geometry, QLineEdit& buddy, int minimum, int maximum,
               int position)
    : QWidget(parent),
      buddy_(buddy),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)),
      minimum_(minimum),
      maximum_(maximum),
      position_(position) {
    setGeometry(geometry);
    setFocusPolicy(Qt::NoFocus);
    const int upHeight = (geometry.height() + 1) / 2;
    up_->setGeometry(0, 0, geometry.width(), upHeight);
    down_->setGeometry(0, upHeight, geometry.width(), geometry.height() - upHeight);
    for (QToolButton* button : {up_, down_}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        button->setIconSize(QSize(6, 4));
        button->installEventFilter(this);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    nameArrows(QStringLiteral("Up"), QStringLiteral("Down"));
    // The system's spinner steps when the button goes down, and again at
    // every repeat while it is held (an auto-repeat emits pressed again).
    connect(up_, &QToolButton::pressed, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::pressed, this, [this] { stepBy(-1); });
    buddy_.setText(QString::number(position_));
}

int UpDown::position() const {
    bool number = false;
    const int typed = buddy_.text().trimmed().toInt(&number);
    if (number && typed >= minimum_ && typed <= maximum_)
        position_ = typed;
    return position_;
}

void UpDown::stepBy(int steps) {
    setPosition(position() + steps);
}

void UpDown::setPosition(int position) {
    position_ = std::clamp(position, minimum_, maximum_);
    buddy_.setText(QString::number(position_));
}

void UpDown::nameArrows(const QString& up, const QString& down) {
    up_->setAccessibleName(up);
    down_->setAccessibleName(down);
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
    // The arrow buttons take the release themselves; report it as well (the
    // step was made when the button went down).
    if (event->type() == QEvent::MouseButtonRelease && (watched == up_ || watched == down_))
        emit mouseUp();
    return QWidget::eventFilter(watched, event);
}

void UpDown::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    emit mouseUp();
}

}  // namespace varkelon
