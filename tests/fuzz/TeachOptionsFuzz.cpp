// libFuzzer target: any command line gives either checked options or one
// clean line of error.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "tools/TeachOptions.h"

using namespace varkelon;

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The input is the argument list, one argument per line.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> arguments;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        arguments.push_back(text.substr(start, end - start));
        start = end + 1;
    }

    const TeachParse parse = parseTeachOptions(arguments);
    if (!parse.options) {
        require(parse.error.rfind("varkelon-teach: ", 0) == 0);
        require(parse.error.find('\n') == std::string::npos ||
                text.find('\n') != std::string_view::npos);
        return 0;
    }
    const TeachOptions& options = *parse.options;
    require(parse.error.empty());
    if (options.help || options.version)
        return 0;
    require(options.cycles >= 0 && options.cycles <= kMaxCycles);
    for (const RegimeSwitch& change : options.switches)
        require(change.cycle >= 1);
    for (const NeuronSetting& setting : options.neurons) {
        require(setting.cycle >= 1);
        require(setting.hiddenCount >= 1 && setting.hiddenCount <= 10);
    }
    return 0;
}
