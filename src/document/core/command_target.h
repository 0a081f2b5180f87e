#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace ondrix {

/// What an update handler decides for one command: enabled, check or radio mark, and a new text.
class CCmdUI {
public:
    /// A state for a command id: enabled, no mark, text unchanged.
    explicit CCmdUI(uint32_t id) noexcept : m_id(id) {}

    /// The command id.
    uint32_t GetId() const noexcept { return m_id; }
    /// Enables or disables the command.
    void Enable(bool enable = true) noexcept { m_enabled = enable; }
    /// Sets or clears the check mark.
    void SetCheck(bool check = true) noexcept { m_checked = check, m_checkable = true; }
    /// Sets or clears the radio mark.
    void SetRadio(bool on = true) noexcept { m_checked = on, m_radio = true, m_checkable = true; }
    /// Replaces the command's menu text.
    void SetText(std::string text) { m_text = std::move(text); }

    /// Whether the command is enabled.
    bool IsEnabled() const noexcept { return m_enabled; }
    /// Whether the check (or radio) mark is set.
    bool IsChecked() const noexcept { return m_checked; }
    /// Whether the command carries a mark at all (a handler set or cleared it).
    bool IsCheckable() const noexcept { return m_checkable; }
    /// Whether the mark is a radio mark.
    bool IsRadio() const noexcept { return m_radio; }
    /// The new text, if a handler set one.
    const std::optional<std::string>& GetText() const noexcept { return m_text; }

private:
    uint32_t m_id;
    bool m_enabled = true;
    bool m_checked = false;
    bool m_radio = false;
    bool m_checkable = false;
    std::optional<std::string> m_text;
};

/// Something that handles commands: a table of command ids with their handler and update handler.
class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    /// Runs the command when this target has a handler for it; returns whether it had one.
    bool OnCommand(uint32_t id);
    /// Whether this target has a handler for the command.
    bool HasCommand(uint32_t id) const;
    /// Runs the update handler of the command; returns whether there was one.
    bool OnUpdateCommand(CCmdUI& ui);

protected:
    /// Maps a command to its handler and, optionally, its update handler.
    void MapCommand(uint32_t id, std::function<void()> handler, std::function<void(CCmdUI&)> update = {});
    /// Maps only an update handler (the command itself is handled elsewhere on the route).
    void MapUpdate(uint32_t id, std::function<void(CCmdUI&)> update);

private:
    struct Entry {
        std::function<void()> handler;
        std::function<void(CCmdUI&)> update;
    };
    std::unordered_map<uint32_t, Entry> m_entries;
};

/// Routes a command through targets in order (view, document, child frame, main frame, application):
/// the first target with a handler runs it; the first with an update handler decides its state; a
/// command nobody handles is disabled.
class CCommandRoute {
public:
    /// A route through the targets (null entries are skipped).
    explicit CCommandRoute(std::vector<CCmdTarget*> targets) : m_targets(std::move(targets)) {}

    /// The state of a command.
    CCmdUI Update(uint32_t id) const;
    /// Runs a command when it is enabled; returns whether it ran.
    bool Execute(uint32_t id) const;

private:
    std::vector<CCmdTarget*> m_targets;
};

} // namespace ondrix
