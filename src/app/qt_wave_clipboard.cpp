#include "app/qt_wave_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace ondrix {

namespace {

const QString kWaveType = QStringLiteral("audio/wav");
const QString kOlderWaveType = QStringLiteral("audio/x-wav");

/// The clipboard's WAVE type, or an empty string when it holds none.
QString WaveTypeOf(const QMimeData* data) {
    if (!data) {
        return {};
    }
    for (const QString& type : {kWaveType, kOlderWaveType}) {
        if (data->hasFormat(type)) {
            return type;
        }
    }
    return {};
}

} // namespace

CQtWaveClipboard::CQtWaveClipboard() : m_previous(SetWaveClipboard(this)) {}

CQtWaveClipboard::~CQtWaveClipboard() {
    SetWaveClipboard(m_previous);
}

bool CQtWaveClipboard::SetWave(std::vector<uint8_t> block) {
    auto* data = new QMimeData;
    data->setData(kWaveType,
                  QByteArray(reinterpret_cast<const char*>(block.data()), qsizetype(block.size())));
    QGuiApplication::clipboard()->setMimeData(data);
    return true;
}

bool CQtWaveClipboard::GetWave(std::vector<uint8_t>& block) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QString type = WaveTypeOf(data);
    if (type.isEmpty()) {
        return false;
    }
    const QByteArray bytes = data->data(type);
    block.assign(bytes.begin(), bytes.end());
    return true;
}

bool CQtWaveClipboard::HasWave() {
    return !WaveTypeOf(QGuiApplication::clipboard()->mimeData()).isEmpty();
}

} // namespace ondrix
