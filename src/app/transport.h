#pragma once

#include "audio/engine_listener.h"
#include "document/core/command_target.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ondrix {

class COndrixDoc;
class CSampleStore;

/// Playback and recording as the main window runs them: the receiver of the engine's messages, the
/// store that plays, the store that records and the own store of "Start From &Disk...", the commands
/// Pause, Stop, Start From Disk and the playback options, the marks of Start and Record, and the 10 ms
/// timer that reads the levels to show. It sits in the command route right after the main frame.
class CTransport final : public QObject, public CCmdTarget, public IEngineListener {
    Q_OBJECT
public:
    using DocumentList = std::function<std::vector<COndrixDoc*>()>;
    using ActiveDocument = std::function<COndrixDoc*()>;

    /// A transport over the open documents (whose stores it accepts messages of) and the active one
    /// (which Start and Record act on).
    CTransport(DocumentList documents, ActiveDocument active);
    ~CTransport() override;

    /// The store whose playback runs, or null.
    CSampleStore* GetPlayingStore() const noexcept { return m_playingStore; }
    /// The store a recording goes into, or null.
    CSampleStore* GetRecordingStore() const noexcept { return m_recordingStore; }
    /// The own store for "Start From &Disk...".
    CSampleStore* GetDiskStore() const noexcept { return m_diskStore.get(); }
    /// Plays a file from disk through the disk store (the in-place storage).
    bool PlayFromDisk(const std::string& path);
    /// The levels the timer read last (left, right).
    std::pair<uint32_t, uint32_t> GetMeterLevels() const noexcept { return {m_meterLeft, m_meterRight}; }
    /// Whether the level timer runs.
    bool IsMeterTimerRunning() const noexcept { return m_meterTimer.isActive(); }
    /// The document whose recording the stop message is handed to, or null.
    COndrixDoc* GetRecordingDocument() const noexcept { return m_recordingDocument; }
    /// Makes a document the recording document (null: none).
    void SetRecordingDocument(COndrixDoc* doc) noexcept { m_recordingDocument = doc; }
    /// A document is going away: forgets its stores and, when it was recording, the document.
    void ForgetDocument(const COndrixDoc* doc);

    // --- IEngineListener ---
    void PostAudioMessage(const AudioMessage& message) override;

signals:
    /// New levels to show (left, right), in peak mode while a run goes on; both 0 without peak mode
    /// once nothing plays or records.
    void levelsChanged(uint32_t left, uint32_t right, bool peakMode);
    /// A playback or recording started: its levels follow.
    void meteringStarted();
    /// An engine message changed what plays or records: the commands' states are due.
    void stateChanged();

protected:
    void customEvent(QEvent* event) override;

private:
    /// Maps Pause, Stop, Start From Disk, the playback options and the marks of Start and Record.
    void MapTransportCommands();
    /// Handles one engine message on the user-interface thread.
    void OnAudioMessage(const AudioMessage& message);
    /// Whether a store is one the transport knows (a document's, a recording's or the disk store).
    bool IsKnownStore(const CSampleStore* store) const;
    /// The store Pause and Stop act on: the recording store, else the playing store.
    CSampleStore* TransportStore() const;
    /// Whether playback or recording runs.
    bool IsRunning() const;
    /// Reads the levels of the running store and shows them.
    void ReadLevels();
    /// Starts or stops the level timer.
    void StartMeterTimer();
    void StopMeterTimer();

    DocumentList m_documents;
    ActiveDocument m_active;
    CSampleStore* m_playingStore = nullptr;
    CSampleStore* m_recordingStore = nullptr;
    COndrixDoc* m_recordingDocument = nullptr;
    std::unique_ptr<CSampleStore> m_diskStore;
    QTimer m_meterTimer;
    uint32_t m_meterLeft = 0;
    uint32_t m_meterRight = 0;
};

} // namespace ondrix
