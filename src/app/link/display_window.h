#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>

#include "render/led_preview.h"

class QLabel;
class QTimer;

namespace lumera::app {

class LedCanvas;
class PreviewPlayer;

// The emulated display's face: plays the image in its eeprom.bin the way the display
// shows it, record after record, until closed.
class DisplayWindow : public QWidget {
    Q_OBJECT

public:
    DisplayWindow(const std::filesystem::path& emulatorDirectory, QWidget* parent);
    ~DisplayWindow() override;

    // Reads eeprom.bin again and plays it from its first record.
    void Restart();

    // What the display holds, or why nothing plays.
    QString status() const;
    // Null while nothing plays.
    const LedPreview* preview() const { return preview_.get(); }
    const LedCanvas* canvas() const { return canvas_; }

protected:
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The status line, composed again when the language changes.
    void ShowStatus(std::function<QString()> describe);

    std::filesystem::path memoryFile_;
    LedCanvas* canvas_;
    QLabel* status_;
    QTimer* timer_;
    PreviewPlayer* player_;
    std::unique_ptr<LedPreview> preview_;
    std::function<QString()> describe_;
};

}  // namespace lumera::app
