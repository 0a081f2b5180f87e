#pragma once

#include "settings/pages/settings_page.h"

class QLabel;
class QRadioButton;

namespace ondrix {

/// Page 9 "User Mode": "&Beginner" or "E&xpert" (the setting ExpertMode), with what the modes change.
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
    /// The text that explains the two modes (for tests).
    QLabel* Explanation() const { return m_explanation; }

private:
    QRadioButton* m_beginner;
    QRadioButton* m_expert;
    QLabel* m_explanation;
};

} // namespace ondrix
