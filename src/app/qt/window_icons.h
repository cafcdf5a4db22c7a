#pragma once

#include <QColor>
#include <QIcon>
#include <QRectF>

class QPainter;

namespace lumera::app {

// The window's pictures, drawn here as vector art so the program ships no image files and
// every picture is sharp at any size and device pixel ratio.

enum class WindowPicture {
    Application,  // Image1: the application's sign, a ring of LEDs
    Link,         // Image2: a USB plug beside the link status
    NoLink,       // Image3: a red-crossed plug, shown while the display cannot be reached
};
// Draws `picture` into `area`; its lines keep a visible contrast against `background`.
void DrawWindowPicture(QPainter& painter, WindowPicture picture, const QRectF& area,
                       const QColor& background);

// Small pictures of the command buttons, drawn afresh for every size and pixel ratio asked.
enum class CommandPicture { Start, Stop, Color, Open, Send, Save, Clear, Exit };
QIcon CommandButtonIcon(CommandPicture picture);

}  // namespace lumera::app
