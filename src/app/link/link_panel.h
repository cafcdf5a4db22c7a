#pragma once

#include <QGroupBox>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "app/qt/throttled_label.h"
#include "download/usb_transfer.h"
#include "editing/language_texts.h"
#include "outside/device_binding.h"

class QLabel;
class QProgressBar;

namespace lumera::app {

class DisplayViews;
class LinkStatusMark;
class PresencePoll;

// The link area (GroupBox5): whether the display can be reached, the transfer's progress,
// the emulated display's mark and its Display button, and the notes (GroupBox6).
class LinkPanel : public QGroupBox {
    Q_OBJECT

public:
    // `window` owns the emulated display's window.
    LinkPanel(QWidget* parent, QWidget* window);

    void ApplyTexts(const WindowTexts& texts);
    // Shows what each presence poll finds.
    void Follow(const PresencePoll& poll);
    void Refresh(const DeviceBinding& device);
    // A Send's progress: the percentage in USBLabel and a bar of the bytes carried, from
    // StartSend to EndSend, which leaves both idle. While the transfer holds the window
    // thread, the window is repainted as the progress moves, without taking any input.
    void StartSend();
    void ShowProgress(const download::TransferProgress& progress);
    void EndSend();
    // What stays lit while a Send shuts the rest of the window.
    std::array<QWidget*, 2> progressParts() const;

    DisplayViews& displayViews() const { return *displayViews_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void Retranslate();

    QLabel* link_;      // Image2
    QLabel* caption_;   // Label5
    QLabel* noLink_;    // Image3
    QLabel* progress_;  // USBLabel
    QProgressBar* bar_;
    std::array<QLabel*, 5> notes_{};
    LinkStatusMark* mark_;
    DisplayViews* displayViews_;
    std::unique_ptr<ThrottledLabel> progressShown_;
};

}  // namespace lumera::app
