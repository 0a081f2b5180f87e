#include "document/dialogs/cd_playback_dialog.h"

#include "audio/accompaniment.h"
#include "audio/ui/test_stop_buttons.h"
#include "controls/ui/range_edit.h"
#include "controls/ui/tab_chain.h"
#include "document/dialogs/format_fields.h"
#include "document/dialogs/wait_cursor.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"
#include "settings/core/accompaniment_settings.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ondrix {

namespace {
constexpr int kFirstTrack = 1;
constexpr int kLastTrack = 100;
} // namespace

CCdPlaybackDialog::CCdPlaybackDialog(Settings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings),
      m_start(new QCheckBox(LoadQString(str::kStartCdPlaybackCheck), this)),
      m_stopAfterTrack(new QCheckBox(LoadQString(str::kStopAfterTrackCheck), this)),
      m_track(new CRangeEdit(this)), m_buttons(new CTestStopButtons(this)) {
    setObjectName(QStringLiteral("CdPlaybackDialog"));
    setWindowTitle(LoadQString(str::kCdPlaybackTitle));
    m_track->setObjectName(QStringLiteral("Track"));
    m_start->setChecked(settings.record.syncCD != 0);
    m_stopAfterTrack->setChecked(settings.record.syncBreak != 0);
    m_track->SetRange(kFirstTrack, kLastTrack);
    m_track->SetValue(settings.record.syncTrack);
    m_track->setMaximumWidth(90);

    auto* trackLabel = new QLabel(LoadQString(str::kPlayFromTrackLabel), this);
    trackLabel->setBuddy(m_track->Field());
    auto* row = new QHBoxLayout;
    row->addWidget(trackLabel);
    row->addWidget(m_track);
    row->addStretch(1);
    row->addWidget(m_buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_start);
    layout->addWidget(m_stopAfterTrack);
    layout->addLayout(row);
    AddOkCancel(this, layout);
    SetTabChain(
        {m_start, m_stopAfterTrack, m_track->Field(), m_buttons->TestButton(), m_buttons->StopButton()});
    m_start->setFocus();

    connect(m_buttons, &CTestStopButtons::testClicked, this, &CCdPlaybackDialog::StartTest);
    connect(m_buttons, &CTestStopButtons::stopClicked, this, &CCdPlaybackDialog::StopTest);
    connect(m_track->Field(), &QLineEdit::textChanged, this, &CCdPlaybackDialog::ChangeTrack);
}

CCdPlaybackDialog::~CCdPlaybackDialog() {
    m_closing = true;
    StopTest();
}

bool CCdPlaybackDialog::PlayTrack() {
    bool ok = false;
    const int track = m_track->GetValue(&ok);
    return ok && m_device->Play(track, true, m_poster); // a test always stops after its track
}

void CCdPlaybackDialog::StartTest() {
    StopTest();
    m_ignoreNextEnd = false; // ends of earlier tests have all arrived before this click
    bool played = false;
    {
        CWaitCursor wait;
        m_device = OpenCdDevice(AccompanimentOutputOf(m_settings));
        played = m_device && PlayTrack();
    }
    if (!played) {
        m_device.reset();
        ReportCdError();
        return;
    }
    m_buttons->ShowStop(true);
}

void CCdPlaybackDialog::ChangeTrack() {
    if (!m_device) {
        return;
    }
    // The cut-off play of the old track still sends its end, which must not stop the test.
    m_ignoreNextEnd = true;
    if (!PlayTrack()) {
        StopTest();
    }
}

void CCdPlaybackDialog::StopTest() {
    m_device.reset();
    if (!m_closing) {
        m_buttons->ShowStop(false);
    }
}

bool CCdPlaybackDialog::event(QEvent* event) {
    if (event->type() != kPlayEndEvent) {
        return QDialog::event(event);
    }
    if (m_ignoreNextEnd) {
        m_ignoreNextEnd = false;
    } else {
        StopTest();
    }
    return true;
}

void CCdPlaybackDialog::done(int result) {
    if (result == QDialog::Accepted && !m_track->Validate()) {
        return;
    }
    m_closing = true;
    StopTest();
    if (result == QDialog::Accepted) {
        m_settings.record.syncCD = m_start->isChecked() ? 1 : 0;
        m_settings.record.syncBreak = m_stopAfterTrack->isChecked() ? 1 : 0;
        m_settings.record.syncTrack = uint8_t(m_track->GetValue());
    }
    QDialog::done(result);
    m_closing = false;
}

} // namespace ondrix
