#include "WindowOptions.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <iterator>

#include "tools/TeachOptions.h"

namespace varkelon {

namespace {

// The toolkit's own options, which the program has always taken and
// ignored: these are followed by a value (or carry it after "=") ...
constexpr std::string_view kToolkitOptionsWithValue[] = {
    "-style",        "-stylesheet",    "-platform",        "-platformpluginpath",
    "-plugin",       "-platformtheme", "-qwindowgeometry", "-qwindowicon",
    "-qwindowtitle", "-session",       "-display",         "-geometry",
    "-title",        "-name"};
// ... these take none ...
constexpr std::string_view kToolkitFlags[] = {"-reverse", "-widgetcount", "-nograb", "-dograb",
                                              "-sync"};
// ... and these carry theirs after "=" only.
constexpr std::string_view kToolkitOptionsWithJoinedValue[] = {"-qmljsdebugger", "-dialogs",
                                                               "-fontengine"};

template <std::size_t N>
bool oneOf(std::string_view name, const std::string_view (&names)[N]) {
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

// A plain decimal factor such as "2" or "1.25" within the scale range: no
// sign, no exponent, no locale's decimal comma.
std::optional<double> parseScale(std::string_view text) {
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto digitsOnly = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (whole.empty() || text.size() > 12 || !digitsOnly(whole) || !digitsOnly(fraction))
        return std::nullopt;
    if (point != std::string_view::npos && fraction.empty())
        return std::nullopt;
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    if (value < kMinWindowScale || value > kMaxWindowScale)
        return std::nullopt;
    return value;
}

bool isRussianLocale(std::string_view locale) {
    return locale.substr(0, 2) == "ru";
}

}  // namespace

std::string_view messagesLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return {};
}

std::string_view windowUsage() {
    return "Usage: varkelon [--clock SECONDS] [--scale FACTOR] [--language en|ru]\n"
           "Opens the Varkelon window, in which a small recurrent network learns on line\n"
           "to predict a simulated plant of 17 channels.\n"
           "\n"
           "  --clock SECONDS    calendar time in whole seconds that every seeding reads,\n"
           "                     0 to 4294967295 (default: the real clock), as with\n"
           "                     varkelon-teach --clock: a lesson can be run again\n"
           "  --scale FACTOR     draw the whole window FACTOR times its size at 96 dpi,\n"
           "                     0.5 to 4, whatever the desktop's own scale (for example\n"
           "                     1.5 on a classroom projector); lowered, with a message,\n"
           "                     to the largest factor that fits the screen\n"
           "  --language en|ru   captions at start in English or Russian (default: ru\n"
           "                     where LC_ALL, else LC_MESSAGES, else LANG starts with\n"
           "                     \"ru\", else en)\n"
           "  --help             show this text and exit\n"
           "  --version          show the version and exit\n"
           "\n"
           "An option's value may also follow an equals sign (--clock=0); each option may\n"
           "be given once. The toolkit's own options (-style, -reverse, ...) are taken\n"
           "and ignored.\n"
           "Bad arguments give a one-line message on standard error and exit status 2.\n";
}

WindowParse parseWindowOptions(const std::vector<std::string_view>& arguments,
                               std::string_view messagesLocale) {
    WindowParse result;
    WindowOptions options;
    options.language =
        isRussianLocale(messagesLocale) ? WindowLanguage::Russian : WindowLanguage::English;
    auto fail = [&result](std::string message) {
        result.error = "varkelon: " + std::move(message);
        return result;
    };

    std::vector<std::string_view> given;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string_view word = arguments[index];
        if (word.size() > 1 && word[0] == '-' && word[1] != '-') {
            const std::string_view name = word.substr(0, word.find('='));
            const bool joinedValue = name.size() < word.size();
            if (oneOf(word, kToolkitFlags) ||
                (joinedValue && (oneOf(name, kToolkitOptionsWithValue) ||
                                 oneOf(name, kToolkitOptionsWithJoinedValue))))
                continue;
            if (oneOf(word, kToolkitOptionsWithValue)) {
                ++index;  // its value, if any
                continue;
            }
        }
        const auto [argument, joinedValue] = splitOptionWord(word);
        const bool isFlag = argument == "--help" || argument == "--version";
        const bool takesValue =
            argument == "--clock" || argument == "--scale" || argument == "--language";
        if (!isFlag && !takesValue)
            return fail("unknown argument " + quoted(word) + " (see --help)");
        if (isFlag && joinedValue)
            return fail(std::string(argument) + " takes no value, not " + quoted(word));
        if (isFlag) {
            options.help = argument == "--help";
            options.version = argument == "--version";
            result.options = options;
            return result;
        }
        if (std::find(given.begin(), given.end(), argument) != given.end())
            return fail(std::string(argument) + " may be given only once");
        given.push_back(argument);
        if (!joinedValue && index + 1 >= arguments.size())
            return fail(std::string(argument) + " needs a value");
        const std::string_view value = joinedValue ? *joinedValue : arguments[++index];

        if (argument == "--clock") {
            options.clock = parseClockSeconds(value);
            if (!options.clock)
                return fail("--clock expects whole seconds from 0 to 4294967295, not " +
                            quoted(value));
        } else if (argument == "--scale") {
            options.scale = parseScale(value);
            if (!options.scale)
                return fail("--scale expects a factor from 0.5 to 4, such as 1.5, not " +
                            quoted(value));
        } else if (value == "en" || value == "ru") {
            options.language = value == "ru" ? WindowLanguage::Russian : WindowLanguage::English;
        } else {
            return fail("--language expects en or ru, not " + quoted(value));
        }
    }
    result.options = options;
    return result;
}

}  // namespace varkelon
