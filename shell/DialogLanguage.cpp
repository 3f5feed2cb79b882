#include "DialogLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace varkelon {

DialogLanguage::~DialogLanguage() {
    choose(false);
}

void DialogLanguage::choose(bool russian) {
    if (russian == installed_)
        return;
    if (!russian) {
        QCoreApplication::removeTranslator(&russian_);
        installed_ = false;
        return;
    }
    // Missing where the translations are not installed: the dialogs then
    // stay English, as the toolkit writes them.
    if (russian_.isEmpty() && !russian_.load(QStringLiteral("qtbase_ru"),
                                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    installed_ = QCoreApplication::installTranslator(&russian_);
}

}  // namespace varkelon
