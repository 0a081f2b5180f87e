#pragma once

#include <QWidget>

class QMenu;
class QSlider;
class QToolButton;

namespace ondrix {

/// Two sliders for a left/right pair of levels, side by side or one above the other, with an optional
/// lock button that couples them. Its menu offers "&Numerical input...", "&Middle position" and
/// "&Lock channels". Every change the user makes is reported by Moved(left, right).
class CStereoSlider final : public QWidget {
    Q_OBJECT
public:
    /// A control with horizontal (ticks outside) or vertical sliders, with or without a lock button.
    CStereoSlider(Qt::Orientation orientation, bool hasLockButton, QWidget* parent = nullptr);

    /// Sets the range of both sliders.
    void SetRange(int minimum, int maximum);
    /// Moves both sliders without reporting it.
    void SetPositions(int left, int right);
    /// Couples or uncouples the sliders; repaint redraws the lock button.
    void SetLock(bool locked, bool repaint = true);
    /// One tick every n units.
    void SetTickFrequency(int n);

    /// The first (left channel) slider's position.
    int GetLeft() const;
    /// The second (right channel) slider's position.
    int GetRight() const;
    /// Whether moving one slider moves the other.
    bool IsLocked() const noexcept { return m_locked; }
    /// The range start.
    int GetMinimum() const noexcept { return m_minimum; }
    /// The range end.
    int GetMaximum() const noexcept { return m_maximum; }

    /// Both sliders to the middle of the range, reported.
    void MiddlePosition();
    /// Asks for both values in the "Change Volume" dialog; on OK they are set (unlocked) and reported.
    void NumericalInput();
    /// Opens the pop-up menu at a screen position.
    void ShowContextMenu(const QPoint& globalPos);

    /// The left channel slider.
    QSlider* LeftSlider() const noexcept { return m_first; }
    /// The right channel slider.
    QSlider* RightSlider() const noexcept { return m_second; }
    /// The lock button; null without one.
    QToolButton* LockButton() const noexcept { return m_lockButton; }

    QSize sizeHint() const override;

signals:
    /// The user changed a position (moved a slider, chose the middle or typed values).
    void Moved(int left, int right);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    /// A slider of the control, reported when the user moves it.
    QSlider* MakeSlider();
    /// Places the sliders and the lock button in the client area.
    void Layout();
    /// One of the sliders moved by the user.
    void OnSliderMoved(QSlider* moved, int value);
    /// Shows the lock state on the button.
    void ShowLockState();

    Qt::Orientation m_orientation;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_tickFrequency = 10;
    bool m_locked = true;
    bool m_setting = false; ///< set while the control itself moves a slider
    QSlider* m_first;
    QSlider* m_second;
    QToolButton* m_lockButton = nullptr;
};

} // namespace ondrix
