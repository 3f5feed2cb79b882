#include "FormParts.h"

#include <utility>

#include "model/RandomGenerator.h"

namespace varkelon {

std::unique_ptr<TeachingModel> FormParts::realModel(Manager::RegimeSource regime) {
    return std::make_unique<TeachingModel>(RandomGenerator::systemSeconds, std::move(regime));
}

FormParts::ModelMaker FormParts::fixedClockModel(std::uint32_t seconds) {
    return [seconds](Manager::RegimeSource regime) {
        return std::make_unique<TeachingModel>([seconds] { return seconds; }, std::move(regime));
    };
}

PixelImage FormParts::realBitmap(QSize size) {
    return PixelImage(size.width(), size.height(), 0xffffffffu);
}

}  // namespace varkelon
