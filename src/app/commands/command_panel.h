#pragma once

#include <QGroupBox>
#include <array>
#include <optional>

#include "editing/language_texts.h"

class QLabel;
class QPushButton;

namespace lumera::app {

class CapacityGauge;

// The window's commands, in the order they are reached with Tab.
enum class Command {
    English,
    Japanese,
    Chinese,
    Start,
    Stop,
    Color,
    Open,
    Send,
    Save,
    Clear,
    Exit
};
inline constexpr std::size_t kCommandCount = 11;

// The command buttons (GroupBox4): the three language switches, the preview's, the files'
// and the display's commands, and below them the gauge of the table's size. Each button has
// its mnemonic, its accessible name and, where it has one, its shortcut.
class CommandPanel : public QGroupBox {
    Q_OBJECT

public:
    CommandPanel(CapacityGauge* gauge, QWidget* parent);

    QPushButton* button(Command command) const {
        return buttons_[static_cast<std::size_t>(command)];
    }
    // The captions of a language (the switches keep theirs).
    void ApplyTexts(const WindowTexts& texts);
    // The commands' shortcuts, active anywhere in `window`.
    void InstallShortcuts(QWidget* window) const;
    // Chains the buttons into the tab order after `previous`; returns the last.
    QWidget* ChainTabOrder(QWidget* previous) const;
    // How long one cycle of the preview takes ("cycle 25.5 s"); nothing when none plays.
    void ShowCycle(std::optional<int> milliseconds);
    QString cycleText() const;

signals:
    void triggered(Command command);

protected:
    void changeEvent(QEvent* event) override;

private:
    void SetCaption(Command command, std::string_view caption);
    void Retranslate();
    // What a command does, in the current language: its accessible name and tooltip.
    static QString FunctionOf(Command command);

    std::array<QPushButton*, kCommandCount> buttons_{};
    QLabel* cycle_;
    std::optional<int> cycleMilliseconds_;
};

}  // namespace lumera::app
