#include "document/dialogs/midi_accompaniment_dialog.h"

#include "audio/accompaniment.h"
#include "audio/midi_file.h"
#include "audio/ui/test_stop_buttons.h"
#include "controls/ui/range_edit.h"
#include "controls/ui/tab_chain.h"
#include "document/dialogs/format_fields.h"
#include "document/dialogs/wait_cursor.h"
#include "document/file_chooser.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "resources/ui/qt_strings.h"
#include "settings/core/accompaniment_settings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ondrix {

CMidiAccompanimentDialog::CMidiAccompanimentDialog(Settings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings),
      m_start(new QCheckBox(LoadQString(str::kStartMidiPlaybackCheck), this)), m_file(new QLineEdit(this)),
      m_browse(new QPushButton(LoadQString(str::kBrowseMidiButton), this)), m_tempo(new CRangeEdit(this)),
      m_buttons(new CTestStopButtons(this)) {
    setObjectName(QStringLiteral("MidiAccompanimentDialog"));
    setWindowTitle(LoadQString(str::kMidiAccompanimentTitle));
    m_file->setObjectName(QStringLiteral("MidiFile"));
    m_tempo->setObjectName(QStringLiteral("Tempo"));
    m_browse->setAutoDefault(false);
    m_start->setChecked(settings.record.syncMidi != 0);
    m_file->setText(QString::fromStdString(settings.record.syncMidiFile));
    m_tempo->SetRange(kMinSyncTempo, kMaxSyncTempo);
    m_tempo->SetValue(ClampSyncTempo(settings.record.syncTempo));

    auto* fileLabel = new QLabel(LoadQString(str::kMidiFileLabel), this);
    fileLabel->setBuddy(m_file);
    auto* tempoLabel = new QLabel(LoadQString(str::kTempoLabel), this);
    tempoLabel->setBuddy(m_tempo->Field());
    auto* grid = new QGridLayout;
    grid->addWidget(fileLabel, 0, 0);
    grid->addWidget(m_file, 0, 1);
    grid->addWidget(m_browse, 0, 2);
    grid->addWidget(tempoLabel, 1, 0);
    grid->addWidget(m_tempo, 1, 1, Qt::AlignLeft);
    grid->addWidget(m_buttons, 1, 2);
    m_file->setMinimumWidth(260);
    m_tempo->setMaximumWidth(90);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_start);
    layout->addLayout(grid);
    AddOkCancel(this, layout);
    SetTabChain(
        {m_start, m_file, m_browse, m_tempo->Field(), m_buttons->TestButton(), m_buttons->StopButton()});
    m_start->setFocus();

    connect(m_browse, &QPushButton::clicked, this, &CMidiAccompanimentDialog::Browse);
    connect(m_buttons, &CTestStopButtons::testClicked, this, &CMidiAccompanimentDialog::StartTest);
    connect(m_buttons, &CTestStopButtons::stopClicked, this, &CMidiAccompanimentDialog::StopTest);
    connect(m_tempo->Field(), &QLineEdit::textChanged, this, &CMidiAccompanimentDialog::ApplyTempo);
}

CMidiAccompanimentDialog::~CMidiAccompanimentDialog() {
    m_closing = true;
    StopTest();
}

void CMidiAccompanimentDialog::Browse() {
    FileRequest request;
    request.initial = m_file->text().toStdString();
    request.filter = LoadString(str::kMidiFileFilter);
    const std::optional<std::string> chosen = ChooseFile(request);
    if (!chosen) {
        return;
    }
    {
        CWaitCursor wait;
        if (const std::optional<std::vector<uint8_t>> midi = LoadMidiFile(*chosen)) {
            if (const std::optional<int> tempo = ReadFirstTempo(*midi)) {
                m_tempo->SetValue(*tempo);
            }
        }
    }
    m_file->setText(QString::fromStdString(*chosen));
}

void CMidiAccompanimentDialog::StartTest() {
    StopTest();
    std::unique_ptr<IMidiSequence> device;
    {
        CWaitCursor wait;
        device = OpenMidiDevice(m_file->text().toStdString(), m_settings.record.midiPort,
                                AccompanimentOutputOf(m_settings));
        if (device && !device->Play(m_poster)) {
            device.reset(); // stopped and closed
        }
    }
    if (!device) {
        ReportMidiError();
        return;
    }
    m_device = std::move(device);
    ApplyTempo();
    m_buttons->ShowStop(true);
}

void CMidiAccompanimentDialog::StopTest() {
    m_device.reset();
    if (!m_closing) {
        m_buttons->ShowStop(false);
    }
}

void CMidiAccompanimentDialog::ApplyTempo() {
    if (!m_device) {
        return;
    }
    bool ok = false;
    const int tempo = m_tempo->GetValue(&ok);
    if (ok) {
        m_device->SetTempo(ClampSyncTempo(tempo));
    }
}

bool CMidiAccompanimentDialog::event(QEvent* event) {
    if (event->type() == kPlayEndEvent) {
        StopTest(); // the test file has ended
        return true;
    }
    return QDialog::event(event);
}

void CMidiAccompanimentDialog::done(int result) {
    m_closing = true;
    StopTest();
    if (result == QDialog::Accepted) {
        bool ok = false;
        const int tempo = m_tempo->GetValue(&ok);
        m_settings.record.syncMidi = m_start->isChecked() ? 1 : 0;
        m_settings.record.syncMidiFile = m_file->text().toStdString();
        m_settings.record.syncTempo = ClampSyncTempo(ok ? tempo : m_settings.record.syncTempo);
    }
    QDialog::done(result);
    m_closing = false;
}

} // namespace ondrix
