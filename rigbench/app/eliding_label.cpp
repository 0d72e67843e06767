#include "eliding_label.h"

#include <QPainter>

#include <algorithm>

ElidingLabel::ElidingLabel(int widestChars, QWidget* parent) : QLabel(parent), widestChars_(widestChars) {}

QSize ElidingLabel::sizeHint() const {
    QSize size = QLabel::sizeHint();
    const int frame = size.width() - fontMetrics().horizontalAdvance(text());
    size.setWidth(std::min(size.width(), frame + fontMetrics().averageCharWidth() * widestChars_));
    return size;
}

QSize ElidingLabel::minimumSizeHint() const {
    // Room for the start and end of a path at least, however narrow the window gets.
    QSize size = QLabel::minimumSizeHint();
    size.setWidth(std::min(size.width(), fontMetrics().averageCharWidth() * 12));
    return size;
}

void ElidingLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    painter.drawText(room, static_cast<int>(alignment()) | Qt::TextSingleLine,
                     fontMetrics().elidedText(text(), Qt::ElideMiddle, room.width()));
}
