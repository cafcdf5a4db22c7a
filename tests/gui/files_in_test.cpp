#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>
#include <fstream>

#include "app/qt/qt_prompter.h"
#include "app/shell/start_arguments.h"
#include "files/led_file_commands.h"
#include "files/led_loader.h"
#include "files/led_saver.h"
#include "files/table_file.h"
#include "window_fixture.h"

using lumera::LedFileContent;
using lumera::app::StartArguments;
using lumera::app::testing::DropOn;
using lumera::app::testing::WindowUnderTest;

namespace {

const std::string kSaveOffer = "ask: You want to save the data?";
const std::string kOpenDialog = std::string("open: ") + lumera::kTableFileFilter;
const std::string kSaveDialog = std::string("save: ") + lumera::kTableFileFilter;

// A two-section Chinese file, so a load is seen in the mode, the texts and the count.
std::string WriteTwoSections(const WindowUnderTest& ui, const char* name) {
    const std::filesystem::path path = ui.programPath(name);
    const LedFileContent content{
        false,
        {{"ONE", lumera::OpenEffect::RightToLeft, lumera::CloseEffect::FromDownToUp},
         {"TWO", lumera::OpenEffect::DownToUp, lumera::CloseEffect::FromMiddleToTwoNearby}}};
    if (lumera::WriteLedFile(path, content)) {
        qFatal("cannot write %s", path.c_str());
    }
    return path.string();
}

bool HoldsTheTwoSections(const WindowUnderTest& ui) {
    const lumera::MessageTable& table = ui.window->table();
    return !table.EnglishMode() && table.SectionCount() == 2 && table.section(0).text == "ONE" &&
           table.section(1).text == "TWO" && !ui.window->document().modified();
}

}  // namespace

class FilesInTest : public QObject {
    Q_OBJECT

public:
    FilesInTest() {
        // The dialogs remember their folder in the settings: never in the user's own.
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
    }

private slots:
    // Open offers to save a changed table before its dialog, and keeps the table when the
    // operator wanted it saved and it was not.
    void openMakesTheSaveOfferFirst_data() {
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QString>("saveAs");  // "": no save dialog; "cancel"; a file name
        QTest::addColumn<bool>("cancelOpen");
        QTest::addColumn<bool>("opened");
        QTest::newRow("unchanged: no offer") << false << QList<bool>{} << "" << false << true;
        QTest::newRow("No") << true << QList<bool>{false} << "" << false << true;
        QTest::newRow("No, open dialog cancelled")
            << true << QList<bool>{false} << "" << true << false;
        QTest::newRow("Yes, saved") << true << QList<bool>{true} << "saved.led" << false << true;
        QTest::newRow("Yes, dialog cancelled")
            << true << QList<bool>{true} << "cancel" << false << false;
        QTest::newRow("Yes, save failed")
            << true << QList<bool>{true} << "missing/x.led" << false << false;
        QTest::newRow("Yes, replacement declined")
            << true << QList<bool>{true, false} << "two.led" << false << false;
    }

    void openMakesTheSaveOfferFirst() {
        QFETCH(bool, typed);
        QFETCH(QList<bool>, answers);
        QFETCH(QString, saveAs);
        QFETCH(bool, cancelOpen);
        QFETCH(bool, opened);
        WindowUnderTest ui;
        const std::string file = WriteTwoSections(ui, "two.led");
        if (typed) {
            ui.type(1, "KEEP");
        }
        ui.prompter.answers.assign(answers.begin(), answers.end());
        if (saveAs == "cancel") {
            ui.prompter.saveNames.push_back(std::nullopt);
        } else if (!saveAs.isEmpty()) {
            ui.prompter.saveNames.push_back(ui.programPath(qPrintable(saveAs)).string());
        }
        ui.prompter.openNames.push_back(cancelOpen ? std::nullopt : std::optional(file));
        ui.click("BtnOpen");

        std::vector<std::string> expected;
        if (typed) {
            expected.push_back(kSaveOffer);
        }
        if (!saveAs.isEmpty()) {
            expected.push_back(kSaveDialog);
        }
        const std::vector<std::string>& shown = ui.prompter.shown;
        QVERIFY(shown.size() >= expected.size());
        QCOMPARE(std::vector<std::string>(shown.begin(), shown.begin() + expected.size()),
                 expected);
        QCOMPARE(shown.back() == kOpenDialog, opened || cancelOpen);
        QCOMPARE(HoldsTheTwoSections(ui), opened);
        if (!opened) {
            QCOMPARE(ui.window->table().section(0).text, std::string("KEEP"));
            QVERIFY(ui.window->document().modified());
            QCOMPARE(int(ui.prompter.openNames.size()), cancelOpen ? 0 : 1);
        }
        QCOMPARE(std::filesystem::exists(ui.programPath("saved.led")), saveAs == "saved.led");
        QVERIFY(ui.prompter.answers.empty());
    }

