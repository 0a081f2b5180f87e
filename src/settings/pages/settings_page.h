#pragma once

#include <QWidget>

namespace ondrix {

struct Settings;

/// One page of the settings sheet: it edits a working copy of some settings, shown from a Settings
/// value and written back into one only when the sheet closes with OK.
class CSettingsPage : public QWidget {
public:
    using QWidget::QWidget;

    /// Shows the values of settings in the controls.
    virtual void Load(const Settings& settings) = 0;
    /// Checks the typed values; for one out of range shows the range message, focuses the field and
    /// returns false.
    virtual bool Validate() { return true; }
    /// Writes the controls' values into settings.
    virtual void Store(Settings& settings) const = 0;
    /// "Standard": resets the controls to the built-in defaults (nothing is stored).
    virtual void Standard() = 0;
    /// The sheet closes with Cancel: undoes what the page applied before OK (most pages apply nothing).
    virtual void Revert() {}
};

} // namespace ondrix
