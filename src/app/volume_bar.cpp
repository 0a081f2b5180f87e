#include "app/volume_bar.h"

namespace ondrix {

CVolumeBar::CVolumeBar(const QString& title, QWidget* parent) : QToolBar(title, parent) {
    setObjectName(QStringLiteral("VolumeBar"));
}

void CVolumeBar::ShowLevels(uint32_t left, uint32_t right) {
    m_left = left;
    m_right = right;
}

} // namespace ondrix
