#pragma once

#include <array>

#include <QString>

#include "model/TeachingDisplay.h"

class QLineEdit;

namespace varkelon {

class MainWindow;
class Viewer;

namespace test {

// Sits between the Manager and the window's Viewer and passes both calls on
// unchanged. After every refresh a cycle made outside a quick tick, it reads
// the visible page's iteration readout, and it counts the resets.
class ReadoutProbe : public TeachingDisplay {
  public:
    // The iteration readouts by page: Graph, Estimation, Table.
    using Readouts = std::array<const QLineEdit*, 3>;

    ReadoutProbe(const MainWindow& form, Viewer& viewer, Readouts iterationReadouts);

    void teachingReset() override;
    void refresh() override;

    long resets = 0;
    long refreshes = 0;
    // The first wrong readout seen during a refresh; empty while none was.
    QString failure;

  private:
    const MainWindow& form_;
    Viewer& viewer_;
    Readouts readouts_;
};

// The page index the window's tab control shows.
int visiblePage(const MainWindow& form);

}  // namespace test
}  // namespace varkelon
