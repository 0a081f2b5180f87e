#include "settings/core/settings.h"

#include "base/message_service.h"
#include "controls/format_args.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/core/settings_fields.h"

#include <algorithm>

namespace ondrix {

Settings g_settings;

namespace {

/// The most entries a list setting is read with: a damaged count cannot make start-up loop for ages.
constexpr int32_t kMaxListEntries = 4096;

const std::string kRoot;
const std::string kDesktop = "Desktop";
const std::string kEdit = "Edit";
const std::string kAccels = "Accels";
const std::string kBarSummary = "ToolBars-Summary";
const std::string kWindowSummary = "Windows-Summary";

std::string Numbered(const char* prefix, std::size_t index) {
    return prefix + std::to_string(index);
}

std::string BarSection(std::size_t index) {
    return Numbered("ToolBars-Bar", index);
}

std::string WindowSection(std::size_t index) {
    return Numbered("Windows-Window", index);
}

/// A list count as stored, limited to 0..kMaxListEntries.
std::size_t ReadCount(const IProfileStore& profile, const std::string& section, const std::string& key) {
    return static_cast<std::size_t>(std::clamp(profile.GetInt(section, key, 0), 0, kMaxListEntries));
}

/// Reads each visited field, its current value serving as the default.
struct FieldReader {
    const IProfileStore& profile;
    void operator()(const std::string& section, const std::string& key, int32_t& field) const {
        field = profile.GetInt(section, key, field);
    }
    void operator()(const std::string& section, const std::string& key, uint8_t& field) const {
        field = static_cast<uint8_t>(profile.GetInt(section, key, field));
    }
    void operator()(const std::string& section, const std::string& key, std::string& field) const {
        field = profile.GetString(section, key, field);
    }
};

/// Writes each visited field.
struct FieldWriter {
    IProfileStore& profile;
    void operator()(const std::string& section, const std::string& key, int32_t field) const {
        profile.WriteInt(section, key, field);
    }
    void operator()(const std::string& section, const std::string& key, const std::string& field) const {
        profile.WriteString(section, key, field);
    }
};

void ReadToolBars(const IProfileStore& profile, std::vector<ToolBarPlacement>& bars) {
    bars.clear();
    const std::size_t count = ReadCount(profile, kBarSummary, "Bars");
    for (std::size_t i = 0; i < count; ++i) {
        const std::string section = BarSection(i);
        ToolBarPlacement bar;
        bar.visible = profile.GetInt(section, "Visible", bar.visible);
        bar.area = profile.GetInt(section, "Area", bar.area);
        bar.x = profile.GetInt(section, "X", bar.x);
        bar.y = profile.GetInt(section, "Y", bar.y);
        bars.push_back(bar);
    }
}

void WriteToolBars(IProfileStore& profile, const std::vector<ToolBarPlacement>& bars) {
    const std::size_t stale = ReadCount(profile, kBarSummary, "Bars");
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const std::string section = BarSection(i);
        profile.WriteInt(section, "Visible", bars[i].visible);
        profile.WriteInt(section, "Area", bars[i].area);
        profile.WriteInt(section, "X", bars[i].x);
        profile.WriteInt(section, "Y", bars[i].y);
    }
    for (std::size_t i = bars.size(); i < stale; ++i) {
        for (const char* key : {"Visible", "Area", "X", "Y"}) {
            profile.RemoveValue(BarSection(i), key);
        }
    }
    profile.WriteInt(kBarSummary, "Bars", static_cast<int32_t>(bars.size()));
}

void ReadAccels(const IProfileStore& profile, AccelTable& table) {
    // A settings file without a shortcut count (written by hand, or before the keyboard page was ever
    // saved) keeps the built-in shortcuts; only a stored count, 0 included, replaces them.
    const bool countStored =
        profile.GetInt(kAccels, "Count", -1) != -1 || profile.GetInt(kAccels, "Count", -2) != -2;
    if (!countStored) {
        table = BuiltInAccelTable();
        return;
    }
    table.clear();
    const std::size_t count = ReadCount(profile, kAccels, "Count");
    for (std::size_t i = 0; i < count; ++i) {
        AccelEntry entry;
        entry.flags = static_cast<uint8_t>(profile.GetInt(kAccels, Numbered("Flags", i), 0));
        entry.key = static_cast<uint16_t>(profile.GetInt(kAccels, Numbered("Keys", i), 0));
        entry.cmd = static_cast<uint16_t>(profile.GetInt(kAccels, Numbered("Cmd", i), 0));
        table.push_back(entry);
    }
}

void WriteAccels(IProfileStore& profile, const AccelTable& table) {
    const std::size_t stale = ReadCount(profile, kAccels, "Count");
    profile.WriteInt(kAccels, "Count", static_cast<int32_t>(table.size()));
    for (std::size_t i = 0; i < table.size(); ++i) {
        profile.WriteInt(kAccels, Numbered("Flags", i), table[i].flags);
        profile.WriteInt(kAccels, Numbered("Cmd", i), table[i].cmd);
        profile.WriteInt(kAccels, Numbered("Keys", i), table[i].key);
    }
    for (std::size_t i = table.size(); i < stale; ++i) {
        for (const char* key : {"Flags", "Cmd", "Keys"}) {
            profile.RemoveValue(kAccels, Numbered(key, i));
        }
    }
}

void ReadWindowPlacement(const IProfileStore& profile, WindowPlacement& window) {
    window.show = profile.GetInt(kDesktop, "Show", window.show);
    if (window.show == SHOW_NORMAL) {
        window.left = profile.GetInt(kDesktop, "Left", WindowPlacement::kUnset);
        window.top = profile.GetInt(kDesktop, "Top", WindowPlacement::kUnset);
        window.right = profile.GetInt(kDesktop, "Right", WindowPlacement::kUnset);
        window.bottom = profile.GetInt(kDesktop, "Bottom", WindowPlacement::kUnset);
    }
}

void WriteWindowPlacement(IProfileStore& profile, const WindowPlacement& window) {
    profile.WriteInt(kDesktop, "Show", window.show);
    // A maximised or minimised exit keeps the rectangle of the last normal one.
    if (window.show == SHOW_NORMAL) {
        profile.WriteInt(kDesktop, "Left", window.left);
        profile.WriteInt(kDesktop, "Top", window.top);
        profile.WriteInt(kDesktop, "Right", window.right);
        profile.WriteInt(kDesktop, "Bottom", window.bottom);
    }
}

void ReadEnvelope(const IProfileStore& profile, std::vector<EnvelopePoint>& points) {
    points.clear();
    const std::size_t count = ReadCount(profile, kEdit, "EnvCount");
    for (std::size_t i = 0; i < count; ++i) {
        EnvelopePoint point;
        point.position = profile.GetInt(kEdit, Numbered("EnvPos", i), -1);
        point.volume = profile.GetInt(kEdit, Numbered("EnvVol", i), -1);
        if (point.position >= 0 && point.volume >= 0 && point.position <= EnvelopeParams::kFullPosition) {
            points.push_back(point);
        }
    }
}

void WriteEnvelope(IProfileStore& profile, const std::vector<EnvelopePoint>& points) {
    const std::size_t stale = ReadCount(profile, kEdit, "EnvCount");
    profile.WriteInt(kEdit, "EnvCount", static_cast<int32_t>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i) {
        profile.WriteInt(kEdit, Numbered("EnvPos", i), points[i].position);
        profile.WriteInt(kEdit, Numbered("EnvVol", i), points[i].volume);
    }
    for (std::size_t i = points.size(); i < stale; ++i) {
        profile.RemoveValue(kEdit, Numbered("EnvPos", i));
        profile.RemoveValue(kEdit, Numbered("EnvVol", i));
    }
}

void ReadOpenDocuments(const IProfileStore& profile, std::vector<std::string>& paths) {
    paths.clear();
    const std::size_t count = ReadCount(profile, kWindowSummary, "Count");
    for (std::size_t i = 0; i < count; ++i) {
        std::string path = profile.GetString(WindowSection(i), "Path", std::string());
        if (!path.empty()) {
            paths.push_back(std::move(path));
        }
    }
}

void WriteOpenDocuments(IProfileStore& profile, const std::vector<std::string>& paths) {
    const std::size_t stale = ReadCount(profile, kWindowSummary, "Count");
    std::size_t written = 0;
    for (const std::string& path : paths) {
        if (!path.empty()) {
            profile.WriteString(WindowSection(written++), "Path", path);
        }
    }
    for (std::size_t i = written; i < stale; ++i) {
        profile.RemoveValue(WindowSection(i), "Path");
    }
    profile.WriteInt(kWindowSummary, "Count", static_cast<int32_t>(written));
}

} // namespace

