#include "audio/ui/test_stop_buttons.h"

#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"

#include <QPushButton>

namespace ondrix {

CTestStopButtons::CTestStopButtons(QWidget* parent)
    : QStackedWidget(parent), m_test(new QPushButton(LoadQString(str::kTestButton), this)),
      m_stop(new QPushButton(LoadQString(str::kStopButton), this)) {
    m_test->setObjectName(QStringLiteral("Test"));
    m_stop->setObjectName(QStringLiteral("Stop"));
    m_test->setAutoDefault(false);
    m_stop->setAutoDefault(false);
    addWidget(m_test);
    addWidget(m_stop);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(m_test, &QPushButton::clicked, this, &CTestStopButtons::testClicked);
    connect(m_stop, &QPushButton::clicked, this, &CTestStopButtons::stopClicked);
}

void CTestStopButtons::ShowStop(bool testing) {
    const bool hadFocus = currentWidget()->hasFocus();
    setCurrentWidget(testing ? m_stop : m_test);
    if (hadFocus) {
        currentWidget()->setFocus(); // the pressed button's place keeps the focus
    }
}

bool CTestStopButtons::IsStopShown() const {
    return currentWidget() == m_stop;
}

} // namespace ondrix
