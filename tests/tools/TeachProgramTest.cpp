// The varkelon-teach program itself, run as a child process: exit status,
// what goes to which stream, the CSV it prints, and that two runs agree.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/TeachingModel.h"
#include "tools/TeachOptions.h"

#ifndef VARKELON_TEACH_PROGRAM
#error "VARKELON_TEACH_PROGRAM must name the varkelon-teach executable"
#endif

namespace varkelon {
namespace {

const char* const kHeader = "iteration,regime,hiddenCount,estimation,learningRate,noiseLevel";

struct ProgramRun {
    int status = -1;  // exit status
    std::string out;
    std::string err;
};

// Single quotes for the shell.
std::string quoted(const std::string& text) {
    std::string result(1, '\'');
    for (char c : text) {
        if (c == '\'') {
            result.append("'\\''");
        } else {
            result.push_back(c);
        }
    }
    result.push_back('\'');
    return result;
}

// `redirect` is added to the shell command, for example ">/dev/full".
ProgramRun runProgram(const std::vector<std::string>& arguments, const std::string& redirect = "") {
    char errPath[] = "/tmp/varkelon-teach-test-XXXXXX";
    const int errFile = mkstemp(errPath);
    EXPECT_GE(errFile, 0);
    close(errFile);

    std::string command = quoted(VARKELON_TEACH_PROGRAM);
    for (const std::string& argument : arguments) {
        command.push_back(' ');
        command.append(quoted(argument));
    }
    command.append(" 2>");
    command.append(quoted(errPath));
    if (!redirect.empty())
        command.append(" " + redirect);

    ProgramRun result;
    FILE* pipe = popen(command.c_str(), "r");
    EXPECT_NE(pipe, nullptr);
    if (pipe == nullptr)
        return result;
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.out.append(buffer, got);
    const int wait = pclose(pipe);
    result.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;

    std::ifstream errStream(errPath);
    std::stringstream errText;
    errText << errStream.rdbuf();
    result.err = errText.str();
    std::remove(errPath);
    return result;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream stream(text);
    while (std::getline(stream, part, separator))
        parts.push_back(part);
    return parts;
}

std::string format9(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

// The row the program should print for the model's current state.
std::string expectedRow(const TeachingModel& model, TeachingRegime regime) {
    return std::to_string(model.manager.iteration) + "," + std::string(regimeName(regime)) + "," +
           std::to_string(model.network.hiddenCount) + "," + format9(model.network.estimation) +
           "," + format9(model.network.learningRate) + "," + format9(model.plant.noiseLevel);
}

TEST(TeachProgram, BadArgumentsExitTwoWithAMessageAndNoOutput) {
    const std::vector<std::vector<std::string>> bad = {
        {"--clock", "0", "--cycles", "1", "--bogus"},
        {"--clock", "0", "--cycles"},
        {"--clock", "0", "--cycles", "1", "--regime", "square"},
        {"--clock", "0", "--cycles", "1", "--kernels", "fastest"},
        {"--clock", "0", "--cycles", "1", "--switch", "0:sin"},
        {"--clock", "0", "--cycles", "1", "--neurons", "0:5"},
        {"--clock", "0", "--cycles", "1", "--neurons", "3:11"},
        {"--clock", "0", "--cycles", "1", "--neurons", "3:0"},
        {"--clock", "ten", "--cycles", "1"},
        {"--clock", "0", "--cycles", "1e3"},
        {"--cycles", "1"},
        {"--clock", "0"},
        {},
    };
    for (const auto& arguments : bad) {
        std::vector<std::string_view> views(arguments.begin(), arguments.end());
        const std::string message = parseTeachOptions(views).error;
        ASSERT_FALSE(message.empty());
        const ProgramRun result = runProgram(arguments);
        EXPECT_EQ(result.status, 2) << message;
        EXPECT_EQ(result.out, "") << message;
        EXPECT_EQ(result.err, message + "\n");
    }
}

TEST(TeachProgram, HelpPrintsTheUsageAndSucceeds) {
    const ProgramRun result = runProgram({"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, teachUsage());
    EXPECT_EQ(result.out.rfind("Usage: varkelon-teach --clock SECONDS --cycles N", 0), 0u);
    EXPECT_EQ(result.err, "");
}

TEST(TeachProgram, NoCyclesPrintsTheHeaderAndRowZero) {
    const ProgramRun result = runProgram({"--clock", "0", "--cycles", "0"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    // Row 0: the reset's prediction, before any learning: rate 0.1 as a
    // float, no noise under Static.
    const std::vector<std::string> lines = split(result.out, '\n');
    ASSERT_EQ(lines.size(), 2u) << result.out;
    EXPECT_EQ(lines[0], kHeader);
    const std::vector<std::string> fields = split(lines[1], ',');
    ASSERT_EQ(fields.size(), 6u);
    EXPECT_EQ(fields[0], "0");
    EXPECT_EQ(fields[1], "static");
    EXPECT_EQ(fields[2], "7");
    EXPECT_EQ(fields[4], "0.100000001");
    EXPECT_EQ(fields[5], "0");

    TeachingModel model([] { return 0u; }, [] { return TeachingRegime::Static; });
    model.manager.reset();
    EXPECT_EQ(lines[1], expectedRow(model, TeachingRegime::Static));
    EXPECT_EQ(result.out.back(), '\n');
}

TEST(TeachProgram, RegimeNoneLearnsNothingFromNothing) {
    // No inputs are ever delivered: every output and target is 0, the
    // estimation 0, and None keeps the rate of 0.1 but clamps it.
    const ProgramRun result = runProgram({"--clock", "0", "--cycles", "2", "--regime", "none"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, std::string(kHeader) +
                              "\n"
                              "0,none,7,0,0.100000001,0\n"
                              "1,none,7,0,0.00700000022,0\n"
                              "2,none,7,0,0.00700000022,0\n");
}

// The estimations of a run's output, one per row.
std::vector<double> estimations(const std::vector<std::string>& lines) {
    std::vector<double> values;
    for (std::size_t n = 1; n < lines.size(); ++n) {
        values.push_back(std::strtod(split(lines[n], ',')[3].c_str(), nullptr));
    }
    return values;
}

TEST(TeachProgram, ThousandSinCyclesTeachTheNetworkAndRepeatByteForByte) {
    const std::vector<std::string> arguments = {"--clock", "1700000000", "--cycles",
                                                "1000",    "--regime",   "sin"};
    const ProgramRun first = runProgram(arguments);
    ASSERT_EQ(first.status, 0);
    EXPECT_EQ(first.err, "");
    const std::vector<std::string> lines = split(first.out, '\n');
    ASSERT_EQ(lines.size(), 1002u);
    EXPECT_EQ(lines[0], kHeader);

    // Every row is the model's state after that cycle, each float printed
    // with nine significant digits, which reads back as the same float.
    TeachingModel model([] { return 1700000000u; }, [] { return TeachingRegime::Sin; });
    model.manager.reset();
    for (int k = 0; k <= 1000; ++k) {
        if (k > 0)
            model.manager.step();
        const std::string& line = lines[k + 1];
        ASSERT_EQ(line, expectedRow(model, TeachingRegime::Sin)) << "row " << k;
        const std::vector<std::string> fields = split(line, ',');
        ASSERT_EQ(fields.size(), 6u);
        for (int f = 3; f < 6; ++f) {
            const float value = std::strtof(fields[f].c_str(), nullptr);
            ASSERT_EQ(format9(value), fields[f]) << "row " << k;
        }
    }

    const std::vector<double> values = estimations(lines);
    double firstSum = 0;
    double lastSum = 0;
    for (int k = 1; k <= 100; ++k)
        firstSum += values[k];
    for (int k = 901; k <= 1000; ++k)
        lastSum += values[k];
    EXPECT_LT(lastSum, 0.2 * firstSum) << "first " << firstSum / 100 << ", last " << lastSum / 100;

    const ProgramRun second = runProgram(arguments);
    EXPECT_EQ(second.status, 0);
    EXPECT_TRUE(second.out == first.out) << "two runs differ";

    // Every build of the network's hot loops prints the same bytes.
    for (KernelBuild build : kKernelBuilds) {
        if (!kernelBuildSupported(build))
            continue;
        std::vector<std::string> withKernels = arguments;
        withKernels.insert(withKernels.end(), {"--kernels", std::string(kernelBuildName(build))});
        const ProgramRun run = runProgram(withKernels);
        EXPECT_EQ(run.status, 0);
        EXPECT_TRUE(run.out == first.out) << kernelBuildName(build) << " differs";
    }

    // Quiet: the header and the last row only.
    std::vector<std::string> quietArguments = arguments;
    quietArguments.push_back("--quiet");
    const ProgramRun quiet = runProgram(quietArguments);
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.out, std::string(kHeader) + "\n" + lines[1001] + "\n");
}

TEST(TeachProgram, SwitchesAndNeuronCountsTakeEffectAtTheirCycle) {
    const ProgramRun result =
        runProgram({"--clock", "1700000000", "--cycles", "40", "--switch", "20:sin+random",
                    "--neurons", "25:10", "--switch", "10:random", "--neurons", "15:3"});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::vector<std::string> lines = split(result.out, '\n');
    ASSERT_EQ(lines.size(), 42u);

    for (int k = 0; k <= 40; ++k) {
        const std::vector<std::string> fields = split(lines[k + 1], ',');
        ASSERT_EQ(fields.size(), 6u);
        EXPECT_EQ(fields[0], std::to_string(k));
        const char* regime = k < 10 ? "static" : k < 20 ? "random" : "sin+random";
        const int hidden = k < 15 ? 7 : k < 25 ? 3 : 10;
        EXPECT_EQ(fields[1], regime) << "row " << k;
        EXPECT_EQ(fields[2], std::to_string(hidden)) << "row " << k;
        // Random is all noise; Sin + Random, never run before in this
        // program, starts at amplitude 0: all noise until cycle 100.
        EXPECT_EQ(fields[5], k < 10 ? "0" : "1") << "row " << k;
        if (k >= 10) {
            // The rate of the cycle's own rule, from its printed estimation.
            const float estimation = std::strtof(fields[3].c_str(), nullptr);
            float rate = (k < 20 ? 10 : 33) * estimation / hidden;
            if (rate > 0.007) {
                rate = 0.007f;
            } else if (!(rate >= 1e-7)) {
                rate = 1e-7f;
            }
            EXPECT_EQ(fields[4], format9(rate)) << "row " << k;
        }
    }

    // And the rows are the model's, with the changes made before each cycle.
    TeachingRegime regime = TeachingRegime::Static;
    TeachingModel model([] { return 1700000000u; }, [&regime] { return regime; });
    model.manager.reset();
    for (int k = 1; k <= 40; ++k) {
        if (k == 10)
            regime = TeachingRegime::Random;
        if (k == 20)
            regime = TeachingRegime::SinPlusRandom;
        if (k == 15)
            model.network.hiddenCount = 3;
        if (k == 25)
            model.network.hiddenCount = 10;
        model.manager.step();
        EXPECT_EQ(lines[k + 1], expectedRow(model, regime)) << "row " << k;
    }
}

TEST(TeachProgram, LaterChangesForOneCycleWin) {
    const ProgramRun result =
        runProgram({"--clock", "5", "--cycles", "3", "--switch", "2:sin", "--switch", "2:random",
                    "--neurons", "2:4", "--neurons", "2:9"});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::vector<std::string> lines = split(result.out, '\n');
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3].substr(0, 11), "2,random,9,");
    EXPECT_EQ(lines[4].substr(0, 11), "3,random,9,");
}

TEST(TeachProgram, VersionPrintsTheProgramsVersion) {
    const ProgramRun result = runProgram({"--version"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, std::string("varkelon-teach ") + VARKELON_VERSION + "\n");
    EXPECT_EQ(result.err, "");
}

// Every run below would take hours to the end: the program must give up at
// its first failed write.
TEST(TeachProgram, AnOutputThatCannotBeWrittenEndsTheRunAtOnce) {
    const std::vector<std::string> endless = {"--clock", "0", "--cycles", "2147483647"};
    std::vector<std::string> quietEndless = endless;
    quietEndless.push_back("--quiet");
    const struct {
        std::vector<std::string> arguments;
        std::string redirect;
        std::string reason;
    } cases[] = {
        {endless, ">/dev/full", "No space left on device"},
        {quietEndless, ">/dev/full", "No space left on device"},
        {endless, ">&-", "Bad file descriptor"},
        {quietEndless, ">&-", "Bad file descriptor"},
        {{"--help"}, ">/dev/full", "No space left on device"},
        {{"--version"}, ">&-", "Bad file descriptor"},
    };
    for (const auto& failing : cases) {
        const ProgramRun result = runProgram(failing.arguments, failing.redirect);
        EXPECT_EQ(result.status, 1) << failing.redirect;
        EXPECT_EQ(result.err, "varkelon-teach: cannot write the output: " + failing.reason + "\n");
    }
}

TEST(TeachProgram, AClosedPipeEndsTheRunBySigpipe) {
    // The reader goes away after the first bytes; the writer is killed by
    // SIGPIPE as any filter in a pipeline is, with nothing on stderr.
    signal(SIGPIPE, SIG_DFL);
    const std::string command =
        "exec " + quoted(VARKELON_TEACH_PROGRAM) + " --clock 0 --cycles 2147483647 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buffer[256];
    ASSERT_GT(std::fread(buffer, 1, sizeof buffer, pipe), 0u);
    const int wait = pclose(pipe);
    EXPECT_TRUE(WIFSIGNALED(wait) && WTERMSIG(wait) == SIGPIPE) << "wait status " << wait;
}

// The printed bytes of whole runs against the model's rows, stepped here
// with the changes made by hand and printed with printf's "%.9g".
TEST(TeachProgram, RunsInEveryRegimePrintTheModelsRowsByteForByte) {
    const char* names[] = {"static", "sin", "sin+random", "random", "none"};
    for (std::size_t n = 0; n < 5; ++n) {
        const std::string name = names[n];
        const TeachingRegime first = kTeachingRegimes[n];
        // Each run also switches to the next regime half-way, and drops to
        // two hidden neurons a little later.
        const TeachingRegime second = kTeachingRegimes[(n + 1) % 5];
        const ProgramRun result =
            runProgram({"--clock", "1600000000", "--cycles", "2000", "--regime", name, "--switch",
                        "1000:" + std::string(names[(n + 1) % 5]), "--neurons", "1200:2"});
        ASSERT_EQ(result.status, 0) << result.err;

        TeachingRegime regime = first;
        TeachingModel model([] { return 1600000000u; }, [&regime] { return regime; });
        model.manager.reset();
        std::string expected = std::string(kHeader) + "\n" + expectedRow(model, regime) + "\n";
        for (int k = 1; k <= 2000; ++k) {
            if (k == 1000)
                regime = second;
            if (k == 1200)
                model.network.hiddenCount = 2;
            model.manager.step();
            expected += expectedRow(model, regime) + "\n";
        }
        EXPECT_TRUE(result.out == expected) << name;
    }
}

}  // namespace
}  // namespace varkelon
