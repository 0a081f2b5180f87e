#pragma once

#include "settings/core/accel_table.h"

namespace ondrix {

/// What the settings sheet needs from the windows above the settings layer: the program implements it
/// over its documents and frame, tests fake it.
class ISettingsHost {
public:
    virtual ~ISettingsHost() = default;
    /// The view options changed: every document rebuilds and redraws its views (hint 12), refreshes its
    /// status fields, and the main window redraws.
    virtual void RefreshViews() = 0;
    /// Installs a shortcut table: the keys and the names the menus show.
    virtual void SetShortcuts(const AccelTable& table) = 0;
    /// Whether any document is open.
    virtual bool HasOpenDocuments() const = 0;
    /// Saves the modified documents as the user decides, then closes every document; false when the
    /// user refused a save (the documents stay open).
    virtual bool CloseAllDocuments() = 0;
    /// Replaces the custom clipboard, when it is in use, by a new empty one (on the current path).
    virtual void RecreateCustomClipboard() = 0;
};

} // namespace ondrix
