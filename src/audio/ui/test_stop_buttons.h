#pragma once

#include <QStackedWidget>

class QPushButton;

namespace ondrix {

/// The "&Test" and "&Stop" buttons of a test dialog, sharing one place: only one of them shows.
class CTestStopButtons final : public QStackedWidget {
    Q_OBJECT
public:
    /// Both buttons, "&Test" showing.
    explicit CTestStopButtons(QWidget* parent = nullptr);

    /// Shows "&Stop" (testing) or "&Test".
    void ShowStop(bool testing);
    /// Whether "&Stop" shows.
    bool IsStopShown() const;
    /// The "&Test" button.
    QPushButton* TestButton() const { return m_test; }
    /// The "&Stop" button.
    QPushButton* StopButton() const { return m_stop; }

signals:
    /// "&Test" was pressed.
    void testClicked();
    /// "&Stop" was pressed.
    void stopClicked();

private:
    QPushButton* m_test;
    QPushButton* m_stop;
};

} // namespace ondrix
