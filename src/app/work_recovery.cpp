#include "app/work_recovery.h"

#include "app/ondrix_app.h"
#include "base/message_service.h"
#include "controls/time_format.h"
#include "document/core/text_format.h"
#include "document/ondrix_doc.h"
#include "resources/string_ids.h"
#include "store/leftover_stores.h"
#include "store/temp_paths.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <cstdint>

namespace ondrix {

std::vector<std::string> TemporaryStoreDirectories(const TempPathSettings& paths) {
    std::vector<std::string> directories;
    for (const std::string* path : {&paths.editor, &paths.record, &paths.clipboard, &paths.synchroPlay}) {
        const StorageChoice storage = StorageForPath(*path);
        if (storage.mode == STORE_MEMORY) {
            continue;
        }
        const std::string directory = storage.directory.empty() ? SystemTempDirectory() : storage.directory;
        if (std::find(directories.begin(), directories.end(), directory) == directories.end()) {
            directories.push_back(directory);
        }
    }
    return directories;
}

std::string RecoveryQuestion(const CLeftoverStore& leftover) {
    const StoreDescription& d = leftover.Description();
    if (d.identity.kind == RecoveryKind::Changes) {
        return FormatTextId(str::kRecoverChangesText, {d.identity.title});
    }
    const QDateTime when = QDateTime::fromSecsSinceEpoch(d.identity.time);
    const std::string date = QLocale().toString(when, QLocale::ShortFormat).toStdString();
    const auto ms = uint32_t(std::min<uint64_t>(uint64_t(leftover.FrameCount()) * 1000 / d.rate, UINT32_MAX));
    // a length reads best as time; a format counting samples shows minutes, seconds and hundredths
    const uint8_t format = g_settings.sampleWindow.timeFmt == TIMEFMT_SAMPLES
                               ? uint8_t(TIMEFMT_MSF)
                               : g_settings.sampleWindow.timeFmt;
    const std::string length = FormatTime(ms, format, g_settings.sampleWindow.fps, false);
    return FormatTextId(str::kRecoverTakeText, {date, length});
}

void OfferLeftoverWork(COndrixApp& app) {
    LeftoverScan scan = ScanForLeftovers(TemporaryStoreDirectories(g_settings.tempPath));
    for (CLeftoverStore& leftover : scan.offers) {
        const uint32_t id = leftover.Description().identity.kind == RecoveryKind::Take
                                ? str::kRecoverTakeText
                                : str::kRecoverChangesText;
        Messages().Beep(MsgIcon::Question);
        // Cancel (and Escape) decide nothing: the work stays on disk and is offered at the next start
        const MsgAnswer answer = Messages().ShowMessage(RecoveryQuestion(leftover), MsgIcon::Question,
                                                        MsgButtons::YesNoCancel, id);
        if (answer == MsgAnswer::No) {
            leftover.Discard();
        }
        if (answer != MsgAnswer::Yes) {
            continue;
        }
        auto store = std::make_unique<CSampleStore>();
        if (!leftover.RestoreInto(*store)) {
            continue; // left on disk: the next start offers it again
        }
        auto doc = std::make_unique<COndrixDoc>(app.GetMainFrame());
        doc->AdoptRecoveredWork(std::move(store));
        app.AddDocumentWindow(std::move(doc));
    }
}

} // namespace ondrix
