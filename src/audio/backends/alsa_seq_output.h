#pragma once

#include <memory>
#include <string>
#include <vector>

struct _snd_seq;

namespace ondrix {

/// One writable port of the ALSA sequencer.
struct SeqPortAddress {
    int client = 0;
    int port = 0;
    std::string name; ///< "client name: port name"
};

/// The sequencer's writable output ports in ALSA's order, without the system client; empty when the
/// machine has no sequencer (no /dev/snd/seq), which is no error.
std::vector<SeqPortAddress> ListSeqOutputPorts();

/// Sends channel messages to one port of the ALSA sequencer, each at once.
class CAlsaSeqOutput {
public:
    /// Opens the sequencer for the port numbered `index` in ListSeqOutputPorts; nullptr when there is
    /// no such port or the sequencer does not open.
    static std::unique_ptr<CAlsaSeqOutput> Open(int index);
    ~CAlsaSeqOutput();
    CAlsaSeqOutput(const CAlsaSeqOutput&) = delete;
    CAlsaSeqOutput& operator=(const CAlsaSeqOutput&) = delete;

    /// Sends one channel message: status with its channel, and up to two data bytes (a pitch bend
    /// takes its 14-bit value in data1).
    void Send(int status, int data1, int data2);
    /// Ends every sounding note on all channels.
    void AllNotesOff();

private:
    CAlsaSeqOutput(_snd_seq* seq, int sourcePort, SeqPortAddress target);

    _snd_seq* m_seq;
    int m_sourcePort;
    SeqPortAddress m_target;
};

} // namespace ondrix
