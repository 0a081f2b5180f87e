#include "cli_io.h"

#include "base/progress.h"
#include "fileformat/wave_messages.h"
#include "resources/string_ids.h"

#include <sys/stat.h>

namespace ondrix::cli {

namespace {

void ShowProgressOnTerminal(CSampleStore& store, uint32_t textId) {
    store.m_progressWindowId = kStatusBarWindowId;
    store.m_progressTextId = textId;
}

} // namespace

InputOptions ParseInputOptions(const CArgs& args, StorageMode defaultMode) {
    InputOptions options;
    options.mode = defaultMode;
    if (const auto raw = args.Value(kRawInOption)) {
        options.raw = ParseRawFormat(*raw);
    }
    if (const auto storage = args.Value(kStorageOption)) {
        if (*storage == "inplace") {
            options.mode = STORE_INPLACE;
        } else if (*storage == "temp") {
            options.mode = STORE_TEMPFILE;
        } else if (*storage == "memory") {
            options.mode = STORE_MEMORY;
        } else {
            throw UsageError(FormatStringText(str::kMsgBadStorage, *storage));
        }
    }
    return options;
}

bool LoadInput(CSampleStore& store, const std::string& path, const InputOptions& options) {
    ShowProgressOnTerminal(store, str::kLoadText);
    if (!options.raw) {
        return store.Load(path, options.mode, std::string());
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        uint64_t(info.st_size) <= options.raw->offset) {
        PrintError(FormatStringText(str::kMsgOffsetBeyondEnd, std::to_string(options.raw->offset)));
        return false;
    }
    return store.LoadRaw(path, *options.raw, options.mode, std::string());
}

bool SaveOutput(CSampleStore& store, const std::string& path, bool raw) {
    ShowProgressOnTerminal(store, str::kSaveText);
    return store.Save(path, raw);
}

} // namespace ondrix::cli
