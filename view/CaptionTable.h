#pragma once

#include <array>

namespace varkelon {

// One target of the caption languages: a control's caption, or (with a grid
// column) a header cell of channelTable, row 0, with its two texts in UTF-8.
struct Caption {
    const char* control;
    int gridColumn;
    const char* english;
    const char* russian;
};

// The same 31 targets in the order both languages write them.
inline constexpr std::array<Caption, 31> kCaptionTable = {{
    {"Form1", 0, "  Varkelon", "  Varkelon"},
    {"Panel2", 0, "Teaching Dynamics", "Динамика обучения"},
    {"TabSheet1", 0, "Graph", "График"},
    {"TabSheet2", 0, "Estimation", "Оценка"},
    {"TabSheet3", 0, "Table", "Таблица"},
    {"StringGrid1", 1, "Object", "Объект"},
    {"StringGrid1", 2, "Neuronet", "Нейросеть"},
    {"StringGrid1", 3, "Net Mistakes", "Ошибки сети"},
    {"Label1", 0, "Iteration", "Итерация"},
    {"Label4", 0, "Iteration", "Итерация"},
    {"Label11", 0, "Iteration", "Итерация"},
    {"Label2", 0, "Estimation", "Оценка"},
    {"Label5", 0, "Estimation", "Оценка"},
    {"Label10", 0, "Estimation", "Оценка"},
    {"Label3", 0, "Noise", "Шум"},
    {"Label6", 0, "Noise", "Шум"},
    {"Label9", 0, "Noise", "Шум"},
    {"RadioButton5", 0, "Running", "Бегущая"},
    {"RadioButton6", 0, "Sliding", "Скользящая"},
    {"Panel3", 0, "Adjustment", "Настройки"},
    {"RadioGroup1", 0, "Teaching Regime", "Режим обучения"},
    {"RadioButton1", 0, "Static", "Статический"},
    {"Panel1", 0, "Dynamic", "Динамический"},
    {"GroupBox1", 0, "Quantity of Neurons", "Число нейронов"},
    {"Panel4", 0, "Commands", "Команды"},
    {"GroupBox2", 0, "Teaching", "Обучение"},
    {"Label7", 0, "Speed", "Скорость"},
    {"Button4", 0, "Stop", "Стоп"},
    {"Button3", 0, "Step", "Шаг"},
    {"Button1", 0, "Quickly", "Быстро"},
    {"Button2", 0, "Exit", "Выход"},
}};
// Every one of the 31 entries is written out.
static_assert(kCaptionTable.back().control != nullptr);

}  // namespace varkelon