bool IsFirstRun(const IProfileStore& profile) {
    return profile.GetInt(kRoot, "First", 1) != 0;
}

bool EndFirstRun(IProfileStore& profile) {
    profile.WriteInt(kRoot, "First", 0);
    return profile.Flush();
}

Settings FirstRunSettings() {
    Settings settings;
    settings.accels = BuiltInAccelTable();
    return settings;
}

void LoadSettings(const IProfileStore& profile, bool firstRun, Settings& settings) {
    settings = firstRun ? FirstRunSettings() : Settings();
    if (firstRun) {
        return;
    }
    settings.recentFiles.Read(profile);
    ReadToolBars(profile, settings.toolBars);
    ReadAccels(profile, settings.accels);
    VisitSettingFields(settings, FieldReader{profile});
    ReadWindowPlacement(profile, settings.window);
    ReadEnvelope(profile, settings.edit.effects.envelope.points);
    ReadOpenDocuments(profile, settings.openDocuments);
}

bool WriteSettings(IProfileStore& profile, const Settings& settings) {
    settings.recentFiles.Write(profile);
    WriteToolBars(profile, settings.toolBars);
    WriteAccels(profile, settings.accels);
    VisitSettingFields(settings, FieldWriter{profile});
    WriteWindowPlacement(profile, settings.window);
    WriteEnvelope(profile, settings.edit.effects.envelope.points);
    WriteOpenDocuments(profile, settings.openDocuments);
    return profile.Flush();
}

bool SaveSettings(IProfileStore& profile, const Settings& settings) {
    if (WriteSettings(profile, settings)) {
        return true;
    }
    const std::string text = FillStrings(LoadString(str::kSettingsNotSavedMessage), {profile.Location()});
    Messages().Beep(MsgIcon::Stop);
    Messages().ShowMessage(text, MsgIcon::Stop, MsgButtons::Ok, str::kSettingsNotSavedMessage);
    return false;
}

} // namespace ondrix
