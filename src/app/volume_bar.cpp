#include "app/volume_bar.h"

#include "controls/ui/level_meter.h"
#include "controls/ui/stereo_slider.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"

#include <QGridLayout>

namespace ondrix {

namespace {

constexpr int kMeterLength = 126; ///< 21 segments of 6 pixels
constexpr int kMeterThickness = 8;
constexpr int kSliderWidth = 180;
constexpr int kSliderHeight = 44;
/// The level of a frame at full scale; the polled level of a sample at the positive end reads 99.
constexpr uint32_t kClipLevel = 99;

/// A meter of the bar.
CLevelMeter* MakeMeter(QWidget* parent, const char* name) {
    auto* meter = new CLevelMeter(parent);
    meter->setObjectName(QLatin1String(name));
    meter->SetOrientation(true, false);
    meter->setFixedSize(kMeterLength, kMeterThickness);
    return meter;
}

} // namespace

CVolumeBar::CVolumeBar(QWidget* parent) : QToolBar(LoadQString(str::kVolumeControlTitle), parent) {
    setObjectName(QStringLiteral("VolumeBar"));
    setAllowedAreas(Qt::AllToolBarAreas);
    auto* panel = new QWidget(this);
    m_leftMeter = MakeMeter(panel, "LeftMeter");
    m_rightMeter = MakeMeter(panel, "RightMeter");
    m_slider = new CStereoSlider(Qt::Horizontal, true, panel);
    m_slider->setObjectName(QStringLiteral("MainVolume"));
    m_slider->SetRange(0, 200);
    m_slider->SetTickFrequency(50);
    m_slider->SetPositions(100, 100);
    m_slider->setFixedSize(kSliderWidth, kSliderHeight);
    auto* layout = new QGridLayout(panel);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setVerticalSpacing(4);
    layout->addWidget(m_leftMeter, 0, 0, Qt::AlignBottom);
    layout->addWidget(m_rightMeter, 1, 0, Qt::AlignTop);
    layout->addWidget(m_slider, 0, 1, 2, 1);
    addWidget(panel);
    connect(m_slider, &CStereoSlider::Moved, this, &CVolumeBar::mainVolumeChanged);
    EnableMainVolume(false);
}

void CVolumeBar::ShowLevels(uint32_t left, uint32_t right, bool peakMode) {
    if (left >= kClipLevel) {
        m_leftMeter->SetClipped(true);
    }
    if (right >= kClipLevel) {
        m_rightMeter->SetClipped(true);
    }
    m_leftMeter->SetLevel(left, peakMode);
    m_rightMeter->SetLevel(right, peakMode);
}

void CVolumeBar::ClearClip() {
    m_leftMeter->SetClipped(false);
    m_rightMeter->SetClipped(false);
}

std::pair<uint32_t, uint32_t> CVolumeBar::ShownLevels() const noexcept {
    return {m_leftMeter->GetLevel(), m_rightMeter->GetLevel()};
}

void CVolumeBar::SetMainVolume(int left, int right) {
    m_slider->SetPositions(left, right);
}

void CVolumeBar::EnableMainVolume(bool enable) {
    m_slider->setEnabled(enable);
}

} // namespace ondrix
