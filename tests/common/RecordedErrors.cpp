#include "RecordedErrors.h"

namespace varkelon::test {

void RecordedErrors::showText(const QString& text) {
    texts.append(text);
}

RecordedErrors& recordedErrors() {
    static RecordedErrors errors;
    return errors;
}

}  // namespace varkelon::test
