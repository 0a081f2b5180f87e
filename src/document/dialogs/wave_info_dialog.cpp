#include "document/dialogs/wave_info_dialog.h"

#include "controls/ui/tab_chain.h"
#include "document/dialogs/format_fields.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QVBoxLayout>

namespace ondrix {

namespace {

constexpr int kCopyrightIndex = 3; // "ICOP"
constexpr int kTitleIndex = 9;     // "INAM"
constexpr int kSoftwareIndex = 12; // "ISFT"
constexpr int kEntryCount = 14;
constexpr uint32_t kFirstNameId = 1044; // "Artist"; the fourteen names follow in list order

} // namespace

QString DecodeInfoText(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QByteArrayView view(bytes.data(), qsizetype(bytes.size()));
    QString text = utf8.decode(view);
    return utf8.hasError() ? QString::fromLatin1(view) : text;
}

int CWaveInfoDialog::InfoIndexOfEntry(int entry) noexcept {
    int index = entry + (entry >= kCopyrightIndex ? 1 : 0);
    return index + (index >= kTitleIndex ? 1 : 0);
}

CWaveInfoDialog::CWaveInfoDialog(const std::array<std::string, kInfoTextCount>& texts, QWidget* parent)
    : QDialog(parent), m_bytes(texts) {
    setObjectName(QStringLiteral("WaveInfoDialog"));
    setWindowTitle(LoadQString(str::kWaveInfoTitle));
    m_title = new QLineEdit(DecodeInfoText(texts[kTitleIndex]), this);
    m_title->setObjectName(QStringLiteral("Title"));
    m_copyright = new QLineEdit(DecodeInfoText(texts[kCopyrightIndex]), this);
    m_copyright->setObjectName(QStringLiteral("Copyright"));
    auto* form = new QFormLayout;
    auto* titleLabel = new QLabel(LoadQString(str::kInfoTitleLabel), this);
    titleLabel->setBuddy(m_title);
    auto* copyrightLabel = new QLabel(LoadQString(str::kInfoCopyrightLabel), this);
    copyrightLabel->setBuddy(m_copyright);
    form->addRow(titleLabel, m_title);
    form->addRow(copyrightLabel, m_copyright);

    auto* group = new QGroupBox(LoadQString(str::kOtherInformationGroup), this);
    m_list = new QListWidget(group);
    m_list->setObjectName(QStringLiteral("Information"));
    for (int entry = 0; entry < kEntryCount; ++entry) {
        m_list->addItem(LoadQString(kFirstNameId + uint32_t(entry)));
    }
    m_description = new QPlainTextEdit(group);
    m_description->setObjectName(QStringLiteral("Description"));
    m_description->setTabChangesFocus(true);
    auto* listLabel = new QLabel(LoadQString(str::kInformationLabel), group);
    listLabel->setBuddy(m_list);
    auto* descriptionLabel = new QLabel(LoadQString(str::kDescriptionLabel), group);
    descriptionLabel->setBuddy(m_description);
    auto* groupLayout = new QFormLayout(group);
    groupLayout->addRow(listLabel, m_list);
    groupLayout->addRow(descriptionLabel, m_description);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(group);
    AddOkCancel(this, layout);
    SetTabChain({m_title, m_copyright, m_list, m_description});

    m_shownTitle = m_title->text();
    m_shownCopyright = m_copyright->text();
    connect(m_list, &QListWidget::currentRowChanged, this, &CWaveInfoDialog::OnSelectionChanged);
    m_list->setCurrentRow(0);
    m_title->setFocus();
}

void CWaveInfoDialog::StoreText(int index, const QString& text, const QString& shown) {
    // Compared with what the field showed, not with the bytes: a field may normalise line ends.
    if (text != shown) {
        m_bytes[std::size_t(index)] = text.toUtf8().toStdString();
    }
}

void CWaveInfoDialog::OnSelectionChanged() {
    if (m_shown >= 0) {
        StoreText(m_shown, m_description->toPlainText(), m_shownDescription);
    }
    const int entry = m_list->currentRow();
    m_shown = entry >= 0 ? InfoIndexOfEntry(entry) : -1;
    m_description->setPlainText(m_shown >= 0 ? DecodeInfoText(m_bytes[std::size_t(m_shown)]) : QString());
    m_shownDescription = m_description->toPlainText();
    m_description->setReadOnly(m_shown == kSoftwareIndex);
}

void CWaveInfoDialog::accept() {
    if (m_shown >= 0) {
        StoreText(m_shown, m_description->toPlainText(), m_shownDescription);
    }
    StoreText(kTitleIndex, m_title->text(), m_shownTitle);
    StoreText(kCopyrightIndex, m_copyright->text(), m_shownCopyright);
    QDialog::accept();
}

} // namespace ondrix
