#include "app/progress_bar.h"

#include "app/progress_input_filter.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

namespace ondrix {

namespace {

/// Pane widths of the status bar; the first pane stretches.
constexpr std::array<int, CProgressBar::kPaneCount> kPaneWidths = {350, 50, 50, 50, 80, 35, 35, 50};
constexpr int kProgressControlWidth = 100;
constexpr int kAbortPaneWidth = 200;

QLabel* MakePane(QWidget* parent, int width, bool border) {
    auto* label = new QLabel(parent);
    label->setMinimumWidth(width);
    label->setFrameShape(border ? QFrame::Panel : QFrame::NoFrame);
    label->setFrameShadow(QFrame::Sunken);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

CProgressBar::CProgressBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar"));
    setSizeGripEnabled(true);
    QFont paneFont(QStringLiteral("MS Sans Serif"));
    paneFont.setPixelSize(12);
    paneFont.setWeight(QFont::Normal);
    setFont(paneFont);
    for (int i = 0; i < kPaneCount; ++i) {
        m_statusPanes[std::size_t(i)] = MakePane(this, kPaneWidths[std::size_t(i)], i != 0);
        m_statusPanes[std::size_t(i)]->setObjectName(QStringLiteral("Pane%1").arg(i));
        if (i == 0) {
            addWidget(m_statusPanes[0], 1);
        } else {
            m_statusPanes[std::size_t(i)]->setAlignment(Qt::AlignCenter);
            addPermanentWidget(m_statusPanes[std::size_t(i)]);
        }
    }
    m_progressText = MakePane(this, kPaneWidths[0], false);
    m_progressText->setObjectName(QStringLiteral("ProgressText"));
    addWidget(m_progressText, 1);
    m_abortLabel = MakePane(this, kAbortPaneWidth, true);
    m_abortLabel->setObjectName(QStringLiteral("AbortPane"));
    m_abortLabel->setText(QString::fromStdString(LoadString(str::kAbortPaneText)));
    m_progressControl = new QProgressBar(this);
    m_progressControl->setObjectName(QStringLiteral("ProgressControl"));
    m_progressControl->setRange(0, 100);
    m_progressControl->setFixedWidth(kProgressControlWidth);
    m_progressControl->setTextVisible(false);
    addPermanentWidget(m_progressControl);
    addPermanentWidget(m_abortLabel);
    m_progressControl->hide();
    m_progressText->hide();
    m_abortLabel->hide();
    // Lay the bar out without the hidden panes now: before the window first shows, the layout would
    // still count them and force the main window to be wider than the screen.
    reformat();
}

CProgressBar::~CProgressBar() {
    EndProgress();
}

void CProgressBar::SetPaneText(int pane, const QString& text) {
    QLabel* label = m_statusPanes.at(std::size_t(pane));
    if (label->text() != text) {
        label->setText(text);
    }
}

QProgressBar* CProgressBar::ProgressControl() const {
    return m_progressControl->isHidden() ? nullptr : m_progressControl;
}

QString CProgressBar::PaneText(int pane) const {
    return m_statusPanes.at(std::size_t(pane))->text();
}

void CProgressBar::ShowStatusPanes(bool show) {
    for (int i = 0; i < kPaneCount; ++i) {
        if (show) {
            m_statusPanes[std::size_t(i)]->setVisible(m_savedVisible[std::size_t(i)]);
        } else {
            m_savedVisible[std::size_t(i)] = !m_statusPanes[std::size_t(i)]->isHidden();
            m_statusPanes[std::size_t(i)]->hide();
        }
    }
}

void CProgressBar::OnBegin() {
    m_wasVisible = !isHidden();
    if (!m_wasVisible) {
        show();
    }
    clearMessage();
    ShowStatusPanes(false);
    m_progressText->show();
    m_progressControl->setValue(0);
    m_progressControl->setVisible(GetProgressPane() != 0);
    m_abortLabel->setVisible(GetAbortPane() != 0);
    m_filter = new CProgressInputFilter(GetAbortPane() != 0 ? m_abortLabel : nullptr);
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CProgressBar::OnPercent() {
    m_progressControl->setValue(int(GetLastPercent()));
    m_progressText->setText(QString::fromStdString(GetProgressText()));
    if (QWidget* top = window(); top && top->isVisible()) {
        top->repaint();
    }
}

bool CProgressBar::PollAbortRequest() {
    qApp->installEventFilter(m_filter);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    qApp->removeEventFilter(m_filter);
    return m_filter->TakeAbortRequest();
}

bool CProgressBar::ConfirmAbort() {
    QApplication::restoreOverrideCursor();
    const bool abort = CProgressDisplay::ConfirmAbort();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    return abort;
}

void CProgressBar::OnEnd() {
    QApplication::restoreOverrideCursor();
    delete m_filter;
    m_filter = nullptr;
    m_progressControl->hide();
    m_progressText->hide();
    m_progressText->clear();
    m_abortLabel->hide();
    ShowStatusPanes(true);
    if (QWidget* top = window(); top && top->isVisible()) {
        top->repaint();
    }
    if (!m_wasVisible) {
        hide();
    }
    emit progressEnded();
}

} // namespace ondrix
