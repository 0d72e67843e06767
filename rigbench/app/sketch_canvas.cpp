#include "sketch_canvas.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Circles smaller than this many picture pixels are taken for a slip of the hand.
constexpr float kSmallestRadius = 1.0f;

}  // namespace

SketchCanvas::SketchCanvas(PartSketch& sketch, const QImage& picture, QWidget* parent)
    : QWidget(parent), sketch_(sketch), picture_(picture) {
    setMinimumSize(320, 320);
    setCursor(Qt::CrossCursor);
}

QRectF SketchCanvas::shownArea() const {
    const float half = sketch_.squareSide / 2.0f;
    const QRectF square(sketch_.squareCentre.x - half, sketch_.squareCentre.y - half, sketch_.squareSide,
                        sketch_.squareSide);
    const QRectF area = square.united(QRectF(0, 0, sketch_.pictureWidth, sketch_.pictureHeight));
    const double margin = std::max(area.width(), area.height()) * 0.05;
    return area.adjusted(-margin, -margin, margin, margin);
}

double SketchCanvas::scale() const {
    const QRectF area = shownArea();
    return std::min(width() / area.width(), height() / area.height());
}

QPointF SketchCanvas::widgetPoint(Point2 pixel) const {
    const QRectF area = shownArea();
    const double k = scale();
    // The shown area sits in the middle of the widget.
    const double left = (width() - area.width() * k) / 2.0;
    const double top = (height() - area.height() * k) / 2.0;
    return {left + (pixel.x - area.left()) * k, top + (pixel.y - area.top()) * k};
}

Point2 SketchCanvas::picturePixel(QPointF widget) const {
    const QRectF area = shownArea();
    const double k = scale();
    const double left = (width() - area.width() * k) / 2.0;
    const double top = (height() - area.height() * k) / 2.0;
    return {static_cast<float>((widget.x() - left) / k + area.left()),
            static_cast<float>((widget.y() - top) / k + area.top())};
}

void SketchCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A checkerboard shows where the picture is transparent.
    const int cell = 8;
    for (int y = 0; y < height(); y += cell) {
        for (int x = 0; x < width(); x += cell) {
            painter.fillRect(x, y, cell, cell, ((x + y) / cell) % 2 ? QColor(204, 204, 204) : Qt::white);
        }
    }
    const QPointF topLeft = widgetPoint({0.0f, 0.0f});
    const QPointF bottomRight =
        widgetPoint({static_cast<float>(sketch_.pictureWidth), static_cast<float>(sketch_.pictureHeight)});
    painter.drawImage(QRectF(topLeft, bottomRight), picture_);

    // The part's square, with its diagonals, in the view's own red.
    const float half = sketch_.squareSide / 2.0f;
    const Point2 c = sketch_.squareCentre;
    const QPointF corners[4] = {widgetPoint({c.x - half, c.y - half}), widgetPoint({c.x - half, c.y + half}),
                                widgetPoint({c.x + half, c.y + half}), widgetPoint({c.x + half, c.y - half})};
    painter.setPen(QPen(QColor(255, 0, 0), 1.5));
    painter.drawPolygon(corners, 4);
    painter.drawLine(corners[0], corners[2]);
    painter.drawLine(corners[1], corners[3]);

    const double k = scale();
    auto drawCircle = [&](const SketchCircle& circle) {
        const QColor colour =
            circle.kind == PartSketch::kAttackKind ? QColor(230, 40, 40) : QColor(40, 90, 230);
        painter.setPen(QPen(colour, 2.0));
        QColor fill = colour;
        fill.setAlpha(50);
        painter.setBrush(fill);
        painter.drawEllipse(widgetPoint(circle.centre), circle.radius * k, circle.radius * k);
        painter.setBrush(Qt::NoBrush);
    };
    for (const SketchCircle& circle : sketch_.circles) drawCircle(circle);
    if (drawing_) drawCircle(circle_);

    painter.setPen(QPen(QColor(255, 0, 255), 2.0));
    for (std::size_t j = 0; j < sketch_.joints.size(); ++j) {
        const QPointF p = widgetPoint(sketch_.joints[j]);
        painter.drawLine(p + QPointF(-5, -5), p + QPointF(5, 5));
        painter.drawLine(p + QPointF(5, -5), p + QPointF(-5, 5));
        painter.drawText(p + QPointF(6, -6), QString::number(j));
    }
}

void SketchCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const Point2 at = picturePixel(event->position());
    if (tool_ == Joint) {
        sketch_.joints.push_back(at);
        emit sketchChanged();
        update();
        return;
    }
    drawing_ = true;
    circle_ = SketchCircle{at, 0.0f, tool_ == AttackCircle ? PartSketch::kAttackKind : PartSketch::kBodyKind};
}

void SketchCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (!drawing_) return;
    circle_.radius = distance(circle_.centre, picturePixel(event->position()));
    update();
}

void SketchCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (!drawing_ || event->button() != Qt::LeftButton) return;
    drawing_ = false;
    circle_.radius = distance(circle_.centre, picturePixel(event->position()));
    if (circle_.radius >= kSmallestRadius) {
        sketch_.circles.push_back(circle_);
        emit sketchChanged();
    }
    update();
}
