// The two caption tables: 31 targets, written in table order, nothing else.

#include <gtest/gtest.h>

#include "FakeWindow.h"

namespace varkelon::test {
namespace {

const std::vector<std::string> kEnglish = {"Form1=  Varkelon",
                                           "Panel2=Teaching Dynamics",
                                           "TabSheet1=Graph",
                                           "TabSheet2=Estimation",
                                           "TabSheet3=Table",
                                           "StringGrid1[1,0]=Object",
                                           "StringGrid1[2,0]=Neuronet",
                                           "StringGrid1[3,0]=Net Mistakes",
                                           "Label1=Iteration",
                                           "Label4=Iteration",
                                           "Label11=Iteration",
                                           "Label2=Estimation",
                                           "Label5=Estimation",
                                           "Label10=Estimation",
                                           "Label3=Noise",
                                           "Label6=Noise",
                                           "Label9=Noise",
                                           "RadioButton5=Running",
                                           "RadioButton6=Sliding",
                                           "Panel3=Adjustment",
                                           "RadioGroup1=Teaching Regime",
                                           "RadioButton1=Static",
                                           "Panel1=Dynamic",
                                           "GroupBox1=Quantity of Neurons",
                                           "Panel4=Commands",
                                           "GroupBox2=Teaching",
                                           "Label7=Speed",
                                           "Button4=Stop",
                                           "Button3=Step",
                                           "Button1=Quickly",
                                           "Button2=Exit"};

const std::vector<std::string> kRussian = {"Form1=  Varkelon",
                                           "Panel2=Динамика обучения",
                                           "TabSheet1=График",
                                           "TabSheet2=Оценка",
                                           "TabSheet3=Таблица",
                                           "StringGrid1[1,0]=Объект",
                                           "StringGrid1[2,0]=Нейросеть",
                                           "StringGrid1[3,0]=Ошибки сети",
                                           "Label1=Итерация",
                                           "Label4=Итерация",
                                           "Label11=Итерация",
                                           "Label2=Оценка",
                                           "Label5=Оценка",
                                           "Label10=Оценка",
                                           "Label3=Шум",
                                           "Label6=Шум",
                                           "Label9=Шум",
                                           "RadioButton5=Бегущая",
                                           "RadioButton6=Скользящая",
                                           "Panel3=Настройки",
                                           "RadioGroup1=Режим обучения",
                                           "RadioButton1=Статический",
                                           "Panel1=Динамический",
                                           "GroupBox1=Число нейронов",
                                           "Panel4=Команды",
                                           "GroupBox2=Обучение",
                                           "Label7=Скорость",
                                           "Button4=Стоп",
                                           "Button3=Шаг",
                                           "Button1=Быстро",
                                           "Button2=Выход"};

struct Captions : ViewerFixture, testing::Test {};

TEST_F(Captions, EachLanguageWritesItsThirtyOneTargetsInOrder) {
    viewer.languageChosen(1);
    EXPECT_EQ(window.log, kRussian);
    window.log.clear();
    viewer.languageChosen(0);
    EXPECT_EQ(window.log, kEnglish);
}

TEST_F(Captions, OtherControlsAndIndexesAreLeftAlone) {
    viewer.languageChosen(1);
    viewer.languageChosen(0);
    for (const std::string& write : window.log) {
        for (const char* untouched :
             {"RadioButton2", "RadioButton3", "RadioButton4", "Label8", "GroupBox3", "ComboBox1",
              "Button5", "RadioGroup2", "StringGrid1[0,", "readout"}) {
            EXPECT_NE(write.rfind(untouched, 0), 0u) << write;
        }
        // Of the grid, the three headings only: no channel labels, no data cells.
        if (write.rfind("StringGrid1[", 0) == 0) {
            EXPECT_NE(write.find(",0]="), std::string::npos) << write;
        }
    }
    window.log.clear();
    viewer.languageChosen(-1);
    viewer.languageChosen(2);
    EXPECT_TRUE(window.log.empty());
}

TEST_F(Captions, SwitchingChangesNoDrawingOrState) {
    // A Running picture drawn in full: the next one would be a step.
    window.visible = Page::Estimation;
    window.running = true;
    window.sliding = false;
    viewer.refresh();
    ASSERT_EQ(viewer.fullRedraw(), 0);
    const QImage before = window.images[1].copy();
    viewer.languageChosen(1);
    EXPECT_EQ(viewer.fullRedraw(), 0);
    EXPECT_TRUE(differences(window.images[1], before).empty());
    EXPECT_EQ(window.readouts[0][0], "stale");
}

}  // namespace
}  // namespace varkelon::test
