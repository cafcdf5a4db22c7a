#include "app/window_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace lumera::app {
namespace {

const QColor kLedRed(220, 30, 30);
const QColor kLedOff(70, 20, 20);
const QColor kPlugGrey(90, 90, 100);
const QColor kInk(40, 40, 60);

QPixmap BlankPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A plug seen from the side, filling the unit square [0,1] x [0,1] of the painter.
void DrawPlug(QPainter& painter, const QColor& colour) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRect(QRectF(0.30, 0.35, 0.40, 0.45));  // body
    painter.drawRect(QRectF(0.36, 0.10, 0.08, 0.25));  // pins
    painter.drawRect(QRectF(0.56, 0.10, 0.08, 0.25));
    painter.drawRect(QRectF(0.46, 0.80, 0.08, 0.20));  // cable
}

}  // namespace

QPixmap ApplicationPicture(int size) {
    QPixmap pixmap = BlankPixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, 1.5));
    painter.setBrush(QColor(20, 20, 20));
    painter.drawEllipse(QRectF(1.5, 1.5, size - 3, size - 3));
    constexpr int kLeds = 16;
    const double centre = size / 2.0;
    const double radius = size / 2.0 - 7;
    painter.setPen(Qt::NoPen);
    for (int k = 0; k < kLeds; ++k) {
        const double angle = 2 * std::numbers::pi * k / kLeds;
        painter.setBrush(k % 3 == 0 ? kLedOff : kLedRed);
        painter.drawEllipse(
            QPointF(centre + radius * std::cos(angle), centre + radius * std::sin(angle)), 2.5,
            2.5);
    }
    return pixmap;
}

QPixmap LinkPicture(int size) {
    QPixmap pixmap = BlankPixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // The right part only: the no-link sign stands over the left part.
    painter.translate(size * 0.4, size * 0.15);
    painter.scale(size * 0.6, size * 0.7);
    DrawPlug(painter, kPlugGrey);
    return pixmap;
}

QPixmap NoLinkPicture(int size) {
    QPixmap pixmap = BlankPixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size, size);
    DrawPlug(painter, kPlugGrey);
    QPen cross(QColor(230, 0, 0), 0.16, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(cross);
    painter.drawLine(QPointF(0.12, 0.12), QPointF(0.88, 0.88));
    painter.drawLine(QPointF(0.88, 0.12), QPointF(0.12, 0.88));
    return pixmap;
}

QPixmap CommandButtonPicture(CommandPicture picture, int size) {
    QPixmap pixmap = BlankPixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size, size);
    painter.setPen(Qt::NoPen);
    switch (picture) {
        case CommandPicture::Start:
            painter.setBrush(QColor(30, 150, 50));
            painter.drawPolygon(QPolygonF({{0.2, 0.1}, {0.9, 0.5}, {0.2, 0.9}}));
            break;
        case CommandPicture::Stop:
            painter.setBrush(QColor(200, 40, 40));
            painter.drawRect(QRectF(0.2, 0.2, 0.6, 0.6));
            break;
        case CommandPicture::Color: {
            const QColor colours[] = {kLedRed, QColor(40, 200, 60), QColor(230, 200, 30),
                                      QColor(40, 90, 230)};
            for (int k = 0; k < 4; ++k) {
                painter.setBrush(colours[k]);
                painter.drawPie(QRectF(0.1, 0.1, 0.8, 0.8), k * 90 * 16, 90 * 16);
            }
            break;
        }
        case CommandPicture::Open:
            painter.setBrush(QColor(220, 170, 50));
            painter.drawRect(QRectF(0.1, 0.3, 0.8, 0.55));
            painter.drawRect(QRectF(0.1, 0.2, 0.35, 0.15));
            break;
        case CommandPicture::Send:
            painter.setBrush(QColor(40, 90, 200));
            painter.drawPolygon(QPolygonF({{0.1, 0.4},
                                           {0.55, 0.4},
                                           {0.55, 0.2},
                                           {0.9, 0.5},
                                           {0.55, 0.8},
                                           {0.55, 0.6},
                                           {0.1, 0.6}}));
            break;
        case CommandPicture::Save:
            painter.setBrush(QColor(50, 70, 130));
            painter.drawRect(QRectF(0.1, 0.1, 0.8, 0.8));
            painter.setBrush(Qt::white);
            painter.drawRect(QRectF(0.25, 0.1, 0.5, 0.3));
            break;
        case CommandPicture::Clear:
            painter.setBrush(QColor(230, 130, 160));
            painter.drawPolygon(QPolygonF({{0.1, 0.6}, {0.5, 0.2}, {0.9, 0.6}, {0.5, 0.9}}));
            break;
        case CommandPicture::Exit:
            painter.setPen(QPen(QColor(200, 40, 40), 0.14, Qt::SolidLine, Qt::RoundCap));
            painter.drawArc(QRectF(0.15, 0.2, 0.7, 0.7), 120 * 16, 300 * 16);
            painter.drawLine(QPointF(0.5, 0.1), QPointF(0.5, 0.5));
            break;
    }
    return pixmap;
}

}  // namespace lumera::app
