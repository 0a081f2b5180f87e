#include "views/position_text.h"

#include "controls/time_format.h"
#include "settings/core/settings.h"
#include "store/sample_store.h"

namespace ondrix {

bool IsFrameTimeFormat() {
    return g_settings.sampleWindow.timeFmt == TIMEFMT_SAMPLES;
}

QString PositionText(const CSampleStore& store, int64_t frame, bool withUnits) {
    if (IsFrameTimeFormat()) {
        return QString::number(frame);
    }
    const int64_t ms = store.FramesToMs(frame);
    return QString::fromStdString(FormatTime(uint32_t(std::max<int64_t>(ms, 0)),
                                             g_settings.sampleWindow.timeFmt, g_settings.sampleWindow.fps,
                                             withUnits));
}

} // namespace ondrix
