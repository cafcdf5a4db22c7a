#pragma once

#include <QElapsedTimer>
#include <QString>
#include <functional>

class QLabel;

namespace lumera::app {

// A label whose text changes faster than anyone can read it (the Send's percentage, while
// the transfer holds the event loop): its text is always the latest, but it is painted on
// the spot at most every 30 ms, by `paint` (the label's own repaint when none is given). A
// text held back is painted as soon as the event loop runs again, so the final figure
// always shows (the message box that ends a send runs it).
class ThrottledLabel {
public:
    explicit ThrottledLabel(QLabel* label, std::function<void()> paint = {});

    void Show(const QString& text);

private:
    QLabel* label_;
    std::function<void()> paint_;
    QElapsedTimer sinceRepaint_;
    bool fitHeld_ = false;  // the label is fitted to a held-back text once the loop runs
};

}  // namespace lumera::app
