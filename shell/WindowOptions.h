#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varkelon {

enum class WindowLanguage { English, Russian };

// The command line of the window program, checked.
struct WindowOptions {
    std::optional<std::uint32_t> clock;  // none: every seeding reads the real clock
    std::optional<double> scale;         // none: the desktop's own scale
    // English is the form's own start; Russian starts as if "Русский" had
    // been chosen in the language box.
    WindowLanguage language = WindowLanguage::English;
    bool help = false;
    bool version = false;
};

// The range of --scale: from half size to four times, a projector's needs.
inline constexpr double kMinWindowScale = 0.5;
inline constexpr double kMaxWindowScale = 4;

struct WindowParse {
    std::optional<WindowOptions> options;  // empty when the arguments are bad
    std::string error;                     // one line naming the argument and what was expected
};

// messagesLocale picks the language when no --language is given: Russian
// when it names a Russian locale ("ru", "ru_RU.UTF-8", ...).
WindowParse parseWindowOptions(const std::vector<std::string_view>& arguments,
                               std::string_view messagesLocale);

// The locale the user reads messages in: the first of LC_ALL, LC_MESSAGES
// and LANG that is set and not empty, as the C library takes them; empty
// when none is.
std::string_view messagesLocale();

// Usage text for --help.
std::string_view windowUsage();

}  // namespace varkelon
