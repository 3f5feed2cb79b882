#pragma once

namespace varkelon {

// The two moments where teaching touches the screen. A build without a
// window passes no display at all.
class TeachingDisplay {
  public:
    virtual ~TeachingDisplay() = default;

    // End of a reset: the Running estimation plot must be redrawn in full,
    // and the estimation area is cleared when it is on view.
    virtual void teachingReset() = 0;
    // After a cycle's estimation, before stagnation check and learning.
    virtual void refresh() = 0;
};

}  // namespace varkelon
