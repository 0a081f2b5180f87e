#include "settings/tip_dialog.h"

#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"
#include "settings/core/settings.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace ondrix {

namespace {

constexpr int kHeaderPixels = 18;
constexpr int kTipPixels = 14;

} // namespace

QString CTipDialog::DefaultTipFile() {
    const QString beside =
        QString::fromStdString(TipFileBeside(QCoreApplication::applicationFilePath().toStdString()));
    if (QFileInfo::exists(beside)) {
        return beside;
    }
    const QString installed =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("ondrix/ondrix.tip"));
    return installed.isEmpty() ? beside : installed;
}

CTipDialog::CTipDialog(const QString& tipFile, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TipDialog"));
    setWindowTitle(LoadQString(str::kTipTitle));
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("TipFrame"));
    frame->setFrameShape(QFrame::Box);
    frame->setStyleSheet(QStringLiteral("#TipFrame { background: white; }"));
    auto* header = new QLabel(LoadQString(str::kHeader), frame);
    QFont headerFont = header->font();
    headerFont.setPixelSize(kHeaderPixels);
    headerFont.setBold(true);
    header->setFont(headerFont);
    m_tip = new QLabel(frame);
    m_tip->setObjectName(QStringLiteral("Tip"));
    m_tip->setWordWrap(true);
    m_tip->setTextFormat(Qt::PlainText);
    m_tip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont tipFont = m_tip->font();
    tipFont.setPixelSize(kTipPixels);
    m_tip->setFont(tipFont);
    m_tip->setMinimumSize(360, 120);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(header);
    frameLayout->addWidget(m_tip, 1);
    m_startUp = new QCheckBox(LoadQString(str::kStartUp), this);
    m_startUp->setChecked(g_settings.desktop.showTips != 0);
    m_next = new QPushButton(LoadQString(str::kNext), this);
    m_close = new QPushButton(LoadQString(str::kClose), this);
    m_close->setDefault(true);
    connect(m_next, &QPushButton::clicked, this, &CTipDialog::ShowNextTip);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_startUp);
    buttons->addStretch(1);
    buttons->addWidget(m_next);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);

    if (m_file.Open(QFile::encodeName(tipFile).toStdString())) {
        m_file.Seek(uint64_t(uint32_t(g_settings.desktop.tipPosition)));
        ShowNextTip();
    } else {
        m_tip->setText(LoadQString(str::kReadError));
        m_next->setEnabled(false);
    }
}

CTipDialog::~CTipDialog() {
    RememberPosition();
}

void CTipDialog::RememberPosition() {
    if (m_file.IsOpen()) {
        g_settings.desktop.tipPosition = int32_t(m_file.Position());
        m_file.Close();
    }
}

QString CTipDialog::TipText() const {
    return m_tip->text();
}

void CTipDialog::ShowNextTip() {
    const std::optional<std::string> tip = m_file.ReadNextTip();
    m_tip->setText(tip ? QString::fromStdString(*tip) : LoadQString(str::kReadError));
}

void CTipDialog::accept() {
    g_settings.desktop.showTips = m_startUp->isChecked() ? 1 : 0;
    QDialog::accept();
}

void CTipDialog::done(int result) {
    RememberPosition();
    QDialog::done(result);
}

} // namespace ondrix
