#include "app/sections/dot_editor.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace lumera::app {
namespace {

constexpr int kDotPixels = 12;
constexpr int kNoDotsWidth = 4;  // columns shown as room to start in while there are none

}  // namespace

DotEditor::DotEditor(int rows, QWidget* parent) : QWidget(parent), rows_(rows) {
    setObjectName(QStringLiteral("DotEditor"));
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Dots"));
}

void DotEditor::setColumns(std::vector<std::uint16_t> columns) {
    columns_ = std::move(columns);
    cursor_.setX(
        std::min<int>(cursor_.x(), std::max<int>(0, static_cast<int>(columns_.size()) - 1)));
    // A grid as large as its dots: the scroll area around it shows what does not fit.
    resize(sizeHint());
    update();
}

void DotEditor::Apply(DotCommand command) {
    ApplyDotCommand(command, columns_, rows_);
    setColumns(std::move(columns_));
    emit edited();
}

QSize DotEditor::sizeHint() const {
    const int shown = std::max<int>(kNoDotsWidth, static_cast<int>(columns_.size()));
    return {shown * kDotPixels + 1, rows_ * kDotPixels + 1};
}

bool DotEditor::DotLit(int column, int row) const {
    return (columns_[static_cast<std::size_t>(column)] >> row) & 1u;
}

void DotEditor::SetDot(int column, int row, bool lit) {
    if (column < 0 || row < 0 || row >= rows_ || column >= static_cast<int>(columns_.size()) ||
        DotLit(column, row) == lit) {
        return;
    }
    columns_[static_cast<std::size_t>(column)] ^= static_cast<std::uint16_t>(1u << row);
    update();
    emit edited();
}

void DotEditor::Paint(QPoint at, bool lit) {
    if (at.x() < 0 || at.y() < 0) {
        return;
    }
    SetDot(at.x() / kDotPixels, at.y() / kDotPixels, lit);
}

void DotEditor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor lit = palette().color(QPalette::Highlight);
    const QColor dark = palette().color(QPalette::Base);
    painter.setPen(palette().color(QPalette::Mid));
    for (int column = 0; column < static_cast<int>(columns_.size()); ++column) {
        for (int row = 0; row < rows_; ++row) {
            painter.setBrush(DotLit(column, row) ? lit : dark);
            painter.drawRect(column * kDotPixels, row * kDotPixels, kDotPixels, kDotPixels);
        }
    }
    if (hasFocus() && !columns_.empty()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(palette().color(QPalette::Text), 2));
        painter.drawRect(cursor_.x() * kDotPixels + 1, cursor_.y() * kDotPixels + 1, kDotPixels - 2,
                         kDotPixels - 2);
    }
}

void DotEditor::mousePressEvent(QMouseEvent* event) {
    Paint(event->position().toPoint(), event->button() == Qt::LeftButton);
}

void DotEditor::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & (Qt::LeftButton | Qt::RightButton)) {
        Paint(event->position().toPoint(), event->buttons() & Qt::LeftButton);
    }
}

void DotEditor::keyPressEvent(QKeyEvent* event) {
    const int last = static_cast<int>(columns_.size()) - 1;
    switch (event->key()) {
        case Qt::Key_Left:
            cursor_.setX(std::max(0, cursor_.x() - 1));
            break;
        case Qt::Key_Right:
            cursor_.setX(std::max(0, std::min(last, cursor_.x() + 1)));
            break;
        case Qt::Key_Up:
            cursor_.setY(std::max(0, cursor_.y() - 1));
            break;
        case Qt::Key_Down:
            cursor_.setY(std::min(rows_ - 1, cursor_.y() + 1));
            break;
        case Qt::Key_Space:
            if (last >= 0) {
                SetDot(cursor_.x(), cursor_.y(), !DotLit(cursor_.x(), cursor_.y()));
            }
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    update();
}

}  // namespace lumera::app
