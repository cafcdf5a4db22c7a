#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QProgressBar>
#include <QTest>
#include <algorithm>

#include "app/qt/qt_prompter.h"
#include "window_fixture.h"

using lumera::app::testing::WindowUnderTest;

namespace {

constexpr char kFullRow[] = "ABCDEFGHIJKLMNOPQR";
constexpr char kCable[] = "Check the display's cable and its power";

// Rows 1..fullRows hold 18 letters each, the rows after them `rest`.
void Fill(const WindowUnderTest& ui, int fullRows, const QStringList& rest) {
    for (int row = 1; row <= fullRows; ++row) {
        ui.type(row, kFullRow);
    }
    for (qsizetype k = 0; k < rest.size(); ++k) {
        ui.type(fullRows + 1 + static_cast<int>(k), rest[k]);
    }
}

bool Idle(const WindowUnderTest& ui) {
    return !ui.find<QProgressBar>("SendProgress")->isVisible() &&
           ui.find<QLabel>("USBLabel")->text().isEmpty();
}

}  // namespace

class SendWatchTest : public QObject {
    Q_OBJECT

private slots:
    void theBarMovesWhileTheRestOfTheWindowWaits() {
        WindowUnderTest ui;
        Fill(ui, 10, {});  // 921 bytes: 184 data commands
        lumera::testing::SetFaults("slow@*=2");
        ui.ticks(40);  // the next tick polls the display, which hides Image3
        ui.find<QTimer>("Timer1")->start();
        auto* bar = ui.find<QProgressBar>("SendProgress");
        std::vector<int> values;
        bool shut = true;
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout, [&] {
            if (!bar->isVisible()) {
                return;
            }
            if (values.empty()) {  // what an impatient operator tries
                QTest::keyClick(ui.window.get(), Qt::Key_Z, Qt::ControlModifier);
                ui.click("BtnStart");
            }
            values.push_back(bar->value());
            shut = shut && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor &&
                   !ui.find<QPushButton>("BtnSend")->isEnabled() && !ui.edit(1)->isEnabled() &&
                   ui.find<QLabel>("USBLabel")->isEnabled() && bar->isEnabled() &&
                   ui.find<QLabel>("Image3")->isVisible();
        });
        sampler.start(1);
        ui.click("BtnSend");
        sampler.stop();
        QVERIFY2(values.size() >= 3, qPrintable(QString::number(values.size())));
        QVERIFY(std::ranges::is_sorted(values) && values.front() < values.back());
        QVERIFY(shut);

        QVERIFY(Idle(ui));
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(ui.find<QPushButton>("BtnSend")->isEnabled());
        QVERIFY(ui.edit(11)->isEnabled() && !ui.edit(12)->isEnabled());
        QCOMPARE(QApplication::focusWidget(), ui.find<QPushButton>("BtnSend"));
        QCOMPARE(lumera::app::testing::Texts(ui.window->table()),
                 std::vector<std::string>(10, kFullRow));
        QVERIFY(!ui.window->preview().Engine().PreviewRunning());
        QTRY_VERIFY(!ui.find<QLabel>("Image3")->isVisible());
    }

    void everyEndLeavesTheProgressIdleAndSaysWhatToDo() {
        struct Case {
            const char* faults;  // "busy": another Send holds the display
            int fullRows;
            QStringList rest;
            std::vector<std::string> messages;  // each begins so
            QString advice;
        };
        const std::string small = "存储空间不够-The Eprom is small !";
        const Case cases[] = {
            {"write@4",
             0,
             {"ABCDEFGHIJ"},
             {"USB Write Data Error", "USB Write Data Failure!"},
             kCable},
            {"absent", 0, {"AB"}, {"USB Device Connect Failure!!!", "产品没有连接好"}, kCable},
            {"status@2=85", 0, {"AB"}, {small}, kCable},
            {"unbound", 0, {"AB"}, {"USB Device Connect Failure!!!"}, kCable},
            {"", 0, {}, {"No Data Send!"}, "Type a text into a section"},
            {"busy", 0, {"AB"}, {"The display is busy"}, "The display is busy with another Send"},
            // 1 + 23 x 2 + 400 x 5 = 2047 bytes, then 1 + 26 x 2 + 399 x 5 = 2048.
            {"", 22, {"ABCD"}, {"Write time: "}, ""},
            {"",
             21,
             {"ABCDE", "ABCD", "ABCD", "ABCD", "ABCD"},
             {small},
             "The table needs 2 048 bytes, 1 more than the display holds"},
        };
        for (const Case& c : cases) {
            const std::string faults = c.faults;
            WindowUnderTest ui(faults != "unbound");
            Fill(ui, c.fullRows, c.rest);
            lumera::testing::SetFaults(faults);
            const int holder = open(ui.display.Path().c_str(), O_RDONLY | O_CLOEXEC);
            QVERIFY(faults != "busy" || flock(holder, LOCK_EX) == 0);
            const std::size_t before = ui.prompter.messages().size();
            ui.click("BtnSend");
            close(holder);
            const auto shown = ui.prompter.messages();
            QCOMPARE(shown.size() - before, c.messages.size());
            for (std::size_t k = 0; k < c.messages.size(); ++k) {
                QVERIFY2(shown[before + k].starts_with(c.messages[k]), shown[before + k].c_str());
            }
            QVERIFY2(Idle(ui), c.faults);
            QVERIFY2(c.advice.isEmpty() ? ui.window->status().isEmpty()
                                        : ui.window->status().startsWith(c.advice),
                     qPrintable(ui.window->status()));
        }
    }

    void aCloseAskedDuringASendWaitsForItsEnd() {
        WindowUnderTest ui;
        ui.type(1, "AB");
        bool stayed = false;
        ui.prompter.whileMessageShown = [&](const std::string&) {
            stayed = !ui.window->close() && ui.window->isVisible();
        };
        ui.prompter.answers.push_back(false);  // the save offer: leave without saving
        ui.click("BtnSend");
        QVERIFY(stayed);
        QVERIFY(!ui.window->isVisible());
        QVERIFY(ui.prompter.shown.back().starts_with("ask: "));
    }

    void aBoxDuringASendShowsTheArrow() {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        Qt::CursorShape shape = Qt::WaitCursor;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                shape = QGuiApplication::overrideCursor()->shape();
                box->close();
            }
        });
        closer.start(10);
        lumera::app::QtPrompter().Message("USB Write Data Failure!");
        QCOMPARE(shape, Qt::ArrowCursor);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QGuiApplication::restoreOverrideCursor();
    }
};

QTEST_MAIN(SendWatchTest)
#include "send_watch_test.moc"
