#include "app/qt/window_icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <numbers>

#include "app/qt/window_contrast.h"

namespace lumera::app {
namespace {

const QColor kLedRed(220, 30, 30);
const QColor kLedOff(70, 20, 20);
const QColor kPlugGrey(90, 90, 100);
const QColor kInk(40, 40, 60);
const QColor kCrossRed(230, 0, 0);
// A disabled button's picture is drawn faint.
constexpr double kDisabledOpacity = 0.4;

// A plug seen from the side, filling the unit square [0,1] x [0,1] of the painter.
void DrawPlug(QPainter& painter, const QColor& colour) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRect(QRectF(0.30, 0.35, 0.40, 0.45));  // body
    painter.drawRect(QRectF(0.36, 0.10, 0.08, 0.25));  // pins
    painter.drawRect(QRectF(0.56, 0.10, 0.08, 0.25));
    painter.drawRect(QRectF(0.46, 0.80, 0.08, 0.20));  // cable
}

// The pictures below draw on the unit square.

void DrawApplication(QPainter& painter, const QColor& background) {
    painter.setPen(QPen(ReadableColour(kInk, background, kGraphicContrast), 0.03));
    painter.setBrush(QColor(20, 20, 20));
    painter.drawEllipse(QRectF(0.03, 0.03, 0.94, 0.94));
    constexpr int kLeds = 16;
    constexpr double kRingRadius = 0.357;
    constexpr double kLedRadius = 0.051;
    painter.setPen(Qt::NoPen);
    for (int k = 0; k < kLeds; ++k) {
        const double angle = 2 * std::numbers::pi * k / kLeds;
        painter.setBrush(k % 3 == 0 ? kLedOff : kLedRed);
        painter.drawEllipse(
            QPointF(0.5 + kRingRadius * std::cos(angle), 0.5 + kRingRadius * std::sin(angle)),
            kLedRadius, kLedRadius);
    }
}

void DrawLink(QPainter& painter, const QColor& background) {
    // The right part only: the no-link sign stands over the left part.
    painter.translate(0.4, 0.15);
    painter.scale(0.6, 0.7);
    DrawPlug(painter, ReadableColour(kPlugGrey, background, kGraphicContrast));
}

void DrawNoLink(QPainter& painter, const QColor& background) {
    DrawPlug(painter, ReadableColour(kPlugGrey, background, kGraphicContrast));
    const QPen cross(ReadableColour(kCrossRed, background, kGraphicContrast), 0.16, Qt::SolidLine,
                     Qt::RoundCap);
    painter.setPen(cross);
    painter.drawLine(QPointF(0.12, 0.12), QPointF(0.88, 0.88));
    painter.drawLine(QPointF(0.88, 0.12), QPointF(0.12, 0.88));
}

void DrawCommand(QPainter& painter, CommandPicture picture) {
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
}

// Sets the painter up so that the unit square fills `area`.
void MapUnitSquare(QPainter& painter, const QRectF& area) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(area.topLeft());
    painter.scale(area.width(), area.height());
}

// An icon that draws its picture for each request, so a button at 1.5x or 2x gets a picture
// made at that pixel size rather than a small one scaled up.
class CommandIconEngine : public QIconEngine {
public:
    explicit CommandIconEngine(CommandPicture picture) : picture_(picture) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        if (mode == QIcon::Disabled) {
            painter->setOpacity(kDisabledOpacity);
        }
        MapUnitSquare(*painter, rect);
        DrawCommand(*painter, picture_);
        painter->restore();
    }

    // Also serves the scaled requests: they arrive here with the size in device pixels.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new CommandIconEngine(picture_); }

private:
    CommandPicture picture_;
};

}  // namespace

void DrawWindowPicture(QPainter& painter, WindowPicture picture, const QRectF& area,
                       const QColor& background) {
    painter.save();
    MapUnitSquare(painter, area);
    switch (picture) {
        case WindowPicture::Application:
            DrawApplication(painter, background);
            break;
        case WindowPicture::Link:
            DrawLink(painter, background);
            break;
        case WindowPicture::NoLink:
            DrawNoLink(painter, background);
            break;
    }
    painter.restore();
}

QIcon CommandButtonIcon(CommandPicture picture) {
    return QIcon(new CommandIconEngine(picture));
}

}  // namespace lumera::app
