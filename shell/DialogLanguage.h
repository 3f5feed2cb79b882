#pragma once

#include <QTranslator>

namespace varkelon {

// The toolkit's own texts (the file dialog, its overwrite question, the
// message boxes' buttons, the image writer's errors) in the caption
// language: under Russian captions the toolkit's Russian translation is
// installed in the application, under English it is taken out again.
class DialogLanguage {
  public:
    DialogLanguage() = default;
    DialogLanguage(const DialogLanguage&) = delete;
    DialogLanguage& operator=(const DialogLanguage&) = delete;
    ~DialogLanguage();

    void choose(bool russian);

  private:
    QTranslator russian_;
    bool installed_ = false;
};

}  // namespace varkelon
