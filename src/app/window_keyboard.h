#pragma once

#include <QChar>
#include <QKeySequence>
#include <QString>

class QPushButton;

namespace lumera::app {

// What the keyboard and a screen reader get of one command button.
struct CommandAccess {
    QPushButton* button = nullptr;
    QChar mnemonic;             // underlined in the caption, where the caption holds the letter
    const char* function = "";  // the accessible name; the tooltip adds the shortcut
    QKeySequence shortcut;      // empty: none
};

// `caption` as a button shows it with `letter` as its mnemonic: the caption's own
// ampersands doubled (so they stay visible) and '&' before the first `letter` in it, of
// either case. A caption without that letter gets no mnemonic; the visible text is the same
// in every case.
QString WithMnemonic(const QString& caption, QChar letter);

// "heart — code 0x01": the tooltip of a keyboard key.
QString KeyToolTip(unsigned char code);

}  // namespace lumera::app
