// The window as a desktop program: it fits the screen, works from the keyboard and speaks to
// screen readers.
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

#include "app/named_list_accessible.h"
#include "app/section_edit.h"
#include "app/tform1.h"
#include "app/window_fit.h"
#include "app/window_style.h"
#include "editing/glyph_names.h"
#include "editing/keyboards.h"

namespace lumera::app {
namespace {

const QString kKeysTypeHere = QStringLiteral("The on-screen keys type into this section");
const char kHadFocusProperty[] = "keyHadFocus";

// The platform's own keys for a standard command; `otherwise` where it has none (a desktop
// whose key scheme leaves Quit unbound still quits with Ctrl+Q).
QKeySequence StandardOr(QKeySequence::StandardKey standard, QKeySequence otherwise) {
    const QKeySequence keys(standard);
    return keys.isEmpty() ? otherwise : keys;
}

// A key reached with Tab or the arrow keys is scrolled into view in every scroll box around
// it (its keyboard, and the window's frame on a small screen).
class ShowFocusedKey : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* key = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::FocusIn && key) {
            for (QWidget* outer = key->parentWidget(); outer; outer = outer->parentWidget()) {
                if (auto* box = qobject_cast<QScrollArea*>(outer)) {
                    box->ensureWidgetVisible(key);
                }
            }
        }
        return false;
    }
};

// Keys reach each other with the arrow keys; a key pressed from the keyboard keeps the
// focus, so the next key is one arrow away, while the section still gets the character.
void MakeKeysReachable(QScrollArea* keyboard, const std::vector<QPushButton*>& buttons,
                       const std::vector<KeyboardKey>& keys) {
    auto* arrows = new QButtonGroup(keyboard);
    arrows->setExclusive(false);
    auto* showFocused = new ShowFocusedKey(keyboard);
    for (std::size_t k = 0; k < buttons.size(); ++k) {
        QPushButton* button = buttons[k];
        button->setAccessibleName(QString::fromStdString(GlyphName(keys[k].code)));
        button->setToolTip(KeyToolTip(keys[k].code));
        arrows->addButton(button);
        button->installEventFilter(showFocused);
        QObject::connect(button, &QPushButton::pressed, button,
                         [button] { button->setProperty(kHadFocusProperty, button->hasFocus()); });
        // Connected after the window's own handler, so this runs once the key has typed.
        QObject::connect(button, &QPushButton::clicked, button, [button] {
            if (button->property(kHadFocusProperty).toBool()) {
                button->setFocus(Qt::OtherFocusReason);
            }
        });
    }
}

// Fits the window again when it moves to another screen (another size or pixel ratio).
class FitOnScreenChange : public QObject {
public:
    explicit FitOnScreenChange(TForm1* window) : QObject(window), window_(window) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ScreenChangeInternal && window_->screen()) {
            window_->FitInto(window_->screen()->availableGeometry());
        }
        return false;
    }

private:
    TForm1* window_;
};

}  // namespace

std::array<CommandAccess, 11> TForm1::CommandAccessTable() const {
    return {{
        {BtnEng, QLatin1Char('E'), "Switch to English", {}},
        {BtnJapanClick, QLatin1Char('J'), "Switch to Japanese", {}},
        {BtnCn, QChar(), "Switch to Chinese", {}},
        {BtnStart, QLatin1Char('T'), "Start the preview", QKeySequence(Qt::Key_F5)},
        {BtnStop, QLatin1Char('P'), "Stop the preview", QKeySequence(Qt::SHIFT | Qt::Key_F5)},
        {BtnColor, QLatin1Char('C'), "Change the LED colour", {}},
        {BtnOpen, QLatin1Char('O'), "Open a message file", QKeySequence(QKeySequence::Open)},
        {BtnSend, QLatin1Char('N'), "Send the table to the display", {}},
        {BtnSave, QLatin1Char('S'), "Save the table to a file", QKeySequence(QKeySequence::Save)},
        {BtnClear, QLatin1Char('L'), "Clear the table", {}},
        {BtnExit, QLatin1Char('X'), "Exit", StandardOr(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q)},
    }};
}

QString TForm1::CommandCaption(const QPushButton* button, const QString& caption) const {
    for (const CommandAccess& command : CommandAccessTable()) {
        if (command.button == button) {
            return WithMnemonic(caption, command.mnemonic);
        }
    }
    return WithMnemonic(caption, QChar());
}

