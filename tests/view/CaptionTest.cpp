// The two caption tables: 31 slots, written in table order, nothing else.

#include <gtest/gtest.h>

#include "FakeWindow.h"

namespace varkelon::test {
namespace {

// The texts of the 31 slots, in the order of the enumeration.
const std::vector<std::string> kEnglish = {"  Varkelon",
                                           "Teaching Dynamics",
                                           "Graph",
                                           "Estimation",
                                           "Table",
                                           "Object",
                                           "Neuronet",
                                           "Net Mistakes",
                                           "Iteration",
                                           "Iteration",
                                           "Iteration",
                                           "Estimation",
                                           "Estimation",
                                           "Estimation",
                                           "Noise",
                                           "Noise",
                                           "Noise",
                                           "Running",
                                           "Sliding",
                                           "Adjustment",
                                           "Teaching Regime",
                                           "Static",
                                           "Dynamic",
                                           "Quantity of Neurons",
                                           "Commands",
                                           "Teaching",
                                           "Speed",
                                           "Stop",
                                           "Step",
                                           "Quickly",
                                           "Exit"};

const std::vector<std::string> kRussian = {"  Varkelon",
                                           "Динамика обучения",
                                           "График",
                                           "Оценка",
                                           "Таблица",
                                           "Объект",
                                           "Нейросеть",
                                           "Ошибки сети",
                                           "Итерация",
                                           "Итерация",
                                           "Итерация",
                                           "Оценка",
                                           "Оценка",
                                           "Оценка",
                                           "Шум",
                                           "Шум",
                                           "Шум",
                                           "Бегущая",
                                           "Скользящая",
                                           "Настройки",
                                           "Режим обучения",
                                           "Статический",
                                           "Динамический",
                                           "Число нейронов",
                                           "Команды",
                                           "Обучение",
                                           "Скорость",
                                           "Стоп",
                                           "Шаг",
                                           "Быстро",
                                           "Выход"};

// What the window was told: "slot=text" for each caption written.
std::vector<std::string> written(const std::vector<std::string>& texts) {
    std::vector<std::string> log;
    for (std::size_t slot = 0; slot < texts.size(); ++slot)
        log.push_back(std::to_string(slot) + "=" + texts[slot]);
    return log;
}

struct Captions : ViewerFixture, testing::Test {};

TEST_F(Captions, EachLanguageWritesItsThirtyOneSlotsInOrderAndNothingElse) {
    viewer.languageChosen(CaptionLanguage::Russian);
    EXPECT_EQ(window.log, written(kRussian));
    window.log.clear();
    viewer.languageChosen(CaptionLanguage::English);
    EXPECT_EQ(window.log, written(kEnglish));
}

TEST_F(Captions, SwitchingChangesNoDrawingOrState) {
    // A Running picture drawn in full: the next one would be a step.
    lesson.showPage(Page::Estimation);
    lesson.choosePlot(PlotMode::Running);
    viewer.refresh();
    ASSERT_EQ(viewer.fullRedraw(), 0);
    const PixelImage before = window.images[1];
    viewer.languageChosen(CaptionLanguage::Russian);
    EXPECT_EQ(viewer.fullRedraw(), 0);
    EXPECT_TRUE(differences(window.images[1], before).empty());
    EXPECT_EQ(window.readouts[0][0], "stale");
}

}  // namespace
}  // namespace varkelon::test
