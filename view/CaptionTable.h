#pragma once

#include <array>
#include <cstddef>

namespace varkelon {

// The texts that switch with the caption language, one slot each.
enum class CaptionSlot {
    WindowTitle,
    Title,  // the panel over the pages: "Teaching Dynamics"
    GraphTab,
    EstimationTab,
    TableTab,
    ObjectColumn,  // the table's column headings
    NeuronetColumn,
    MistakesColumn,
    TableIterationLabel,  // the readouts' labels, page by page
    GraphIterationLabel,
    HistoryIterationLabel,
    TableEstimationLabel,
    GraphEstimationLabel,
    HistoryEstimationLabel,
    TableNoiseLabel,
    GraphNoiseLabel,
    HistoryNoiseLabel,
    RunningButton,
    SlidingButton,
    AdjustmentHeading,
    RegimeFrame,
    StaticButton,
    DynamicHeading,
    NeuronGroup,
    CommandsHeading,
    TeachingGroup,
    SpeedLabel,
    StopButton,
    StepButton,
    QuickButton,
    ExitButton,
};

// One slot's two texts, UTF-8.
struct Caption {
    CaptionSlot slot;
    const char* english;
    const char* russian;
};

// Every slot, in the order both languages write them.
inline constexpr std::array<Caption, 31> kCaptionTable = {{
    {CaptionSlot::WindowTitle, "  Varkelon", "  Varkelon"},
    {CaptionSlot::Title, "Teaching Dynamics", "Динамика обучения"},
    {CaptionSlot::GraphTab, "Graph", "График"},
    {CaptionSlot::EstimationTab, "Estimation", "Оценка"},
    {CaptionSlot::TableTab, "Table", "Таблица"},
    {CaptionSlot::ObjectColumn, "Object", "Объект"},
    {CaptionSlot::NeuronetColumn, "Neuronet", "Нейросеть"},
    {CaptionSlot::MistakesColumn, "Net Mistakes", "Ошибки сети"},
    {CaptionSlot::TableIterationLabel, "Iteration", "Итерация"},
    {CaptionSlot::GraphIterationLabel, "Iteration", "Итерация"},
    {CaptionSlot::HistoryIterationLabel, "Iteration", "Итерация"},
    {CaptionSlot::TableEstimationLabel, "Estimation", "Оценка"},
    {CaptionSlot::GraphEstimationLabel, "Estimation", "Оценка"},
    {CaptionSlot::HistoryEstimationLabel, "Estimation", "Оценка"},
    {CaptionSlot::TableNoiseLabel, "Noise", "Шум"},
    {CaptionSlot::GraphNoiseLabel, "Noise", "Шум"},
    {CaptionSlot::HistoryNoiseLabel, "Noise", "Шум"},
    {CaptionSlot::RunningButton, "Running", "Бегущая"},
    {CaptionSlot::SlidingButton, "Sliding", "Скользящая"},
    {CaptionSlot::AdjustmentHeading, "Adjustment", "Настройки"},
    {CaptionSlot::RegimeFrame, "Teaching Regime", "Режим обучения"},
    {CaptionSlot::StaticButton, "Static", "Статический"},
    {CaptionSlot::DynamicHeading, "Dynamic", "Динамический"},
    {CaptionSlot::NeuronGroup, "Quantity of Neurons", "Число нейронов"},
    {CaptionSlot::CommandsHeading, "Commands", "Команды"},
    {CaptionSlot::TeachingGroup, "Teaching", "Обучение"},
    {CaptionSlot::SpeedLabel, "Speed", "Скорость"},
    {CaptionSlot::StopButton, "Stop", "Стоп"},
    {CaptionSlot::StepButton, "Step", "Шаг"},
    {CaptionSlot::QuickButton, "Quickly", "Быстро"},
    {CaptionSlot::ExitButton, "Exit", "Выход"},
}};

// Every slot has its entry, in the order of the enumeration.
static_assert([] {
    for (std::size_t i = 0; i < kCaptionTable.size(); ++i) {
        if (static_cast<std::size_t>(kCaptionTable[i].slot) != i)
            return false;
    }
    return kCaptionTable.back().slot == CaptionSlot::ExitButton;
}());

}  // namespace varkelon
