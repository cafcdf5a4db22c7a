#pragma once

#include <QWidget>
#include <filesystem>

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
    // Glyph tables are read from programDirectory, silently: Send reports missing ones.
    CapacityGauge(std::filesystem::path programDirectory, QWidget* parent);

    // Measures the table again; cheap when nothing that sizes the image has changed.
    void Show(const MessageTable& table);

    const download::ImageMeasure& measure() const { return measure_; }
    QString text() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    // The measure in words, in the current language.
    void Describe();

    std::filesystem::path programDirectory_;
    QProgressBar* bar_;
    QLabel* label_;
    download::ImageMeasure measure_;
    // What the last measure was taken of: the mode, then the texts of the sections in use.
    std::string measured_;
    bool everMeasured_ = false;
};

}  // namespace lumera::app
