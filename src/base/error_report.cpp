#include "base/error_report.h"

#include "base/file_exception.h"
#include "base/message_service.h"
#include "base/user_abort.h"
#include "resources/string_table.h"

#include <new>

namespace ondrix {

namespace {
constexpr uint32_t kOutOfMemoryText = 32001;
}

void ReportException(const std::exception_ptr& error, bool showErrors) {
    if (!error || !showErrors) {
        return;
    }
    std::string text;
    try {
        std::rethrow_exception(error);
    } catch (const UserAbort&) {
        return;
    } catch (const FileException& e) {
        text = e.GetMessageText();
    } catch (const MemoryException&) {
        text = LoadString(kOutOfMemoryText);
    } catch (const std::bad_alloc&) {
        text = LoadString(kOutOfMemoryText);
    } catch (const std::exception& e) {
        text = std::string("An unexpected error occurred: ") + e.what();
    }
    Messages().Beep(MsgIcon::Stop);
    Messages().ShowMessage(text, MsgIcon::Stop, MsgButtons::Ok, 0);
}

} // namespace ondrix