    // A file named on the command line or dropped on the window opens as Open opens it.
    void fileArgumentAndDropOpenLikeOpen_data() {
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("opened");
        QTest::newRow("argument") << "argument"
                                  << "two.led" << true;
        QTest::newRow("argument of a refused file") << "argument"
                                                    << "folder.led" << false;
        QTest::newRow("argument of a missing file") << "argument"
                                                    << "missing.led" << false;
        QTest::newRow("drop on the window") << "window"
                                            << "two.led" << true;
        QTest::newRow("drop on a section edit") << "edit"
                                                << "two.led" << true;
        QTest::newRow("drop after typing, offer declined") << "typed"
                                                           << "two.led" << true;
        QTest::newRow("drop of a table file") << "window"
                                              << "two.lumera" << true;
        QTest::newRow("drop of another kind of file") << "window"
                                                      << "notes.txt" << false;
        QTest::newRow("drop of two files") << "two files"
                                           << "two.led" << false;
    }

    // Ctrl+S writes the table to its own file without a question; the Save button and
    // Ctrl+Shift+S always ask; with no file yet Ctrl+S asks as the button does.
    void ctrlSSavesToTheTablesOwnFileWithoutAsking() {
        WindowUnderTest ui;
        const auto press = [&](Qt::KeyboardModifiers modifiers) {
            QTest::keyClick(ui.edit(1), Qt::Key_S, modifiers);
        };
        ui.type(1, "A");
        const std::string first = ui.programPath("first.led").string();
        ui.prompter.saveNames.push_back(first);
        press(Qt::ControlModifier);
        QCOMPARE(ui.window->document().fileName(), first);

        const std::string two = WriteTwoSections(ui, "two.led");
        ui.window->OpenNamedFile(two);
        ui.type(3, "NEW");
        const std::size_t asked = ui.prompter.shown.size();
        press(Qt::ControlModifier);
        QCOMPARE(ui.prompter.shown.size(), asked);  // no dialog, no question
        QCOMPARE(lumera::ReadLedFile(two).content->sections.size(), std::size_t{3});
        QVERIFY(!ui.window->document().modified());
        QVERIFY(ui.window->status().endsWith(QString::fromStdString(two)));  // in Chinese

        const std::string other = ui.programPath("other.lumera").string();
        ui.prompter.saveNames.push_back(other);
        press(Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(ui.window->document().fileName(), other);
        QCOMPARE(ui.prompter.shown.back(), kSaveDialog);

        // The file's folder has gone: the failure is told and the table stays changed.
        ui.type(3, "NEWER");
        std::filesystem::rename(other, ui.programPath("moved.lumera"));
        std::filesystem::create_directory(other);
        press(Qt::ControlModifier);
        QVERIFY(ui.prompter.messages().back().starts_with(other + " could not be saved:"));
        QVERIFY(ui.window->document().modified());
    }

    // The Open button's menu offers the last 8 files opened or saved, newest first, the
    // missing ones left out; choosing one opens it after the offer to save.
    void theOpenButtonOffersTheFilesUsedLast() {
        WindowUnderTest ui;
        std::vector<std::string> files;
        for (int n = 0; n < 10; ++n) {
            files.push_back(WriteTwoSections(ui, ("recent" + std::to_string(n) + ".led").c_str()));
            ui.window->OpenNamedFile(files.back());
        }
        std::filesystem::remove(files[8]);
        const auto shown = [&] {
            const std::unique_ptr<QMenu> menu = ui.window->RecentFilesMenu();
            QStringList entries;
            for (QAction* action : menu->actions()) {
                entries << action->text();
            }
            return entries;
        };
        const QStringList entries = shown();
        QCOMPARE(entries.size(), 7);  // 8 remembered, one of them gone
        QCOMPARE(entries.front(), QStringLiteral("&1 ") + QString::fromStdString(files[9]));
        QCOMPARE(entries.back(), QStringLiteral("&7 ") + QString::fromStdString(files[2]));

        ui.type(3, "X");
        ui.prompter.answers.push_back(false);  // the offer to save: No
        const std::unique_ptr<QMenu> menu = ui.window->RecentFilesMenu();
        menu->actions().back()->trigger();
        QCOMPARE(ui.window->document().fileName(), files[2]);
        QVERIFY(HoldsTheTwoSections(ui));
        QCOMPARE(shown().front(), QStringLiteral("&1 ") + QString::fromStdString(files[2]));
    }

    void fileArgumentAndDropOpenLikeOpen() {
        QFETCH(QString, route);
        QFETCH(QString, file);
        QFETCH(bool, opened);
        WindowUnderTest ui;
        WriteTwoSections(ui, "two.led");
        std::filesystem::copy_file(ui.programPath("two.led"), ui.programPath("notes.txt"));
        std::ofstream(ui.programPath("two.lumera"))
            << lumera::FormatTableFile(*lumera::ReadLedFile(ui.programPath("two.led")).content);
        std::filesystem::create_directory(ui.programPath("folder.led"));
        const QString path = QString::fromStdString(ui.programPath(qPrintable(file)).string());
        const QUrl url = QUrl::fromLocalFile(path);
        if (route == "argument") {
            const StartArguments start = lumera::app::ReadStartArguments({"lumera", path});
            QVERIFY(start.runWindow);
            QCOMPARE(start.file, std::optional<QString>(path));
            ui.window->OpenNamedFile(start.file->toStdString());
        } else if (route == "typed") {
            ui.type(1, "KEEP");
            ui.prompter.answers.push_back(false);
            QVERIFY(DropOn(ui.window.get(), {url}));
        } else {
            QWidget* target = route == "edit" ? static_cast<QWidget*>(ui.edit(1)) : ui.window.get();
            QList<QUrl> urls{url};
            if (route == "two files") {
                urls << url;
            }
            QCOMPARE(DropOn(target, urls), opened);
        }
        QCOMPARE(HoldsTheTwoSections(ui), opened);
        // A file that did not load never names the table.
        QCOMPARE(ui.window->openFileName(), opened ? path.toStdString() : std::string());
        std::vector<std::string> expected;
        if (route == "typed") {
            expected.push_back(kSaveOffer);
        }
        if (file == "folder.led") {
            expected.push_back("message: " + path.toStdString() + " error!\nnot a regular file");
        }
        if (file == "missing.led") {
            expected.push_back("message: " + path.toStdString() +
                               " error!\nthe file cannot be read: No such file or directory");
        }
        QCOMPARE(ui.prompter.shown, expected);
    }

    // What the window's command line asks for; the window itself opens the file as above.
    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");     // -1: the window runs
        QTest::addColumn<QString>("printed");  // start of standard output, then standard error
        QTest::addColumn<QString>("file");
        QTest::newRow("nothing") << QStringList{} << -1 << ""
                                 << "";
        QTest::newRow("a file after --") << QStringList{"--", "-b.led"} << -1 << ""
                                         << "-b.led";
        QTest::newRow("help") << QStringList{"--help", "a.led"} << 0 << "Usage: "
                              << "";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "lumera 1.0\n"
                                 << "";
        QTest::newRow("two files") << QStringList{"a.led", "b.led"} << 2
                                   << "lumera: Only one file can be opened (try 'lumera --help')\n"
                                   << "";
        QTest::newRow("unknown option")
            << QStringList{"--bogus"} << 2 << "lumera: Unknown option 'bogus' (try"
            << "";
    }

    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, printed);
        QFETCH(QString, file);
        const StartArguments start =
            lumera::app::ReadStartArguments(QStringList{"lumera"} + arguments);
        QCOMPARE(start.runWindow ? -1 : start.exitCode, exitCode);
        const QString all = start.output + start.error;
        QVERIFY2(printed.isEmpty() ? all.isEmpty() : all.startsWith(printed), qPrintable(all));
        QCOMPARE(start.error.isEmpty(), exitCode <= 0);
        QCOMPARE(start.file.value_or(QString()), file);
    }

    // The file dialogs start where the operator last chose a file, in either dialog, and the
    // save dialog leaves the replace question to the save command.
    void dialogsStartInTheLastFolderUsed() {
        QTemporaryDir first;
        QTemporaryDir second;
        const QString firstFile = first.filePath(QStringLiteral("a.led"));
        const QString secondFile = second.filePath(QStringLiteral("b.led"));
        QFile(secondFile).open(QIODevice::WriteOnly);
        lumera::app::QtPrompter prompter;
        QStringList startedIn;
        QList<bool> confirmsOverwrite;
        const auto answerWith = [&](const QString& chosen) {
            QTimer::singleShot(0, [&, chosen] {
                QTRY_VERIFY(qobject_cast<QFileDialog*>(QApplication::activeModalWidget()));
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                startedIn << dialog->directory().absolutePath();
                if (dialog->acceptMode() == QFileDialog::AcceptSave) {
                    confirmsOverwrite << !dialog->testOption(QFileDialog::DontConfirmOverwrite);
                }
                dialog->selectFile(chosen);
                static_cast<QDialog*>(dialog)->accept();  // QFileDialog hides it
            });
        };
        answerWith(firstFile);
        QCOMPARE(prompter.SaveFileName("*.led(LED Files)|*.led", {}),
                 std::optional<std::string>(firstFile.toStdString()));
        answerWith(secondFile);
        QCOMPARE(prompter.OpenFileName("*.led(LED Files)|*.led"),
                 std::optional<std::string>(secondFile.toStdString()));
        answerWith(firstFile);
        prompter.SaveFileName("*.led(LED Files)|*.led", {});
        QCOMPARE(startedIn.mid(1), (QStringList{first.path(), second.path()}));
        QCOMPARE(confirmsOverwrite, (QList<bool>{false, false}));
        QVERIFY(QFile::exists(settings_.filePath(QStringLiteral("Lumera/lumera.conf"))));
    }

private:
    QTemporaryDir settings_;
};

QTEST_MAIN(FilesInTest)
#include "files_in_test.moc"
