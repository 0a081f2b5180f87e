#include "app/user_mode_dialog.h"

#include "app/qt_message_service.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ondrix {

namespace {

constexpr uint32_t kTitle = 32745;
constexpr uint32_t kQuestion = 32746;
constexpr uint32_t kBeginner = 32747;
constexpr uint32_t kExpert = 32748;
constexpr uint32_t kProductName = 32711;

} // namespace

CUserModeDialog::CUserModeDialog(bool expert, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("UserModeDialog"));
    setWindowTitle(LoadQString(kTitle));
    auto* question =
        new QLabel(LoadQString(kQuestion).replace(QStringLiteral("%s"), LoadQString(kProductName)), this);
    question->setWordWrap(true);
    m_beginner = new QRadioButton(LoadQString(kBeginner), this);
    m_beginner->setObjectName(QStringLiteral("Beginner"));
    m_expert = new QRadioButton(LoadQString(kExpert), this);
    m_expert->setObjectName(QStringLiteral("Expert"));
    (expert ? m_expert : m_beginner)->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addWidget(m_beginner);
    layout->addWidget(m_expert);
    layout->addWidget(buttons);
}

bool CUserModeDialog::IsExpert() const {
    return m_expert->isChecked();
}

} // namespace ondrix
