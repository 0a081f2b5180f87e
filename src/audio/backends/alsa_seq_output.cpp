#include "audio/backends/alsa_seq_output.h"

#include <alsa/asoundlib.h>

namespace ondrix {

namespace {

snd_seq_t* OpenSequencer() {
    snd_seq_t* seq = nullptr;
    if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0) {
        return nullptr;
    }
    snd_seq_set_client_name(seq, "Ondrix");
    return seq;
}

std::vector<SeqPortAddress> ListPortsOf(snd_seq_t* seq) {
    std::vector<SeqPortAddress> ports;
    const int self = snd_seq_client_id(seq);
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(seq, client) >= 0) {
        const int id = snd_seq_client_info_get_client(client);
        if (id == SND_SEQ_CLIENT_SYSTEM || id == self) {
            continue;
        }
        snd_seq_port_info_set_client(port, id);
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(seq, port) >= 0) {
            constexpr unsigned kWritable = SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
            if ((snd_seq_port_info_get_capability(port) & kWritable) != kWritable) {
                continue;
            }
            ports.push_back({id, snd_seq_port_info_get_port(port),
                             std::string(snd_seq_client_info_get_name(client)) + ": " +
                                 snd_seq_port_info_get_name(port)});
        }
    }
    return ports;
}

} // namespace

std::vector<SeqPortAddress> ListSeqOutputPorts() {
    snd_seq_t* seq = OpenSequencer();
    if (!seq) {
        return {};
    }
    std::vector<SeqPortAddress> ports = ListPortsOf(seq);
    snd_seq_close(seq);
    return ports;
}

std::unique_ptr<CAlsaSeqOutput> CAlsaSeqOutput::Open(int index) {
    snd_seq_t* seq = OpenSequencer();
    if (!seq) {
        return nullptr;
    }
    const std::vector<SeqPortAddress> ports = ListPortsOf(seq);
    const int source =
        index >= 0 && std::size_t(index) < ports.size()
            ? snd_seq_create_simple_port(seq, "Ondrix", SND_SEQ_PORT_CAP_READ,
                                         SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION)
            : -1;
    if (source < 0) {
        snd_seq_close(seq);
        return nullptr;
    }
    return std::unique_ptr<CAlsaSeqOutput>(new CAlsaSeqOutput(seq, source, ports[std::size_t(index)]));
}

CAlsaSeqOutput::CAlsaSeqOutput(snd_seq_t* seq, int sourcePort, SeqPortAddress target)
    : m_seq(seq), m_sourcePort(sourcePort), m_target(std::move(target)) {}

CAlsaSeqOutput::~CAlsaSeqOutput() {
    AllNotesOff();
    snd_seq_close(m_seq);
}

void CAlsaSeqOutput::Send(int status, int data1, int data2) {
    snd_seq_event_t event;
    snd_seq_ev_clear(&event);
    snd_seq_ev_set_source(&event, m_sourcePort);
    snd_seq_ev_set_dest(&event, m_target.client, m_target.port);
    snd_seq_ev_set_direct(&event);
    const int channel = status & 0x0F;
    switch (status & 0xF0) {
    case 0x80:
        snd_seq_ev_set_noteoff(&event, channel, data1, data2);
        break;
    case 0x90:
        snd_seq_ev_set_noteon(&event, channel, data1, data2);
        break;
    case 0xA0:
        snd_seq_ev_set_keypress(&event, channel, data1, data2);
        break;
    case 0xB0:
        snd_seq_ev_set_controller(&event, channel, data1, data2);
        break;
    case 0xC0:
        snd_seq_ev_set_pgmchange(&event, channel, data1);
        break;
    case 0xD0:
        snd_seq_ev_set_chanpress(&event, channel, data1);
        break;
    case 0xE0:
        snd_seq_ev_set_pitchbend(&event, channel, data1 - 8192);
        break;
    default:
        return;
    }
    snd_seq_event_output_direct(m_seq, &event);
}

void CAlsaSeqOutput::AllNotesOff() {
    constexpr int kAllNotesOff = 123;
    for (int channel = 0; channel < 16; ++channel) {
        Send(0xB0 | channel, kAllNotesOff, 0);
    }
}

} // namespace ondrix
