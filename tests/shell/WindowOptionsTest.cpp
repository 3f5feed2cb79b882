// The window program's command line: what it accepts, the message for each
// kind of bad argument, the language a locale picks; and what the options
// do to the window: a fixed clock replays varkelon-teach's run, Russian
// starts as the language box's choice.
// Before Qt, whose "emit" macro would empty the run loop's callback name.
#include "tools/TeachingRun.h"

#include <cstdio>
#include <string>
#include <vector>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ShellTestSupport.h"
#include "shell/WindowOptions.h"

namespace varkelon::test {

namespace {

// What a parse gave, in one line, so that a table row states it whole.
QString outcome(const WindowParse& parse) {
    if (!parse.options)
        return QString::fromStdString(parse.error);
    const WindowOptions& options = *parse.options;
    if (options.help)
        return QStringLiteral("help");
    if (options.version)
        return QStringLiteral("version");
    QStringList parts;
    if (options.clock)
        parts << QStringLiteral("clock %1").arg(*options.clock);
    if (options.scale)
        parts << QStringLiteral("scale %1").arg(*options.scale);
    parts << (options.language == WindowLanguage::Russian ? QStringLiteral("ru")
                                                          : QStringLiteral("en"));
    return parts.join(QLatin1Char(' '));
}

QString readout(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", static_cast<double>(value));
    return QString::fromLatin1(text);
}

}  // namespace

class WindowOptionsTest : public QObject {
    Q_OBJECT

  private slots:
    void parse_data();
    void parse();
    void localeOfMessages_data();
    void localeOfMessages();
    void fixedClockReplaysTheTeachingRun();
    void russianStartsAsTheLanguageBoxsChoice();
};

void WindowOptionsTest::parse_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, QStringList arguments, const char* locale,
                        const char* expected) {
        QTest::newRow(name) << arguments << QString::fromLatin1(locale)
                            << QString::fromUtf8(expected);
    };
    row("nothing in C", {}, "C", "en");
    row("nothing in ru_RU", {}, "ru_RU.UTF-8", "ru");
    row("nothing in ru", {}, "ru", "ru");
    row("nothing in en_US", {}, "en_US.UTF-8", "en");
    row("nothing without a locale", {}, "", "en");
    row("nothing in a locale with ru inside", {}, "en_RU.UTF-8", "en");
    row("en over a Russian locale", {"--language", "en"}, "ru_RU.UTF-8", "en");
    row("ru in C", {"--language", "ru"}, "C", "ru");
    row("clock 0", {"--clock", "0"}, "C", "clock 0 en");
    row("largest clock", {"--clock", "4294967295"}, "C", "clock 4294967295 en");
    row("every option", {"--scale", "1.5", "--language", "ru", "--clock", "1700000000"}, "C",
        "clock 1700000000 scale 1.5 ru");
    row("smallest scale", {"--scale", "0.5"}, "C", "scale 0.5 en");
    row("largest scale", {"--scale", "4"}, "C", "scale 4 en");
    row("scale with zeros", {"--scale", "01.250"}, "C", "scale 1.25 en");
    row("values after equals signs", {"--scale=1.5", "--language=ru", "--clock=0"}, "C",
        "clock 0 scale 1.5 ru");
    row("equals sign in a value", {"--language", "en=ru"}, "C",
        "varkelon: --language expects en or ru, not 'en=ru'");
    row("empty joined value", {"--scale="}, "C",
        "varkelon: --scale expects a factor from 0.5 to 4, such as 1.5, not ''");
    row("flag with a value", {"--version=2"}, "C",
        "varkelon: --version takes no value, not '--version=2'");
    row("unknown with a value", {"--bogus=1"}, "C",
        "varkelon: unknown argument '--bogus=1' (see --help)");
    row("scale twice", {"--scale", "2", "--scale", "1.25"}, "C",
        "varkelon: --scale may be given only once");
    row("clock twice, both forms", {"--clock=1", "--clock", "1"}, "C",
        "varkelon: --clock may be given only once");
    row("language twice", {"--language", "ru", "--language=ru"}, "C",
        "varkelon: --language may be given only once");
    row("toolkit options ignored",
        {"-reverse", "-style", "fusion", "-style=windows", "-platform", "xcb",
         "-qmljsdebugger=port:1", "-widgetcount", "--clock", "5"},
        "C", "clock 5 en");
    row("toolkit option without its value", {"--clock", "5", "-style"}, "C", "clock 5 en");
    row("help", {"--clock", "5", "--help", "--bogus"}, "C", "help");
    row("version", {"--version"}, "C", "version");
    row("bad before help", {"--bogus", "--help"}, "C",
        "varkelon: unknown argument '--bogus' (see --help)");
    row("unknown single-dash option", {"-bogus"}, "C",
        "varkelon: unknown argument '-bogus' (see --help)");
    row("toolkit option with two dashes", {"--style", "fusion"}, "C",
        "varkelon: unknown argument '--style' (see --help)");
    row("a file name", {"lesson.txt"}, "C", "varkelon: unknown argument 'lesson.txt' (see --help)");
    row("clock without value", {"--clock"}, "C", "varkelon: --clock needs a value");
    row("clock too large", {"--clock", "4294967296"}, "C",
        "varkelon: --clock expects whole seconds from 0 to 4294967295, not '4294967296'");
    row("clock with sign", {"--clock", "+5"}, "C",
        "varkelon: --clock expects whole seconds from 0 to 4294967295, not '+5'");
    row("clock empty", {"--clock", ""}, "C",
        "varkelon: --clock expects whole seconds from 0 to 4294967295, not ''");
    for (const char* scale :
         {"0.49", "4.01", "0", "1e0", ".5", "1.", "1,5", "-1", "1.5x", "inf", "nan", "", "1.5.1"}) {
        QTest::newRow(qPrintable(QStringLiteral("scale '%1'").arg(QString::fromLatin1(scale))))
            << QStringList{QStringLiteral("--scale"), QString::fromLatin1(scale)}
            << QStringLiteral("C")
            << QStringLiteral(
                   "varkelon: --scale expects a factor from 0.5 to 4, such as 1.5, "
                   "not '%1'")
                   .arg(QString::fromLatin1(scale));
    }
    row("language in capitals", {"--language", "RU"}, "C",
        "varkelon: --language expects en or ru, not 'RU'");
    row("language without value", {"--language"}, "C", "varkelon: --language needs a value");
}

