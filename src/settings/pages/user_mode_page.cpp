#include "settings/pages/user_mode_page.h"

#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"
#include "settings/core/settings.h"

#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ondrix {

CUserModePage::CUserModePage(QWidget* parent) : CSettingsPage(parent) {
    m_beginner = new QRadioButton(LoadQString(str::kBeginner), this);
    m_beginner->setObjectName(QStringLiteral("Beginner"));
    m_expert = new QRadioButton(LoadQString(str::kExpert), this);
    m_expert->setObjectName(QStringLiteral("Expert"));
    m_explanation = new QLabel(LoadQString(str::kUserModeExplanation), this);
    m_explanation->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_beginner);
    layout->addWidget(m_expert);
    layout->addSpacing(12);
    layout->addWidget(m_explanation);
    layout->addStretch();
}

void CUserModePage::Load(const Settings& settings) {
    (settings.desktop.expertMode ? m_expert : m_beginner)->setChecked(true);
}

void CUserModePage::Store(Settings& settings) const {
    settings.desktop.expertMode = m_expert->isChecked() ? 1 : 0;
}

void CUserModePage::Standard() {
    m_beginner->setChecked(true);
}

} // namespace ondrix
