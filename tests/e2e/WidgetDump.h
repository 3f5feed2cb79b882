#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace varkelon {

class MainWindow;

// Writes what the window shows and what its model holds to a file each time
// the process receives SIGUSR1, so that a script driving the real window can
// compare the two. The signal arrives through a signalfd watched by the
// event loop: no code runs in a signal handler, and the dump happens between
// two events, never in the middle of a teaching cycle.
class WidgetDump : public QObject {
    Q_OBJECT

  public:
    // Blocks SIGUSR1 in the calling thread and the threads it starts later;
    // call before the application object exists.
    static void blockSignal();

    WidgetDump(const MainWindow& form, QString path);
    ~WidgetDump() override;

    WidgetDump(const WidgetDump&) = delete;
    WidgetDump& operator=(const WidgetDump&) = delete;

  private:
    void signalled();
    void write() const;

    const MainWindow& form_;
    QString path_;
    int signalFd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace varkelon
