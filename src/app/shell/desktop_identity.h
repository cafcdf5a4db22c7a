#pragma once

namespace lumera::app {

// Tells the desktop which application runs: its desktop entry (so the taskbar shows Lumera
// with its icon) and the window icon. The application title, which message boxes carry as
// their caption, stays as it is. Call once the application object exists.
void ClaimDesktopIdentity();

}  // namespace lumera::app
