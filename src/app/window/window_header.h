#pragma once

#include <QGroupBox>

class QLabel;
class QTimer;

namespace lumera::app {

// The window's header (GroupBox1): the program's picture and name, and a status line on the
// right that confirms what just happened for a few seconds.
class WindowHeader : public QGroupBox {
    Q_OBJECT

public:
    explicit WindowHeader(QWidget* parent);

    void ShowStatus(const QString& text);
    QString status() const;

private:
    QLabel* status_;
    QTimer* clear_;
};

}  // namespace lumera::app
