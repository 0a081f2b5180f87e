#pragma once

#include "settings/core/settings_host.h"

namespace ondrix {

class COndrixApp;

/// What the settings sheet reaches through the application: the documents' views and status fields,
/// the frame's shortcuts, closing every document and the custom clipboard.
class CSettingsSheetHost final : public ISettingsHost {
public:
    /// A host over a started application.
    explicit CSettingsSheetHost(COndrixApp& app) : m_app(app) {}

    void RefreshViews() override;
    void SetShortcuts(const AccelTable& table) override;
    bool HasOpenDocuments() const override;
    bool CloseAllDocuments() override;
    void RecreateCustomClipboard() override;

private:
    COndrixApp& m_app;
};

/// "&Settings...": shows the settings sheet over the program's settings.
void ShowSettingsSheet(COndrixApp& app);

} // namespace ondrix
