#include <QAccessible>
#include <QApplication>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTest>
#include <memory>

#include "app/window_contrast.h"
#include "app/window_fit.h"
#include "app/window_icons.h"
#include "window_fixture.h"

using lumera::app::CommandButtonIcon;
using lumera::app::CommandPicture;
using lumera::app::ContrastRatio;
using lumera::app::FittedWindowSize;
using lumera::app::kGraphicContrast;
using lumera::app::kTextContrast;
using lumera::app::testing::ShownText;
using lumera::app::testing::WindowUnderTest;

namespace {

QString AccessibleText(QWidget* widget, QAccessible::Text kind) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(kind) : QString();
}

// The name a screen reader gets. Qt on Linux names a list by its current item and leaves
// the list's own name to the platform bridge, so for lists the name given is what counts.
QString AccessibleName(QWidget* widget) {
    return qobject_cast<QComboBox*>(widget) ? widget->accessibleName()
                                            : AccessibleText(widget, QAccessible::Name);
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

QPalette DarkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    return dark;
}

QPalette WindowColour(QColor window) {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, window);
    return palette;
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    void controlsAreNamedAndReachedInOrder_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("keyCount");
        QTest::newRow("English") << "BtnEng"
                                 << "EngBtn" << 105;
        QTest::newRow("Chinese") << "BtnCn"
                                 << "CNBtn" << 109;
    }

    void controlsAreNamedAndReachedInOrder() {
        QFETCH(QString, language);
        QFETCH(QString, keys);
        QFETCH(int, keyCount);
        WindowUnderTest ui;
        ui.click(language);

        // Every control of the window, shown or not, tells a screen reader what it is.
        QStringList unnamed;
        for (QWidget* widget : ui.window->findChildren<QWidget*>()) {
            const bool control =
                qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                qobject_cast<QComboBox*>(widget) ||
                (qobject_cast<QLabel*>(widget) && widget->objectName().startsWith("Image"));
            if (control && AccessibleName(widget).trimmed().isEmpty()) {
                unnamed << widget->objectName();
            }
        }
        QCOMPARE(unnamed, QStringList());
        const std::pair<const char*, const char*> names[] = {
            {"ME5", "Section 5 text"},
            {"CBA5", "Section 5 opening effect"},
            {"CBB32", "Section 32 closing effect"},
            {"CNBtn1", "heart"},
            {"CNBtn7", "up arrow"},
            {"EngBtn1", "heart"},
            {"EngBtn5", "up arrow"},
            {"CNBtn21", "ampersand"},
            {"EngBtn44", "capital A"},
            {"BtnOpen", "Open a message file"},
            {"Image3", "The display cannot be reached"},
        };
        for (const auto& [control, name] : names) {
            QCOMPARE(AccessibleName(ui.find<QWidget>(control)), QString::fromUtf8(name));
        }
        const std::pair<const char*, const char*> tips[] = {
            {"CNBtn9", "sun — code 0x0B"},
            {"EngBtn105", "tilde — code 0x7E"},
            {"BtnSave", "Save the table to a file (Ctrl+S)"},
        };
        for (const auto& [control, tip] : tips) {
            QCOMPARE(ui.find<QWidget>(control)->toolTip(), QString::fromUtf8(tip));
        }

        // Tab: the rows in use, the commands column by column, then the keys shown, round
        // to the first row again.
        QStringList expected{"ME1", "CBB1", "CBA1"};
        for (const char* command :
             {"BtnEng", "BtnJapanClick", "BtnCn", "BtnStart", "BtnStop", "BtnColor", "BtnOpen",
              "BtnSend", "BtnSave", "BtnClear", "BtnExit"}) {
            expected << command;
        }
        for (int key = 1; key <= keyCount; ++key) {
            expected << keys + QString::number(key);
        }
        expected << "ME1";
        ui.edit(1)->setFocus(Qt::TabFocusReason);
        QStringList reached{QApplication::focusWidget()->objectName()};
        while (reached.size() < expected.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(reached, expected);
    }

    void shortcutsAndMnemonicsRunTheCommands_data() {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("effect");
        QTest::newRow("Open") << QKeySequence(QKeySequence::Open) << "open dialog";
        QTest::newRow("Alt+O") << QKeySequence(Qt::ALT | Qt::Key_O) << "open dialog";
        QTest::newRow("Save") << QKeySequence(QKeySequence::Save) << "save dialog";
        QTest::newRow("Alt+S") << QKeySequence(Qt::ALT | Qt::Key_S) << "save dialog";
        QTest::newRow("F5") << QKeySequence(Qt::Key_F5) << "preview runs";
        QTest::newRow("Alt+T") << QKeySequence(Qt::ALT | Qt::Key_T) << "preview runs";
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
        // A mnemonic clicks its button the way the mouse would, shown pressed for a moment.
        if (effect == "open dialog" || effect == "save dialog") {
            QTRY_VERIFY(!ui.prompter.shown.empty());
            QCOMPARE(QString::fromStdString(ui.prompter.shown[0]).section(':', 0, 0) + " dialog",
                     effect);
        } else if (effect == "preview runs") {
            QTRY_VERIFY(ui.window->preview().Engine().PreviewRunning());
            QTest::keySequence(ui.edit(1), QKeySequence(Qt::SHIFT | Qt::Key_F5));
            QVERIFY(!ui.window->preview().Engine().PreviewRunning());
        } else if (effect == "closed") {
            QTRY_VERIFY(!ui.window->isVisible());
        } else {
            QTRY_COMPARE(ui.window->language(), lumera::Language::Japanese);
        }
    }

    // A mnemonic changes nothing of a caption but its underline, and no two commands share
    // a letter; captions without a Latin letter go without.
    void mnemonicsKeepTheCaptions_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("mnemonics");
        QTest::newRow("English") << "BtnEng"
                                 << QStringList{"Start     ", "Open     ", "Exit        ",
                                                "English", "中文"}
                                 << 10;
        QTest::newRow("Japanese") << "BtnJapanClick"
                                  << QStringList{"[スタート]   ", "オー プン    ",
                                                 "終         了    ", "English", "中文"}
                                  << 2;
    }

    void mnemonicsKeepTheCaptions() {
        QFETCH(QString, language);
        QFETCH(QStringList, captions);
        QFETCH(int, mnemonics);
        WindowUnderTest ui;
        ui.click(language);
        QStringList shown;
        for (const char* button : {"BtnStart", "BtnOpen", "BtnExit", "BtnEng", "BtnCn"}) {
            shown << ShownText(ui.find<QPushButton>(button)->text());
        }
        QCOMPARE(shown, captions);
        QSet<QKeySequence> letters;
        for (QPushButton* button : ui.find<QWidget>("GroupBox4")->findChildren<QPushButton*>()) {
            if (!button->shortcut().isEmpty()) {
                letters.insert(button->shortcut());
            }
        }
        QCOMPARE(int(letters.size()), mnemonics);
        QCOMPARE(ui.find<QPushButton>(language == "BtnEng" ? "EngBtn17" : "CNBtn21")->text(),
                 QStringLiteral("&&"));
    }

    // The keys type into the current section, which the row's number shows; Enter in a
    // section makes it current from the keyboard, and a key used from the keyboard keeps the
    // focus for the next one.
    void theCurrentSectionIsMarked() {
        WindowUnderTest ui;
        ui.type(1, "ONE");
        ui.type(2, "TWO");
        auto marked = [&ui] {
            QList<int> rows;
            for (int n = 1; n <= 32; ++n) {
                const QImage number =
                    ui.find<QLabel>(QStringLiteral("L%1").arg(n))->grab().toImage();
                if (number.pixelColor(1, 1) != ui.window->palette().color(QPalette::Window)) {
                    rows << n;
                }
            }
            return rows;
        };
        QCOMPARE(marked(), QList<int>{2});
        QTest::keyClick(ui.edit(2), Qt::Key_Tab);
        QVERIFY(ui.edit(3)->hasFocus());
        QCOMPARE(marked(), QList<int>{2});
        QTest::keyClick(ui.edit(3), Qt::Key_Return);
        QCOMPARE(marked(), QList<int>{3});
        QCOMPARE(AccessibleText(ui.edit(3), QAccessible::Description).isEmpty(), false);

        auto* key = ui.find<QPushButton>("EngBtn44");
        key->setFocus(Qt::TabFocusReason);
        QTest::keyClick(key, Qt::Key_Space);
        QTest::keyClick(key, Qt::Key_Right);
        QVERIFY(ui.find<QPushButton>("EngBtn45")->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(ui.window->table().section(2).text, std::string("AB"));
        QVERIFY(ui.find<QPushButton>("EngBtn45")->hasFocus());

        // Down the keyboard to its last row: the keys scroll into view.
        auto* keyboard = ui.find<QScrollArea>("EngScrollBox");
        for (int row = 0; row < 13; ++row) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        }
        auto* last = qobject_cast<QPushButton*>(QApplication::focusWidget());
        QVERIFY(last && last->objectName().startsWith("EngBtn"));
        QVERIFY(keyboard->verticalScrollBar()->value() > 0);
        const QRect inView(last->mapTo(keyboard->viewport(), QPoint(0, 0)), last->size());
        QVERIFY(keyboard->viewport()->rect().contains(inView));

        ui.click("BtnClear");
        QCOMPARE(marked(), QList<int>{1});
    }

    // Title and status texts stay readable and the link pictures visible on light and dark
    // palettes, also when the palette changes under a running window.
    void coloursFollowThePalette_data() {
        QTest::addColumn<QPalette>("palette");
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
        QTest::newRow("Fusion light") << fusion->standardPalette();
        QTest::newRow("dark") << DarkPalette();
        QTest::newRow("mid grey") << WindowColour(QColor(128, 128, 128));
        QTest::newRow("navy") << WindowColour(QColor(0, 0, 96));
    }

    void coloursFollowThePalette() {
        QFETCH(QPalette, palette);
        const QPalette before = QApplication::palette();
        WindowUnderTest ui;
        QApplication::setPalette(palette);
        ui.find<QLabel>("USBLabel")->setText("100%");
        for (const char* text : {"Label1", "USBLabel"}) {
            auto* label = ui.find<QLabel>(text);
            QVERIFY2(ContrastRatio(label->palette().color(QPalette::WindowText),
                                   label->palette().color(QPalette::Window)) >= kTextContrast,
                     text);
        }
        QVERIFY(StrongestContrast(ui.find<QLabel>("Label1")) >= kTextContrast);
        for (const char* picture : {"Image2", "Image3"}) {
            QVERIFY2(StrongestContrast(ui.find<QLabel>(picture)) >= kGraphicContrast, picture);
        }
        QApplication::setPalette(before);
    }

    // Pictures are drawn for the pixel ratio asked, not scaled up from a small one.
    void picturesAreDrawnAtThePixelRatio() {
        for (CommandPicture picture : {CommandPicture::Start, CommandPicture::Color,
                                       CommandPicture::Save, CommandPicture::Exit}) {
            const QIcon icon = CommandButtonIcon(picture);
            for (double ratio : {1.5, 2.0}) {
                const QPixmap scaled = icon.pixmap(QSize(14, 14), ratio);
                const QSize pixels(qRound(14 * ratio), qRound(14 * ratio));
                QCOMPARE(scaled.size(), pixels);
                QImage drawn = scaled.toImage().convertToFormat(QImage::Format_ARGB32);
                drawn.setDevicePixelRatio(1);
                QCOMPARE(drawn,
                         icon.pixmap(pixels).toImage().convertToFormat(QImage::Format_ARGB32));
            }
        }
        WindowUnderTest ui;
        auto* sign = ui.find<QLabel>("Image3");
        QPixmap sharp(sign->size() * 2);
        sharp.setDevicePixelRatio(2);
        sharp.fill(sign->palette().color(QPalette::Window));
        sign->render(&sharp);
        QImage direct(sign->size() * 2, QImage::Format_ARGB32_Premultiplied);
        direct.fill(sign->palette().color(QPalette::Window));
        QPainter painter(&direct);
        lumera::app::DrawWindowPicture(painter, lumera::app::WindowPicture::NoLink,
                                       QRectF(QPointF(0, 0), sign->size() * 2),
                                       sign->palette().color(QPalette::Window));
        painter.end();
        QImage drawn = sharp.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        drawn.setDevicePixelRatio(1);
        QCOMPARE(drawn, direct);
    }

    void theWindowFitsTheScreen_data() {
        QTest::addColumn<QSize>("room");
        QTest::addColumn<QSize>("fitted");
        const int bar = 16;
        QTest::newRow("room to spare") << QSize(1912, 1000) << QSize(748, 516);
        QTest::newRow("exactly") << QSize(748, 516) << QSize(748, 516);
        QTest::newRow("too short") << QSize(952, 500) << QSize(748 + bar, 500);
        QTest::newRow("too narrow") << QSize(700, 800) << QSize(700, 516 + bar);
        QTest::newRow("short, and narrow once the bar is in") << QSize(755, 500) << QSize(755, 500);
        QTest::newRow("too small both ways") << QSize(600, 400) << QSize(600, 400);
    }

    void theWindowFitsTheScreen() {
        QFETCH(QSize, room);
        QFETCH(QSize, fitted);
        QCOMPARE(FittedWindowSize(QSize(748, 516), room, 16), fitted);
    }

    // On a screen too small for it the window scrolls, and every control can be reached:
    // by the scroll bars, and a key reached from the keyboard scrolls into view by itself.
    void aSmallScreenScrollsTheWindow() {
        WindowUnderTest ui;
        QCOMPARE(ui.window->size(), QSize(748, 516));
        ui.window->FitInto(QRect(0, 0, 960, 540));
        QVERIFY(ui.window->height() < 516);
        auto* frame = ui.find<QScrollArea>("WindowFrame");
        QTRY_VERIFY(frame->verticalScrollBar()->isVisible());
        auto inView = [frame](const char* control) {
            auto* widget = frame->findChild<QWidget*>(control);
            const QRect place(widget->mapTo(frame->viewport(), QPoint(0, 0)), widget->size());
            return frame->viewport()->rect().contains(place);
        };
        QVERIFY(!inView("BtnColor"));
        frame->verticalScrollBar()->setValue(frame->verticalScrollBar()->maximum());
        QVERIFY(inView("BtnColor"));
        frame->verticalScrollBar()->setValue(0);
        ui.find<QWidget>("EngBtn105")->setFocus(Qt::TabFocusReason);
        QVERIFY(inView("EngBtn105"));

        // Moved to a screen with room (the test screen), it shows all of itself again.
        QEvent moved(QEvent::ScreenChangeInternal);
        QApplication::sendEvent(ui.window.get(), &moved);
        QCOMPARE(ui.window->size(), QSize(748, 516));
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
