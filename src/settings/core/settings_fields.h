#pragma once

#include "settings/core/settings.h"

#include <type_traits>

namespace ondrix {

/// Visits one effect parameter as the setting (section "Edit") its ParamSpec describes: byte-wide ones as a
/// uint8_t, whose value (the low byte) goes back into the parameter; parameters that are no setting not.
template <class Value, class Visitor>
void VisitEffectField(const ParamSpec& paramSpec, Value& value, Visitor& visit) {
    switch (paramSpec.storage) {
    case ParamStorage::Integer:
        visit("Edit", paramSpec.key, value);
        break;
    case ParamStorage::Byte: {
        if constexpr (std::is_const_v<Value>) {
            const auto byte = static_cast<uint8_t>(value);
            visit("Edit", paramSpec.key, byte);
        } else {
            auto byte = static_cast<uint8_t>(value);
            visit("Edit", paramSpec.key, byte);
            value = byte;
        }
        break;
    }
    case ParamStorage::None:
        break;
    }
}

/// Calls visit(section, key, field) for every single-valued setting, in the order they are read. The field
/// is an int32_t, a uint8_t (byte-wide) or a std::string. The lists (shortcuts, envelope points, recent
/// files, tool bars, documents) and the window placement have rules of their own and are not visited.
template <class SettingsType, class Visitor> void VisitSettingFields(SettingsType& s, Visitor&& visit) {
    auto& d = s.desktop;
    visit("Desktop", "LastFileName", d.lastFileName);
    visit("Desktop", "LastPropertyPage", d.lastPropertyPage);
    visit("Desktop", "BitsPerSample", d.bitsPerSample);
    visit("Desktop", "Channels", d.channels);
    visit("Desktop", "SampleRate", d.sampleRate);
    visit("Desktop", "FileOffset", d.fileOffset);
    visit("Desktop", "Stereo", d.stereo);
    visit("Desktop", "ShowTips", d.showTips);
    visit("Desktop", "TipPosition", d.tipPosition);
    visit("Desktop", "RecalcBars", d.recalcBars);
    visit("Desktop", "SearchFor", d.searchFor);
    visit("Desktop", "SearchReplace", d.searchReplace);
    visit("Desktop", "SearchAll", d.searchAll);
    visit("Desktop", "SearchOnlyBlock", d.searchOnlyBlock);
    visit("Desktop", "SearchConfirm", d.searchConfirm);
    visit("Desktop", "SearchTime", d.searchTime);
    visit("Desktop", "SearchBlock", d.searchBlock);
    visit("Desktop", "SearchLevel", d.searchLevel);
    visit("Desktop", "OwnClipBoard", d.ownClipBoard);
    visit("Desktop", "ExpertMode", d.expertMode);

    auto& e = s.edit;
    VisitEffectParams(e.effects, [&visit](const ParamSpec& paramSpec, auto& value) {
        VisitEffectField(paramSpec, value, visit);
    });
    visit("Edit", "AllTracks", e.allTracks);
    visit("Edit", "OverWrite", e.overWrite);
    visit("Edit", "Mix", e.mix);
    visit("Edit", "UndoCount", e.undoCount);

    auto& sp = s.synchroPlay;
    visit("SynchroPlay", "UseFile", sp.useFile);
    visit("SynchroPlay", "SampleRate", sp.sampleRate);
    visit("SynchroPlay", "BitsPerSample", sp.bitsPerSample);
    visit("SynchroPlay", "Stereo", sp.stereo);
    visit("SynchroPlay", "Port", sp.port);
    visit("SynchroPlay", "Buffer", sp.buffer);

    auto& p = s.playBack;
    visit("PlayBack", "Cursor", p.cursor);
    visit("PlayBack", "Loop", p.loop);
    visit("PlayBack", "ScrollCursor", p.scrollCursor);
    visit("PlayBack", "Port", p.port);
    visit("PlayBack", "Buffer", p.buffer);

    auto& r = s.record;
    visit("Record", "Port", r.port);
    visit("Record", "Buffer", r.buffer);
    visit("Record", "SyncPlay", r.syncPlay);
    visit("Record", "SyncCD", r.syncCD);
    visit("Record", "SyncBreak", r.syncBreak);
    visit("Record", "SyncTrack", r.syncTrack);
    visit("Record", "SyncMidi", r.syncMidi);
    visit("Record", "SyncMidiFile", r.syncMidiFile);
    visit("Record", "SyncTempo", r.syncTempo);
    visit("Record", "MidiPort", r.midiPort);
    visit("Record", "LatencyMs", r.latencyMs);

    auto& w = s.sampleWindow;
    visit("SampleWindow", "BackGround", w.backGround);
    visit("SampleWindow", "Selected", w.selected);
    visit("SampleWindow", "ForeGround", w.foreGround);
    visit("SampleWindow", "ZeroLine", w.zeroLine);
    visit("SampleWindow", "SolidSample", w.solidSample);
    visit("SampleWindow", "UseSampleColor", w.useSampleColor);
    visit("SampleWindow", "TimeFmt", w.timeFmt);
    visit("SampleWindow", "FPS", w.fps);
    visit("SampleWindow", "Inverse", w.inverse);
    visit("SampleWindow", "ShowSample", w.showSample);
    visit("SampleWindow", "Lineal", w.lineal);
    visit("SampleWindow", "PeakDisplay", w.peakDisplay);

    auto& t = s.tempPath;
    visit("TempPath", "Editor", t.editor);
    visit("TempPath", "Clipboard", t.clipboard);
    visit("TempPath", "Record", t.record);
    visit("TempPath", "SynchroPlay", t.synchroPlay);
}

} // namespace ondrix
