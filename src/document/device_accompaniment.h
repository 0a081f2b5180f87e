#pragma once

#include "audio/accompaniment.h"
#include "audio/ui/play_end_poster.h"
#include "document/record_accompaniment.h"

#include <QObject>

namespace ondrix {

/// A recording's accompaniment on the MIDI sequencer and the CD drive, as the settings of the moment of
/// the prepare step enable them. The end of a device's play arrives from its worker as a posted event
/// and ends the recording on the user-interface thread.
class CDeviceAccompaniment final : public QObject, public IRecordAccompaniment {
public:
    /// An accompaniment that calls ended when one of its devices finished playing.
    explicit CDeviceAccompaniment(AccompanimentEnded ended);
    ~CDeviceAccompaniment() override;

    void Open() override;
    void Start() override;
    void Close() override;

    /// The devices (for tests).
    const CAccompaniment& Devices() const noexcept { return m_devices; }

protected:
    bool event(QEvent* event) override;

private:
    AccompanimentEnded m_ended;
    CPlayEndPoster m_poster{this};
    CAccompaniment m_devices; // closed before the poster goes
};

/// Makes every recording from now on take its accompaniment from the devices.
void InstallDeviceAccompaniment();

} // namespace ondrix