void TForm1::BuildFrame() {
    content_ = new QWidget;
    content_->setObjectName(QStringLiteral("WindowContent"));
    content_->setFixedSize(kWindowWidth, kWindowHeight);
    frame_ = new QScrollArea(this);
    frame_->setObjectName(QStringLiteral("WindowFrame"));
    frame_->setFrameShape(QFrame::NoFrame);
    frame_->setFocusPolicy(Qt::NoFocus);
    frame_->setWidget(content_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame_);
    setFixedSize(kWindowWidth, kWindowHeight);
    installEventFilter(new FitOnScreenChange(this));
}

void TForm1::FitInto(const QRect& available) {
    const QSize room = available.size() - QSize(kFrameWidthAllowance, kFrameHeightAllowance);
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, frame_);
    setFixedSize(FittedWindowSize(content_->size(), room, scrollBar));
}

void TForm1::BuildDesktopAccess() {
    for (const CommandAccess& command : CommandAccessTable()) {
        const QString function = QString::fromUtf8(command.function);
        command.button->setAccessibleName(function);
        if (command.shortcut.isEmpty()) {
            command.button->setToolTip(function);
            continue;
        }
        auto* shortcut = new QShortcut(command.shortcut, this);
        connect(shortcut, &QShortcut::activated, command.button, &QPushButton::click);
        command.button->setToolTip(QStringLiteral("%1 (%2)").arg(
            function, command.shortcut.toString(QKeySequence::NativeText)));
    }
    for (QPushButton* languageSwitch : {BtnEng, BtnJapanClick, BtnCn}) {
        languageSwitch->setText(CommandCaption(languageSwitch, languageSwitch->text()));
    }

    InstallNamedListAccessibility();
    for (int index = 0; index < kSectionRows; ++index) {
        const int n = index + 1;
        ME[index]->setAccessibleName(QStringLiteral("Section %1 text").arg(n));
        ME[index]->setToolTip(
            QStringLiteral("Section %1: click it, or press Enter in it, to type into it with the "
                           "on-screen keys")
                .arg(n));
        CBA[index]->setAccessibleName(QStringLiteral("Section %1 opening effect").arg(n));
        CBB[index]->setAccessibleName(QStringLiteral("Section %1 closing effect").arg(n));
        L[index]->setAccessibleName(QStringLiteral("Section %1").arg(n));
        // Enter is the keyboard's click: it picks the section the keys type into.
        connect(ME[index], &QLineEdit::returnPressed, this, [this, n] { maskeditOnClick(n); });
    }

    MakeKeysReachable(CNScrollBox, CNBtn, GlyphKeys());
    MakeKeysReachable(EngScrollBox, EngBtn, EnglishKeys());

    Image1->setAccessibleName(QStringLiteral("Lumera"));
    Image2->setAccessibleName(QStringLiteral("Link status"));
    Image3->setAccessibleName(QStringLiteral("The display cannot be reached"));
    ImageLed->setAccessibleName(QStringLiteral("LED preview"));
    const std::array<std::pair<QScrollArea*, const char*>, 3> boxes{{
        {DataScrollBox, "Sections"},
        {CNScrollBox, "Glyph keyboard"},
        {EngScrollBox, "English keyboard"},
    }};
    for (const auto& [box, name] : boxes) {
        // The box is no stop of its own: Tab goes to the controls in it.
        box->setFocusPolicy(Qt::NoFocus);
        box->setAccessibleName(QString::fromUtf8(name));
    }

    // Tab order: the rows as they are chained, then the commands column by column, then
    // the keys of the keyboard shown.
    QWidget* previous = CBA.back();
    auto chain = [&previous](QWidget* next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (const CommandAccess& command : CommandAccessTable()) {
        chain(command.button);
    }
    for (const auto* keys : {&CNBtn, &EngBtn}) {
        for (QPushButton* key : *keys) {
            chain(key);
        }
    }
}

void TForm1::ShowCurrentSection() {
    const int current = table_.CurrentSection();
    for (int index = 0; index < kSectionRows; ++index) {
        const bool marked = index == current;
        QLabel* label = L[index];
        label->setAutoFillBackground(marked);
        label->setBackgroundRole(marked ? QPalette::Highlight : QPalette::Window);
        label->setForegroundRole(marked ? QPalette::HighlightedText : QPalette::WindowText);
        QFont font = label->font();
        font.setBold(marked);
        label->setFont(font);
        ME[index]->setAccessibleDescription(marked ? kKeysTypeHere : QString());
    }
}

}  // namespace lumera::app
