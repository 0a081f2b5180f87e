#include "app/user_mode_dialog.h"

#include "app/qt_message_service.h"
#include "resources/string_ids.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ondrix {

CUserModeDialog::CUserModeDialog(bool expert, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("UserModeDialog"));
    setWindowTitle(LoadQString(str::kUserModeTitle));
    auto* question = new QLabel(
        LoadQString(str::kQuestion).replace(QStringLiteral("%s"), LoadQString(str::kProductName)), this);
    question->setWordWrap(true);
    m_beginner = new QRadioButton(LoadQString(str::kBeginner), this);
    m_beginner->setObjectName(QStringLiteral("Beginner"));
    m_expert = new QRadioButton(LoadQString(str::kExpert), this);
    m_expert->setObjectName(QStringLiteral("Expert"));
    (expert ? m_expert : m_beginner)->setChecked(true);
    // what each mode does, as the settings page explains it
    auto* explanation = new QLabel(LoadQString(str::kUserModeExplanation), this);
    explanation->setObjectName(QStringLiteral("Explanation"));
    explanation->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addWidget(m_beginner);
    layout->addWidget(m_expert);
    layout->addWidget(explanation);
    layout->addWidget(buttons);
}

bool CUserModeDialog::IsExpert() const {
    return m_expert->isChecked();
}

} // namespace ondrix
