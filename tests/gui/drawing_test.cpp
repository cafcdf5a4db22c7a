// Drawings made in the window: by hand and from a picture, each one undo step, sent as drawn.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "app/sections/dot_editor.h"
#include "app/sections/drawing_dialog.h"
#include "app/sections/section_table.h"
#include "temp_directory.h"
#include "window_fixture.h"

using lumera::app::DotEditor;
using lumera::app::DrawingDialog;
using lumera::app::testing::WindowUnderTest;

namespace {

DrawingDialog* OpenDrawing(WindowUnderTest& ui, int row) {
    const std::unique_ptr<QMenu> menu = ui.window->sectionTable().MenuFor(row - 1);
    auto* draw = menu->findChild<QAction*>("DrawSection");
    if (!draw || !draw->isEnabled()) {
        return nullptr;
    }
    draw->trigger();
    return ui.window->findChild<DrawingDialog*>();
}

}  // namespace

class DrawingTest : public QObject {
    Q_OBJECT

private slots:
    void aDrawingMadeByHandOrFromAPictureIsOneStepAndIsSentAsDrawn() {
        WindowUnderTest ui;
        ui.type(1, "AB");
        QVERIFY(!OpenDrawing(ui, 3));  // a row not yet open takes no drawing

        DrawingDialog* dialog = OpenDrawing(ui, 2);
        QVERIFY(dialog);
        DotEditor& editor = dialog->editor();
        QCOMPARE(editor.columns().size(), std::size_t{16});
        QTest::mouseClick(&editor, Qt::LeftButton, {}, QPoint(1, 1));     // column 1, top row
        QTest::mouseClick(&editor, Qt::LeftButton, {}, QPoint(13, 85));   // column 2, bottom row
        QTest::mouseClick(&editor, Qt::RightButton, {}, QPoint(13, 85));  // and dark again
        editor.Apply(lumera::DotCommand::RemoveColumn);
        dialog->accept();
        const lumera::Section& drawn = ui.window->table().section(1);
        QCOMPARE(drawn.drawing.columns.size(), std::size_t{15});
        QCOMPARE(drawn.drawing.columns[0], std::uint16_t{1});
        QCOMPARE(drawn.drawing.columns[1], std::uint16_t{0});
        QCOMPARE(ui.edit(2)->placeholderText(), QStringLiteral("Drawing of 15 columns"));
        QCOMPARE(ui.find<QAction>("UndoAction")->text(),
                 QStringLiteral("Undo Drawing in section 2"));

        // From a picture: 20 x 10 black pixels, 16 columns at the English column's 8 dots.
        const lumera::testing::TempDirectory folder{"lumera-picture"};
        const std::string picture = (folder.path() / "mark.png").string();
        QImage mark(20, 10, QImage::Format_RGB32);
        mark.fill(Qt::black);
        QVERIFY(mark.save(QString::fromStdString(picture)));
        ui.prompter.openNames.push_back(picture);
        QTest::mouseClick(ui.edit(2), Qt::LeftButton);
        QTest::keyClick(ui.edit(2), Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);
        dialog = ui.window->findChild<DrawingDialog*>();
        QVERIFY(dialog);
        QCOMPARE(dialog->editor().columns().size(), std::size_t{15});  // the drawing held
        // Typed in a font, then replaced by the picture.
        dialog->findChild<QLineEdit*>("FontText")->setText("Hi");
        QCOMPARE(dialog->drawing().source.kind, lumera::DrawingSource::Kind::Font);
        QVERIFY(dialog->editor().columns() != drawn.drawing.columns);
        dialog->findChild<QPushButton*>("ChoosePicture")->click();
        QCOMPARE(dialog->editor().columns(), std::vector<std::uint16_t>(16, 0xFF));
        dialog->accept();
        QCOMPARE(ui.window->table().section(1).drawing.source.file, picture);

        ui.click("BtnSend");
        // The last record: 16 columns, the effect byte, then the columns, a byte each.
        const std::vector<std::uint8_t> memory = ui.display.Memory();
        QCOMPARE(memory, ui.window->sendData());
        QVERIFY(memory.size() > 2 + 16);
        QCOMPARE(std::vector<std::uint8_t>(memory.end() - 18, memory.end() - 16),
                 (std::vector<std::uint8_t>{16, 0x11}));
        QCOMPARE(std::vector<std::uint8_t>(memory.end() - 16, memory.end()),
                 std::vector<std::uint8_t>(16, 0xFF));

        ui.find<QAction>("UndoAction")->trigger();
        QCOMPARE(ui.window->table().section(1).drawing.columns.size(), std::size_t{15});
        ui.find<QAction>("UndoAction")->trigger();
        QVERIFY(!ui.window->table().section(1).HoldsDrawing());
        QCOMPARE(ui.edit(2)->placeholderText(), QString());
    }
};

QTEST_MAIN(DrawingTest)
#include "drawing_test.moc"
