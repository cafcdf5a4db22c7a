#include <QProgressBar>
#include <QTest>
#include <algorithm>
#include <regex>

#include "window_fixture.h"

using lumera::app::testing::WindowUnderTest;

namespace {

const QString kFullRow = QStringLiteral("ABCDEFGHIJKLMNOPQR");
const QString kCable = QStringLiteral("Check the display's cable and its power");

}  // namespace

class SendWatchTest : public QObject {
    Q_OBJECT

private slots:
    void theBarMovesWhileTheRestOfTheWindowWaits() {
        WindowUnderTest ui;
        ui.fill(QStringList(10, kFullRow));  // 921 bytes: 184 data commands
        lumera::testing::SetFaults("slow@*=2");
        ui.ticks(40);  // the next tick polls the display, which hides Image3
        ui.find<QTimer>("Timer1")->start();
        auto* bar = ui.find<QProgressBar>("SendProgress");
        std::vector<int> values;
        bool shut = true;
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout, [&] {
            if (bar->isHidden()) {
                return;
            }
            if (values.empty()) {  // what an impatient operator tries
                QTest::keyClick(ui.window.get(), Qt::Key_Z, Qt::ControlModifier);
                ui.click("BtnStart");
            }
            values.push_back(bar->value());
            // The bar counts bytes, the text blocks: they agree within a percent.
            const int percent = ui.find<QLabel>("USBLabel")->text().chopped(1).toInt();
            shut = shut && std::abs(bar->value() * 100 / bar->maximum() - percent) <= 1 &&
                   QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor &&
                   !ui.find<QPushButton>("BtnSend")->isEnabled() && !ui.edit(1)->isEnabled() &&
                   ui.find<QLabel>("USBLabel")->isEnabled() && bar->isEnabled() &&
                   ui.find<QLabel>("Image3")->isVisible();
        });
        sampler.start(1);
        ui.click("BtnSend");
        QVERIFY(values.size() >= 3 && std::ranges::is_sorted(values) && shut);
        QVERIFY(values.front() < values.back() && !QGuiApplication::overrideCursor() &&
                ui.edit(11)->isEnabled() && !ui.edit(12)->isEnabled());
        QCOMPARE(QApplication::focusWidget(), ui.find<QPushButton>("BtnSend"));
        QCOMPARE(ui.window->table().section(9).text, kFullRow.toStdString());
        QVERIFY(!ui.window->preview().Engine().PreviewRunning());
        QTRY_VERIFY(!ui.find<QLabel>("Image3")->isVisible());
    }

    // Each Send also meets a close asked during its last box, which waits for its end.
    void everyEndLeavesTheProgressIdleAndSaysWhatToDo() {
        struct Case {
            const char* faults;
            QStringList rows;
            // The boxes' texts, each after a '|' and the progress shown meanwhile after a '@'.
            std::string messages;
            QString advice;
        };
        const std::string small = "|存储空间不够-The Eprom is small !";
        const std::string noDisplay = "|USB Device Connect Failure!!!";
        const Case cases[] = {
            {"write@4",
             {"ABCDEFGHIJ"},
             "|USB Write Data Error@9%|USB Write Data Failure!@9%",
             kCable},
            {"absent", {"AB"}, noDisplay + "|产品没有连接好-It is no Eprom !", kCable},
            {"unbound", {"AB"}, noDisplay, kCable},
            {"", {}, "|No Data Send!", "Type a text into a section"},
            // 1 + 23 x 2 + 400 x 5 = 2047 bytes, then 1 + 26 x 2 + 399 x 5 = 2048.
            {"", QStringList(22, kFullRow) << "ABCD",
             "|Write time: 1ms\r\nUSB Write Data Successed!@100%", ""},
            {"", QStringList(21, kFullRow) + QStringLiteral("ABCDE ABCD ABCD ABCD ABCD").split(' '),
             small, "The table needs 2 048 bytes, 1 more than the display holds"},
        };
        for (const Case& c : cases) {
            WindowUnderTest ui(std::string_view(c.faults) != "unbound");
            ui.fill(c.rows);
            lumera::testing::SetFaults(c.faults);
            bool stayed = true;
            std::string shown;
            ui.prompter.whileMessageShown = [&](const std::string& text) {
                const QString progress = ui.find<QLabel>("USBLabel")->text();
                shown += '|' + text + (progress.isEmpty() ? "" : '@' + progress.toStdString());
                stayed = stayed && !ui.window->close() && ui.window->isVisible();
            };
            ui.prompter.answers.push_back(false);  // the save offer: leave without saving
            ui.click("BtnSend");
            QCOMPARE(QString::fromStdString(
                         std::regex_replace(shown, std::regex("time: [0-9]+ms"), "time: 1ms")),
                     QString::fromStdString(c.messages));
            const QString status = ui.window->status();
            QVERIFY2(ui.find<QProgressBar>("SendProgress")->isHidden() &&
                         ui.find<QLabel>("USBLabel")->text().isEmpty() && stayed &&
                         !ui.window->isVisible() && ui.display.HasMemory() == c.advice.isEmpty() &&
                         (c.advice.isEmpty() ? status.isEmpty() : status.startsWith(c.advice)),
                     qPrintable(status));
        }
    }
};

QTEST_MAIN(SendWatchTest)
#include "send_watch_test.moc"
