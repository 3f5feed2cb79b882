// Whole lessons as sequences of commands, with no window: after every
// command the readouts and the table hold what varkelon-teach's run of the
// same lesson gives for that cycle, and the timer does what the pace says.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../view/FakeWindow.h"
#include "lesson/Lesson.h"
#include "lesson/TickSchedule.h"
#include "tools/TeachingRun.h"

namespace varkelon::test {
namespace {

// What a face's timer was told, in order.
class RecordingTimer : public PaceTimer {
  public:
    void start() override { calls.push_back("start"); }
    void stop() override { calls.push_back("stop"); }
    void setInterval(int milliseconds) override {
        calls.push_back("interval " + std::to_string(milliseconds));
    }
    std::vector<std::string> calls;
};

enum class Do { Step, Quickly, Scroll, Tick, Stop, Regime, Spin, Type, Page };

struct Command {
    Do what;
    int value = 0;  // the regime, the count, the page
    const char16_t* text = u"";
};

// A window with no widgets: the lesson, the Viewer and the fake window.
struct Classroom {
    explicit Classroom(std::uint32_t clock) {
        lesson.makeModel([clock](Manager::RegimeSource regime) {
            return std::make_unique<TeachingModel>([clock] { return clock; }, std::move(regime));
        });
        viewer = std::make_unique<Viewer>(window, lesson);
        lesson.attachDisplay(*viewer);
        lesson.open();
    }

    void run(const Command& command) {
        switch (command.what) {
            case Do::Step:
                return lesson.step();
            case Do::Quickly:
                return lesson.startQuick();
            case Do::Scroll:
                return lesson.startContinuous();
            case Do::Tick:
                return lesson.tick();
            case Do::Stop:
                return lesson.stop();
            case Do::Regime:
                return lesson.chooseRegime(static_cast<TeachingRegime>(command.value));
            case Do::Spin:
                return lesson.chooseHiddenCount(command.value);
            case Do::Type:
                return lesson.typeHiddenCount(command.text);
            case Do::Page:
                return lesson.showPage(static_cast<Page>(command.value));
        }
    }

    const std::string& readout(Readout which) const {
        return window.readouts[static_cast<int>(lesson.page())][static_cast<int>(which)];
    }

