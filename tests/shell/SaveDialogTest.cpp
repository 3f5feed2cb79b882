// Saving a picture through the plot's menu: the toolkit's dialogs speak the
// caption language (the file dialog, the overwrite question, the error),
// and each save dialog opens in the folder of the save before it.
#include <functional>
#include <vector>

#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>

#include "ShellTestSupport.h"

namespace varkelon::test {

namespace {

// What the dialogs of one save showed.
struct SaveSeen {
    QString folder;      // the file dialog's folder when it opened
    QString saveButton;  // its accept button
    QString overwrite;   // the overwrite question, empty when none came
};

// Saves the Graph page's picture under the name the file dialog proposes in
// `folder`, through the plot's menu and the dialog, answering Yes to an
// overwrite question; when `gone`, the folder is removed as Save is pressed.
// Each window that opens is acted on from the event loop, after the call
// that opened it has started its own loop.
SaveSeen saveThroughTheMenu(ShownForm& shown, const QString& folder, bool gone = false) {
    SaveSeen seen;
    QTimer driver;
    const auto later = [](std::function<void()> act) {
        QMetaObject::invokeMethod(qApp, std::move(act), Qt::QueuedConnection);
    };
    bool chosen = false;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            if (!chosen) {
                chosen = true;
                menu->setActiveAction(menu->actions().at(1));  // Save picture...
                later([menu] { QTest::keyClick(menu, Qt::Key_Return); });
            }
        } else if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            if (seen.saveButton.isEmpty()) {
                seen.folder = dialog->directory().absolutePath();
                const auto* buttons = dialog->findChild<QDialogButtonBox*>();
                seen.saveButton = buttons->button(QDialogButtonBox::Save)->text();
                later([dialog, folder, gone] {
                    dialog->setDirectory(folder);
                    if (gone)
                        QDir(folder).removeRecursively();
                    static_cast<QDialog*>(dialog)->accept();  // as Save does
                });
            }
        } else if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (seen.overwrite.isEmpty()) {
                seen.overwrite = box->text();
                later([box] { box->button(QMessageBox::Yes)->click(); });
            }
        }
    });
    driver.start(10);
    auto* plot = shown.control<QWidget>("PaintBox1");
    const QPoint centre = plot->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, centre, plot->mapToGlobal(centre));
    QApplication::sendEvent(plot, &event);
    return seen;
}

}  // namespace

class SaveDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void dialogsSpeakTheCaptionLanguage_data();
    void dialogsSpeakTheCaptionLanguage();
};

void SaveDialogTest::dialogsSpeakTheCaptionLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("saveButton");
    QTest::addColumn<QString>("overwrite");
    QTest::addColumn<QString>("saveError");
    QTest::newRow("English") << 0 << "&Save"
                             << "%1 already exists.\nDo you want to replace it?"
                             << "Cannot open device for writing";
    QTest::newRow("Russian") << 1 << QString::fromUtf8("&Сохранить")
                             << QString::fromUtf8("%1 уже существует.\nЗаменить его?")
                             << QString::fromUtf8("Не удалось открыть устройство для записи");
}

void SaveDialogTest::dialogsSpeakTheCaptionLanguage() {
    QFETCH(int, language);
    QFETCH(QString, saveButton);
    QFETCH(QString, overwrite);
    QFETCH(QString, saveError);
    // A home of its own: the dialog reads every file of the folder it shows.
    QTemporaryDir home;
    QTemporaryDir folder;
    QVERIFY(home.isValid() && folder.isValid());
    const QByteArray realHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    const auto restoreHome = qScopeGuard([&realHome] { qputenv("HOME", realHome); });
    const QString path = folder.filePath(QStringLiteral("varkelon-graph.png"));
    ShownForm shown;
    shown.form.chooseLanguage(language);

    const SaveSeen first = saveThroughTheMenu(shown, folder.path());
    QCOMPARE(first.folder, home.path());
    QCOMPARE(first.saveButton, saveButton);
    QVERIFY(first.overwrite.isEmpty());
    QVERIFY(QFileInfo::exists(path));

    // The same name again: the question, and the dialog in the first's folder.
    const SaveSeen second = saveThroughTheMenu(shown, folder.path());
    QCOMPARE(second.folder, folder.path());
    QCOMPARE(second.overwrite, overwrite.arg(QStringLiteral("varkelon-graph.png")));

    // A folder gone before the picture is written: the error in the toolkit's words.
    recordedErrors().texts.clear();
    const QString gone = folder.filePath(QStringLiteral("gone"));
    QVERIFY(QDir().mkdir(gone));
    saveThroughTheMenu(shown, gone, true);
    QCOMPARE(recordedErrors().texts.size(), 1);
    QVERIFY2(recordedErrors().texts.front().contains(saveError),
             qPrintable(recordedErrors().texts.front()));
}

int runSaveDialogTests(int argc, char** argv) {
    SaveDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace varkelon::test

#include "SaveDialogTest.moc"
