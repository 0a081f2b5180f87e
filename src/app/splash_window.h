#pragma once

#include <QWidget>

namespace ondrix {

/// The start-up picture: a borderless 520 x 317 window in the middle of the screen that goes away after
/// 750 ms or at the first key or mouse button press anywhere in the program. It deletes itself.
class CSplashWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 520;
    static constexpr int kHeight = 317;
    static constexpr int kShowMs = 750;

    CSplashWindow();
    ~CSplashWindow() override;

    /// Shows the window centred and closes it after ms milliseconds.
    void ShowFor(int ms);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace ondrix
