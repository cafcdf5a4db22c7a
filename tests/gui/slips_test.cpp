#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QMenu>
#include <QUndoStack>
#include <QWindow>

#include "app/sections/section_table.h"
#include "app/shell/start_arguments.h"
#include "download/image_capacity.h"
#include "files/led_saver.h"
#include "files/led_table.h"
#include "window_fixture.h"

using namespace lumera;
using namespace lumera::app;
using namespace lumera::app::testing;

namespace {

QString Title(const WindowUnderTest& ui) {
    return ui.window->windowHandle()->title();
}

// Saves the table under `name` through the Save button, as the operator does.
void SaveAs(WindowUnderTest& ui, const std::string& name) {
    ui.prompter.saveNames.push_back(name);
    ui.click("BtnSave");
}

// The Save dialog's suggestion for the table on screen, the dialog then cancelled.
std::string SaveSuggestion(WindowUnderTest& ui) {
    ui.prompter.saveNames.push_back(std::nullopt);
    ui.click("BtnSave");
    return ui.prompter.suggestedNames.back();
}

}  // namespace

class SlipsTest : public QObject {
    Q_OBJECT

private slots:
    // The file's name travels with the table through undo and redo, and a file that did not
    // load never names the table.
    void saveAlwaysProposesTheFileTheTableCameFrom() {
        WindowUnderTest ui;
        const std::string b = ui.programPath("b.led").string();
        MessageTable bee;
        bee.SetText(0, "BEE");
        QVERIFY(!WriteLedFile(b, ContentOfTable(bee)));
        ui.type(1, "MINE");
        ui.prompter.answers.push_back(false);  // not saved first
        const auto expect = [&](const char* title, const std::string& proposed) {
            QCOMPARE(Title(ui), QString::fromUtf8(title));
            QCOMPARE(SaveSuggestion(ui), proposed);
        };
        ui.window->OpenNamedFile(b);
        expect("b.led \u2014 Lumera V1.0", b);
        ui.window->undoStack().undo();
        QCOMPARE(ui.edit(1)->text(), QStringLiteral("MINE"));
        expect("Lumera V1.0*", "");
        ui.window->undoStack().redo();
        expect("b.led \u2014 Lumera V1.0", b);
        std::filesystem::create_directory(ui.programPath("folder.led"));
        ui.window->OpenNamedFile(ui.programPath("folder.led").string());
        QCOMPARE(ui.prompter.messages().size(), std::size_t{1});
        expect("b.led \u2014 Lumera V1.0", b);
    }

