#pragma once

#include <QObject>
#include <vector>

class QFrame;
class QPushButton;
class QScrollArea;
class QWidget;

namespace lumera::app {

// The two on-screen keyboards in the commands area: the glyph keys (CNScrollBox) and, over
// them, the English keys (EngScrollBox on EngPanel). Only the keyboard of the content mode
// shows; a key press is handed on by its number.
class KeyPanels : public QObject {
    Q_OBJECT

public:
    // The keyboards are built into `area` (GroupBox2).
    explicit KeyPanels(QWidget* area);

    // Shows the keyboard of the mode, at its top, with its captions.
    void ShowKeyboard(bool english);
    // The keyboards' and keys' names and tooltips, in the current language.
    void Retranslate();
    // Chains every key into the tab order after `previous`.
    void ChainTabOrder(QWidget* previous) const;

signals:
    void glyphKeyPressed(int keyNumber);
    void englishKeyPressed(int keyNumber);

private:
    QScrollArea* glyphBox_;
    QFrame* englishPanel_;
    QScrollArea* englishBox_;
    std::vector<QPushButton*> glyphKeys_;
    std::vector<QPushButton*> englishKeys_;
};

}  // namespace lumera::app
