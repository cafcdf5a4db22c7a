#include <QAccessible>
#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTest>
#include <memory>
#include <tuple>

#include "app/qt/window_contrast.h"
#include "app/qt/window_icons.h"
#include "app/shell/desktop_identity.h"
#include "app/window/window_fit.h"
#include "window_fixture.h"

using lumera::app::ContrastRatio;
using lumera::app::testing::ShownText;
using lumera::app::testing::WindowUnderTest;

namespace {

// The name a screen reader gets.
QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

// The most a rendered widget stands out from its own background colour.
double StrongestContrast(QWidget* widget) {
    const QImage picture = widget->grab().toImage();
    const QColor background = widget->palette().color(widget->backgroundRole());
    double strongest = 1;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            strongest = std::max(strongest, ContrastRatio(picture.pixelColor(x, y), background));
        }
    }
    return strongest;
}

QPalette WithWindowColour(QPalette palette, QColor window, QColor text) {
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    return palette;
}

bool InView(QScrollArea* frame, const char* control) {
    auto* widget = frame->findChild<QWidget*>(control);
    const QRect place(widget->mapTo(frame->viewport(), QPoint(0, 0)), widget->size());
    return frame->viewport()->rect().contains(place);
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    void controlsAreNamedAndReachedInOrder_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("captions");  // Start, Exit, English, 中文 as shown
        QTest::addColumn<int>("mnemonics");
        QTest::newRow("English") << "BtnEng"
                                 << "EngBtn"
                                 << QStringList{"Start     ", "Exit        ", "English", "中文"}
                                 << 10;
        QTest::newRow("Japanese") << "BtnJapanClick"
                                  << "CNBtn"
                                  << QStringList{"[スタート]   ", "終         了    ", "English",
                                                 "中文"}
                                  << 2;
    }

    void controlsAreNamedAndReachedInOrder() {
        QFETCH(QString, language);
        QFETCH(QString, keys);
        QFETCH(QStringList, captions);
        QFETCH(int, mnemonics);
        WindowUnderTest ui;
        // The keyboard not shown is made once the window has been drawn; the switch shows it.
        QTRY_VERIFY(ui.window->findChild<QWidget*>("CNBtn7"));
        ui.click(language);

        // Every control of the window, shown or not, tells a screen reader what it is.
        QStringList unnamed;
        for (QWidget* widget : ui.window->findChildren<QWidget*>()) {
            const bool control =
                qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                qobject_cast<QComboBox*>(widget) || widget->objectName().startsWith("Image");
            if (control && AccessibleName(widget).trimmed().isEmpty()) {
                unnamed << widget->objectName();
            }
        }
        QCOMPARE(unnamed, QStringList());
        // The names follow the interface language.
        const bool english = language == QLatin1String("BtnEng");
        const std::tuple<const char*, const char*, const char*> names[] = {
            {"ME5", "Section 5 text", "セクション 5 の文字"},
            {"CBA5", "Section 5 opening effect", "セクション 5 の開始効果"},
            {"CBB32", "Section 32 closing effect", "セクション 32 の終了効果"},
            {"CNBtn7", "up arrow", "上矢印"},
            {"EngBtn5", "up arrow", "上矢印"},
            {"CNBtn21", "ampersand", "アンパサンド"},
            {"BtnOpen", "Open a message file", "メッセージファイルを開く"},
            {"CNBtn9", "sun — code 0x0B", "太陽 — コード 0x0B"},
            {"BtnSave", "Save the table to a file (Ctrl+Shift+S)",
             "内容をファイルに保存 (Ctrl+Shift+S)"},
        };
        for (const auto& [control, englishName, japaneseName] : names) {
            auto* widget = ui.find<QWidget>(control);
            const QString name = QString::fromUtf8(english ? englishName : japaneseName);
            QVERIFY2(AccessibleName(widget) == name || widget->toolTip() == name, control);
        }
        auto* list = ui.find<QComboBox>("CBB2");
        QCOMPARE(QAccessible::queryAccessibleInterface(list)->text(QAccessible::Value),
                 list->currentText());

        // A mnemonic changes nothing of a caption but its underline, and no two commands
        // share a letter; captions without a Latin letter go without.
        QStringList shown;
        for (const char* button : {"BtnStart", "BtnExit", "BtnEng", "BtnCn"}) {
            shown << ShownText(ui.find<QPushButton>(button)->text());
        }
        QCOMPARE(shown, captions);
        QSet<QKeySequence> letters;
        for (QPushButton* button : ui.find<QWidget>("GroupBox4")->findChildren<QPushButton*>()) {
            letters.insert(button->shortcut());
        }
        letters.remove(QKeySequence());
        QCOMPARE(int(letters.size()), mnemonics);

        // Tab: along the rows open (the one in use and the next), the LED picture, the
        // commands column by column, the keyboard shown as one stop, where Space types and
        // Right walks, held by the key reached last, the emulated display's button, round to
        // the first row. Shift+Tab walks back, to the key reached last.
        ui.type(1, "A");
        const QStringList expected{
            "ME1",        "CBA1",     "CBB1",       "ME2",           "CBA2",
            "CBB2",       "ImageLed", "BtnEng",     "BtnJapanClick", "BtnCn",
            "BtnStart",   "BtnStop",  "BtnColor",   "BtnOpen",       "BtnSend",
            "BtnSave",    "BtnClear", "BtnExit",    keys + "1",      keys + "2",
            "BtnDisplay", "ME1",      "BtnDisplay", keys + "2",      "BtnExit"};
        const qsizetype turn = expected.indexOf("ME1", 1);
        ui.edit(1)->setFocus(Qt::TabFocusReason);
        QStringList reached{QApplication::focusWidget()->objectName()};
        while (reached.size() < expected.size()) {
            QWidget* focused = QApplication::focusWidget();
            if (reached.back() == keys + "1") {
                QTest::keyClick(focused, Qt::Key_Space);
                QTest::keyClick(focused, Qt::Key_Right);
            } else {
                QTest::keyClick(focused, Qt::Key_Tab,
                                reached.size() > turn ? Qt::ShiftModifier : Qt::NoModifier);
            }
            reached << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(reached, expected);
        QCOMPARE(ui.window->table().section(0).text,
                 std::string("A") + (english ? "\x12" : "\x01"));
    }

    void shortcutsAndMnemonicsRunTheCommands_data() {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("effect");
        QTest::newRow("Open") << QKeySequence(QKeySequence::Open) << "open";
        QTest::newRow("Alt+O") << QKeySequence(Qt::ALT | Qt::Key_O) << "open";
        QTest::newRow("Save") << QKeySequence(QKeySequence::Save) << "save";
        QTest::newRow("F5") << QKeySequence(Qt::Key_F5) << "preview";
        QTest::newRow("Alt+T") << QKeySequence(Qt::ALT | Qt::Key_T) << "preview";
        QTest::newRow("Ctrl+Q") << QKeySequence(Qt::CTRL | Qt::Key_Q) << "closed";
        QTest::newRow("Alt+J") << QKeySequence(Qt::ALT | Qt::Key_J) << "Japanese";
    }

    void shortcutsAndMnemonicsRunTheCommands() {
        QFETCH(QKeySequence, keys);
        QFETCH(QString, effect);
        WindowUnderTest ui;
        ui.type(1, "GO");
        ui.prompter.openNames.push_back(std::nullopt);
        ui.prompter.saveNames.push_back(std::nullopt);
        ui.prompter.answers.push_back(false);
        QTest::keySequence(ui.edit(1), keys);
        // A mnemonic clicks its button the way the mouse would, shown pressed for a moment. Open
        // makes the save offer (declined here) before its dialog.
        if (effect == "open" || effect == "save") {
            QTRY_VERIFY(!ui.prompter.shown.empty());
            QCOMPARE(QString::fromStdString(ui.prompter.shown.back()).section(':', 0, 0), effect);
        } else if (effect == "preview") {
            QTRY_VERIFY(ui.window->preview().Engine().PreviewRunning());
            QTest::keySequence(ui.edit(1), QKeySequence(Qt::SHIFT | Qt::Key_F5));
            QVERIFY(!ui.window->preview().Engine().PreviewRunning());
        } else if (effect == "closed") {
            QTRY_VERIFY(!ui.window->isVisible());
        } else {
            QTRY_COMPARE(ui.window->language(), lumera::Language::Japanese);
        }
    }

    // The keys type into the current section, which the row's number shows; Enter in a
    // section makes it current from the keyboard; Space and Enter type the key reached, which
    // keeps the focus for the next one.
    void theCurrentSectionIsMarked() {
        WindowUnderTest ui;
        ui.fill({"ONE", "TWO"});
        auto marked = [&ui] {
            QList<int> rows;
            for (int n = 1; n <= 32; ++n) {
                auto* number = ui.find<QLabel>(QStringLiteral("L%1").arg(n));
                if (number->grab().toImage().pixelColor(1, 1) !=
                    ui.window->palette().color(QPalette::Window)) {
                    rows << n;
                }
            }
            return rows;
        };
        QCOMPARE(marked(), QList<int>{2});
        for (int stop = 0; stop < 3; ++stop) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QVERIFY(ui.edit(3)->hasFocus());
        QCOMPARE(marked(), QList<int>{2});
        QTest::keyClick(ui.edit(3), Qt::Key_Return);
        QCOMPARE(marked(), QList<int>{3});

        auto* key = ui.find<QPushButton>("EngBtn44");
        key->setFocus(Qt::TabFocusReason);
        QTest::keyClick(key, Qt::Key_Space);
        QTest::keyClick(key, Qt::Key_Right);
        QVERIFY(ui.find<QPushButton>("EngBtn45")->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        QCOMPARE(ui.window->table().section(2).text, std::string("AB"));
        QVERIFY(ui.find<QPushButton>("EngBtn45")->hasFocus());

        ui.click("BtnClear");
        QCOMPARE(marked(), QList<int>{1});
    }

    // Title and status texts stay readable and the link pictures visible on light and dark
    // palettes, also when the palette changes under a running window.
    void coloursFollowThePalette_data() {
        QTest::addColumn<QPalette>("palette");
        const QPalette fusion =
            std::unique_ptr<QStyle>(QStyleFactory::create("Fusion"))->standardPalette();
        QTest::newRow("Fusion light") << fusion;
        QTest::newRow("dark") << WithWindowColour(fusion, QColor(0x35, 0x35, 0x35), Qt::white);
        QTest::newRow("mid grey") << WithWindowColour(fusion, QColor(128, 128, 128), Qt::black);
        QTest::newRow("navy") << WithWindowColour(fusion, QColor(0, 0, 96), Qt::white);
    }

    void coloursFollowThePalette() {
        QFETCH(QPalette, palette);
        const QPalette before = QApplication::palette();
        WindowUnderTest ui;
        QApplication::setPalette(palette);
        for (const char* text : {"Label1", "USBLabel"}) {
            const QPalette& shown = ui.find<QLabel>(text)->palette();
            QVERIFY2(ContrastRatio(shown.color(QPalette::WindowText),
                                   shown.color(QPalette::Window)) >= lumera::app::kTextContrast,
                     text);
        }
        QVERIFY(StrongestContrast(ui.find<QLabel>("Label1")) >= lumera::app::kTextContrast);
        for (const char* picture : {"Image2", "Image3"}) {
            QVERIFY2(StrongestContrast(ui.find<QLabel>(picture)) >= lumera::app::kGraphicContrast,
                     picture);
        }
        QApplication::setPalette(before);
    }

    // Button pictures are drawn for the pixel ratio asked, not scaled up from a small one.
    void picturesAreDrawnAtThePixelRatio() {
        using lumera::app::CommandPicture;
        for (CommandPicture picture : {CommandPicture::Start, CommandPicture::Color,
                                       CommandPicture::Save, CommandPicture::Exit}) {
            const QIcon icon = lumera::app::CommandButtonIcon(picture);
            for (double ratio : {1.5, 2.0}) {
                const QSize pixels(qRound(14 * ratio), qRound(14 * ratio));
                QImage drawn = icon.pixmap(QSize(14, 14), ratio).toImage();
                QCOMPARE(drawn.size(), pixels);
                drawn.setDevicePixelRatio(1);
                QCOMPARE(drawn.convertToFormat(QImage::Format_ARGB32),
                         icon.pixmap(pixels).toImage().convertToFormat(QImage::Format_ARGB32));
            }
        }
    }

    // The window icon comes with the program, at each size it is drawn in, whether or not
    // an icon theme knows it.
    void theWindowIconComesWithTheProgram() {
        lumera::app::ClaimDesktopIdentity();
        const QIcon icon = QGuiApplication::windowIcon();
        for (const int size : {32, 48, 64, 128}) {
            const QImage picture = icon.pixmap(QSize(size, size)).toImage();
            QCOMPARE(picture.size(), QSize(size, size));
            // The sign stands on a see-through ground: the corner is clear, the middle is not.
            QCOMPARE(qAlpha(picture.pixel(0, 0)), 0);
            QVERIFY(qAlpha(picture.pixel(size / 2, size / 2)) > 0);
        }
    }

    // On a screen too small for it the window scrolls, and every control can be reached:
    // by the scroll bars, and a key reached from the keyboard scrolls into view by itself.
    void aSmallScreenScrollsTheWindow() {
        const std::pair<QSize, QSize> fits[] = {
            {QSize(1912, 1000), QSize(748, 516)},     // room to spare
            {QSize(952, 500), QSize(748 + 16, 500)},  // too short: a vertical bar
            {QSize(700, 800), QSize(700, 516 + 16)},  // too narrow: a horizontal bar
            {QSize(755, 500), QSize(755, 500)},       // short, then too narrow for the bar too
        };
        for (const auto& [room, fitted] : fits) {
            QCOMPARE(lumera::app::FittedWindowSize(QSize(748, 516), room, 16), fitted);
        }

        WindowUnderTest ui;
        ui.window->FitInto(QRect(0, 0, 960, 540));
        QVERIFY(ui.window->height() < 516);
        auto* frame = ui.find<QScrollArea>("WindowFrame");
        QTRY_VERIFY(frame->verticalScrollBar()->isVisible());
        QVERIFY(!InView(frame, "BtnColor"));
        frame->verticalScrollBar()->setValue(frame->verticalScrollBar()->maximum());
        QVERIFY(InView(frame, "BtnColor"));
        frame->verticalScrollBar()->setValue(0);
        ui.find<QWidget>("EngBtn105")->setFocus(Qt::TabFocusReason);
        QVERIFY(InView(frame, "EngBtn105"));
        QVERIFY(InView(ui.find<QScrollArea>("EngScrollBox"), "EngBtn105"));

        // Moved to a screen with room (the test screen), it shows all of itself again.
        QEvent moved(QEvent::ScreenChangeInternal);
        QApplication::sendEvent(ui.window.get(), &moved);
        QCOMPARE(ui.window->size(), QSize(748, 516));
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
