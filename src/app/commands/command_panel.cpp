#include "app/commands/command_panel.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <optional>

#include "app/commands/capacity_gauge.h"
#include "app/commands/window_keyboard.h"
#include "app/qt/window_icons.h"
#include "app/qt/window_style.h"

namespace lumera::app {
namespace {

// The platform's own keys for a standard command; `otherwise` where it has none (a desktop
// whose key scheme leaves Quit unbound still quits with Ctrl+Q).
QKeySequence StandardOr(QKeySequence::StandardKey standard, QKeySequence otherwise) {
    const QKeySequence keys(standard);
    return keys.isEmpty() ? otherwise : keys;
}

struct CommandLook {
    const char* name;
    QRect place;
    std::optional<CommandPicture> picture;
    QChar mnemonic;  // underlined in the caption, where the caption holds the letter
    QKeySequence shortcut;
};

// In the order of Command.
const std::array<CommandLook, kCommandCount>& Looks() {
    using P = CommandPicture;
    using L = QLatin1Char;
    using K = QKeySequence;
    const K shiftF5(Qt::SHIFT | Qt::Key_F5);
    const K open(K::Open);
    const K saveAs(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    const K quit = StandardOr(K::Quit, Qt::CTRL | Qt::Key_Q);
    static const std::array<CommandLook, kCommandCount> looks{{
        {"BtnEng", {8, 8, 97, 25}, std::nullopt, L('E'), {}},
        {"BtnJapanClick", {8, 40, 97, 25}, std::nullopt, L('J'), {}},
        // 中文 has no Latin letter to underline: Alt+Z stands in for its mnemonic.
        {"BtnCn", {8, 72, 97, 25}, std::nullopt, QChar(), K(Qt::ALT | Qt::Key_Z)},
        {"BtnStart", {8, 104, 97, 25}, P::Start, L('T'), K(Qt::Key_F5)},
        {"BtnStop", {8, 136, 97, 25}, P::Stop, L('P'), shiftF5},
        {"BtnColor", {8, 171, 97, 25}, P::Color, L('C'), {}},
        {"BtnOpen", {112, 8, 99, 25}, P::Open, L('O'), open},
        {"BtnSend", {112, 40, 99, 25}, P::Send, L('N'), {}},
        // Ctrl+S is the window's quick save; the button always asks, as Save As does.
        {"BtnSave", {112, 72, 99, 25}, P::Save, L('S'), saveAs},
        {"BtnClear", {112, 104, 99, 25}, P::Clear, L('L'), {}},
        {"BtnExit", {112, 136, 99, 25}, P::Exit, L('X'), quit},
    }};
    return looks;
}

const CommandLook& LookOf(Command command) {
    return Looks()[static_cast<std::size_t>(command)];
}

}  // namespace

CommandPanel::CommandPanel(CapacityGauge* gauge, QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("GroupBox4"));
    QFont switchFont = font();
    switchFont.setPixelSize(kSwitchPixelSize);
    for (std::size_t k = 0; k < kCommandCount; ++k) {
        const CommandLook& look = Looks()[k];
        auto* button = new QPushButton(this);
        button->setObjectName(QString::fromLatin1(look.name));
        button->setGeometry(look.place);
        if (look.picture) {
            button->setIcon(CommandButtonIcon(*look.picture));
            button->setIconSize(QSize(kCommandPictureSize, kCommandPictureSize));
        } else {
            button->setFont(switchFont);
        }
        const auto command = static_cast<Command>(k);
        connect(button, &QPushButton::clicked, this, [this, command] { emit triggered(command); });
        buttons_[k] = button;
    }
    SetCaption(Command::English, kEnglishSwitchCaption);
    SetCaption(Command::Japanese, kJapaneseSwitchCaption);
    SetCaption(Command::Chinese, kChineseSwitchCaption);
    gauge->setParent(this);
    gauge->setGeometry(110, 165, 103, 21);
    cycle_ = new QLabel(this);
    cycle_->setObjectName(QStringLiteral("CycleTime"));
    cycle_->setGeometry(110, 186, 103, 13);
    cycle_->setAlignment(Qt::AlignCenter);
    QFont small = cycle_->font();
    small.setPixelSize(kCycleTextPixelSize);
    cycle_->setFont(small);
    Retranslate();
}

void CommandPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        Retranslate();
    }
    QGroupBox::changeEvent(event);
}

QString CommandPanel::FunctionOf(Command command) {
    switch (command) {
        case Command::English:
            return tr("Switch to English");
        case Command::Japanese:
            return tr("Switch to Japanese");
        case Command::Chinese:
            return tr("Switch to Chinese");
        case Command::Start:
            return tr("Start the preview");
        case Command::Stop:
            return tr("Stop the preview");
        case Command::Color:
            return tr("Change the LED colour");
        case Command::Open:
            return tr("Open a message file");
        case Command::Send:
            return tr("Send the table to the display");
        case Command::Save:
            return tr("Save the table to a file");
        case Command::Clear:
            return tr("Clear the table");
        case Command::Exit:
            return tr("Exit");
    }
    return {};
}

void CommandPanel::Retranslate() {
    for (std::size_t k = 0; k < kCommandCount; ++k) {
        const CommandLook& look = Looks()[k];
        const QString function = FunctionOf(static_cast<Command>(k));
        buttons_[k]->setAccessibleName(function);
        buttons_[k]->setToolTip(
            look.shortcut.isEmpty()
                ? function
                : QStringLiteral("%1 (%2)").arg(function,
                                                look.shortcut.toString(QKeySequence::NativeText)));
    }
    cycle_->setToolTip(tr("How long the preview takes to play every section once"));
    ShowCycle(cycleMilliseconds_);
}

void CommandPanel::ShowCycle(std::optional<int> milliseconds) {
    cycleMilliseconds_ = milliseconds;
    cycle_->setText(milliseconds ? tr("cycle %1 s").arg(*milliseconds / 1000.0, 0, 'f', 1)
                                 : QString());
    cycle_->setAccessibleName(cycle_->text());
}

QString CommandPanel::cycleText() const {
    return cycle_->text();
}

void CommandPanel::SetCaption(Command command, std::string_view caption) {
    const QString text = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    button(command)->setText(WithMnemonic(text, LookOf(command).mnemonic));
}

void CommandPanel::ApplyTexts(const WindowTexts& texts) {
    const std::array<std::pair<Command, std::string_view>, 8> captions{{
        {Command::Start, texts.BtnStart},
        {Command::Stop, texts.BtnStop},
        {Command::Color, texts.BtnColor},
        {Command::Open, texts.BtnOpen},
        {Command::Send, texts.BtnSend},
        {Command::Save, texts.BtnSave},
        {Command::Clear, texts.BtnClear},
        {Command::Exit, texts.BtnExit},
    }};
    for (const auto& [command, caption] : captions) {
        SetCaption(command, caption);
    }
}

void CommandPanel::InstallShortcuts(QWidget* window) const {
    for (std::size_t k = 0; k < kCommandCount; ++k) {
        if (!Looks()[k].shortcut.isEmpty()) {
            auto* shortcut = new QShortcut(Looks()[k].shortcut, window);
            connect(shortcut, &QShortcut::activated, buttons_[k], &QPushButton::click);
        }
    }
}

QWidget* CommandPanel::ChainTabOrder(QWidget* previous) const {
    for (QPushButton* button : buttons_) {
        QWidget::setTabOrder(previous, button);
        previous = button;
    }
    return previous;
}

}  // namespace lumera::app
