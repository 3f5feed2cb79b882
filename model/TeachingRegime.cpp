#include "TeachingRegime.h"

namespace varkelon {

std::string_view regimeName(TeachingRegime regime) {
    switch (regime) {
        case TeachingRegime::Static: return "static";
        case TeachingRegime::Sin: return "sin";
        case TeachingRegime::SinPlusRandom: return "sin+random";
        case TeachingRegime::Random: return "random";
        case TeachingRegime::None: return "none";
    }
    return "none";
}

std::optional<TeachingRegime> regimeFromName(std::string_view name) {
    for (TeachingRegime regime : kTeachingRegimes) {
        if (name == regimeName(regime)) return regime;
    }
    return std::nullopt;
}

std::string_view regimeChoices() { return "static, sin, sin+random, random or none"; }

}  // namespace varkelon
