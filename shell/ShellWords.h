#pragma once

namespace varkelon {

// What the main window says in words of its own, beside the captions the
// Viewer writes: the lamp's mode for those who do not see its colour, the
// spinner's arrows, and the context menus. UTF-8, in both caption languages.
struct ShellWords {
    const char* stopped;
    const char* step;
    const char* continuous;
    const char* quick;
    const char* up;
    const char* down;
    const char* copy;
    const char* copyPicture;
    const char* savePicture;
    const char* pictureFiles;
    const char* cannotSave;
    const char* about;
};

inline constexpr ShellWords kEnglishWords = {
    "Stopped",
    "Step",
    "Continuous",
    "Quick",
    "Up",
    "Down",
    "Copy",
    "Copy picture",
    "Save picture...",
    "PNG pictures (*.png)",
    "Cannot save the picture to",
    "About Varkelon",
};

inline constexpr ShellWords kRussianWords = {
    "Остановлено",
    "Шаг",
    "Непрерывно",
    "Быстро",
    "Вверх",
    "Вниз",
    "Копировать",
    "Копировать рисунок",
    "Сохранить рисунок...",
    "Рисунки PNG (*.png)",
    "Не удалось сохранить рисунок в",
    "О программе Varkelon",
};

}  // namespace varkelon