    // The section commands' keys act wherever the focus is, even where a field has a binding
    // of its own for them (Ctrl+Shift+Ins pastes in a line edit), and typing then goes into
    // the section the command acted on.
    void sectionCommandKeysWinInEveryFieldAndTheCaretFollows_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QStringList>("texts");  // after the keys and then typing "X"
        const QKeySequence insert(Qt::CTRL | Qt::SHIFT | Qt::Key_Insert);
        const QKeySequence duplicate(Qt::CTRL | Qt::SHIFT | Qt::Key_D);
        const QKeySequence down(Qt::ALT | Qt::Key_Down);
        const QKeySequence up(Qt::ALT | Qt::Key_Up);
        QTest::newRow("insert, in a text") << "ME1" << insert << QStringList{"X", "A", "B"};
        QTest::newRow("insert, in an effect list")
            << "CBA1" << insert << QStringList{"X", "A", "B"};
        QTest::newRow("duplicate, in a text") << "ME1" << duplicate << QStringList{"A", "AX", "B"};
        QTest::newRow("move down, in a text") << "ME1" << down << QStringList{"B", "AX"};
        QTest::newRow("move down, in an effect list") << "CBB1" << down << QStringList{"B", "AX"};
        QTest::newRow("move up, in a text") << "ME2" << up << QStringList{"BX", "A"};
    }

    void sectionCommandKeysWinInEveryFieldAndTheCaretFollows() {
        QFETCH(QString, field);
        QFETCH(QKeySequence, keys);
        QFETCH(QStringList, texts);
        QApplication::clipboard()->setText(QStringLiteral("PASTE"));
        WindowUnderTest ui;
        ui.fill({"A", "B"});
        const int row = field.right(1).toInt();
        QTest::mouseClick(ui.edit(row), Qt::LeftButton);  // the current section
        QWidget* target = ui.find<QWidget>(field);
        target->setFocus();
        QTest::keySequence(target, keys);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("X"));
        std::vector<std::string> expected;
        for (const QString& text : texts) {
            expected.push_back(text.toStdString());
        }
        QCOMPARE(Texts(ui.window->table()), expected);
    }

    // A key of the on-screen keyboard is a step of its own; presses in a row merge.
    void aKeyPressIsNotMergedIntoTyping_data() {
        QTest::addColumn<QStringList>("input");  // "key:N" presses key N, else typed
        QTest::addColumn<QStringList>("afterUndos");
        QTest::newRow("typing, a key, typing")
            << QStringList{"AB", "key:12", "CD"} << QStringList{"AB!", "AB", ""};
        QTest::newRow("two keys in a row")
            << QStringList{"AB", "key:12", "key:12"} << QStringList{"AB", ""};
        QTest::newRow("a key, then typing") << QStringList{"key:12", "AB"} << QStringList{"!", ""};
    }

    void aKeyPressIsNotMergedIntoTyping() {
        QFETCH(QStringList, input);
        QFETCH(QStringList, afterUndos);
        WindowUnderTest ui;
        QTest::mouseClick(ui.edit(1), Qt::LeftButton);
        for (const QString& part : input) {
            if (part.startsWith("key:")) {
                ui.click(QStringLiteral("EngBtn") + part.mid(4));
            } else {
                QTest::keyClicks(ui.edit(1), part);
            }
        }
        for (const QString& expected : afterUndos) {
            QTest::keySequence(ui.window.get(), QKeySequence::Undo);
            QCOMPARE(ui.edit(1)->text(), expected);
        }
        QVERIFY(!ui.window->undoStack().canUndo());
    }

    // A section command that would change nothing is greyed out, and so is one that cannot
    // apply at the table's edges.
    void theMenuOffersOnlyCommandsThatChangeSomething_data() {
        QTest::addColumn<int>("sections");  // typed "S1".."Sn", then the last emptied if 0 < n
        QTest::addColumn<bool>("lastEmptied");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("enabled");  // I D U N X: insert, duplicate, up, down, delete
        QTest::newRow("a single empty section") << 1 << true << 1 << "";
        QTest::newRow("the last of two") << 2 << false << 2 << "IDUX";
        QTest::newRow("an empty last below a text") << 2 << true << 2 << "U";
        QTest::newRow("the first of a full table") << 32 << false << 1 << "NX";
        QTest::newRow("the last of a full table") << 32 << false << 32 << "UX";
    }

    void theMenuOffersOnlyCommandsThatChangeSomething() {
        QFETCH(int, sections);
        QFETCH(bool, lastEmptied);
        QFETCH(int, row);
        QFETCH(QString, enabled);
        WindowUnderTest ui;
        for (int n = 1; n <= sections; ++n) {
            ui.type(n, QStringLiteral("S%1").arg(n));
        }
        if (lastEmptied) {
            ui.edit(sections)->selectAll();
            QTest::keyClick(ui.edit(sections), Qt::Key_Delete);
        }
        const std::unique_ptr<QMenu> menu = ui.window->sectionTable().MenuFor(row - 1);
        const std::pair<const char*, char> commands[] = {
            {"InsertSectionAction", 'I'}, {"DuplicateSectionAction", 'D'},
            {"MoveSectionUpAction", 'U'}, {"MoveSectionDownAction", 'N'},
            {"DeleteSectionAction", 'X'},
        };
        for (const auto& [name, letter] : commands) {
            auto* action = menu->findChild<QAction*>(name);
            QVERIFY(action);
            QVERIFY2(action->isEnabled() == enabled.contains(QLatin1Char(letter)), name);
        }
        // The keys of a greyed-out command change nothing either.
        const int steps = ui.window->undoStack().count();
        ui.window->RunSectionCommand(SectionCommand::Delete, row - 1);
        QCOMPARE(ui.window->undoStack().count(), steps + (enabled.contains('X') ? 1 : 0));
    }

    // Only a table that leaving would offer to save is marked changed in the title.
    void aLanguageSwitchOnAnEmptyTableMarksNothing() {
        WindowUnderTest ui;
        ui.click("BtnCn");
        QCOMPARE(Title(ui), QStringLiteral("Lumera V1.0"));
        ui.type(1, "A");
        QCOMPARE(Title(ui), QStringLiteral("Lumera V1.0*"));
        ui.prompter.answers.push_back(false);
        ui.click("BtnEng");
        QCOMPARE(Title(ui), QStringLiteral("Lumera V1.0"));
        ui.click("BtnExit");  // asks nothing: an unscripted question would fail the test
        QVERIFY(!ui.window->isVisible());
    }

    // The status line says so the moment the table stops fitting the display, and when a file
    // that does not fit is opened.
    void aTableThatOutgrowsTheDisplayIsToldAtOnce() {
        WindowUnderTest ui;
        const auto tooLarge = [&] {
            return QStringLiteral("The table needs %1 of 2 047 bytes")
                .arg(QString::fromStdString(download::GroupedCount(
                    download::MeasureDownloadImage(ui.window->table()).size)));
        };
        // One key at a time, until the table just passes the display's memory.
        for (int n = 1, typed = 0;
             download::MeasureDownloadImage(ui.window->table()).size <= download::kDisplayCapacity;
             ++typed) {
            QVERIFY(!ui.window->status().contains(QStringLiteral("needs")));
            if (typed == kEnglishMaxLength) {
                ++n;
                typed = 0;
            }
            ui.type(n, QStringLiteral("W"));
        }
        QCOMPARE(ui.window->status(), tooLarge());
        const std::string big = ui.programPath("big.led").string();
        SaveAs(ui, big);
        ui.click("BtnClear");
        ui.window->OpenNamedFile(big);
        QCOMPARE(ui.window->status(), tooLarge());
    }

    // A step's caption is worded when shown, in the window's language of that moment.
    void undoCaptionsFollowTheWindowsLanguage() {
        WindowUnderTest ui;
        ui.type(1, "A");
        ui.prompter.answers.push_back(false);
        ui.click("BtnCn");
        QCOMPARE(ui.find<QAction>("UndoAction")->text(), QStringLiteral("撤销“切换语言”"));
        ui.window->undoStack().undo();
        QCOMPARE(ui.find<QAction>("UndoAction")->text(),
                 QStringLiteral("Undo Typing in section 1"));
        QCOMPARE(ui.find<QAction>("RedoAction")->text(), QStringLiteral("Redo Switch language"));
    }

    // Clear in the Japanese window shows the Chinese texts; undo and redo bring back the
    // language each state had.
    void clearInJapaneseIsOneStepWithItsLanguage() {
        WindowUnderTest ui;
        ui.click("BtnJapanClick");
        ui.click("CNBtn1");
        ui.click("BtnClear");
        QCOMPARE(ui.window->language(), Language::Chinese);
        ui.window->undoStack().undo();
        QCOMPARE(ui.window->language(), Language::Japanese);
        ui.window->undoStack().redo();
        QCOMPARE(ui.window->language(), Language::Chinese);
    }

    // A file name that is not valid in the locale's encoding reaches Open byte for byte.
    void aFileNameOnTheCommandLineKeepsItsBytes() {
        const char* argv[] = {"lumera", "-style", "fusion", "caf\xe9.led"};
        const QString decoded = QString::fromLocal8Bit(argv[3]);
        QCOMPARE(ArgumentBytes(4, argv, decoded), std::string("caf\xe9.led"));
        QCOMPARE(ArgumentBytes(1, argv, QStringLiteral("other.led")), std::string("other.led"));
    }
};

QTEST_MAIN(SlipsTest)
#include "slips_test.moc"
