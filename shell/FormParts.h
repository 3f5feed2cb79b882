#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <QSize>

#include "model/Manager.h"
#include "model/TeachingModel.h"
#include "view/PixelImage.h"

namespace varkelon {

// How the main window makes the objects it cannot work without: the model
// objects of the run and the off-screen bitmap. The program uses the real
// clock (or the one second that --clock fixes) and a plain image; tests
// pass a fixed clock or a failing maker.
// A maker reports failure by throwing.
struct FormParts {
    using ModelMaker = std::function<std::unique_ptr<TeachingModel>(Manager::RegimeSource)>;
    using BitmapMaker = std::function<PixelImage(QSize)>;

    static std::unique_ptr<TeachingModel> realModel(Manager::RegimeSource regime);
    // Models whose every seeding reads `seconds`, as varkelon-teach's do.
    static ModelMaker fixedClockModel(std::uint32_t seconds);
    // A white image; throws when no memory is left for it.
    static PixelImage realBitmap(QSize size);

    ModelMaker makeModel = realModel;
    BitmapMaker makeBitmap = realBitmap;
};

}  // namespace varkelon
