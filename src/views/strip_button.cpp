#include "views/strip_button.h"

#include <QIcon>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>

namespace ondrix {

namespace {

constexpr int kIconSize = 20;

} // namespace

CStripButton::CStripButton(const QString& onIcon, const QString& offIcon, QWidget* parent)
    : QAbstractButton(parent), m_onIcon(onIcon), m_offIcon(offIcon) {
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
}

void CStripButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionButton frame;
    frame.initFrom(this);
    frame.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &frame, &painter, this);
    const int shift = isDown() ? 1 : 0;
    const QPoint at((width() - kIconSize) / 2 + 2 + shift, 2 + shift);
    const QIcon icon(ShownIcon());
    painter.drawPixmap(at, icon.pixmap(kIconSize, kIconSize, isEnabled() ? QIcon::Normal : QIcon::Disabled));
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

} // namespace ondrix
