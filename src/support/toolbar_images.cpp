#include "support/toolbar_images.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <functional>

namespace clipwright {
namespace {

// One palette for all images so that they read as a set.
const QColor kOutline(0x2f, 0x3b, 0x4c);
const QColor kPaper(0xf7, 0xf9, 0xfc);
const QColor kFilm(0x5b, 0x6f, 0x8a);
const QColor kGreen(0x2e, 0x9e, 0x4f);
const QColor kRed(0xd6, 0x3b, 0x3b);
const QColor kBlue(0x2f, 0x74, 0xd0);
const QColor kOrange(0xe8, 0x8a, 0x1a);

QPen OutlinePen(qreal width = 2.0) {
    return QPen(kOutline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A media file: a page with a folded corner and a film strip along its left edge.
void DrawMediaFile(QPainter& p, QPointF origin) {
    const qreal x = origin.x();
    const qreal y = origin.y();
    QPainterPath page;
    page.moveTo(x, y);
    page.lineTo(x + 20, y);
    page.lineTo(x + 28, y + 8);
    page.lineTo(x + 28, y + 34);
    page.lineTo(x, y + 34);
    page.closeSubpath();
    p.setPen(OutlinePen());
    p.setBrush(kPaper);
    p.drawPath(page);
    p.setBrush(kFilm);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(x + 1, y + 1, 7, 32));
    p.setBrush(kPaper);
    for (int i = 0; i < 5; ++i) {
        p.drawRect(QRectF(x + 3, y + 3.5 + i * 6.0, 3, 3));
    }
    p.setPen(OutlinePen(1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(x + 20, y), QPointF(x + 20, y + 8), QPointF(x + 28, y + 8)}));
}

// A round badge in the lower right corner holding a plus, minus or cross.
void DrawBadge(QPainter& p, const QColor& colour, const std::function<void(QPainter&)>& mark) {
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(colour);
    p.drawEllipse(QPointF(34, 34), 11, 11);
    p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap));
    mark(p);
}

void PlusMark(QPainter& p) {
    p.drawLine(QPointF(28, 34), QPointF(40, 34));
    p.drawLine(QPointF(34, 28), QPointF(34, 40));
}
void MinusMark(QPainter& p) {
    p.drawLine(QPointF(28, 34), QPointF(40, 34));
}
void CrossMark(QPainter& p) {
    p.drawLine(QPointF(30, 30), QPointF(38, 38));
    p.drawLine(QPointF(38, 30), QPointF(30, 38));
}

void DrawAdd(QPainter& p) {
    DrawMediaFile(p, {6, 4});
    DrawBadge(p, kGreen, PlusMark);
}

void DrawRemove(QPainter& p) {
    DrawMediaFile(p, {6, 4});
    DrawBadge(p, kRed, MinusMark);
}

void DrawRemoveAll(QPainter& p) {
    DrawMediaFile(p, {12, 2});
    DrawMediaFile(p, {4, 8});
    DrawBadge(p, kRed, CrossMark);
}

// A thick arrow pointing up (or down, mirrored) inside the square.
void DrawArrow(QPainter& p, bool up) {
    QPainterPath arrow;
    arrow.moveTo(24, 5);
    arrow.lineTo(42, 23);
    arrow.lineTo(31, 23);
    arrow.lineTo(31, 43);
    arrow.lineTo(17, 43);
    arrow.lineTo(17, 23);
    arrow.lineTo(6, 23);
    arrow.closeSubpath();
    if (!up) {
        p.translate(0, 48);
        p.scale(1, -1);
    }
    p.setPen(OutlinePen());
    p.setBrush(kBlue);
    p.drawPath(arrow);
    p.resetTransform();
}

void DrawMoveUp(QPainter& p) {
    DrawArrow(p, true);
}
void DrawMoveDown(QPainter& p) {
    DrawArrow(p, false);
}