void WindowOptionsTest::parse() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    std::vector<std::string> texts;
    for (const QString& argument : arguments)
        texts.push_back(argument.toStdString());
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    QCOMPARE(outcome(parseWindowOptions(views, locale.toStdString())), expected);
}

void WindowOptionsTest::localeOfMessages_data() {
    QTest::addColumn<QStringList>("allMessagesLang");  // unset when null
    QTest::addColumn<QString>("expected");
    const QString unset;
    QTest::newRow("all three") << QStringList{"ru_RU.UTF-8", "en_GB", "de_DE"} << "ru_RU.UTF-8";
    QTest::newRow("LC_ALL empty") << QStringList{"", "ru_UA.UTF-8", "de_DE"} << "ru_UA.UTF-8";
    QTest::newRow("LANG only") << QStringList{unset, unset, "ru_RU.UTF-8"} << "ru_RU.UTF-8";
    QTest::newRow("LANG under LC_MESSAGES")
        << QStringList{unset, "C", "ru_RU.UTF-8"} << QStringLiteral("C");
    QTest::newRow("none") << QStringList{unset, "", unset} << QString();
}

void WindowOptionsTest::localeOfMessages() {
    QFETCH(QStringList, allMessagesLang);
    QFETCH(QString, expected);
    const char* const names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    QByteArray saved[3];
    for (int n = 0; n < 3; ++n) {
        saved[n] = qgetenv(names[n]);
        if (allMessagesLang[n].isNull())
            qunsetenv(names[n]);
        else
            qputenv(names[n], allMessagesLang[n].toUtf8());
    }
    const QString found = QString::fromStdString(std::string(messagesLocale()));
    for (int n = 0; n < 3; ++n)
        qputenv(names[n], saved[n]);
    QCOMPARE(found, expected);
}

void WindowOptionsTest::fixedClockReplaysTheTeachingRun() {
    const std::uint32_t clock = 1234567890;
    FormParts parts;
    parts.makeModel = FormParts::fixedClockModel(clock);
    ShownForm shown(parts);
    // Quickly from the start in Static, a few ticks, Stop.
    QTest::mouseClick(shown.control<QPushButton>("Button1"), Qt::LeftButton);
    for (int tick = 0; tick < 7; ++tick)
        shown.form.teachOnTick();
    QTest::mouseClick(shown.control<QPushButton>("Button4"), Qt::LeftButton);
    const std::int32_t cycles = shown.manager().iteration;
    QVERIFY(cycles >= 70);

    TeachingRun run(clock, TeachingRegime::Static);
    run.reset();
    for (std::int32_t cycle = 0; cycle < cycles; ++cycle)
        run.step();
    const float estimation = run.model().network.estimation;
    const float noise = run.model().plant.noiseLevel;
    QCOMPARE(shown.network().estimation, estimation);
    QCOMPARE(shown.form.model()->plant.noiseLevel, noise);
    // The iteration readout is the cycle count plus one.
    QCOMPARE(shown.control<QLineEdit>("Edit5")->text(), QString::number(cycles + 1));
    QCOMPARE(shown.control<QLineEdit>("Edit6")->text(), readout(estimation));
    QCOMPARE(shown.control<QLineEdit>("Edit7")->text(), readout(noise));
}

void WindowOptionsTest::russianStartsAsTheLanguageBoxsChoice() {
    ShownForm shown;
    shown.form.chooseLanguage(1);
    QCOMPARE(shown.control<QComboBox>("ComboBox1")->currentText(), QString::fromUtf8("Русский"));
    QCOMPARE(shown.control<QPushButton>("Button1")->text(), QString::fromUtf8("Быстро"));
    QCOMPARE(shown.control<QRadioButton>("RadioButton1")->text(), QString::fromUtf8("Статический"));
    // English again from the box: the English table, not the form's start.
    shown.form.chooseLanguage(0);
    QCOMPARE(shown.control<QRadioButton>("RadioButton1")->text(), QStringLiteral("Static"));
}

int runWindowOptionsTests(int argc, char** argv) {
    WindowOptionsTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace varkelon::test

#include "WindowOptionsTest.moc"
