#pragma once

#include <QApplication>

namespace lumera::app {

// The application object: an error that escapes a handler ends that command with a message
// box (the application's title as caption, the error's text), and the program goes on.
class LumeraApplication : public QApplication {
public:
    LumeraApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace lumera::app
