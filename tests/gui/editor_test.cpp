#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QUndoStack>
#include <QUrl>
#include <QWindow>

#include "animation/animation_cycle.h"
#include "app/sections/section_table.h"
#include "window_fixture.h"

using namespace lumera;
using namespace lumera::app;
using namespace lumera::app::testing;

namespace {

// The rows the window shows enabled, which must be the first ones.
int EnabledRows(const WindowUnderTest& ui) {
    int enabled = 0;
    while (enabled < kSectionRows && ui.edit(enabled + 1)->isEnabled()) {
        ++enabled;
    }
    for (int n = enabled + 1; n <= kSectionRows; ++n) {
        if (ui.edit(n)->isEnabled()) {
            return -1;
        }
    }
    return enabled;
}

void Press(const WindowUnderTest& ui, const QKeySequence& keys) {
    QTest::keySequence(ui.window.get(), keys);
}

}  // namespace

class EditorTest : public QObject {
    Q_OBJECT

private slots:
    // Cancel, or Yes with a save that does not happen, leaves everything as it was wherever
    // the offer is made: the window stays, the language stays, no file opens; a save that
    // failed is told.
    void aSlipAtTheSaveOfferLosesNothing_data() {
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("answer");
        for (const char* place : {"exit", "close box", "open", "drop", "language"}) {
            for (const char* answer : {"cancel", "yes, dialog cancelled", "yes, save fails"}) {
                QTest::addRow("%s, %s", place, answer) << place << answer;
            }
        }
    }

    void aSlipAtTheSaveOfferLosesNothing() {
        QFETCH(QString, place);
        QFETCH(QString, answer);
        WindowUnderTest ui;
        ui.type(1, "KEEP");
        if (answer == "cancel") {
            ui.prompter.answers.push_back(std::nullopt);
        } else {
            ui.prompter.answers.push_back(true);
            ui.prompter.saveNames.push_back(
                answer == "yes, save fails"
                    ? std::optional<std::string>(ui.programPath("missing/keep.led").string())
                    : std::nullopt);
        }
        if (place == "exit") {
            ui.click("BtnExit");
        } else if (place == "close box") {
            ui.window->close();
        } else if (place == "open") {
            ui.click("BtnOpen");  // an open dialog now would fail the test: it is unscripted
        } else if (place == "drop") {
            DropOn(ui.window.get(), {QUrl::fromLocalFile(ui.programPath("other.led").c_str())});
        } else {
            ui.click("BtnCn");
        }
        QVERIFY(ui.window->isVisible());
        QCOMPARE(ui.window->language(), Language::English);
        QCOMPARE(ui.edit(1)->text(), QStringLiteral("KEEP"));
        QVERIFY(ui.window->document().modified());
        QCOMPARE(ui.prompter.messages().size(), std::size_t(answer == "yes, save fails"));
        QVERIFY(ui.prompter.answers.empty());
        QVERIFY(ui.prompter.saveNames.empty());
    }

    void escapeAtTheSaveOfferMeansCancel() {
        QtPrompter prompter;
        QTimer::singleShot(0, [] {
            QTRY_VERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
            QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
        });
        QCOMPARE(prompter.AskOrCancel("You want to save the data?"), std::optional<bool>());
    }

