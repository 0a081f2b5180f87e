#include "document/device_accompaniment.h"

#include "settings/core/accompaniment_settings.h"

#include <QEvent>

namespace ondrix {

CDeviceAccompaniment::CDeviceAccompaniment(AccompanimentEnded ended) : m_ended(std::move(ended)) {}

CDeviceAccompaniment::~CDeviceAccompaniment() {
    m_devices.Stop();
}

void CDeviceAccompaniment::Open() {
    m_devices.Prepare(AccompanimentFromSettings(g_settings));
}

void CDeviceAccompaniment::Start() {
    m_devices.Start(m_poster);
}

void CDeviceAccompaniment::Close() {
    m_devices.Stop();
}

bool CDeviceAccompaniment::event(QEvent* event) {
    if (event->type() != kPlayEndEvent) {
        return QObject::event(event);
    }
    // An end that arrives after the devices were closed belongs to no recording any more.
    if (m_devices.OpenDeviceCount() > 0 && m_ended) {
        m_ended();
    }
    return true;
}

void InstallDeviceAccompaniment() {
    SetAccompanimentFactory(
        [](AccompanimentEnded ended) { return std::make_unique<CDeviceAccompaniment>(std::move(ended)); });
}

} // namespace ondrix