    RecordingTimer timer;
    Lesson lesson{timer};
    FakeWindow window;
    std::unique_ptr<Viewer> viewer;
};

std::string general(int precision, float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*g", precision, static_cast<double>(value));
    return text;
}

struct LessonCase {
    const char* name;
    std::uint32_t clock;
    std::vector<Command> commands;
    // varkelon-teach's options for the same lesson, up to its first Stop.
    std::vector<RegimeSwitch> switches;
    std::vector<NeuronSetting> neurons;
};

const int kSin = static_cast<int>(TeachingRegime::Sin);
const int kRandom = static_cast<int>(TeachingRegime::Random);
const int kSinPlusRandom = static_cast<int>(TeachingRegime::SinPlusRandom);
const int kTable = static_cast<int>(Page::Table);
const int kEstimation = static_cast<int>(Page::Estimation);

const LessonCase kLessons[] = {
    {"steps and a quick tick on the graph",
     1700000000u,
     {{Do::Step}, {Do::Step}, {Do::Quickly}, {Do::Tick}, {Do::Step}},
     {},
     {}},
    {"regimes switched while teaching, on the table",
     0u,
     {{Do::Page, kTable},
      {Do::Scroll},
      {Do::Tick},
      {Do::Regime, kSin},
      {Do::Tick},
      {Do::Tick},
      {Do::Regime, kSinPlusRandom},
      {Do::Quickly},
      {Do::Tick},
      {Do::Regime, kRandom},
      {Do::Tick}},
     {{2, TeachingRegime::Sin}, {4, TeachingRegime::SinPlusRandom}, {14, TeachingRegime::Random}},
     {}},
    {"counts spun and typed while teaching, on the estimation page",
     4294967295u,
     {{Do::Page, kEstimation},
      {Do::Step},
      {Do::Spin, 3},
      {Do::Step},
      {Do::Type, 0, u" 9x"},
      {Do::Quickly},
      {Do::Tick},
      {Do::Type, 0, u"-4"},
      {Do::Tick}},
     {},
     {{2, 3}, {3, 9}, {13, 1}}},
    {"a count chosen after Stop is the rebuilt network's",
     1u,
     {{Do::Step}, {Do::Step}, {Do::Stop}, {Do::Type, 0, u"3"}, {Do::Step}, {Do::Step}},
     {},
     {}},
};

class WholeLesson : public testing::TestWithParam<LessonCase> {};

TEST_P(WholeLesson, ReadoutsAndTableFollowTheTeachingRun) {
    const LessonCase& lesson = GetParam();
    Classroom room(lesson.clock);
    TeachingRun reference(lesson.clock, TeachingRegime::Static, lesson.switches, lesson.neurons);
    reference.reset();
    bool rebuild = true;
    bool started = false;
    for (const Command& command : lesson.commands) {
        room.run(command);
        const bool starts =
            command.what == Do::Step || command.what == Do::Quickly || command.what == Do::Scroll;
        if (starts && rebuild) {
            // After a Stop the tool's run starts again, with the box's count.
            if (started) {
                reference.reset();
                reference.model().network.hiddenCount = room.lesson.hiddenCount();
            }
            rebuild = false;
        }
        started = started || starts;
        rebuild = rebuild || command.what == Do::Stop;
        while (reference.model().manager.iteration < room.lesson.model()->manager.iteration)
            reference.step();

        const TeachRow row = reference.row();
        const std::string after =
            std::string("after command ") + std::to_string(&command - lesson.commands.data());
        ASSERT_EQ(room.lesson.model()->manager.iteration, row.iteration) << after;
        if (command.what == Do::Stop || command.what == Do::Regime || command.what == Do::Spin ||
            command.what == Do::Type)
            continue;  // nothing is shown afresh
        if (command.what == Do::Step || command.what == Do::Tick) {
            // The tool applies a count with the cycle it is given for.
            EXPECT_EQ(room.lesson.hiddenCount(), row.hiddenCount) << after;
            EXPECT_EQ(room.lesson.model()->network.hiddenCount, row.hiddenCount) << after;
        }
        EXPECT_EQ(room.readout(Readout::Iteration), std::to_string(started ? row.iteration + 1 : 0))
            << after;
        EXPECT_EQ(room.readout(Readout::Estimation), general(6, row.estimation)) << after;
        EXPECT_EQ(room.readout(Readout::Noise), general(6, row.noiseLevel)) << after;
        if (room.lesson.page() == Page::Table) {
            const Network& network = reference.model().network;
            for (int channel = 0; channel < 17; ++channel) {
                const float output = network.outputs[channel][network.timeSlot];
                EXPECT_EQ(room.window.cells[2][channel + 1], Viewer::formatCell(output)) << after;
            }
        }
    }
}

void PrintTo(const LessonCase& lesson, std::ostream* out) {
    *out << lesson.name;
}

INSTANTIATE_TEST_SUITE_P(Lessons, WholeLesson, testing::ValuesIn(kLessons),
                         [](const testing::TestParamInfo<LessonCase>& info) {
                             return "lesson" + std::to_string(info.index);
                         });

TEST(Lesson, ModesAndTheTimerFollowTheCommands) {
    struct Row {
        std::vector<Do> commands;
        TeachingMode mode;
        bool quick;
        std::vector<std::string> timer;  // what the last command told the timer
    };
    const Row rows[] = {
        {{}, TeachingMode::Stopped, false, {}},
        {{Do::Quickly}, TeachingMode::Quick, true, {"interval 30", "start"}},
        {{Do::Scroll}, TeachingMode::Continuous, false, {"start"}},
        {{Do::Scroll, Do::Tick}, TeachingMode::Continuous, false, {"interval 50"}},
        {{Do::Quickly, Do::Tick}, TeachingMode::Quick, true, {"interval 50", "interval 30"}},
        {{Do::Quickly, Do::Step}, TeachingMode::SingleStep, true, {"stop"}},
        {{Do::Scroll, Do::Stop}, TeachingMode::Stopped, false, {"stop"}},
        {{Do::Step, Do::Scroll}, TeachingMode::Continuous, false, {"start"}},
        {{Do::Scroll, Do::Scroll}, TeachingMode::Continuous, false, {}},
    };
    for (const Row& row : rows) {
        Classroom room(7u);
        std::size_t told = 0;
        for (Do what : row.commands) {
            told = room.timer.calls.size();
            room.run({what});
        }
        const std::vector<std::string> last(room.timer.calls.begin() + std::ptrdiff_t(told),
                                            room.timer.calls.end());
        EXPECT_EQ(room.lesson.mode(), row.mode) << row.commands.size();
        EXPECT_EQ(room.lesson.quickMode(), row.quick) << row.commands.size();
        EXPECT_EQ(last, row.timer) << row.commands.size();
    }
}

TEST(Lesson, TheReadoutsSayZeroUntilTheFirstStart) {
    Classroom room(5u);
    for (Page page : {Page::Estimation, Page::Table, Page::Graph}) {
        room.lesson.showPage(page);
        EXPECT_EQ(room.readout(Readout::Iteration), "0");
    }
    room.lesson.step();
    EXPECT_EQ(room.readout(Readout::Iteration), "2");
}

TEST(Lesson, CommandsBeforeOpeningAndAfterClosingDoNothing) {
    RecordingTimer timer;
    Lesson lesson(timer);
    lesson.step();
    lesson.startQuick();
    lesson.tick();
    EXPECT_EQ(lesson.mode(), TeachingMode::Stopped);
    EXPECT_TRUE(timer.calls.empty());

    Classroom room(5u);
    room.lesson.startContinuous();
    room.lesson.close();
    EXPECT_EQ(room.timer.calls.back(), "stop");
    EXPECT_EQ(room.lesson.model(), nullptr);
    room.lesson.step();
    room.lesson.tick();
    EXPECT_EQ(room.timer.calls.back(), "stop");
}

}  // namespace
}  // namespace varkelon::test
