#pragma once

#include "settings/pages/settings_page.h"

class QRadioButton;

namespace ondrix {

/// Page 9 "User Mode": "&Beginner" or "E&xpert" (the setting ExpertMode).
class CUserModePage final : public CSettingsPage {
    Q_OBJECT
public:
    /// An empty page; Load fills it.
    explicit CUserModePage(QWidget* parent = nullptr);

    void Load(const Settings& settings) override;
    void Store(Settings& settings) const override;
    void Standard() override;

    /// "&Beginner" (for tests).
    QRadioButton* BeginnerButton() const { return m_beginner; }
    /// "E&xpert" (for tests).
    QRadioButton* ExpertButton() const { return m_expert; }

private:
    QRadioButton* m_beginner;
    QRadioButton* m_expert;
};

} // namespace ondrix
