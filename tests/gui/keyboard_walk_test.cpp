#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include "app/commands/key_panels.h"
#include "app/link/display_views.h"
#include "app/preview/preview_views.h"
#include "window_fixture.h"

using lumera::Language;
using lumera::app::KeyPanels;
using lumera::app::testing::WindowUnderTest;

namespace {

QString Focused() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

QStringList Walk(Qt::Key key, Qt::KeyboardModifiers modifiers, int steps) {
    QStringList reached;
    for (int step = 0; step < steps; ++step) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        reached << Focused();
    }
    return reached;
}

}  // namespace

class KeyboardWalkTest : public QObject {
    Q_OBJECT

private slots:
    // Tab runs along a row and on to the next, past the table to the LED picture and the
    // commands; the keyboard is one stop, which keeps the key reached last.
    void tabRunsAlongTheRowsAndTheKeyboardIsOneStop() {
        WindowUnderTest ui;
        ui.type(1, "A");
        ui.type(2, "B");
        ui.edit(1)->setFocus(Qt::TabFocusReason);
        QCOMPARE(Walk(Qt::Key_Tab, Qt::NoModifier, 10),
                 QStringList({"CBA1", "CBB1", "ME2", "CBA2", "CBB2", "ME3", "CBA3", "CBB3",
                              "ImageLed", "BtnEng"}));
        ui.find<QWidget>("BtnExit")->setFocus(Qt::TabFocusReason);
        QCOMPARE(Walk(Qt::Key_Tab, Qt::NoModifier, 1), QStringList{"EngBtn1"});
        Walk(Qt::Key_Right, Qt::NoModifier, 3);
        QCOMPARE(Walk(Qt::Key_Tab, Qt::NoModifier, 1), QStringList{"BtnDisplay"});
        QCOMPARE(Walk(Qt::Key_Tab, Qt::ShiftModifier, 2), QStringList({"EngBtn4", "BtnExit"}));
        QCOMPARE(Walk(Qt::Key_Tab, Qt::ShiftModifier, 12).last(), QString("CBB3"));
        // The Display button's mnemonic.
        QTest::keySequence(ui.edit(1), QKeySequence(Qt::ALT | Qt::Key_D));
        QTRY_VERIFY(ui.window->displayViews().displayWindow());
    }

