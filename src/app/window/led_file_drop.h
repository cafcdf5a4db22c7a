#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QMimeData;
class QWidget;

namespace lumera::app {

// The one local message or table file (*.led, *.lumera) a drag carries, or an empty name.
QString DroppedLedFile(const QMimeData* data);

// Takes the drops of one message file on the widgets it watches, before the widgets' own
// handling (a section edit would otherwise insert the file's name as text), and hands the
// file on once the drop is over, so the drag never waits on a dialog. Other drags are left
// to the widgets.
class LedFileDrop : public QObject {
    Q_OBJECT

public:
    LedFileDrop(std::function<void(const QString&)> open, QObject* parent);

    void watch(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString&)> open_;
};

}  // namespace lumera::app
