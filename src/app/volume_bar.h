#pragma once

#include <QToolBar>

#include <cstdint>
#include <utility>

namespace ondrix {

class CLevelMeter;
class CStereoSlider;

/// The main volume bar: the left and right level meters of what plays or records and the stereo slider
/// for the active sound's main volume (0..200, 100 unchanged). The meters keep their length of 126 pixels
/// (21 segments) and run left to right on every side the bar docks to.
class CVolumeBar final : public QToolBar {
    Q_OBJECT
public:
    /// The bar titled "Volume Control", on a main window, docking on all sides.
    explicit CVolumeBar(QWidget* parent);

    /// Shows the levels of the running playback or recording (0..100); peak mode rises fast and falls
    /// slowly. A level at full scale latches the meter's clip mark.
    void ShowLevels(uint32_t left, uint32_t right, bool peakMode);
    /// A run starts: the clip marks of the last one go.
    void ClearClip();
    /// The levels the meters show (left, right).
    std::pair<uint32_t, uint32_t> ShownLevels() const noexcept;
    /// Moves the main volume handles without reporting it (a document became active).
    void SetMainVolume(int left, int right);
    /// Enables the main volume slider (only while a document window is active).
    void EnableMainVolume(bool enable);

    /// The left channel meter.
    CLevelMeter* LeftMeter() const noexcept { return m_leftMeter; }
    /// The right channel meter.
    CLevelMeter* RightMeter() const noexcept { return m_rightMeter; }
    /// The main volume slider.
    CStereoSlider* MainVolume() const noexcept { return m_slider; }

signals:
    /// The user moved the main volume (left, right).
    void mainVolumeChanged(int left, int right);

private:
    CLevelMeter* m_leftMeter;
    CLevelMeter* m_rightMeter;
    CStereoSlider* m_slider;
};

} // namespace ondrix
