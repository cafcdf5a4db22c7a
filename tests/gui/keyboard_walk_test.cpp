#include <QMenu>
#include <tuple>

#include "app/commands/key_panels.h"
#include "app/preview/preview_views.h"
#include "window_fixture.h"

using lumera::app::testing::WindowUnderTest;

namespace {

// The controls the focus reaches, one press of `key` at a time.
QStringList Walk(int key, int steps = 1, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QStringList reached;
    for (int step = 0; step < steps; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        const QWidget* focused = QApplication::focusWidget();
        reached << (focused ? focused->objectName() : QString());
    }
    return reached;
}

}  // namespace

class KeyboardWalkTest : public QObject {
    Q_OBJECT

private slots:
    // Tab runs along a row and on to the next, past the table to the LED picture and the
    // commands; a keyboard is one stop, held by the key reached last.
    void tabRunsAlongTheRowsAndAKeyboardIsOneStop() {
        WindowUnderTest ui;
        ui.type(1, "A");
        ui.type(2, "B");
        ui.edit(2)->setFocus(Qt::TabFocusReason);
        QCOMPARE(Walk(Qt::Key_Tab, 6),
                 QStringList({"CBA2", "CBB2", "ME3", "CBA3", "CBB3", "ImageLed"}));
        ui.find<QWidget>("BtnExit")->setFocus(Qt::TabFocusReason);
        QCOMPARE(Walk(Qt::Key_Tab), QStringList{"EngBtn1"});
        Walk(Qt::Key_Right, 3);
        QCOMPARE(Walk(Qt::Key_Tab), QStringList{"BtnDisplay"});
        QCOMPARE(Walk(Qt::Key_Tab, 2, Qt::ShiftModifier), QStringList({"EngBtn4", "BtnExit"}));
    }

    // The arrows walk the 8-column grid and stop at its edges (the glyph keyboard's last row
    // holds 5 keys); Space and Enter type the key reached, which keeps the focus.
    void arrowsWalkTheGridAndKeysTypeFromTheKeyboard() {
        const std::tuple<const char*, int, int, int> walks[] = {
            {"EngBtn", 8, Qt::Key_Right, 8},   {"EngBtn", 105, Qt::Key_Right, 105},
            {"EngBtn", 9, Qt::Key_Left, 9},    {"EngBtn", 3, Qt::Key_Up, 3},
            {"EngBtn", 3, Qt::Key_Down, 11},   {"EngBtn", 20, Qt::Key_End, 105},
            {"CNBtn", 101, Qt::Key_Down, 109}, {"CNBtn", 102, Qt::Key_Down, 102},
            {"CNBtn", 109, Qt::Key_Up, 101},   {"CNBtn", 50, Qt::Key_Home, 1},
        };
        WindowUnderTest ui;
        ui.type(1, "Z");
        ui.prompter.answers.push_back(false);  // the switch to the glyph keys offers to save
        for (const auto& [keys, from, key, reached] : walks) {
            if (QLatin1String(keys) == "CNBtn") {
                ui.click("BtnCn");
            }
            ui.find<QWidget>(keys + QString::number(from))->setFocus(Qt::TabFocusReason);
            const QString expected = keys + QString::number(reached);
            QVERIFY2(Walk(key) == QStringList{expected}, qPrintable(expected));
            if (reached == 11) {
                Walk(Qt::Key_Down, 4);
                Walk(Qt::Key_Right);  // EngBtn44, capital A
                Walk(Qt::Key_Space);
                QCOMPARE(Walk(Qt::Key_Enter), QStringList{"EngBtn44"});
                QCOMPARE(ui.window->table().section(0).text, std::string("ZAA"));
            }
        }
    }

    // The LED picture takes the focus and shows it; Enter opens the large preview, Shift+F10
    // its menu with the export.
    void theLedPictureWorksFromTheKeyboard() {
        WindowUnderTest ui;
        auto* picture = ui.find<QLabel>("ImageLed");
        QTest::mouseClick(picture, Qt::LeftButton);
        QCOMPARE(ui.find<QFrame>("Panel1")->frameShadow(), QFrame::Sunken);
        Walk(Qt::Key_Tab);
        QCOMPARE(ui.find<QFrame>("Panel1")->frameShadow(), QFrame::Raised);
        QCOMPARE(Walk(Qt::Key_Tab, 1, Qt::ShiftModifier), QStringList{"ImageLed"});
        QStringList offered;
        QTimer::singleShot(0, [&offered] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                for (QAction* action : menu->actions()) {
                    offered << action->objectName();
                }
                menu->close();
            }
        });
        Walk(Qt::Key_F10, 1, Qt::ShiftModifier);
        QVERIFY(offered.contains("ExportAnimationAction"));
        QTest::keyClick(picture, Qt::Key_Return);
        QVERIFY(ui.window->previewViews().largePreview()->isVisible());
    }

    // The keyboard not shown is made when first shown, or once the window has been drawn;
    // either way it types and takes its place in the tab order.
    void theHiddenKeyboardIsMadeWhenNeeded() {
        QWidget area;
        auto* before = new QPushButton(&area);
        auto* after = new QPushButton(&area);
        QWidget::setTabOrder(before, after);
        lumera::app::KeyPanels keys(&area);
        keys.PlaceInTabOrder(before);
        keys.ShowKeyboard(false);
        QVERIFY(!area.findChild<QPushButton*>("EngBtn1"));
        QCOMPARE(before->nextInFocusChain()->objectName(), QString("CNBtn1"));
        QCOMPARE(area.findChild<QPushButton*>("CNBtn109")->nextInFocusChain(), after);

        WindowUnderTest ui;
        QTRY_VERIFY(ui.window->findChild<QPushButton*>("CNBtn109"));
        QTest::keySequence(ui.edit(1), QKeySequence(Qt::ALT | Qt::Key_Z));  // 中文
        QTRY_VERIFY(!ui.find<QFrame>("EngPanel")->isVisible());
        ui.find<QWidget>("BtnExit")->setFocus(Qt::TabFocusReason);
        QCOMPARE(Walk(Qt::Key_Tab), QStringList{"CNBtn1"});
        Walk(Qt::Key_Space);
        QCOMPARE(ui.window->table().section(0).text, std::string("\x01"));
    }
};

QTEST_MAIN(KeyboardWalkTest)
#include "keyboard_walk_test.moc"
