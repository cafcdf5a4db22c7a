#include <QTest>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "window_fixture.h"

// The window's Send through the display stood up as a kernel device by kernel_run, whose
// faults pull the cable at the first data command and plug it in again under a new node.
namespace lumera::app::testing {

std::string Slurp(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class KernelWindowTest : public QObject {
    Q_OBJECT

private slots:
    void SendFindsTheDisplayAgainAfterAReplug() {
        const char* folder = std::getenv("LUMERA_KERNEL_DISPLAY");
        QVERIFY2(folder != nullptr, "run under kernel_run");
        WindowUnderTest ui;
        // The library reads this at every open: from here on it goes through hidapi.
        lumera::testing::StopEmulating();
        ui.type(1, QStringLiteral("HELLO"));
        ui.click(QStringLiteral("BtnSend"));
        QCOMPARE(ui.prompter.messages(),
                 (std::vector<std::string>{"USB Write Data Error", "USB Write Data Failure!"}));
        ui.prompter.shown.clear();
        ui.click(QStringLiteral("BtnSend"));
        QCOMPARE(ui.prompter.messages().size(), std::size_t{1});
        QVERIFY(ui.prompter.messages().front().ends_with("\r\nUSB Write Data Successed!"));
        const std::string sent = Slurp(ui.programPath("USBSendData.bin"));
        QVERIFY(!sent.empty());
        QCOMPARE(Slurp(lumera::testing::MemoryFileIn(folder)), sent);
    }
};

}  // namespace lumera::app::testing

QTEST_MAIN(lumera::app::testing::KernelWindowTest)
#include "kernel_window_test.moc"
