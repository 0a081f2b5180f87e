#pragma once

#include "audio/midi_device.h"
#include "audio/ui/play_end_poster.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace ondrix {

class CRangeEdit;
class CTestStopButtons;
struct Settings;

/// Dialog 184 "Midi Accompaniment": whether a MIDI file plays while recording, the file and its tempo,
/// with "&Test" to hear it (on the synchronous-playback device) and "&Stop" in its place while it plays.
/// OK writes SyncMidi, SyncMidiFile and SyncTempo (clamped to 16..256).
class CMidiAccompanimentDialog final : public QDialog {
    Q_OBJECT
public:
    /// The dialog over settings, which OK writes.
    explicit CMidiAccompanimentDialog(Settings& settings, QWidget* parent = nullptr);
    ~CMidiAccompanimentDialog() override;

    void done(int result) override;

    /// Whether a test plays.
    bool IsTesting() const noexcept { return m_device != nullptr; }
    /// "Start Midi Playback when Recording" (for tests).
    QCheckBox* StartCheck() const { return m_start; }
    /// "Midi- &File:" (for tests).
    QLineEdit* FileField() const { return m_file; }
    /// "&Tempo:" (for tests).
    CRangeEdit* TempoField() const { return m_tempo; }
    /// "&Test" and "&Stop" (for tests).
    CTestStopButtons* TestButtons() const { return m_buttons; }

protected:
    bool event(QEvent* event) override;

private:
    void Browse();
    void StartTest();
    void StopTest();
    void ApplyTempo();

    Settings& m_settings;
    QCheckBox* m_start;
    QLineEdit* m_file;
    QPushButton* m_browse;
    CRangeEdit* m_tempo;
    CTestStopButtons* m_buttons;
    bool m_closing = false;
    CPlayEndPoster m_poster{this};
    std::unique_ptr<IMidiSequence> m_device; // the test's; closed before the poster goes
};

} // namespace ondrix
