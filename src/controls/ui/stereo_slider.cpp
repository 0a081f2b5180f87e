#include "controls/ui/stereo_slider.h"

#include "controls/ui/menu_keys.h"
#include "controls/ui/value_pair_dialog.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QSlider>
#include <QToolButton>

namespace ondrix {

namespace {

constexpr int kLockSize = 10;   ///< the lock button's edge
constexpr int kLockMargin = 12; ///< where the sliders start beside the lock button
constexpr int kLabelOffset = 20;
constexpr int kLabelGap = 7;

} // namespace

CStereoSlider::CStereoSlider(Qt::Orientation orientation, bool hasLockButton, QWidget* parent)
    : QWidget(parent), m_orientation(orientation), m_first(MakeSlider()), m_second(MakeSlider()) {
    const bool horizontal = orientation == Qt::Horizontal;
    m_first->setObjectName(QStringLiteral("LeftChannel"));
    m_second->setObjectName(QStringLiteral("RightChannel"));
    m_first->setTickPosition(horizontal ? QSlider::TicksAbove : QSlider::TicksLeft);
    m_second->setTickPosition(horizontal ? QSlider::TicksBelow : QSlider::TicksRight);
    if (hasLockButton) {
        m_lockButton = new QToolButton(this);
        m_lockButton->setObjectName(QStringLiteral("LockButton"));
        m_lockButton->setIconSize(QSize(kLockSize - 2, kLockSize - 2));
        m_lockButton->setFocusPolicy(Qt::NoFocus);
        connect(m_lockButton, &QToolButton::clicked, this, [this] { SetLock(!m_locked); });
    }
    SetRange(m_minimum, m_maximum);
    SetPositions(0, 0);
    SetTickFrequency(m_tickFrequency);
    ShowLockState();
}

QSlider* CStereoSlider::MakeSlider() {
    auto* slider = new QSlider(m_orientation, this);
    slider->setFocusPolicy(Qt::StrongFocus);
    connect(slider, &QSlider::valueChanged, this,
            [this, slider](int value) { OnSliderMoved(slider, value); });
    return slider;
}

void CStereoSlider::SetRange(int minimum, int maximum) {
    m_minimum = minimum;
    m_maximum = maximum;
    m_setting = true;
    m_first->setRange(minimum, maximum);
    m_second->setRange(minimum, maximum);
    m_setting = false;
}

void CStereoSlider::SetPositions(int left, int right) {
    m_setting = true;
    m_first->setValue(left);
    m_second->setValue(right);
    m_setting = false;
}

void CStereoSlider::SetLock(bool locked, bool repaint) {
    m_locked = locked;
    if (repaint) {
        ShowLockState();
    }
}

void CStereoSlider::SetTickFrequency(int n) {
    m_tickFrequency = n;
    m_first->setTickInterval(n);
    m_second->setTickInterval(n);
    m_first->setPageStep(n);
    m_second->setPageStep(n);
}

int CStereoSlider::GetLeft() const {
    return m_first->value();
}

int CStereoSlider::GetRight() const {
    return m_second->value();
}

void CStereoSlider::ShowLockState() {
    if (m_lockButton) {
        m_lockButton->setIcon(
            QIcon(m_locked ? QStringLiteral(":/icons/lock_on.svg") : QStringLiteral(":/icons/lock_off.svg")));
        m_lockButton->setToolTip(LoadQString(str::kLockChannels).remove(QLatin1Char('&')));
    }
}

void CStereoSlider::OnSliderMoved(QSlider* moved, int value) {
    if (m_setting) {
        return;
    }
    if (m_locked) {
        m_setting = true;
        (moved == m_first ? m_second : m_first)->setValue(value);
        m_setting = false;
    }
    emit Moved(GetLeft(), GetRight());
}

void CStereoSlider::MiddlePosition() {
    // the middle of the range, not half its width: on -100..100 that is 0
    const int middle = m_minimum + (m_maximum - m_minimum) / 2;
    SetPositions(middle, middle);
    emit Moved(GetLeft(), GetRight());
}

void CStereoSlider::NumericalInput() {
    CValuePairDialog dialog(str::kChangeVolumeTitle,
                            {str::kLeftChannelLabel, m_minimum, m_maximum, GetLeft()},
                            {str::kRightChannelLabel, m_minimum, m_maximum, GetRight()}, this);
    if (dialog.exec() == QDialog::Accepted) {
        SetPositions(dialog.GetFirst(), dialog.GetSecond());
        emit Moved(GetLeft(), GetRight());
    }
}

void CStereoSlider::ShowContextMenu(const QPoint& globalPos) {
    QMenu menu(this);
    connect(menu.addAction(LoadQString(str::kNumericalInput)), &QAction::triggered, this,
            [this] { NumericalInput(); });
    connect(menu.addAction(LoadQString(str::kMiddlePosition)), &QAction::triggered, this,
            [this] { MiddlePosition(); });
    menu.addSeparator();
    QAction* lock = menu.addAction(LoadQString(str::kLockChannels));
    lock->setCheckable(true);
    lock->setChecked(m_locked);
    connect(lock, &QAction::triggered, this, [this] { SetLock(!m_locked); });
    menu.exec(globalPos);
}

QSize CStereoSlider::sizeHint() const {
    return m_orientation == Qt::Horizontal ? QSize(160, 44) : QSize(44, 160);
}

void CStereoSlider::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Layout();
}

void CStereoSlider::Layout() {
    const int w = width();
    const int h = height();
    const int start = m_lockButton ? kLockMargin : 0;
    if (m_orientation == Qt::Horizontal) {
        m_first->setGeometry(start, 0, w - start, h / 2);
        m_second->setGeometry(start, h / 2, w - start, h - h / 2);
        if (m_lockButton) {
            m_lockButton->setGeometry(0, h / 2 - kLockSize / 2, kLockSize, kLockSize);
        }
    } else {
        m_first->setGeometry(0, start, w / 2, h - start);
        m_second->setGeometry(w / 2, start, w - w / 2, h - start);
        if (m_lockButton) {
            m_lockButton->setGeometry(w / 2 - kLockSize / 2, 0, kLockSize, kLockSize);
        }
    }
}

void CStereoSlider::paintEvent(QPaintEvent*) {
    if (!m_lockButton) {
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int w = width();
    const int h = height();
    const int flags = Qt::AlignLeft | Qt::AlignTop;
    const QString left = LoadQString(str::kLeftLetter);
    const QString right = LoadQString(str::kRightLetter);
    if (m_orientation == Qt::Horizontal) {
        painter.drawText(QRect(1, h / 2 - kLabelOffset, kLockMargin, kLabelOffset), flags, left);
        painter.drawText(QRect(1, h / 2 + kLabelGap, kLockMargin, kLabelOffset), flags, right);
    } else {
        painter.drawText(QRect(w / 2 - kLabelOffset, 1, kLabelOffset, kLockMargin), flags, left);
        painter.drawText(QRect(w / 2 + kLabelGap, 1, kLabelOffset, kLockMargin), flags, right);
    }
}

void CStereoSlider::contextMenuEvent(QContextMenuEvent* event) {
    const bool byMouse = event->reason() == QContextMenuEvent::Mouse;
    ShowContextMenu(byMouse ? event->globalPos() : mapToGlobal(QPoint(0, 0)));
}

void CStereoSlider::keyPressEvent(QKeyEvent* event) {
    if (IsMenuKey(event)) {
        ShowContextMenu(mapToGlobal(QPoint(0, 0)));
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace ondrix
