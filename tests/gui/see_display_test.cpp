#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <fstream>

#include "app/commands/capacity_gauge.h"
#include "app/link/display_views.h"
#include "app/link/display_window.h"
#include "app/preview/led_canvas.h"
#include "app/preview/preview_views.h"
#include "app/window/window_fit.h"
#include "files/led_scramble.h"
#include "files/led_writer.h"
#include "window_fixture.h"

using lumera::app::testing::WindowUnderTest;

namespace {

QString GaugeText(const WindowUnderTest& ui) {
    return ui.window->capacityGauge().text();
}

void WriteLedFile(const std::filesystem::path& path, bool englishMode, int sections,
                  const std::string& text) {
    lumera::LedFileContent content{englishMode, {}};
    content.sections.assign(sections, lumera::LedSection{text});
    std::string bytes = lumera::FormatLedText(content);
    lumera::ScrambleLedBytes(bytes);
    std::ofstream(path, std::ios::binary) << bytes;
}

// How many pixels differ from the stopped grey.
int LitPixels(const QImage& image) {
    int lit = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            lit += image.pixel(x, y) != qRgb(128, 128, 128);
        }
    }
    return lit;
}

}  // namespace

class SeeDisplayTest : public QObject {
    Q_OBJECT

private slots:
    void gaugeFollowsTypingInBothModes() {
        WindowUnderTest ui;
        QCOMPARE(GaugeText(ui), QStringLiteral("0 / 2 047 bytes"));
        struct Step {
            const char* button;  // switched to first, if any
            QString typed;
            QString gauge;
        };
        const Step steps[] = {
            {nullptr, QStringLiteral("AB"), QStringLiteral("13 / 2 047 bytes")},
            {nullptr, QStringLiteral("C"), QStringLiteral("18 / 2 047 bytes")},
            // In Chinese the gauge counts in 字节.
            {"BtnCn", QString(), QStringLiteral("0 / 2 047 \u5B57\u8282")},
            {nullptr, QStringLiteral("A"), QStringLiteral("22 / 2 047 \u5B57\u8282")},
            {nullptr, QStringLiteral("\u554A"), QStringLiteral("50 / 2 047 \u5B57\u8282")},
        };
        for (const Step& step : steps) {
            if (step.button) {
                ui.prompter.answers = {false, false};  // no saving
                ui.click(QString::fromLatin1(step.button));
            }
            if (!step.typed.isEmpty() && step.typed.front().unicode() > 0x7F) {
                // What an input method hands over, as for a Chinese character.
                QTest::mouseClick(ui.edit(1), Qt::LeftButton);
                QInputMethodEvent event;
                event.setCommitString(step.typed);
                QApplication::sendEvent(ui.edit(1), &event);
            } else if (!step.typed.isEmpty()) {
                ui.type(1, step.typed);
            }
            QCOMPARE(GaugeText(ui), step.gauge);
        }
        QCOMPARE(ui.window->capacityGauge().measure().fit, lumera::download::ImageFit::Fits);

        // 23 full English sections do not fit; the gauge says so and Send would refuse.
        const auto file = ui.programPath("full.led");
        WriteLedFile(file, true, 23, std::string(18, 'W'));
        ui.prompter.answers = {false, false};
        ui.prompter.openNames = {file.string()};
        ui.click("BtnOpen");
        QCOMPARE(GaugeText(ui), QStringLiteral("2 117 / 2 047 bytes"));
        QCOMPARE(ui.window->capacityGauge().measure().fit, lumera::download::ImageFit::TooLarge);
        QVERIFY(ui.window->capacityGauge().toolTip().contains(QStringLiteral("does not fit")));
    }