    // Every kind of change is one step that undo takes back and redo brings again; undoing to
    // the saved table clears Modified.
    void everyChangeIsUndoneAndRedone_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("backAtSaved");  // undoing it reaches the saved table
        for (const char* change : {"typing", "glyph key", "opening effect", "closing effect",
                                   "clear", "language", "section command"}) {
            QTest::newRow(change) << change << true;
        }
        // The file opened is the saved table from then on.
        QTest::newRow("open") << "open" << false;
    }

    void everyChangeIsUndoneAndRedone() {
        QFETCH(QString, change);
        QFETCH(bool, backAtSaved);
        WindowUnderTest ui;
        if (change == "glyph key") {
            ui.click("BtnCn");
        }
        ui.fill({"ONE", "TWO"});
        const std::string saved = ui.programPath("saved.led").string();
        ui.prompter.saveNames.push_back(saved);
        ui.click("BtnSave");
        if (change == "section command") {
            ui.type(1, "");  // the keys move the current section
        }
        const MessageTable before = ui.window->table();
        const Language language = ui.window->language();
        const int start = ui.window->undoStack().index();
        QVERIFY(!ui.window->document().modified());
        if (change == "typing") {
            ui.type(2, "ABC");
        } else if (change == "glyph key") {
            ui.click("CNBtn1");
        } else if (change == "opening effect") {
            ui.find<QComboBox>("CBA2")->setCurrentIndex(8);
        } else if (change == "closing effect") {
            ui.find<QComboBox>("CBB1")->setCurrentIndex(6);
        } else if (change == "clear") {
            ui.click("BtnClear");
        } else if (change == "language") {
            ui.click("BtnJapanClick");
        } else if (change == "section command") {
            Press(ui, QKeySequence(Qt::ALT | Qt::Key_Down));
        } else {
            ui.window->OpenNamedFile(saved);
        }
        const MessageTable after = ui.window->table();
        const Language changedLanguage = ui.window->language();
        // One step, also for a stretch of typing.
        QCOMPARE(ui.window->undoStack().index(), start + 1);

        Press(ui, QKeySequence::Undo);
        QVERIFY(ui.window->table().SameContent(before));
        QCOMPARE(ui.window->document().modified(), !backAtSaved);
        QCOMPARE(ui.window->language(), language);
        QCOMPARE(ui.edit(1)->text(), QStringLiteral("ONE"));
        Press(ui, QKeySequence(change == "typing" ? Qt::CTRL | Qt::Key_Y
                                                  : Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QVERIFY(ui.window->table().SameContent(after));
        QCOMPARE(ui.window->language(), changedLanguage);
        QCOMPARE(ui.window->document().modified(), change != "open");
    }

    // Each section command, from a row's menu or its keys, is one step and keeps the rows in
    // use the enabled ones.
    void sectionCommandsMoveWholeSections_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("applies");
        QTest::newRow("insert above 2")
            << "InsertSectionAction" << 2 << QStringList{"A", "", "B", "C"} << 2 << true;
        QTest::newRow("duplicate 1")
            << "DuplicateSectionAction" << 1 << QStringList{"A", "A", "B", "C"} << 2 << true;
        QTest::newRow("move 3 up")
            << "MoveSectionUpAction" << 3 << QStringList{"A", "C", "B"} << 2 << true;
        QTest::newRow("move 1 down")
            << "MoveSectionDownAction" << 1 << QStringList{"B", "A", "C"} << 2 << true;
        QTest::newRow("delete 2") << "DeleteSectionAction" << 2 << QStringList{"A", "C"} << 2
                                  << true;
        QTest::newRow("delete 2 by its keys")
            << "Ctrl+Shift+Del" << 2 << QStringList{"A", "C"} << 2 << true;
        QTest::newRow("move 3 down, past the end")
            << "MoveSectionDownAction" << 3 << QStringList{"A", "B", "C"} << 3 << false;
        QTest::newRow("move 4 up: not in use")
            << "MoveSectionUpAction" << 4 << QStringList{"A", "B", "C"} << 3 << false;
    }

    void sectionCommandsMoveWholeSections() {
        QFETCH(QString, command);
        QFETCH(int, row);
        QFETCH(QStringList, texts);
        QFETCH(int, current);
        QFETCH(bool, applies);
        WindowUnderTest ui;
        ui.fill({"A", "B", "C"});
        const int steps = ui.window->undoStack().count();
        if (command.startsWith("Ctrl")) {
            ui.type(row, "");
            Press(ui, QKeySequence(command));
        } else {
            const std::unique_ptr<QMenu> menu = ui.window->sectionTable().MenuFor(row - 1);
            auto* action = menu->findChild<QAction*>(command);
            QVERIFY(action);
            QCOMPARE(action->isEnabled(), applies);
            action->trigger();
        }
        std::vector<std::string> expected;
        for (const QString& text : texts) {
            expected.push_back(text.toStdString());
        }
        QCOMPARE(Texts(ui.window->table()), expected);
        QCOMPARE(ui.window->table().CurrentSection() + 1, current);
        QCOMPARE(EnabledRows(ui), int(texts.size()) + 1);
        QCOMPARE(ui.window->undoStack().count(), steps + (applies ? 1 : 0));
    }

    // The title names the file and marks a changed table; a save is confirmed.
    void theTitleTellsWhereTheWorkStands() {
        WindowUnderTest ui;
        ui.type(1, "SHOP");
        const std::string shop = ui.programPath("shop.led").string();
        ui.prompter.saveNames.push_back(shop);
        ui.click("BtnSave");
        QCOMPARE(ui.window->windowHandle()->title(), QStringLiteral("shop.led \u2014 Lumera V1.0"));
        QCOMPARE(ui.window->status(), QStringLiteral("Saved to ") + QString::fromStdString(shop));
        ui.type(1, "S");
        QCOMPARE(ui.window->windowHandle()->title(),
                 QStringLiteral("shop.led* \u2014 Lumera V1.0"));
        // Save starts from the file's name and asks before replacing it.
        ui.prompter.saveNames.push_back(shop);
        ui.prompter.answers.push_back(true);
        ui.click("BtnSave");
        QCOMPARE(ui.prompter.suggestedNames, (std::vector<std::string>{"", shop}));
        QVERIFY(!ui.window->isWindowModified());
    }

    // While the preview plays, the row on the display is marked apart from the current row,
    // and the cycle's length is the engine's own count.
    void thePlayingRowAndTheCycleAreShown() {
        WindowUnderTest ui;
        ui.fill({"ONE", "TWO"});
        ui.find<QComboBox>("CBA2")->setCurrentIndex(8);
        LedPreview recording(ui.window->table(), GlyphTableFiles{ui.programPath(""), ui.prompter});
        QVERIFY(recording.Start());
        int centiseconds = 0;
        QVERIFY(
            PlayOneCycle(recording, [&](const QImage&, int length) { centiseconds += length; }));
        QTRY_COMPARE(ui.window->cycleText(),
                     QStringLiteral("cycle %1 s").arg(centiseconds / 100.0, 0, 'f', 1));

        auto playing = [&](int n) {
            return ui.find<QLabel>(QStringLiteral("L%1").arg(n))->property("playing").toBool();
        };
        QVERIFY(!playing(2));
        ui.click("BtnStart");  // from the current section, 2
        QVERIFY(playing(2) && !playing(1));
        while (ui.window->preview().PlayingSection() == 1) {
            ui.ticks(1);
            QTest::qWait(ui.window->preview().Engine().Holding() ? 1010 : 0);
        }
        QVERIFY(playing(1) && !playing(2));
        QCOMPARE(ui.window->table().CurrentSection(), 1);
        ui.click("BtnStop");
        QVERIFY(!playing(1) && !playing(2));
    }
};

QTEST_MAIN(EditorTest)
#include "editor_test.moc"
