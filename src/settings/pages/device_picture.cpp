#include "settings/pages/device_picture.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace ondrix {

namespace {

constexpr int kSize = 16;

void DrawLoudspeaker(QPainter& painter) {
    painter.setBrush(Qt::darkGray);
    painter.drawRect(2, 5, 4, 6);
    painter.drawPolygon(QPolygon({QPoint(6, 5), QPoint(11, 1), QPoint(11, 15), QPoint(6, 11)}));
}

void DrawMicrophone(QPainter& painter) {
    painter.setBrush(Qt::darkGray);
    painter.drawRoundedRect(5, 1, 6, 9, 3, 3);
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(3, 4, 10, 9, 180 * 16, 180 * 16);
    painter.drawLine(8, 13, 8, 15);
    painter.drawLine(5, 15, 11, 15);
}

void DrawKeyboard(QPainter& painter) {
    painter.setBrush(Qt::white);
    painter.drawRect(1, 3, 14, 10);
    painter.setBrush(Qt::black);
    for (int x : {3, 6, 10}) {
        painter.drawRect(x, 3, 2, 6);
    }
}

} // namespace

QIcon DevicePictureIcon(DevicePicture picture, bool present) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    switch (picture) {
    case PICTURE_OUTPUT:
        DrawLoudspeaker(painter);
        break;
    case PICTURE_INPUT:
        DrawMicrophone(painter);
        break;
    case PICTURE_MIDI:
        DrawKeyboard(painter);
        break;
    }
    if (!present) {
        painter.setPen(QPen(Qt::red, 2));
        painter.drawLine(2, 2, 14, 14);
        painter.drawLine(14, 2, 2, 14);
    }
    painter.end();
    return QIcon(pixmap);
}

} // namespace ondrix
