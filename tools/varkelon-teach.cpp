// varkelon-teach: teaches the network without a window and prints the
// course of the teaching as CSV, one row per cycle.

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "OutputBuffer.h"
#include "TeachOptions.h"
#include "TeachRow.h"
#include "TeachingRun.h"

#ifndef VARKELON_VERSION
#error "VARKELON_VERSION must give the program's version"
#endif

using namespace varkelon;

namespace {

// One line on standard error and status 1: a full disk or a closed output
// ends the run at once instead of after the last cycle.
int writeFailed(const OutputBuffer& out) {
    std::fprintf(stderr, "varkelon-teach: cannot write the output: %s\n",
                 std::strerror(out.error()));
    return 1;
}

void appendRow(OutputBuffer& out, TeachRowWriter& writer, const TeachRow& row) {
    char* place = out.reserve(kMaxTeachRowLength);
    out.commit(writer.write(row, place));
}

int teach(const TeachOptions& options) {
    OutputBuffer out(STDOUT_FILENO);
    TeachingRun run(options.clock, options.regime, options.switches, options.neurons,
                    options.kernels.value_or(bestKernelBuild()));
    run.reset();

    out.append(kTeachHeader);
    TeachRowWriter writer;
    if (!options.quiet || options.cycles == 0)
        appendRow(out, writer, run.row());
    // Written now, so that an output that cannot take anything is found
    // before the first cycle, also with --quiet.
    if (!out.flush())
        return writeFailed(out);

    const std::int64_t last = options.cycles;
    const bool quiet = options.quiet;
    run.run(options.cycles, [&out, &writer, last, quiet](const TeachRow& row) {
        if (quiet && row.iteration != last)
            return true;
        appendRow(out, writer, row);
        return !out.failed();
    });
    if (!out.flush())
        return writeFailed(out);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const TeachParse parse = parseTeachOptions(arguments);
    if (!parse.options) {
        std::fprintf(stderr, "%s\n", parse.error.c_str());
        return 2;
    }
    if (parse.options->help || parse.options->version) {
        const std::string_view text =
            parse.options->help ? teachUsage() : "varkelon-teach " VARKELON_VERSION "\n";
        OutputBuffer out(STDOUT_FILENO);
        out.append(text);
        return out.flush() ? 0 : writeFailed(out);
    }
    return teach(*parse.options);
}