    void arrowsWalkTheGridAndStopAtItsEdges_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("reached");
        QTest::newRow("right") << "EngBtn" << 1 << int(Qt::Key_Right) << 2;
        QTest::newRow("right at a row's end") << "EngBtn" << 8 << int(Qt::Key_Right) << 8;
        QTest::newRow("right at the last key") << "EngBtn" << 105 << int(Qt::Key_Right) << 105;
        QTest::newRow("left at a row's start") << "EngBtn" << 9 << int(Qt::Key_Left) << 9;
        QTest::newRow("up at the top") << "EngBtn" << 3 << int(Qt::Key_Up) << 3;
        QTest::newRow("down") << "EngBtn" << 3 << int(Qt::Key_Down) << 11;
        QTest::newRow("down into the short last row") << "CNBtn" << 101 << int(Qt::Key_Down) << 109;
        QTest::newRow("down past the short last row") << "CNBtn" << 102 << int(Qt::Key_Down) << 102;
        QTest::newRow("up") << "CNBtn" << 109 << int(Qt::Key_Up) << 101;
        QTest::newRow("home") << "CNBtn" << 50 << int(Qt::Key_Home) << 1;
        QTest::newRow("end") << "EngBtn" << 20 << int(Qt::Key_End) << 105;
    }

    void arrowsWalkTheGridAndStopAtItsEdges() {
        QFETCH(QString, keys);
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, reached);
        WindowUnderTest ui;
        if (keys == "CNBtn") {
            ui.click("BtnCn");
        }
        ui.find<QWidget>(keys + QString::number(from))->setFocus(Qt::TabFocusReason);
        QCOMPARE(Walk(Qt::Key(key), Qt::NoModifier, 1),
                 QStringList{keys + QString::number(reached)});
        // The key reached is the keyboard's stop, in view.
        QCOMPARE(Walk(Qt::Key_Backtab, Qt::NoModifier, 1), QStringList{"BtnExit"});
        QCOMPARE(Walk(Qt::Key_Tab, Qt::NoModifier, 1),
                 QStringList{keys + QString::number(reached)});
        QVERIFY(!QApplication::focusWidget()->visibleRegion().isEmpty());
    }

    void spaceAndEnterTypeTheKeyIntoTheSection_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("press");
        QTest::newRow("space, English") << "EngBtn44" << int(Qt::Key_Space);
        QTest::newRow("enter, English") << "EngBtn44" << int(Qt::Key_Return);
        QTest::newRow("enter, glyphs") << "CNBtn48" << int(Qt::Key_Enter);
    }

    void spaceAndEnterTypeTheKeyIntoTheSection() {
        QFETCH(QString, key);
        QFETCH(int, press);
        WindowUnderTest ui;
        if (key.startsWith("CN")) {
            ui.click("BtnCn");
        }
        ui.type(1, "Z");
        ui.find<QWidget>(key)->setFocus(Qt::TabFocusReason);
        Walk(Qt::Key(press), Qt::NoModifier, 2);
        QCOMPARE(ui.window->table().section(0).text, std::string("ZAA"));
        QCOMPARE(Focused(), key);
    }

    // The LED picture takes the focus from Tab and a click and shows it; Enter opens the
    // large preview, Shift+F10 its menu with the export.
    void theLedPictureWorksFromTheKeyboard() {
        WindowUnderTest ui;
        auto* picture = ui.find<QLabel>("ImageLed");
        auto* panel = ui.find<QFrame>("Panel1");
        QTest::mouseClick(picture, Qt::LeftButton);
        QVERIFY(picture->hasFocus());
        QCOMPARE(panel->frameShadow(), QFrame::Sunken);
        QTest::keyClick(picture, Qt::Key_Tab);
        QCOMPARE(panel->frameShadow(), QFrame::Raised);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QVERIFY(picture->hasFocus());

        QStringList offered;
        QTimer::singleShot(0, [&offered] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* action : menu->actions()) {
                    offered << action->objectName();
                }
                menu->close();
            }
        });
        QTest::keyClick(picture, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(offered.contains("ExportAnimationAction"));
        QVERIFY(!ui.window->previewViews().largePreview());
        QTest::keyClick(picture, Qt::Key_Return);
        QVERIFY(ui.window->previewViews().largePreview()->isVisible());
    }

    // The keyboard the window does not show is made when first shown, or once the window
    // has been drawn; either way it types and takes its place in the tab order.
    void theHiddenKeyboardIsMadeWhenNeeded() {
        QWidget area;
        auto* before = new QPushButton(&area);
        auto* after = new QPushButton(&area);
        QWidget::setTabOrder(before, after);
        KeyPanels keys(&area);
        keys.PlaceInTabOrder(before);
        QVERIFY(!area.findChild<QPushButton*>("CNBtn1"));
        keys.ShowKeyboard(false);
        QVERIFY(!area.findChild<QPushButton*>("EngBtn1"));
        QCOMPARE(before->nextInFocusChain()->objectName(), QString("CNBtn1"));
        QCOMPARE(area.findChild<QPushButton*>("CNBtn109")->nextInFocusChain(), after);
        QSignalSpy pressed(&keys, &KeyPanels::glyphKeyPressed);
        area.findChild<QPushButton*>("CNBtn109")->click();
        QCOMPARE(pressed.takeFirst().at(0).toInt(), 109);
        area.show();
        QTRY_VERIFY(area.findChild<QPushButton*>("EngBtn105"));

        WindowUnderTest ui;
        QTRY_VERIFY(ui.window->findChild<QPushButton*>("CNBtn109"));
        QVERIFY(ui.find<QFrame>("EngPanel")->isVisible());
        QTest::keySequence(ui.edit(1), QKeySequence(Qt::ALT | Qt::Key_Z));
        QTRY_COMPARE(ui.window->language(), Language::Chinese);
        ui.find<QWidget>("BtnExit")->setFocus(Qt::TabFocusReason);
        QCOMPARE(Walk(Qt::Key_Tab, Qt::NoModifier, 1), QStringList{"CNBtn1"});
        Walk(Qt::Key_Space, Qt::NoModifier, 1);
        QCOMPARE(ui.window->table().section(0).text, std::string("\x01"));
    }
};

QTEST_MAIN(KeyboardWalkTest)
#include "keyboard_walk_test.moc"
