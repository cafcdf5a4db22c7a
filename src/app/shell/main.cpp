#include <QTimer>
#include <memory>

#include "app/shell/desktop_identity.h"
#include "app/shell/lumera_application.h"
#include "app/shell/start_arguments.h"
#include "app/window/tform1.h"
#include "outside/glyph_support.h"

int main(int argc, char* argv[]) {
    if (const std::optional<int> answered = lumera::app::AnswerWithoutScreen(argc, argv)) {
        return *answered;
    }
    lumera::app::LumeraApplication application(argc, argv);
    lumera::app::ClaimDesktopIdentity();
    const auto start = lumera::app::ReadStartArguments(QApplication::arguments());
    if (!start.runWindow) {
        return lumera::app::PrintStartAnswer(start);
    }
    // The glyph font must be there before the first key or edit is created.
    lumera::_FontFILEApp();
    auto window = std::make_unique<lumera::app::TForm1>();
    window->show();
    if (start.file) {
        // From the running loop, as the Open button would, once the window shows.
        const std::string path = lumera::app::ArgumentBytes(argc, argv, *start.file);
        QTimer::singleShot(0, window.get(), [&window, path] { window->OpenNamedFile(path); });
    }
    QApplication::exec();
    lumera::_FontFILEDel();
    window.reset();
    return 0;
}
