#pragma once

namespace lumera::app {

// Lets a screen reader name a drop-down list by the name it was given ("Section 5 opening
// effect") and read its current item as its value. Without it Qt on Linux names a list by
// its current item, so every list of the table would sound alike. Lists without a name of
// their own keep Qt's usual behaviour. Installing it more than once does nothing more.
void InstallNamedListAccessibility();

}  // namespace lumera::app