    void largePreviewFollowsTheSmallOneAtItsOwnSize() {
        WindowUnderTest ui;
        ui.type(1, QStringLiteral("HELLO"));
        ui.click("BtnStart");
        ui.ticks(30);
        auto* imageLed = ui.find<QLabel>("ImageLed");
        QCOMPARE(imageLed->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                 ui.window->preview().Image());
        QTest::mouseDClick(imageLed, Qt::LeftButton);
        QWidget* large = ui.window->previewViews().largePreview();
        QVERIFY(large && large->isVisible());
        large->resize(480, 561);
        QTRY_COMPARE(large->size(), QSize(480, 561));
        const lumera::app::LedCanvas* canvas = ui.window->previewViews().largeCanvas();
        const auto expected = [&] {
            const QSize pixels = canvas->size() * canvas->devicePixelRatioF();
            return ui.window->preview().ImageAt(pixels, lumera::LedFaceStyle::TrueToScale);
        };
        QCOMPARE(canvas->picture().size(), canvas->size() * canvas->devicePixelRatioF());
        QCOMPARE(canvas->picture().convertToFormat(QImage::Format_RGB32), expected());
        const int before = LitPixels(canvas->picture());
        ui.ticks(10);
        QCOMPARE(canvas->picture().convertToFormat(QImage::Format_RGB32), expected());
        QVERIFY(LitPixels(canvas->picture()) > 0 && before > 0);
        // On a screen of two device pixels to one, the small picture keeps its logical size
        // and is drawn at twice the pixels.
        const QPixmap sharp = lumera::app::LedPixmap(ui.window->preview(), 2.0);
        QCOMPARE(sharp.deviceIndependentSize(), QSizeF(160, 187));
        QImage twice = ui.window->preview().ImageAt(QSize(320, 374));
        twice.setDevicePixelRatio(2.0);
        QCOMPARE(sharp.toImage().convertToFormat(QImage::Format_RGB32), twice);
        ui.click("BtnStop");
        QCOMPARE(LitPixels(canvas->picture()), 0);

        // The picture's menu offers the same window and the export.
        QStringList entries;
        for (const QAction* action : imageLed->actions()) {
            entries << action->text();
        }
        QCOMPARE(entries, (QStringList{QStringLiteral("Large preview…"),
                                       QStringLiteral("Export animation…")}));
        // The large preview offers the export too.
        QCOMPARE(large->actions(), (QList<QAction*>{imageLed->actions().back()}));
    }

    void exportAnimationWritesTheFileChosen() {
        WindowUnderTest ui;
        ui.prompter.saveNames = {ui.programPath("empty").string()};
        ui.window->previewViews().ExportAnimation();
        QCOMPARE(ui.prompter.messages(),
                 (std::vector<std::string>{
                     "There is nothing to animate: no section in use has a text with something "
                     "other than blanks."}));
        QVERIFY(!std::filesystem::exists(ui.programPath("empty.gif")));

        ui.type(1, QStringLiteral("HI"));
        // The export proposes the table's file name, and says where the animation went.
        ui.prompter.saveNames = {ui.programPath("table.led").string(),
                                 ui.programPath("hi").string(), std::nullopt};
        ui.click("BtnSave");
        ui.window->previewViews().ExportAnimation();
        QCOMPARE(ui.prompter.suggestedNames.back(), ui.programPath("table.gif").string());
        QCOMPARE(ui.prompter.filters.back(), std::string("*.gif(GIF Animations)|*.gif"));
        QVERIFY(std::filesystem::file_size(ui.programPath("hi.gif")) > 1000);
        QCOMPARE(ui.window->status(), QStringLiteral("Animation exported to ") +
                                          QString::fromStdString(ui.programPath("hi.gif")));
        ui.window->previewViews().ExportAnimation();  // cancelled: nothing happens
        QCOMPARE(int(ui.prompter.messages().size()), 1);
    }

    void displayWindowPlaysWhatTheEmulatedDisplayReceived() {
        WindowUnderTest ui;
        ui.click("BtnDisplay");
        lumera::app::DisplayWindow* display = ui.window->displayViews().displayWindow();
        QVERIFY(display && display->isVisible());
        // It fits the screen as the main window does.
        const QSize room = lumera::app::RoomWithin(ui.window->screen()->availableGeometry());
        QVERIFY(display->width() <= room.width() && display->height() <= room.height());
        QVERIFY(display->status().startsWith(QStringLiteral("The emulated display holds nothing")));
        QVERIFY(!display->preview());

        ui.type(1, QStringLiteral("HELLO"));
        ui.click("BtnSend");
        QVERIFY(display->preview());
        QCOMPARE(display->status(),
                 QStringLiteral("English mode, 1 section(s), 28 / 2 047 bytes, as the display "
                                "received them."));
        QTRY_VERIFY(LitPixels(display->canvas()->picture()) > 0);
        QTRY_VERIFY(display->preview()->Engine().EffectStep() > 0);

        // A memory the display could not hold is named, not played.
        std::ofstream(ui.display.MemoryFile(), std::ios::binary) << "\x05";
        ui.click("BtnDisplay");
        QVERIFY(!display->preview());
        QVERIFY(display->status().contains(QStringLiteral("offset 1: record 1 runs past the end")));
    }
};

QTEST_MAIN(SeeDisplayTest)
#include "see_display_test.moc"
