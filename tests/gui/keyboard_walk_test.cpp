#include <QMenu>
#include <tuple>

#include "app/commands/key_panels.h"
#include "app/preview/preview_views.h"
#include "window_fixture.h"

using lumera::app::testing::WindowUnderTest;

namespace {

// The control the focus reaches with a press of `key`.
QString Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    const QWidget* focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QString();
}

}  // namespace

class KeyboardWalkTest : public QObject {
    Q_OBJECT

private slots:
    // The arrows walk the 8-column grid and stop at its edges (the glyph keyboard's last row
    // holds 5 keys).
    void arrowsWalkTheGridAndStopAtItsEdges() {
        const std::tuple<const char*, int, int, int> walks[] = {
            {"EngBtn", 8, Qt::Key_Right, 8},   {"EngBtn", 105, Qt::Key_Right, 105},
            {"EngBtn", 9, Qt::Key_Left, 9},    {"EngBtn", 3, Qt::Key_Up, 3},
            {"EngBtn", 3, Qt::Key_Down, 11},   {"EngBtn", 20, Qt::Key_End, 105},
            {"CNBtn", 101, Qt::Key_Down, 109}, {"CNBtn", 102, Qt::Key_Down, 102},
            {"CNBtn", 109, Qt::Key_Up, 101},   {"CNBtn", 50, Qt::Key_Home, 1},
        };
        WindowUnderTest ui;
        for (const auto& [keys, from, key, reached] : walks) {
            if (QLatin1String(keys) == "CNBtn") {
                ui.click("BtnCn");
            }
            ui.find<QWidget>(keys + QString::number(from))->setFocus(Qt::TabFocusReason);
            const QString expected = keys + QString::number(reached);
            QVERIFY2(Press(key) == expected, qPrintable(expected));
        }
    }

    // The LED picture takes the focus and shows it; Enter opens the large preview, Shift+F10
    // its menu with the export.
    void theLedPictureWorksFromTheKeyboard() {
        WindowUnderTest ui;
        auto* picture = ui.find<QLabel>("ImageLed");
        QTest::mouseClick(picture, Qt::LeftButton);
        QCOMPARE(ui.find<QFrame>("Panel1")->frameShadow(), QFrame::Sunken);
        Press(Qt::Key_Tab);
        QCOMPARE(ui.find<QFrame>("Panel1")->frameShadow(), QFrame::Raised);
        QCOMPARE(Press(Qt::Key_Tab, Qt::ShiftModifier), QString("ImageLed"));
        QStringList offered;
        QTimer::singleShot(0, [&offered] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                for (QAction* action : menu->actions()) {
                    offered << action->objectName();
                }
                menu->close();
            }
        });
        Press(Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(offered.contains("ExportAnimationAction"));
        QTest::keyClick(picture, Qt::Key_Return);
        QVERIFY(ui.window->previewViews().largePreview()->isVisible());
    }

    // The keyboard not shown is made when first shown and takes its place in the tab order.
    void theHiddenKeyboardIsMadeWhenFirstShown() {
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
    }
};

QTEST_MAIN(KeyboardWalkTest)
#include "keyboard_walk_test.moc"
