#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

#include "editing/drawing_rows.h"

namespace lumera::app {

// A drawing's dots as a grid to draw in: a click or a drag with the left button lights dots,
// with the right button darkens them. The arrow keys move a cursor dot and Space turns it.
class DotEditor : public QWidget {
    Q_OBJECT

public:
    DotEditor(int rows, QWidget* parent);

    const std::vector<std::uint16_t>& columns() const { return columns_; }
    void setColumns(std::vector<std::uint16_t> columns);
    void Apply(DotCommand command);

    QSize sizeHint() const override;

signals:
    void edited();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Lights or darkens the dot under `at`, if there is one.
    void Paint(QPoint at, bool lit);
    void SetDot(int column, int row, bool lit);
    bool DotLit(int column, int row) const;

    int rows_;
    std::vector<std::uint16_t> columns_;
    QPoint cursor_{0, 0};  // column, row
};

}  // namespace lumera::app
