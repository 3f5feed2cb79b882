#include "TeachingRegime.h"

#include <string>

namespace varkelon {

std::string_view regimeName(TeachingRegime regime) {
    return kRegimeNames[static_cast<std::size_t>(regime)];
}

std::optional<TeachingRegime> regimeFromName(std::string_view name) {
    for (TeachingRegime regime : kTeachingRegimes) {
        if (name == regimeName(regime))
            return regime;
    }
    return std::nullopt;
}

std::string_view regimeChoices() {
    static const std::string choices = [] {
        std::string text;
        for (std::size_t n = 0; n < kRegimeNames.size(); ++n) {
            if (n > 0)
                text.append(n + 1 == kRegimeNames.size() ? " or " : ", ");
            text.append(kRegimeNames[n]);
        }
        return text;
    }();
    return choices;
}

}  // namespace varkelon
