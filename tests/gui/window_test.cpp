#include <QFrame>
#include <QInputMethodEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>
#include <fstream>

#include "file_contents.h"
#include "files/led_file_commands.h"
#include "files/led_saver.h"
#include "window_fixture.h"

using lumera::Language;
using lumera::app::testing::ShownText;
using lumera::app::testing::WindowUnderTest;
using lumera::testing::ReadBytes;

namespace {

const std::string kBadCharacter = "message: The character input does not meet the requirement!";
const std::string kSaveOffer = "ask: You want to save the data?";

bool IsGrey(const QLabel* image) {
    const QImage frame = image->pixmap().toImage();
    for (const QPoint point : {QPoint(0, 0), QPoint(80, 93), QPoint(159, 186)}) {
        if (frame.pixelColor(point) != QColor(128, 128, 128)) {
            return false;
        }
    }
    return true;
}

void CommitInput(QWidget* edit, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(edit, &event);
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithoutDeviceLibrary() {
        WindowUnderTest ui(false);
        QCOMPARE(ui.prompter.shown,
                 (std::vector<std::string>{"information: Can't Load ZRUSB.dll",
                                           "information: Load ZRUSB.dll file error!"}));
        QCOMPARE(ui.window->windowHandle()->title(), QStringLiteral("Lumera V1.0"));
        QCOMPARE(ui.window->language(), Language::English);
        QVERIFY(ui.find<QFrame>("EngPanel")->isVisible());
        QVERIFY(ui.edit(1)->isEnabled());
        QVERIFY(!ui.edit(2)->isEnabled());
        ui.ticks(82);
        QVERIFY(ui.find<QLabel>("Image3")->isVisible());
        // An empty table is refused before the missing library is noticed.
        ui.click("BtnSend");
        QCOMPARE(ui.prompter.messages(), (std::vector<std::string>{"No Data Send!"}));
    }

    void typingHoldsTheEnglishRules() {
        WindowUnderTest ui;
        ui.type(1, "HELLO");
        QCOMPARE(ui.window->table().section(0).text, std::string("HELLO"));
        QVERIFY(ui.edit(2)->isEnabled());
        QCOMPARE(ui.window->table().SectionCount(), 1);
        ui.type(1, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        QCOMPARE(ui.window->table().section(0).text, std::string("HELLOABCDEFGHIJKLM"));
        QCOMPARE(ui.edit(1)->text(), QStringLiteral("HELLOABCDEFGHIJKLM"));
        // The cut is told, and the current section shows how full it is.
        QCOMPARE(ui.window->status(), QStringLiteral("Section 1 is full (18 / 18)"));
        QCOMPARE(ui.find<QLabel>("LimitCounter")->text(), QStringLiteral("18 / 18"));
        ui.edit(1)->setCursorPosition(0);
        QTest::keyClicks(ui.edit(1), "X");
        QCOMPARE(ui.window->table().section(0).text, std::string("HELLOABCDEFGHIJKLM"));
        QCOMPARE(ui.edit(1)->cursorPosition(), 0);

        // Text that code page 936 cannot hold is refused and the edit keeps its text.
        QTest::keySequence(ui.edit(2), QKeySequence::SelectAll);
        CommitInput(ui.edit(2), QStringLiteral("\u0628"));
        QCOMPARE(ui.prompter.shown, (std::vector<std::string>{kBadCharacter + " “ب” (U+0628)"}));
        QCOMPARE(ui.edit(2)->text(), QString());
        QVERIFY(ui.window->table().section(1).text.empty());

        // A storable character outside the English set is kept, with the message.
        CommitInput(ui.edit(2), QStringLiteral("中"));
        QCOMPARE(ui.window->table().section(1).text, std::string("\xD6\xD0"));
        QCOMPARE(ui.prompter.shown.back(), kBadCharacter + " “中” (0xD6D0)");
        QCOMPARE(ui.edit(2)->text(), QStringLiteral("中"));
    }

    // Typed input meets the edit's byte limit, which the Chinese rule moves with every change
    // (remembering the limit it set last, also across sections).
    void typingHoldsTheLengthRules_data() {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<bool>("leave24First");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<int>("limit");
        const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTU");
        QTest::newRow("English stops at 18 bytes")
            << false << false << letters << QByteArray("ABCDEFGHIJKLMNOPQR") << 18;
        QTest::newRow("Chinese after a change that left 24: 18 narrow characters")
            << true << true << letters << QByteArray("ABCDEFGHIJKLMNOPQR") << 18;
        QTest::newRow("first Chinese change of the run: the 19th is cut, then replaced")
            << true << false << letters << QByteArray("ABCDEFGHIJKLMNOPQT") << 18;
        QTest::newRow("Chinese takes 12 double-byte characters")
            << true << true << QString(13, QChar(0x4E2D)) << QByteArray("\xD6\xD0").repeated(12)
            << 24;
    }

    void typingHoldsTheLengthRules() {
        QFETCH(bool, chinese);
        QFETCH(bool, leave24First);
        QFETCH(QString, typed);
        QFETCH(QByteArray, expected);
        QFETCH(int, limit);
        WindowUnderTest ui;
        if (chinese) {
            ui.click("BtnCn");
        }
        QTest::mouseClick(ui.edit(1), Qt::LeftButton);
        if (leave24First) {
            ui.click("CNBtn1");
            QTest::keyClick(ui.edit(1), Qt::Key_Backspace);
        }
        for (const QChar character : typed) {
            CommitInput(ui.edit(1), character);
        }
        QCOMPARE(QByteArray::fromStdString(ui.window->table().section(0).text), expected);
        const bool doubleByte = expected.startsWith('\xD6');
        QCOMPARE(ui.edit(1)->text(),
                 doubleByte ? QString(12, QChar(0x4E2D)) : QString::fromLatin1(expected));
        QCOMPARE(ui.edit(1)->byteLimit(), limit);
        QVERIFY(ui.prompter.shown.empty());
    }

    void keysInsertAtTheCaret_data() {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<int>("expectedCaret");
        QTest::newRow("English key inside the text")
            << false << "ABCD" << 2 << QStringList{"EngBtn1"}
            << QByteArray(
                   "AB\x12"
                   "CD")
            << 3;
        QTest::newRow("a full English section refuses keys")
            << false << "ABCDEFGHIJKLMNOPQR" << 3 << QStringList{"EngBtn11"}
            << QByteArray("ABCDEFGHIJKLMNOPQR") << 3;
        QTest::newRow("glyph key after a double-byte character")
            << true << "中A" << 1 << QStringList{"CNBtn21"} << QByteArray("\xD6\xD0&A") << 3;
        QTest::newRow("thirteenth wide glyph is cut again")
            << true << "" << 0 << QStringList(13, "CNBtn3") << QByteArray(12, '\x03') << 12;
    }

    void keysInsertAtTheCaret() {
        QFETCH(bool, chinese);
        QFETCH(QString, typed);
        QFETCH(int, caret);
        QFETCH(QStringList, keys);
        QFETCH(QByteArray, expected);
        QFETCH(int, expectedCaret);
        WindowUnderTest ui;
        if (chinese) {
            ui.click("BtnCn");
        }
        QTest::mouseClick(ui.edit(1), Qt::LeftButton);
        CommitInput(ui.edit(1), typed);
        ui.edit(1)->setCursorPosition(caret);
        for (const QString& key : keys) {
            ui.click(key);
        }
        QCOMPARE(QByteArray::fromStdString(ui.window->table().section(0).text), expected);
        QVERIFY(ui.edit(1)->hasFocus());
        QCOMPARE(ui.edit(1)->caretByteOffset(), std::size_t(expectedCaret));
    }

    void everyKeyInsertsItsCode_data() {
        QTest::addColumn<QString>("keyboard");
        QTest::addColumn<QList<int>>("codes");
        QList<int> glyphCodes{1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 14, 15, 16, 17};
        QList<int> englishCodes;
        for (int code = 18; code <= 27; ++code) {
            englishCodes << code;
        }
        for (int code = 32; code <= 126; ++code) {
            glyphCodes << code;
            englishCodes << code;
        }
        QTest::newRow("glyph keyboard") << "CNBtn" << glyphCodes;
        QTest::newRow("English keyboard") << "EngBtn" << englishCodes;
    }

    void everyKeyInsertsItsCode() {
        QFETCH(QString, keyboard);
        QFETCH(QList<int>, codes);
        WindowUnderTest ui;
        if (keyboard == "CNBtn") {
            ui.click("BtnCn");
        }
        for (int key = 1; key <= codes.size(); ++key) {
            ui.click(keyboard + QString::number(key));
            QCOMPARE(QByteArray::fromStdString(ui.window->table().section(0).text),
                     QByteArray(1, char(codes[key - 1])));
            QCOMPARE(ui.find<QPushButton>(keyboard + QString::number(key))->property("Tag").toInt(),
                     100 + key);
            QTest::keyClick(ui.edit(1), Qt::Key_Backspace);
        }
        QVERIFY(ui.prompter.shown.empty());
    }

    void onlyAMouseClickMakesASectionCurrent() {
        WindowUnderTest ui;
        ui.type(1, "AB");
        for (int stop = 0; stop < 3; ++stop) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QVERIFY(ui.edit(2)->hasFocus());
        QCOMPARE(ui.window->table().CurrentSection(), 0);
        ui.click("EngBtn11");
        QCOMPARE(ui.window->table().section(0).text, std::string("AB "));
        QTest::mouseClick(ui.edit(2), Qt::RightButton);
        QCOMPARE(ui.window->table().CurrentSection(), 0);
        QTest::mouseClick(ui.edit(2), Qt::LeftButton);
        QCOMPARE(ui.window->table().CurrentSection(), 1);
        ui.click("EngBtn11");
        QCOMPARE(ui.window->table().section(1).text, std::string(" "));

        // The last row too; and a load starts again at section 1, so a key never lands in a
        // row the file left disabled.
        const auto writeTable = [&ui](const char* name, int sections) {
            const lumera::LedFileContent content{
                true, std::vector<lumera::LedSection>(sections, lumera::LedSection{"X"})};
            QVERIFY(!lumera::WriteLedFile(ui.programPath(name), content));
        };
        writeTable("full.led", 32);
        writeTable("two.led", 2);
        ui.window->OpenNamedFile(ui.programPath("full.led").string());
        ui.find<QScrollArea>("DataScrollBox")->ensureWidgetVisible(ui.edit(32));
        QTest::mouseClick(ui.edit(32), Qt::LeftButton);
        QCOMPARE(ui.window->table().CurrentSection(), 31);
        ui.click("EngBtn11");
        QCOMPARE(ui.window->table().section(31).text, std::string("X "));
        ui.window->OpenNamedFile(ui.programPath("two.led").string());
        QCOMPARE(ui.window->table().CurrentSection(), 0);
        ui.click("EngBtn11");
        QCOMPARE(ui.window->table().section(0).text.size(), std::size_t(2));
        QCOMPARE(ui.window->table().SectionCount(), 2);
        QCOMPARE(ui.window->table().section(31).text, std::string());
        QVERIFY(ui.prompter.shown.empty());
    }

    void wheelScrollsTheTableNotTheOptions() {
        WindowUnderTest ui;
        auto* list = ui.find<QComboBox>("CBA1");
        auto* rows = ui.find<QScrollArea>("DataScrollBox");
        const auto wheelDown = [list] {
            QWheelEvent event(QPointF(5, 5), list->mapToGlobal(QPointF(5, 5)), QPoint(),
                              QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                              false);
            QApplication::sendEvent(list, &event);
        };
        wheelDown();
        QCOMPARE(list->currentIndex(), 0);
        QVERIFY(rows->verticalScrollBar()->value() > 0);
        QVERIFY(!ui.window->document().modified());
        list->setFocus();
        wheelDown();
        QCOMPARE(list->currentIndex(), 1);
        QCOMPARE(ui.window->table().section(0).openOption, lumera::OpenEffect::RightToLeft);
    }

    void clearEmptiesTheTable() {
        WindowUnderTest ui;
        ui.fill({"ONE", "TWO"});
        ui.find<QComboBox>("CBA2")->setCurrentIndex(4);
        ui.click("BtnStart");
        ui.ticks(3);
        QVERIFY(!IsGrey(ui.find<QLabel>("ImageLed")));
        ui.click("BtnClear");
        QVERIFY(!ui.window->preview().Engine().PreviewRunning());
        QVERIFY(IsGrey(ui.find<QLabel>("ImageLed")));
        QVERIFY(!ui.edit(2)->isEnabled());
        QCOMPARE(ui.find<QComboBox>("CBA2")->currentIndex(), 0);
        QCOMPARE(ui.window->table().SectionCount(), 0);
        QVERIFY(ui.window->document().modified());
        QVERIFY(ui.edit(1)->hasFocus());
        QCOMPARE(ui.edit(1)->cursorPosition(), 0);
        ui.window->close();
        QVERIFY(ui.prompter.shown.empty());
    }

    void languageSwitches_data() {
        QTest::addColumn<QStringList>("switches");
        QTest::addColumn<bool>("typeFirst");
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("asked");
        QTest::newRow("to Chinese with text, No")
            << QStringList{"BtnCn"} << true << int(Language::Chinese) << 1;
        QTest::newRow("to Japanese without text")
            << QStringList{"BtnJapanClick"} << false << int(Language::Japanese) << 0;
        QTest::newRow("English again changes nothing")
            << QStringList{"BtnEng"} << true << int(Language::English) << 0;
        QTest::newRow("English, Japanese, English")
            << QStringList{"BtnJapanClick", "BtnEng"} << true << int(Language::English) << 1;
        QTest::newRow("Japanese, then Chinese")
            << QStringList{"BtnJapanClick", "BtnCn"} << false << int(Language::Chinese) << 0;
        QTest::newRow("Japanese, then Clear brings the Chinese texts")
            << QStringList{"BtnJapanClick", "BtnClear"} << true << int(Language::Chinese) << 1;
    }

    void languageSwitches() {
        QFETCH(QStringList, switches);
        QFETCH(bool, typeFirst);
        QFETCH(int, language);
        QFETCH(int, asked);
        WindowUnderTest ui;
        if (typeFirst) {
            ui.type(1, "HI");
            ui.click("BtnStart");
            ui.prompter.answers.push_back(false);
        }
        for (const QString& button : switches) {
            ui.click(button);
        }
        QCOMPARE(int(ui.window->language()), language);
        QCOMPARE(int(std::count(ui.prompter.shown.begin(), ui.prompter.shown.end(), kSaveOffer)),
                 asked);
        const bool changed = !(switches == QStringList{"BtnEng"});
        QCOMPARE(ui.window->table().section(0).text.empty(), changed || !typeFirst);
        // A switch keeps the count of sections in use; only Clear (or a load) sets it.
        QCOMPARE(ui.window->table().SectionCount(),
                 typeFirst && !switches.contains("BtnClear") ? 1 : 0);
        if (changed) {
            QVERIFY(ui.edit(1)->hasFocus());
            QCOMPARE(ui.edit(1)->cursorPosition(), 0);
            QCOMPARE(ui.window->table().CurrentSection(), 0);
        }
        QCOMPARE(ui.window->preview().Engine().PreviewRunning(), typeFirst && !changed);
        const bool english = language == int(Language::English);
        QCOMPARE(ui.find<QFrame>("EngPanel")->isVisible(), english);
        QCOMPARE(ui.edit(1)->byteLimit(), english ? 18 : 24);
        const QString start = ShownText(ui.find<QPushButton>("BtnStart")->text());
        QCOMPARE(start, language == int(Language::English)   ? QStringLiteral("Start     ")
                        : language == int(Language::Chinese) ? QStringLiteral("开始   ")
                                                             : QStringLiteral("[スタート]   "));
        if (!english) {
            QCOMPARE(ui.find<QPushButton>("CNBtn21")->text(), QStringLiteral("&&"));
            QCOMPARE(ui.find<QPushButton>("CNBtn1")->text(), QString(QChar(0xE001)));
        }
    }

    void saveThenOpenGivesTheTableBack() {
        WindowUnderTest ui;
        ui.click("BtnJapanClick");
        ui.type(1, "AB");
        ui.click("CNBtn1");
        ui.type(2, "Z");
        ui.find<QComboBox>("CBA1")->setCurrentIndex(3);
        ui.find<QComboBox>("CBB2")->setCurrentIndex(6);
        const std::string file = ui.programPath("table").string();
        ui.prompter.saveNames.push_back(file);
        ui.click("BtnSave");
        QVERIFY(!ui.window->document().modified());
        QVERIFY(std::filesystem::exists(file + ".led"));

        ui.click("BtnEng");
        QCOMPARE(ui.window->language(), Language::English);
        // Open offers to save the changed table, then replaces it and stops the preview first.
        ui.type(1, "PLAYING");
        ui.click("BtnStart");
        ui.ticks(2);
        QVERIFY(!IsGrey(ui.find<QLabel>("ImageLed")));
        ui.prompter.answers.push_back(false);
        ui.prompter.openNames.push_back(file + ".led");
        ui.click("BtnOpen");
        QVERIFY(!ui.window->preview().Engine().PreviewRunning());
        QVERIFY(IsGrey(ui.find<QLabel>("ImageLed")));
        QCOMPARE(ui.window->language(), Language::Chinese);
        QCOMPARE(ui.window->openFileName(), file + ".led");
        QCOMPARE(ui.edit(1)->text(), QStringLiteral("AB") + QChar(0xE001));
        QCOMPARE(ui.window->table().section(1).text, std::string("Z"));
        QCOMPARE(ui.find<QComboBox>("CBA1")->currentIndex(), 3);
        QCOMPARE(ui.find<QComboBox>("CBB2")->currentIndex(), 6);
        QCOMPARE(ui.find<QComboBox>("CBA1")->currentText(), QStringLiteral("从下到上开    "));
        QVERIFY(ui.edit(3)->isEnabled());
        QVERIFY(!ui.edit(4)->isEnabled());
        QCOMPARE(ui.window->table().SectionCount(), 2);
        QVERIFY(!ui.window->document().modified());
        QCOMPARE(
            ui.prompter.shown,
            (std::vector<std::string>{std::string("save: ") + lumera::kTableFileFilter, kSaveOffer,
                                      std::string("open: ") + lumera::kTableFileFilter}));
    }

    void sendReachesTheEmulatedDisplay() {
        WindowUnderTest ui;
        ui.type(1, "AB");
        ui.click("BtnStart");
        ui.ticks(2);
        ui.click("BtnSend");
        QVERIFY(!ui.window->preview().Engine().PreviewRunning());
        QVERIFY(IsGrey(ui.find<QLabel>("ImageLed")));
        const std::string image(ui.window->sendData().begin(), ui.window->sendData().end());
        QCOMPARE(image.size(), std::size_t{13});
        QCOMPARE(ReadBytes(ui.programPath("USBSendData.bin")), image);
        QCOMPARE(ReadBytes(ui.display.MemoryFile()), image);
    }

    void presenceIconFollowsTheDisplay() {
        WindowUnderTest ui;
        auto* icon = ui.find<QLabel>("Image3");
        const auto timers = ui.window->findChildren<QTimer*>().size();
        QVERIFY(icon->isVisible());
        ui.ticks(40);
        QVERIFY(icon->isVisible());
        ui.ticks(1);
        QVERIFY(!icon->isVisible());
        lumera::testing::SetFaults("absent");
        ui.ticks(40);
        QVERIFY(!icon->isVisible());
        ui.ticks(1);
        QVERIFY(icon->isVisible());
        // A window left open polls for hours: polling must not pile anything up.
        ui.ticks(41 * 20);
        QCOMPARE(ui.window->findChildren<QTimer*>().size(), timers);
    }

    void startStopAndColor() {
        WindowUnderTest ui;
        auto* image = ui.find<QLabel>("ImageLed");
        ui.click("BtnStart");
        QVERIFY(!ui.window->preview().Engine().PreviewRunning());
        ui.type(1, "   ");
        ui.click("BtnStart");
        QVERIFY(!ui.window->preview().Engine().PreviewRunning());
        ui.edit(1)->selectAll();
        QTest::keyClicks(ui.edit(1), "HELLO");
        ui.click("BtnStart");
        QVERIFY(ui.window->preview().Engine().PreviewRunning());
        ui.ticks(1);
        QVERIFY(!IsGrey(image));

        // Opening 0 on 5 characters (450 columns) completes on its 46th tick with a hold of
        // 1000 ms; ticks meanwhile neither end the hold nor step the effect.
        ui.ticks(45);
        QVERIFY(ui.window->preview().Engine().Holding());
        ui.ticks(5);
        QVERIFY(ui.window->preview().Engine().Holding());
        QTRY_VERIFY_WITH_TIMEOUT(!ui.window->preview().Engine().Holding(), 2000);
        QVERIFY(ui.window->preview().Engine().OpenPhaseDone());
        ui.ticks(1);
        QCOMPARE(ui.window->preview().Engine().EffectStep(), 10);

        for (int press = 1; press <= 4; ++press) {
            ui.click("BtnColor");
            QCOMPARE(ui.window->preview().Engine().LedColor(), press % 4);
        }
        ui.click("BtnStop");
        QVERIFY(!ui.window->preview().Engine().PreviewRunning());
        QVERIFY(IsGrey(image));
    }

    void closingMakesTheSaveOffer_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QList<bool>>("answers");
        QTest::newRow("nothing changed") << "" << QList<bool>{};
        QTest::newRow("only CBA2 changed, no text") << "CBA2" << QList<bool>{};
        QTest::newRow("only CBA2 changed since the save, answer No")
            << "saved, then CBA2" << QList<bool>{false};
        QTest::newRow("only CBA1 changed, no text") << "CBA1" << QList<bool>{};
    }

    void closingMakesTheSaveOffer() {
        QFETCH(QString, change);
        QFETCH(QList<bool>, answers);
        WindowUnderTest ui;
        if (change.startsWith("CBA")) {
            ui.find<QComboBox>(change)->setCurrentIndex(2);
        } else if (change == "saved, then CBA2") {
            ui.type(1, "X");
            ui.prompter.saveNames.push_back(ui.programPath("saved.led").string());
            ui.click("BtnSave");
            QVERIFY(!ui.window->document().modified());
            ui.find<QComboBox>("CBA2")->setCurrentIndex(2);
        }
        ui.prompter.answers.assign(answers.begin(), answers.end());
        ui.click("BtnExit");
        QVERIFY(!ui.window->isVisible());
        QCOMPARE(int(std::count(ui.prompter.shown.begin(), ui.prompter.shown.end(), kSaveOffer)),
                 int(answers.size()));
        QVERIFY(ui.prompter.answers.empty());
    }

    // Only a written file ends the offer to save on leaving: a cancelled dialog or a declined
    // replacement leaves the table marked as changed, so closing asks again.
    // The replace question names the file that would be written, also when the name was typed
    // without its extension.
    void onlyAWrittenSaveEndsTheSaveOffer_data() {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<QString>("typed");  // "": the dialog is cancelled
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<bool>("written");
        QTest::newRow("dialog cancelled") << false << "" << QList<bool>{} << false;
        QTest::newRow("replacement declined") << true << "kept.led" << QList<bool>{false} << false;
        QTest::newRow("replacement accepted") << true << "kept.led" << QList<bool>{true} << true;
        QTest::newRow("typed without extension, declined")
            << true << "kept" << QList<bool>{false} << false;
        QTest::newRow("typed without extension, new file")
            << false << "kept" << QList<bool>{} << true;
    }

    void onlyAWrittenSaveEndsTheSaveOffer() {
        QFETCH(bool, existing);
        QFETCH(QString, typed);
        QFETCH(QList<bool>, answers);
        QFETCH(bool, written);
        WindowUnderTest ui;
        const std::string file = ui.programPath("kept.led").string();
        if (existing) {
            std::ofstream(file) << "old";
        }
        ui.type(1, "KEEP");
        ui.prompter.saveNames.push_back(
            typed.isEmpty()
                ? std::nullopt
                : std::optional<std::string>(ui.programPath(qPrintable(typed)).string()));
        ui.prompter.answers.assign(answers.begin(), answers.end());
        ui.click("BtnSave");
        if (!answers.isEmpty()) {
            QCOMPARE(ui.prompter.shown.back(),
                     "ask: " + file + " Has existed!You want replace it?");
        }
        QCOMPARE(ui.window->document().modified(), !written);
        QCOMPARE(std::filesystem::exists(file) && ReadBytes(file) != "old", written);
        if (!written) {
            ui.prompter.answers.push_back(false);
        }
        ui.click("BtnExit");
        QVERIFY(!ui.window->isVisible());
        QCOMPARE(int(std::count(ui.prompter.shown.begin(), ui.prompter.shown.end(), kSaveOffer)),
                 written ? 0 : 1);
        QVERIFY(ui.prompter.answers.empty());
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
