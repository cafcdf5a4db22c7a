#pragma once

#include <QPixmap>

namespace lumera::app {

// The window's pictures, drawn here so the program ships no image files.

// Image1: the application's sign, a ring of LEDs.
QPixmap ApplicationPicture(int size);
// Image2: a USB plug beside the link status.
QPixmap LinkPicture(int size);
// Image3: a red-crossed plug, shown while the display cannot be reached.
QPixmap NoLinkPicture(int size);

// Small pictures of the command buttons.
enum class CommandPicture { Start, Stop, Color, Open, Send, Save, Clear, Exit };
QPixmap CommandButtonPicture(CommandPicture picture, int size);

}  // namespace lumera::app
