#include "toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace {

QIcon drawn(ToolbarIcon which) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(60, 60, 70);
    const QPen pen(ink, 2.5);
    p.setPen(pen);
    switch (which) {
        case ToolbarIcon::Cut:
            p.drawEllipse(QRectF(4, 20, 8, 8));
            p.drawEllipse(QRectF(20, 20, 8, 8));
            p.drawLine(QPointF(10, 21), QPointF(23, 3));
            p.drawLine(QPointF(22, 21), QPointF(9, 3));
            break;
        case ToolbarIcon::Copy:
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4, 4, 15, 19));
            p.drawRect(QRectF(12, 10, 15, 19));
            break;
        case ToolbarIcon::Paste:
            p.setBrush(QColor(200, 160, 90));
            p.drawRoundedRect(QRectF(5, 5, 22, 25), 2, 2);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(11, 2, 10, 6));
            p.drawRect(QRectF(10, 12, 12, 14));
            break;
        case ToolbarIcon::Print:
            p.setBrush(Qt::white);
            p.drawRect(QRectF(9, 3, 14, 10));
            p.setBrush(QColor(150, 150, 160));
            p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(9, 20, 14, 9));
            break;
        default:
            break;
    }
    return QIcon(pixmap);
}

}  // namespace

QIcon toolbarIcon(ToolbarIcon which, const QStyle* style) {
    struct Choice {
        const char* themeName;
        QStyle::StandardPixmap standard;
        bool hasStandard;
    };
    static const Choice choices[] = {
        {"document-new", QStyle::SP_FileIcon, true},
        {"document-open", QStyle::SP_DialogOpenButton, true},
        {"document-save", QStyle::SP_DialogSaveButton, true},
        {"edit-cut", QStyle::SP_CustomBase, false},
        {"edit-copy", QStyle::SP_CustomBase, false},
        {"edit-paste", QStyle::SP_CustomBase, false},
        {"document-print", QStyle::SP_CustomBase, false},
        {"help-about", QStyle::SP_MessageBoxInformation, true},
    };
    const Choice& choice = choices[static_cast<int>(which)];
    const QIcon themed = QIcon::fromTheme(QLatin1String(choice.themeName));
    if (!themed.isNull()) return themed;
    if (choice.hasStandard && style) return style->standardIcon(choice.standard);
    return drawn(which);
}
