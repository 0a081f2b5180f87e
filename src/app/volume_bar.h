#pragma once

#include <QToolBar>

#include <cstdint>
#include <utility>

namespace ondrix {

/// The main volume bar: the tool bar that holds the main volume control and the level meters of what
/// plays or records. It takes the levels the transport reads; until the meters are built it only keeps
/// the last pair.
class CVolumeBar final : public QToolBar {
    Q_OBJECT
public:
    /// An empty bar with its title, on a main window.
    CVolumeBar(const QString& title, QWidget* parent);

    /// Shows the levels of the running playback or recording (left, right; both 0 when nothing runs).
    void ShowLevels(uint32_t left, uint32_t right);
    /// The levels shown last (left, right).
    std::pair<uint32_t, uint32_t> ShownLevels() const noexcept { return {m_left, m_right}; }

private:
    uint32_t m_left = 0;
    uint32_t m_right = 0;
};

} // namespace ondrix
