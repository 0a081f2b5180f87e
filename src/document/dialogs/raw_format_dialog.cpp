#include "document/dialogs/raw_format_dialog.h"

#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace ondrix {

CRawFormatDialog::CRawFormatDialog(const RawFormat& format, uint64_t fileLength, QWidget* parent)
    : QDialog(parent), m_fields(this, format.rate, format.tracks, format.bits) {
    setObjectName(QStringLiteral("RawFormatDialog"));
    setWindowTitle(LoadQString(str::kRawFormatTitle));
    auto* explanation = new QLabel(LoadQString(str::kExplanation), this);
    explanation->setWordWrap(true);
    m_offset = new QSpinBox(this);
    m_offset->setObjectName(QStringLiteral("Offset"));
    const uint64_t last = fileLength == 0 ? 0 : fileLength - 1;
    m_offset->setRange(0, int(std::min<uint64_t>(last, uint64_t(std::numeric_limits<int>::max()))));
    m_offset->setValue(int(std::min<uint64_t>(format.offset, uint64_t(m_offset->maximum()))));

    auto* form = new QFormLayout;
    m_fields.AddRows(form);
    auto* offsetLabel = new QLabel(LoadQString(str::kOffsetLabel), this);
    offsetLabel->setBuddy(m_offset);
    form->addRow(offsetLabel, m_offset);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(form);
    layout->addWidget(m_fields.BitsGroup());
    AddOkCancel(this, layout);
    setTabOrder(m_fields.TracksBox(), m_offset); // the fields in the order they are shown
}

RawFormat CRawFormatDialog::GetFormat() const {
    RawFormat format;
    format.rate = m_fields.Rate();
    format.tracks = m_fields.Tracks();
    format.bits = m_fields.Bits();
    format.offset = uint32_t(m_offset->value());
    return format;
}

void CRawFormatDialog::accept() {
    if (m_fields.ValidateRate()) {
        QDialog::accept();
    }
}

} // namespace ondrix
