#pragma once

#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/sections/section_edit.h"
#include "app/window/tform1.h"
#include "emulated_display.h"
#include "scripted_prompter.h"

namespace lumera::app::testing {

// A button caption as the button shows it: a mnemonic mark dropped, "&&" shown as "&".
inline QString ShownText(const QString& caption) {
    QString shown;
    for (qsizetype k = 0; k < caption.size(); ++k) {
        if (caption[k] == QLatin1Char('&') && k + 1 < caption.size()) {
            ++k;
        }
        shown += caption[k];
    }
    return shown;
}

// Sends a drag of `urls` over `target` and drops it there; true when the drag was taken.
inline bool DropOn(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    data.setText(urls.isEmpty() ? QString() : urls.front().toString());
    const QPoint point(5, 5);
    QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QTest::qWait(50);
    return drop.isAccepted();
}

// The texts of the sections in use, in order.
inline std::vector<std::string> Texts(const MessageTable& table) {
    std::vector<std::string> texts;
    for (int index = 0; index < table.SectionCount(); ++index) {
        texts.push_back(table.section(index).text);
    }
    return texts;
}

// The scripted answers, plus a look at the window while a plain message box is open.
class WindowPrompter : public lumera::testing::ScriptedPrompter {
public:
    std::function<void(const std::string&)> whileMessageShown;

    void Message(const std::string& text) override {
        ScriptedPrompter::Message(text);
        if (whileMessageShown) {
            whileMessageShown(text);
        }
    }
};

// A main window built on a temporary program directory (the build's glyph tables linked
// into it, the download dump written there) with a scripted Prompter and the emulated
// display in a temporary directory. Timer1 is stopped: tests drive Timer1Timer themselves.
class WindowUnderTest {
public:
    explicit WindowUnderTest(bool withDeviceLibrary = true,
                             std::filesystem::path deviceLibrary = LUMERA_BIN_DIR "/libZRUSB.so") {
        // What the window remembers (recent files, the dialogs' folder, its place and
        // language) stays out of the settings of whoever runs the tests, and out of the next
        // test's: each window starts as on a first start, in English whatever the locale.
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        QLocale::setDefault(QLocale::c());
        for (const char* table :
             {"window_zr1.bin", "window_zr2.bin", "window_zr3.bin", "window_zr4.bin"}) {
            QFile::link(QStringLiteral(LUMERA_BIN_DIR "/") + table,
                        programDirectory.filePath(table));
        }
        QFile::link(QStringLiteral(LUMERA_BIN_DIR "/translations"),
                    programDirectory.filePath("translations"));
        deviceLibrary_ = withDeviceLibrary ? deviceLibrary : programPath("libZRUSB.so");
        reopen();
    }

    // The next window of the same program: these files and settings, a new TForm1.
    void reopen() {
        window.reset();
        WindowSetup setup;
        setup.prompter = &prompter;
        setup.deviceLibrary = deviceLibrary_;
        setup.programDirectory = programPath("");
        window = std::make_unique<TForm1>(setup);
        find<QTimer>("Timer1")->stop();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    std::filesystem::path programPath(const char* name) const {
        return std::filesystem::path(programDirectory.path().toStdString()) / name;
    }

    template <typename Widget>
    Widget* find(const QString& name) const {
        auto* widget = window->findChild<Widget*>(name);
        if (!widget) {
            qFatal("no control %s", qPrintable(name));
        }
        return widget;
    }
    SectionEdit* edit(int n) const { return find<SectionEdit>(QStringLiteral("ME%1").arg(n)); }
    void click(const QString& name) const {
        QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton);
    }
    // Types into section n the way an operator does: a mouse click, then the keys.
    void type(int n, const QString& text) const {
        QTest::mouseClick(edit(n), Qt::LeftButton);
        QTest::keyClicks(edit(n), text);
    }
    // Types each text into its section, from section 1 on.
    void fill(const QStringList& texts) const {
        for (qsizetype k = 0; k < texts.size(); ++k) {
            type(static_cast<int>(k) + 1, texts[k]);
        }
    }
    void ticks(int count) const {
        for (int k = 0; k < count; ++k) {
            window->Timer1Timer();
        }
    }

    QTemporaryDir programDirectory;
    QTemporaryDir settings;
    // Declared before the window, so the window's device library opens this display.
    lumera::testing::EmulatorDirectory display;
    WindowPrompter prompter;
    std::unique_ptr<TForm1> window;

private:
    std::filesystem::path deviceLibrary_;
};

}  // namespace lumera::app::testing
