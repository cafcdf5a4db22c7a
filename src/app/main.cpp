#include <memory>

#include "app/desktop_identity.h"
#include "app/lumera_application.h"
#include "app/tform1.h"
#include "outside/glyph_support.h"

int main(int argc, char* argv[]) {
    lumera::app::LumeraApplication application(argc, argv);
    lumera::app::ClaimDesktopIdentity();
    // The glyph font must be there before the first key or edit is created.
    lumera::_FontFILEApp();
    auto window = std::make_unique<lumera::app::TForm1>();
    window->show();
    QApplication::exec();
    lumera::_FontFILEDel();
    window.reset();
    return 0;
}
