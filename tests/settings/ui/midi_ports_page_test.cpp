#include "audio/accompaniment_backends.h"
#include "settings/pages/sound_card_page.h"
#include "settings/ui/settings_sheet_support.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// A sequencer with the ports a test gives it.
class PortList final : public IMidiBackend {
public:
    std::vector<std::string> ListPorts() override { return ports; }
    std::unique_ptr<IMidiSequence> Open(const std::string&, const AccompanimentOutput&) override {
        return nullptr;
    }
    std::vector<std::string> ports;
};

class MidiPortsPageTest : public SettingsSheetTest {
protected:
    PortList sequencer;
    ScopedAccompanimentBackends scope{&sequencer, nullptr};
};

} // namespace

TEST_F(MidiPortsPageTest, WithoutASequencerThePortListIsTheMapperOnly) {
    Open();
    auto* midi = Show<CSoundCardPage>(CSettingsSheet::MIDI);
    ASSERT_EQ(midi->DeviceList()->count(), 2); // "no sound card" and the mapper
    EXPECT_EQ(midi->DeviceList()->itemText(1), "Midi Mapper");
    EXPECT_EQ(midi->DeviceList()->currentIndex(), 1);
}

TEST_F(MidiPortsPageTest, SequencerPortsFollowTheMapperAndAreStoredByTheirNumber) {
    sequencer.ports = {"Synth A: Port 1", "Synth B: Port 1"};
    settings.record.midiPort = 1;
    Open();
    auto* midi = Show<CSoundCardPage>(CSettingsSheet::MIDI);
    ASSERT_EQ(midi->DeviceList()->count(), 4);
    EXPECT_EQ(midi->DeviceList()->itemText(2), "Synth A: Port 1");
    EXPECT_EQ(midi->DeviceList()->currentIndex(), 3); // port 1 is entry 3
    EXPECT_EQ(midi->Capability(0)->text(), "Midi Port");
    ChooseEntry(midi->DeviceList(), 2);
    SendClick(sheet->OkButton());
    EXPECT_EQ(Ini("Record", "MidiPort"), "0");
}
