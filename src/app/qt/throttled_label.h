#pragma once

#include <QElapsedTimer>
#include <QString>

class QLabel;

namespace lumera::app {

// A label whose text changes faster than anyone can read it (the Send's percentage, while
// the transfer holds the event loop): its text is always the latest, but it is repainted
// on the spot at most every 30 ms. A text held back is painted as soon as the event loop
// runs again, so the final figure always shows (the message box that ends a send runs it).
class ThrottledLabel {
public:
    explicit ThrottledLabel(QLabel* label) : label_(label) {}

    void Show(const QString& text);

private:
    QLabel* label_;
    QElapsedTimer sinceRepaint_;
    bool fitHeld_ = false;  // the label is fitted to a held-back text once the loop runs
};

}  // namespace lumera::app
