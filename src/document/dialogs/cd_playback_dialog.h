#pragma once

#include "audio/cd_device.h"
#include "audio/ui/play_end_poster.h"

#include <QDialog>

#include <memory>

class QCheckBox;

namespace ondrix {

class CRangeEdit;
class CTestStopButtons;
struct Settings;

/// Dialog 183 "Synchronous CD Playback": whether a CD track plays while recording, which track and
/// whether only that track plays, with "&Test" to hear the track (on the synchronous-playback device)
/// and "&Stop" in its place while it plays. OK writes SyncCD, SyncBreak and SyncTrack.
class CCdPlaybackDialog final : public QDialog {
    Q_OBJECT
public:
    /// The dialog over settings, which OK writes.
    explicit CCdPlaybackDialog(Settings& settings, QWidget* parent = nullptr);
    ~CCdPlaybackDialog() override;

    void done(int result) override;

    /// Whether a test plays.
    bool IsTesting() const noexcept { return m_device != nullptr; }
    /// Whether the next end of play is the one of a track the test left (for tests).
    bool IgnoresNextEnd() const noexcept { return m_ignoreNextEnd; }
    /// "&Start CD- Playback when Recording" (for tests).
    QCheckBox* StartCheck() const { return m_start; }
    /// "Sto&p after Track" (for tests).
    QCheckBox* StopAfterTrackCheck() const { return m_stopAfterTrack; }
    /// "Play &from Track:" (for tests).
    CRangeEdit* TrackField() const { return m_track; }
    /// "&Test" and "&Stop" (for tests).
    CTestStopButtons* TestButtons() const { return m_buttons; }

protected:
    bool event(QEvent* event) override;

private:
    void StartTest();
    void StopTest();
    void ChangeTrack();
    bool PlayTrack();

    Settings& m_settings;
    QCheckBox* m_start;
    QCheckBox* m_stopAfterTrack;
    CRangeEdit* m_track;
    CTestStopButtons* m_buttons;
    bool m_ignoreNextEnd = false;
    bool m_closing = false;
    CPlayEndPoster m_poster{this};
    std::unique_ptr<ICdPlayer> m_device; // the test's; closed before the poster goes
};

} // namespace ondrix
