#include <QScrollArea>
#include <QSplitter>
#include <QTest>

#include "app/qt/last_folder.h"
#include "app/qt/window_memory.h"
#include "app/window/window_fit.h"
#include "window_fixture.h"

using lumera::Language;
using lumera::app::testing::WindowUnderTest;

namespace {

QRect PlaceInWindow(const WindowUnderTest& ui, const char* name) {
    auto* widget = ui.find<QWidget>(name);
    return {widget->mapTo(ui.window.get(), QPoint(0, 0)), widget->size()};
}

// Rows of the table that show whole in its box.
int RowsInView(const WindowUnderTest& ui) {
    const QWidget* view = ui.find<QScrollArea>("DataScrollBox")->viewport();
    int shown = 0;
    for (int n = 1; n <= 32; ++n) {
        shown +=
            view->rect().contains(QRect(ui.edit(n)->mapTo(view, QPoint()), ui.edit(n)->size()));
    }
    return shown;
}

}  // namespace

class WindowGrowsTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowGrowsFromItsDesignedPlaces() {
        WindowUnderTest ui;
        QCOMPARE(ui.window->size(), QSize(748, 516));
        const std::pair<const char*, QRect> places[] = {
            {"GroupBox1", {0, 0, 745, 57}},     {"DataScrollBox", {8, 88, 569, 217}},
            {"GroupBox5", {584, 56, 161, 249}}, {"ME1", {32, 96, 225, 23}},
            {"ME9", {32, 304, 193, 23}},        {"CBB8", {400, 278, 153, 21}},
            {"CBB9", {400, 304, 129, 21}},      {"GroupBox2", {168, 312, 577, 201}},
            {"BtnSend", {288, 352, 99, 25}},    {"Panel1", {0, 316, 170, 197}},
            {"ImageLed", {4, 322, 160, 187}},   {"EngBtn1", {396, 324, 33, 33}},
        };
        for (const auto& [name, place] : places) {
            QCOMPARE(PlaceInWindow(ui, name), place);
        }
        QCOMPARE(RowsInView(ui), 8);

        // Larger, the table shows more rows in columns that line up, the LED picture grows in
        // its proportions, drawn for its size, and the keys keep theirs.
        ui.window->resize(1600, 1000);
        QTRY_COMPARE(ui.window->size(), QSize(1600, 1000));
        QVERIFY(RowsInView(ui) > 20);
        for (const char* column : {"ME", "CBA", "CBB"}) {
            const auto width = [&](int n) {
                return ui.find<QWidget>(QLatin1String(column) + QString::number(n))->width();
            };
            for (int n = 2; n <= 32; ++n) {
                QCOMPARE(width(n), width(1));
            }
        }
        QCOMPARE(ui.edit(1)->width(), 225 + 852 / 2);
        QCOMPARE(PlaceInWindow(ui, "GroupBox5").right(), PlaceInWindow(ui, "GroupBox3").right());
        QCOMPARE(ui.find<QWidget>("EngBtn1")->size(), QSize(33, 33));
        // The keyboard lengthens with the lower part, as far as it has keys to show.
        const int lowerGained = ui.find<QWidget>("GroupBox2")->height() - 201;
        QVERIFY(lowerGained > 0);
        QCOMPARE(ui.find<QWidget>("EngScrollBox")->height(), 193 + lowerGained);
        auto* keyboard = ui.find<QScrollArea>("EngScrollBox");
        ui.window->resize(1600, 4000);
        QTRY_COMPARE(keyboard->height(), keyboard->widget()->height());
        ui.window->resize(1600, 1000);
        auto* led = ui.find<QLabel>("ImageLed");
        QVERIFY(led->height() > 187 + 100);
        QVERIFY(qAbs(led->width() * 187 - led->height() * 160) <= 187);
        QCOMPARE(led->pixmap().deviceIndependentSize().toSize(), led->size());
    }

    // Place, size, the split's share and the language come back in the next window, which
    // starts without a question and with nothing to undo.
    void theNextWindowComesBackAsThisOneWasLeft() {
        WindowUnderTest ui;
        ui.click("BtnJapanClick");
        const QRect place(10, 20, 760, 560);
        ui.window->setGeometry(place);
        QTRY_COMPARE(ui.window->geometry(), place);
        QSplitterHandle* bar = ui.find<QSplitter>("WindowSplit")->handle(1);
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseMove(bar, QPoint(2, 2 - 30));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(2, 2 - 30));
        const int lowerHeight = ui.find<QSplitter>("WindowSplit")->widget(1)->height();
        QVERIFY(lowerHeight > 204 + 44 / 4);
        ui.window->close();

        ui.reopen();
        QCOMPARE(ui.window->language(), Language::Japanese);
        QCOMPARE(ui.window->undoStack().count(), 0);
        QCOMPARE(ui.window->geometry(), place);
        QCOMPARE(ui.find<QSplitter>("WindowSplit")->widget(1)->height(), lowerHeight);
        QVERIFY(ui.prompter.shown.empty());

        // Closed maximised, it opens maximised, and comes back to its place from there.
        ui.window->showMaximized();
        QTRY_VERIFY(ui.window->isMaximized());
        ui.window->close();
        ui.reopen();
        QTRY_VERIFY(ui.window->isMaximized());
        ui.window->showNormal();
        QTRY_COMPARE(ui.window->geometry(), place);
    }

    void aPlaceOffEveryScreenIsBroughtBackOntoOne() {
        const QList<QRect> screens{{0, 0, 1920, 1080}, {1920, 0, 1366, 768}};
        const std::tuple<QRect, QRect> rows[] = {
            {{2000, 50, 800, 600}, {2000, 50, 800, 600}},    // on the second: kept
            {{5000, 5000, 800, 600}, {560, 240, 800, 600}},  // on none: centred on the first
            {{3000, 600, 800, 600}, {2203, 84, 800, 600}},   // partly off the second
            {{1800, 0, 1366, 768}, {1924, 20, 1358, 728}},   // mostly on the second, too big
        };
        for (const auto& [saved, brought] : rows) {
            QCOMPARE(lumera::app::BroughtOnScreen(saved, screens), brought);
        }

        WindowUnderTest ui;
        lumera::app::RememberWindow({QRect(5000, 5000, 900, 700), false, {}, {}});
        ui.reopen();
        const QRect screen = ui.window->screen()->availableGeometry();
        QVERIFY(screen.contains(ui.window->geometry()));
    }

    // A first start speaks the locale's language; a kept language that cannot be read is none.
    void aFirstStartSpeaksTheLocalesLanguage() {
        const std::tuple<const char*, const char*, Language> rows[] = {
            {"zh_CN", "", Language::Chinese},        {"ja_JP", "", Language::Japanese},
            {"de_DE", "", Language::English},        {"ja_JP", "Klingon", Language::Japanese},
            {"zh_CN", "English", Language::English},
        };
        for (const auto& [locale, kept, language] : rows) {
            WindowUnderTest ui;
            if (*kept) {
                lumera::app::UserSettings().setValue("window/language", kept);
            }
            QLocale::setDefault(QLocale(locale));
            ui.reopen();
            QVERIFY2(ui.window->language() == language && ui.prompter.shown.empty(), locale);
        }
    }
};

QTEST_MAIN(WindowGrowsTest)
#include "window_grows_test.moc"
