#pragma once
// The picture of a part being made, with its square, joints and circles over it. A click places a
// joint; a drag from a centre outwards draws a body or attack circle, as the tool says.

#include "part_sketch.h"

#include <QImage>
#include <QWidget>

class SketchCanvas : public QWidget {
    Q_OBJECT
public:
    enum Tool { Joint, BodyCircle, AttackCircle };

    SketchCanvas(PartSketch& sketch, const QImage& picture, QWidget* parent);

    void setTool(Tool tool) { tool_ = tool; }
    Tool tool() const { return tool_; }
    // Where a pixel of the picture shows on the widget, and the picture's pixel under a widget point.
    QPointF widgetPoint(Point2 pixel) const;
    Point2 picturePixel(QPointF widget) const;

signals:
    // A joint or circle was added.
    void sketchChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The picture's pixels shown: the picture and the square, with a margin.
    QRectF shownArea() const;
    double scale() const;

    PartSketch& sketch_;
    QImage picture_;
    Tool tool_ = Joint;
    bool drawing_ = false;
    SketchCircle circle_;
};
