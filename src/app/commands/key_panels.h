#pragma once

#include <QObject>
#include <vector>

class QFrame;
class QPushButton;
class QScrollArea;
class QWidget;

namespace lumera {
struct KeyboardKey;
}  // namespace lumera

namespace lumera::app {

// The two on-screen keyboards in the commands area: the glyph keys (CNScrollBox) and, over
// them, the English keys (EngScrollBox on EngPanel). Only the keyboard of the content mode
// shows; a key press is handed on by its number. Each keyboard is one tab stop, held by the
// key reached last; the arrow keys walk its grid. A keyboard's keys are made when it is first
// shown, or once the window has been drawn, so the window opens without waiting for the
// keyboard it hides.
class KeyPanels : public QObject {
    Q_OBJECT

public:
    // The keyboards are built into `area` (GroupBox2).
    explicit KeyPanels(QWidget* area);

    // The keyboards `extra` pixels taller than designed, as far as they have rows of keys to
    // show; the keys keep their size.
    void Lengthen(int extra);
    // Shows the keyboard of the mode, at its top, with its captions.
    void ShowKeyboard(bool english);
    // The keyboards' and keys' names and tooltips, in the current language.
    void Retranslate();
    // The keyboards' stops go right after `previous` in the tab order, also those of keys
    // made later.
    void PlaceInTabOrder(QWidget* previous);
    // Makes the keys of both keyboards, where not made yet.
    void BuildAllKeys();

signals:
    void glyphKeyPressed(int keyNumber);
    void englishKeyPressed(int keyNumber);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Keyboard {
        QScrollArea* box;
        const std::vector<KeyboardKey>& table;
        void (KeyPanels::*pressed)(int);
        std::vector<QPushButton*> keys;
    };

    void BuildKeys(Keyboard& keyboard);
    void NameKeys(const Keyboard& keyboard) const;

    QWidget* area_;
    QFrame* englishPanel_;
    Keyboard glyph_;
    Keyboard english_;
    QWidget* tabAnchor_ = nullptr;
};

}  // namespace lumera::app
