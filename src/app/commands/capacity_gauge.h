#pragma once

#include <QWidget>

#include "download/image_capacity.h"
#include "editing/message_table.h"

class QLabel;
class QProgressBar;

namespace lumera::app {

// How much of the display's memory the image of the table would fill, as a bar and
// "1 234 / 2 047 bytes"; marked in red when the table does not fit.
class CapacityGauge : public QWidget {
    Q_OBJECT

public:
    explicit CapacityGauge(QWidget* parent);

    // Measures the table again, from its texts alone: no glyph table is read.
    void Show(const MessageTable& table);

    const download::ImageMeasure& measure() const { return measure_; }
    bool TooLarge() const { return measure_.fit == download::ImageFit::TooLarge; }
    QString text() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    // The measure in words, in the current language.
    void Describe();

    QProgressBar* bar_;
    QLabel* label_;
    download::ImageMeasure measure_;
};

}  // namespace lumera::app
