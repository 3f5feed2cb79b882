#include "ScriptOutput.h"

#include <string>

namespace varkelon {

void ScriptOutput::showReadout(Page page, Readout readout, std::string_view text) {
    page_.call<void>("showReadout", static_cast<int>(page), static_cast<int>(readout),
                     std::string(text));
}

void ScriptOutput::showTableCell(int column, int row, std::string_view text) {
    page_.call<void>("showTableCell", column, row, std::string(text));
}

void ScriptOutput::showCaption(CaptionSlot slot, std::string_view text) {
    page_.call<void>("showCaption", static_cast<int>(slot), std::string(text));
}

void ScriptOutput::showPicture(Page page, bool now) {
    page_.call<void>("showPicture", static_cast<int>(page), now);
}

}  // namespace varkelon
