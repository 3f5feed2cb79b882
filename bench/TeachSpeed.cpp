// varkelon-bench-teach: the run that varkelon-teach --quiet makes from the
// same options, timed. Prints one line: the kernel build, the cycles, the
// seconds they took, cycles per second and the last estimation (which
// equals varkelon-teach's, and keeps the work from being optimised away).
// The same source runs natively, in node and in a browser page, so that
// their figures compare like with like.

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "tools/TeachOptions.h"
#include "tools/TeachingRun.h"

using namespace varkelon;

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const TeachParse parse = parseTeachOptions(arguments);
    if (!parse.options || parse.options->help || parse.options->version) {
        std::fprintf(stderr, "%s\nUsage: varkelon-bench-teach OPTIONS (those of varkelon-teach)\n",
                     parse.error.c_str());
        return 2;
    }
    const TeachOptions& options = *parse.options;
    const KernelBuild kernels = options.kernels.value_or(bestKernelBuild());
    TeachingRun run(options.clock, options.regime, options.switches, options.neurons, kernels);
    run.reset();

    const auto start = std::chrono::steady_clock::now();
    const std::int64_t cycles = run.run(options.cycles, [](const TeachRow&) { return true; });
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;

    const std::string name(kernelBuildName(kernels));
    std::printf("%s %lld cycles %.3f s %.0f cycles/s estimation %.9g\n", name.c_str(),
                static_cast<long long>(cycles), seconds.count(),
                static_cast<double>(cycles) / seconds.count(),
                static_cast<double>(run.row().estimation));
    return 0;
}
