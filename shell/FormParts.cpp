#include "FormParts.h"

#include <stdexcept>
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

QImage FormParts::realBitmap(QSize size) {
    QImage bitmap(size, QImage::Format_RGB32);
    // QImage reports a failed allocation by being null, not by throwing.
    if (bitmap.isNull())
        throw std::runtime_error("Out of system resources");
    bitmap.fill(Qt::white);
    return bitmap;
}

}  // namespace varkelon