// A screen with a play triangle.
void DrawPreview(QPainter& p) {
    p.setPen(OutlinePen());
    p.setBrush(kFilm);
    p.drawRoundedRect(QRectF(4, 8, 40, 28), 4, 4);
    p.setBrush(kOutline);
    p.drawRect(QRectF(18, 37, 12, 4));
    p.drawRoundedRect(QRectF(12, 41, 24, 3), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(19, 14), QPointF(33, 22), QPointF(19, 30)}));
}

// Two curved arrows chasing each other: one file turned into another.
void DrawConvert(QPainter& p) {
    const QRectF ring(8, 8, 32, 32);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOrange, 6, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(ring, 30 * 16, 130 * 16);
    p.drawArc(ring, 210 * 16, 130 * 16);
    p.setPen(OutlinePen(1.5));
    p.setBrush(kOrange);
    // Arrow heads at the ends of the arcs (160 and 340 degrees).
    p.drawPolygon(QPolygonF({QPointF(1, 17), QPointF(15, 17), QPointF(8, 27)}));
    p.drawPolygon(QPolygonF({QPointF(47, 31), QPointF(33, 31), QPointF(40, 21)}));
}

// An open door with an arrow leaving through it.
void DrawExit(QPainter& p) {
    p.setPen(OutlinePen());
    p.setBrush(kPaper);
    p.drawRect(QRectF(6, 5, 22, 38));
    p.setBrush(kFilm);
    p.drawPolygon(QPolygonF({QPointF(6, 5), QPointF(18, 9), QPointF(18, 47), QPointF(6, 43)}));
    p.setBrush(kRed);
    p.drawPolygon(QPolygonF({QPointF(24, 19), QPointF(34, 19), QPointF(34, 13), QPointF(45, 24),
                             QPointF(34, 35), QPointF(34, 29), QPointF(24, 29)}));
}

QImage Disabled(const QImage& image) {
    QImage grey = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb pixel = line[x];
            // Lighten towards white and halve the opacity, as disabled buttons look.
            const int g = 128 + qGray(pixel) / 2;
            line[x] = qRgba(g, g, g, qAlpha(pixel) / 2);
        }
    }
    return grey.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

std::vector<QImage> DrawToolbarImages(ToolbarImageState state) {
    using DrawFunction = void (*)(QPainter&);
    static constexpr DrawFunction kDrawings[kToolbarImageCount] = {
        DrawAdd,      DrawRemove,  DrawRemoveAll, DrawMoveUp,
        DrawMoveDown, DrawPreview, DrawConvert,   DrawExit};
    std::vector<QImage> images;
    for (const DrawFunction draw : kDrawings) {
        QImage image(kToolbarImageSize, kToolbarImageSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            draw(painter);
        }
        images.push_back(state == ToolbarImageState::kDisabled ? Disabled(image) : image);
    }
    return images;
}

QImage WithRim(const QImage& image, const QColor& color) {
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    const int width = source.width();
    const int height = source.height();
    QImage rim(width, height, QImage::Format_ARGB32);
    rim.fill(Qt::transparent);
    constexpr int kReach = 2;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // The strongest drawn pixel nearby, weaker with distance.
            double strongest = 0;
            for (int dy = -kReach; dy <= kReach; ++dy) {
                for (int dx = -kReach; dx <= kReach; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    const int distance2 = dx * dx + dy * dy;
                    if (nx < 0 || ny < 0 || nx >= width || ny >= height ||
                        distance2 > kReach * kReach) {
                        continue;
                    }
                    const double falloff = distance2 <= 2 ? 1.0 : 0.5;
                    strongest = std::max(strongest, qAlpha(source.pixel(nx, ny)) * falloff);
                }
            }
            QColor pixel = color;
            pixel.setAlphaF(static_cast<float>(color.alphaF() * strongest / 255.0));
            rim.setPixelColor(x, y, pixel);
        }
    }
    QPainter painter(&rim);
    painter.drawImage(0, 0, source);
    painter.end();
    return rim;
}

}  // namespace clipwright
