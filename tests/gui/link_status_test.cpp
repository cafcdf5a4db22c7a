#include <dlfcn.h>

#include <QTest>

#include "app/qt/throttled_label.h"
#include "window_fixture.h"

using lumera::app::testing::WindowUnderTest;

namespace {

// The counters of the counting device library, which the window has loaded.
struct HandleCount {
    HandleCount() {
        void* library = dlopen(COUNTING_DEVICE_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
        opens = reinterpret_cast<int (*)()>(library ? dlsym(library, "CountedOpens") : nullptr);
        closes = reinterpret_cast<int (*)()>(library ? dlsym(library, "CountedCloses") : nullptr);
    }
    int (*opens)() = nullptr;
    int (*closes)() = nullptr;
};

// Records the label's text at each paint.
class PaintLog : public QObject {
public:
    QStringList texts;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            texts << static_cast<QLabel*>(watched)->text();
        }
        return false;
    }
};

}  // namespace

class LinkStatusTest : public QObject {
    Q_OBJECT

private slots:
    void everyOpenedHandleIsGivenBack() {
        WindowUnderTest ui(true, COUNTING_DEVICE_LIBRARY);
        const HandleCount count;
        QVERIFY(count.opens && count.closes);
        ui.type(1, "ABCDEFGHIJ");
        const char* failures[] = {"absent",      "open@2",
                                  "open@4",      "write@1",
                                  "write@3",     "read@2",
                                  "silent@3",    "status@1=2A",
                                  "status@2=81", "status@3=85",
                                  "status@4=00", "unplug@3",
                                  "replug@2",    ""};
        for (const char* faults : failures) {
            // A fresh display for each, so that exchanges count from 1.
            const lumera::testing::EmulatorDirectory display;
            lumera::testing::SetFaults(faults);
            const int before = count.opens();
            ui.click("BtnSend");
            QVERIFY2(count.opens() > before || std::string(faults) == "absent", faults);
            QVERIFY2(count.opens() == count.closes(), faults);
        }
        // The polls below would make the last display's folder again once it is gone.
        ui.display.Use();
        const int before = count.opens();
        ui.ticks(41 * 25);
        QCOMPARE(count.opens(), before + 25);
        QCOMPARE(count.closes(), count.opens());
    }

    void theEmulatedDisplayIsMarked() {
        WindowUnderTest ui;
        auto* mark = ui.find<QLabel>("LinkStatusMark");
        QVERIFY(mark->isVisible());
        QVERIFY(mark->toolTip().contains(QString::fromStdString(ui.display.Path().string())));
        const QString help = ui.find<QLabel>("Image3")->toolTip();
        QVERIFY(help.startsWith("The display cannot be reached\n"));
        QVERIFY(help.contains("udev rule") && help.contains("lumera-cli devices"));
        lumera::testing::StopEmulating();
        ui.ticks(41);
        QVERIFY(!mark->isVisible());

        WindowUnderTest unbound(false);
        QVERIFY(!unbound.find<QLabel>("LinkStatusMark")->isVisible());
    }

    void progressIsRepaintedOnlyWhenItChanges() {
        WindowUnderTest ui;
        // Ten full rows: 921 bytes, 184 data commands, a percentage step every one or two.
        ui.fill(QStringList(10, "ABCDEFGHIJKLMNOPQR"));
        auto* label = ui.find<QLabel>("USBLabel");
        PaintLog paints;
        label->installEventFilter(&paints);
        // As the box that ends the send would, run the event loop: the final figure shows.
        ui.prompter.whileMessageShown = [](const std::string&) {
            QCoreApplication::processEvents();
        };
        ui.click("BtnSend");
        label->removeEventFilter(&paints);
        QCOMPARE(ui.prompter.messages().size(), std::size_t{1});
        QVERIFY(paints.texts.contains("0%") && paints.texts.contains("100%"));
        for (qsizetype i = 1; i < paints.texts.size(); ++i) {
            QVERIFY2(paints.texts[i] != paints.texts[i - 1], qPrintable(paints.texts[i]));
        }
    }

    // A figure shows at once when nothing was painted lately; the label's text is always the
    // latest; the same text is not painted twice; what was held back shows once the event
    // loop runs.
    void aThrottledLabelAlwaysEndsOnTheLatestText() {
        QLabel label;
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        PaintLog paints;
        label.installEventFilter(&paints);
        lumera::app::ThrottledLabel throttled(&label);
        throttled.Show(QStringLiteral("0%"));
        QCOMPARE(paints.texts, QStringList{"0%"});
        for (int percent = 1; percent <= 100; ++percent) {
            throttled.Show(QStringLiteral("%1%").arg(percent));
            QCOMPARE(label.text(), QStringLiteral("%1%").arg(percent));
        }
        QCoreApplication::processEvents();
        QCOMPARE(paints.texts.last(), QStringLiteral("100%"));
        const qsizetype painted = paints.texts.size();
        throttled.Show(QStringLiteral("100%"));
        QCoreApplication::processEvents();
        QCOMPARE(paints.texts.size(), painted);
    }
};

QTEST_MAIN(LinkStatusTest)
#include "link_status_test.moc"
