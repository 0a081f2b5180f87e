#include "controls/ui/spin_buttons.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace ondrix {

namespace {

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    return button;
}

} // namespace

CSpinButtons::CSpinButtons(QWidget* parent)
    : QWidget(parent), m_up(MakeArrow(this, Qt::UpArrow)), m_down(MakeArrow(this, Qt::DownArrow)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    setFocusPolicy(Qt::NoFocus);
    connect(m_up, &QToolButton::clicked, this, [this] { emit Stepped(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { emit Stepped(-1); });
}

} // namespace ondrix
