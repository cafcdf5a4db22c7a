#include "app/shell/lumera_application.h"

#include <QMessageBox>
#include <exception>

#include "editing/language_texts.h"

namespace lumera::app {
namespace {

void ShowEscapedError(const char* what) {
    QMessageBox::critical(QApplication::activeWindow(),
                          QString::fromUtf8(kApplicationTitle.data(),
                                            static_cast<qsizetype>(kApplicationTitle.size())),
                          QString::fromUtf8(what));
}

}  // namespace

LumeraApplication::LumeraApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // The title names the application (message boxes, the desktop's grouping); the window
    // keeps its own caption.
    setApplicationName(QString::fromUtf8(kApplicationTitle.data(),
                                         static_cast<qsizetype>(kApplicationTitle.size())));
}

bool LumeraApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowEscapedError(error.what());
    } catch (...) {
        ShowEscapedError("");
    }
    return false;
}

}  // namespace lumera::app
