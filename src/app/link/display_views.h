#pragma once

#include <QObject>
#include <filesystem>
#include <optional>

class QPushButton;
class QWidget;

namespace lumera::app {

class DisplayWindow;

// While the window uses the emulated display (ZRUSB_EMULATOR names its folder), a "Display"
// button in the link-status area opens a window that plays what the emulated display holds;
// it starts again after every Send.
class DisplayViews : public QObject {
    Q_OBJECT

public:
    // The button goes into `linkArea`; `window` owns the display window.
    DisplayViews(QWidget* linkArea, QWidget* window);

    void OpenDisplay();
    // The button's texts in the current language.
    void Retranslate();
    // After a Send: an open display window plays what has arrived.
    void AfterSend();

    // Null when no emulated display is in use.
    QPushButton* button() const { return button_; }
    // Null until first opened.
    DisplayWindow* displayWindow() const { return display_; }

private:
    std::optional<std::filesystem::path> emulatorDirectory_;
    QWidget* window_;
    QPushButton* button_ = nullptr;
    DisplayWindow* display_ = nullptr;
};

}  // namespace lumera::app
