#include "app/commands/key_panels.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "app/commands/window_keyboard.h"
#include "app/qt/window_style.h"
#include "app/sections/section_text.h"
#include "editing/keyboards.h"

namespace lumera::app {
namespace {

const char kHadFocusProperty[] = "keyHadFocus";

// Where the keyboards stand in GroupBox2 at the window's smallest size.
constexpr QRect kGlyphBoxPlace(224, 6, 353, 195);
constexpr QRect kEnglishPanelPlace(224, 8, 353, 193);

QScrollArea* KeyBox(QWidget* parent, const char* name, QRect place) {
    const int keyRows = (kGlyphKeyCount + kKeyColumns - 1) / kKeyColumns;
    auto* box = new QScrollArea(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(place);
    box->setFrameShape(QFrame::NoFrame);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The box is no stop of its own: Tab goes to the key that holds its stop.
    box->setFocusPolicy(Qt::NoFocus);
    auto* inside = new QWidget;
    inside->setFixedSize(353 - kScrollBarAllowance,
                         kKeyMargin * 2 + kKeyPitch * (keyRows - 1) + kKeySize);
    // The keys take their glyph font from here, sharing it instead of each resolving one.
    QFont keyFont = parent->font();
    keyFont.setFamilies(GlyphFontFamilies());
    keyFont.setPixelSize(kKeyGlyphPixelSize);
    inside->setFont(keyFont);
    box->setWidget(inside);
    return box;
}

bool WalksKeys(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
           key == Qt::Key_Down || key == Qt::Key_Home || key == Qt::Key_End;
}

// The key a walking key leads to from key `from` of `count` in the grid: the same key at an
// edge of the grid.
int WalkedTo(int from, int key, int count) {
    const int column = from % kKeyColumns;
    switch (key) {
        case Qt::Key_Left:
            return column > 0 ? from - 1 : from;
        case Qt::Key_Right:
            return column + 1 < kKeyColumns && from + 1 < count ? from + 1 : from;
        case Qt::Key_Up:
            return from >= kKeyColumns ? from - kKeyColumns : from;
        case Qt::Key_Down:
            return from + kKeyColumns < count ? from + kKeyColumns : from;
        case Qt::Key_Home:
            return 0;
        default:
            return count - 1;
    }
}

// One keyboard as one tab stop: the key reached last holds it, the arrow keys walk the grid,
// Home and End reach the first and last key, and Space or Enter press the key reached. A key
// reached is scrolled into view in every scroll box around it (its keyboard, and the
// window's frame on a small screen).
class KeyWalk : public QObject {
public:
    KeyWalk(const std::vector<QPushButton*>& keys, QObject* parent)
        : QObject(parent), keys_(keys) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* key = qobject_cast<QPushButton*>(watched);
        if (!key) {
            return false;
        }
        if (event->type() == QEvent::FocusIn) {
            HoldStop(key);
        } else if (event->type() == QEvent::KeyPress) {
            return Walk(key, *static_cast<QKeyEvent*>(event));
        }
        return false;
    }

private:
    void HoldStop(QPushButton* key) {
        for (QPushButton* other : keys_) {
            other->setFocusPolicy(other == key ? Qt::TabFocus : Qt::NoFocus);
        }
        for (QWidget* outer = key->parentWidget(); outer; outer = outer->parentWidget()) {
            if (auto* box = qobject_cast<QScrollArea*>(outer)) {
                box->ensureWidgetVisible(key);
            }
        }
    }

    bool Walk(QPushButton* key, const QKeyEvent& press) {
        if (press.modifiers() & ~Qt::KeypadModifier) {
            return false;
        }
        if (press.key() == Qt::Key_Return || press.key() == Qt::Key_Enter) {
            key->click();
            return true;
        }
        if (!WalksKeys(press.key())) {
            return false;
        }
        const auto at = std::find(keys_.begin(), keys_.end(), key) - keys_.begin();
        const int count = static_cast<int>(keys_.size());
        keys_[WalkedTo(static_cast<int>(at), press.key(), count)]->setFocus(Qt::OtherFocusReason);
        // Taken also at an edge: the keyboard's box would scroll instead.
        return true;
    }

    const std::vector<QPushButton*>& keys_;
};

// A key pressed from the keyboard keeps the focus, so the next key is one arrow away, while
// the section still gets the character; a mouse click leaves the focus in the section.
void KeepFocusOnPress(QPushButton* button) {
    QObject::connect(button, &QPushButton::pressed, button,
                     [button] { button->setProperty(kHadFocusProperty, button->hasFocus()); });
    // Connected after the key's own handler, so this runs once the key has typed.
    QObject::connect(button, &QPushButton::clicked, button, [button] {
        if (button->property(kHadFocusProperty).toBool()) {
            button->setFocus(Qt::OtherFocusReason);
        }
    });
}

// Chains the keys after `previous` in the tab order. Qt leaves a widget that takes no focus
// out of the chain, so every key takes it while it is chained, and then holds its stop again.
void ChainKeys(QWidget* previous, const std::vector<QPushButton*>& keys) {
    std::vector<Qt::FocusPolicy> policies;
    for (QPushButton* key : keys) {
        policies.push_back(key->focusPolicy());
        key->setFocusPolicy(Qt::TabFocus);
        QWidget::setTabOrder(previous, key);
        previous = key;
    }
    for (std::size_t k = 0; k < keys.size(); ++k) {
        keys[k]->setFocusPolicy(policies[k]);
    }
}

// A key shows its caption the way a section edit would show it, so glyph codes are drawn by
// the glyph font; the caption "&&" shows a single ampersand on a button.
void SetKeyCaptions(const std::vector<QPushButton*>& buttons,
                    const std::vector<KeyboardKey>& keys) {
    for (std::size_t k = 0; k < buttons.size(); ++k) {
        buttons[k]->setText(ShowSectionBytes(keys[k].caption).text);
    }
}

}  // namespace

KeyPanels::KeyPanels(QWidget* area)
    : QObject(area),
      area_(area),
      englishPanel_(new QFrame(area)),
      glyph_{KeyBox(area, "CNScrollBox", kGlyphBoxPlace),
             GlyphKeys(),
             &KeyPanels::glyphKeyPressed,
             {}},
      // The box fills its panel: 16 pixels taller, as first drawn, it put the last row of
      // keys and the lower scroll arrow below the panel's edge, out of reach.
      english_{
          KeyBox(englishPanel_, "EngScrollBox", QRect(QPoint(0, 0), kEnglishPanelPlace.size())),
          EnglishKeys(),
          &KeyPanels::englishKeyPressed,
          {}} {
    englishPanel_->setObjectName(QStringLiteral("EngPanel"));
    englishPanel_->setGeometry(kEnglishPanelPlace);
    englishPanel_->setAutoFillBackground(true);
    englishPanel_->hide();
    // The first drawing of the area means the window is on the screen.
    area_->installEventFilter(this);
    Retranslate();
}

bool KeyPanels::eventFilter(QObject* watched, QEvent* event) {
    if (watched == area_ && event->type() == QEvent::Paint) {
        area_->removeEventFilter(this);
        // Once this drawing has reached the screen.
        QTimer::singleShot(0, this, &KeyPanels::BuildAllKeys);
    }
    return false;
}

void KeyPanels::BuildAllKeys() {
    for (Keyboard* keyboard : {&glyph_, &english_}) {
        if (keyboard->keys.empty()) {
            BuildKeys(*keyboard);
        }
    }
}

void KeyPanels::BuildKeys(Keyboard& keyboard) {
    QWidget* inside = keyboard.box->widget();
    for (const KeyboardKey& key : keyboard.table) {
        const int index = static_cast<int>(keyboard.keys.size());
        auto* button = new QPushButton(inside);
        button->setObjectName(QString::fromStdString(key.name));
        button->setGeometry(kKeyMargin + kKeyPitch * (index % kKeyColumns),
                            kKeyMargin + kKeyPitch * (index / kKeyColumns), kKeySize, kKeySize);
        // Only the key that holds the keyboard's stop takes the focus, from the keyboard;
        // a mouse click leaves the focus in the section it types into.
        button->setFocusPolicy(index == 0 ? Qt::TabFocus : Qt::NoFocus);
        button->setProperty("Tag", key.tag);
        connect(button, &QPushButton::clicked, this,
                [this, pressed = keyboard.pressed, index] { (this->*pressed)(index + 1); });
        KeepFocusOnPress(button);
        keyboard.keys.push_back(button);
    }
    auto* walk = new KeyWalk(keyboard.keys, keyboard.box);
    for (QPushButton* button : keyboard.keys) {
        button->installEventFilter(walk);
        button->show();
    }
    if (tabAnchor_) {
        ChainKeys(tabAnchor_, keyboard.keys);
    }
    NameKeys(keyboard);
}

void KeyPanels::NameKeys(const Keyboard& keyboard) const {
    for (std::size_t k = 0; k < keyboard.keys.size(); ++k) {
        keyboard.keys[k]->setAccessibleName(KeyName(keyboard.table[k].code));
        keyboard.keys[k]->setToolTip(KeyToolTip(keyboard.table[k].code));
    }
}

void KeyPanels::Retranslate() {
    glyph_.box->setAccessibleName(tr("Glyph keyboard"));
    english_.box->setAccessibleName(tr("English keyboard"));
    NameKeys(glyph_);
    NameKeys(english_);
}

void KeyPanels::Lengthen(int extra) {
    // Taller than all of their keys, the boxes would only show empty rows.
    const int keys = glyph_.box->widget()->height();
    const auto height = [extra, keys](QRect place) {
        return std::min(place.height() + std::max(extra, 0), keys);
    };
    glyph_.box->resize(kGlyphBoxPlace.width(), height(kGlyphBoxPlace));
    englishPanel_->resize(kEnglishPanelPlace.width(), height(kEnglishPanelPlace));
    english_.box->resize(englishPanel_->size());
}

void KeyPanels::ShowKeyboard(bool english) {
    Keyboard& shown = english ? english_ : glyph_;
    if (shown.keys.empty()) {
        BuildKeys(shown);
    }
    shown.box->verticalScrollBar()->setValue(0);
    englishPanel_->setVisible(english);
    // The covered keyboard leaves the tab order with it.
    glyph_.box->setVisible(!english);
    SetKeyCaptions(shown.keys, shown.table);
}

void KeyPanels::PlaceInTabOrder(QWidget* previous) {
    tabAnchor_ = previous;
    for (const Keyboard* keyboard : {&glyph_, &english_}) {
        ChainKeys(previous, keyboard->keys);
    }
}

}  // namespace lumera::app
