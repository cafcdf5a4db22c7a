#pragma once

#include <QChar>
#include <QString>

namespace lumera::app {

// `caption` as a button shows it with `letter` as its mnemonic: the caption's own
// ampersands doubled (so they stay visible) and '&' before the first `letter` in it, of
// either case. A caption without that letter gets no mnemonic; the visible text is the same
// in every case.
QString WithMnemonic(const QString& caption, QChar letter);

// What a key's character is called ("heart", "capital A"), in the current language.
QString KeyName(unsigned char code);

// "heart — code 0x01": the tooltip of a keyboard key.
QString KeyToolTip(unsigned char code);

}  // namespace lumera::app
