#include "app/commands/key_panels.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "app/commands/window_keyboard.h"
#include "app/qt/window_style.h"
#include "app/sections/section_text.h"
#include "editing/keyboards.h"

namespace lumera::app {
namespace {

const char kHadFocusProperty[] = "keyHadFocus";

QScrollArea* KeyBox(QWidget* parent, const char* name, QRect place) {
    const int keyRows = (kGlyphKeyCount + kKeyColumns - 1) / kKeyColumns;
    auto* box = new QScrollArea(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(place);
    box->setFrameShape(QFrame::NoFrame);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The box is no stop of its own: Tab goes to the keys in it.
    box->setFocusPolicy(Qt::NoFocus);
    auto* inside = new QWidget;
    inside->setFixedSize(353 - kScrollBarAllowance,
                         kKeyMargin * 2 + kKeyPitch * (keyRows - 1) + kKeySize);
    box->setWidget(inside);
    return box;
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
void MakeKeysReachable(QScrollArea* keyboard, const std::vector<QPushButton*>& buttons) {
    auto* arrows = new QButtonGroup(keyboard);
    arrows->setExclusive(false);
    auto* showFocused = new ShowFocusedKey(keyboard);
    for (std::size_t k = 0; k < buttons.size(); ++k) {
        QPushButton* button = buttons[k];
        arrows->addButton(button);
        button->installEventFilter(showFocused);
        QObject::connect(button, &QPushButton::pressed, button,
                         [button] { button->setProperty(kHadFocusProperty, button->hasFocus()); });
        // Connected after the key's own handler, so this runs once the key has typed.
        QObject::connect(button, &QPushButton::clicked, button, [button] {
            if (button->property(kHadFocusProperty).toBool()) {
                button->setFocus(Qt::OtherFocusReason);
            }
        });
    }
}

void NameKeys(const std::vector<QPushButton*>& buttons, const std::vector<KeyboardKey>& keys) {
    for (std::size_t k = 0; k < keys.size(); ++k) {
        buttons[k]->setAccessibleName(KeyName(keys[k].code));
        buttons[k]->setToolTip(KeyToolTip(keys[k].code));
    }
}

// A key shows its caption the way a section edit would show it, so glyph codes are drawn by
// the glyph font; the caption "&&" shows a single ampersand on a button.
void SetKeyCaptions(const std::vector<QPushButton*>& buttons,
                    const std::vector<KeyboardKey>& keys) {
    for (std::size_t k = 0; k < keys.size(); ++k) {
        buttons[k]->setText(ShowSectionBytes(keys[k].caption).text);
    }
}

}  // namespace

KeyPanels::KeyPanels(QWidget* area)
    : QObject(area),
      glyphBox_(KeyBox(area, "CNScrollBox", QRect(224, 6, 353, 195))),
      englishPanel_(new QFrame(area)) {
    englishPanel_->setObjectName(QStringLiteral("EngPanel"));
    englishPanel_->setGeometry(224, 8, 353, 193);
    englishPanel_->setAutoFillBackground(true);
    // The box fills its panel: 16 pixels taller, as first drawn, it put the last row of keys
    // and the lower scroll arrow below the panel's edge, out of reach.
    englishBox_ = KeyBox(englishPanel_, "EngScrollBox", QRect(0, 0, 353, 193));
    englishPanel_->hide();

    QFont keyFont = area->font();
    keyFont.setFamilies(GlyphFontFamilies());
    keyFont.setPixelSize(kKeyGlyphPixelSize);
    auto build = [&](QScrollArea* box, const std::vector<KeyboardKey>& table,
                     std::vector<QPushButton*>& buttons, void (KeyPanels::*pressed)(int)) {
        for (const KeyboardKey& key : table) {
            const int index = static_cast<int>(buttons.size());
            auto* button = new QPushButton(box->widget());
            button->setObjectName(QString::fromStdString(key.name));
            button->setGeometry(kKeyMargin + kKeyPitch * (index % kKeyColumns),
                                kKeyMargin + kKeyPitch * (index / kKeyColumns), kKeySize, kKeySize);
            button->setFont(keyFont);
            // Tab and the arrow keys reach a key; a mouse click leaves the focus in the
            // section it types into.
            button->setFocusPolicy(Qt::TabFocus);
            button->setProperty("Tag", key.tag);
            connect(button, &QPushButton::clicked, this,
                    [this, pressed, index] { (this->*pressed)(index + 1); });
            buttons.push_back(button);
        }
        MakeKeysReachable(box, buttons);
    };
    build(glyphBox_, GlyphKeys(), glyphKeys_, &KeyPanels::glyphKeyPressed);
    build(englishBox_, EnglishKeys(), englishKeys_, &KeyPanels::englishKeyPressed);
    Retranslate();
}

void KeyPanels::Retranslate() {
    glyphBox_->setAccessibleName(tr("Glyph keyboard"));
    englishBox_->setAccessibleName(tr("English keyboard"));
    NameKeys(glyphKeys_, GlyphKeys());
    NameKeys(englishKeys_, EnglishKeys());
}

void KeyPanels::ShowKeyboard(bool english) {
    (english ? englishBox_ : glyphBox_)->verticalScrollBar()->setValue(0);
    englishPanel_->setVisible(english);
    // The covered keyboard leaves the tab order with it.
    glyphBox_->setVisible(!english);
    if (english) {
        SetKeyCaptions(englishKeys_, EnglishKeys());
    } else {
        SetKeyCaptions(glyphKeys_, GlyphKeys());
    }
}

void KeyPanels::ChainTabOrder(QWidget* previous) const {
    for (const auto* keys : {&glyphKeys_, &englishKeys_}) {
        for (QPushButton* key : *keys) {
            QWidget::setTabOrder(previous, key);
            previous = key;
        }
    }
}

}  // namespace lumera::app
