#include "base/error_report.h"

#include "base/file_exception.h"
#include "base/message_service.h"
#include "base/user_abort.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <new>

namespace ondrix {

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
        text = LoadString(str::kOutOfMemoryText);
    } catch (const std::bad_alloc&) {
        text = LoadString(str::kOutOfMemoryText);
    } catch (const std::exception& e) {
        text = LoadString(str::kUnexpectedErrorText) + e.what();
    }
    Messages().Beep(MsgIcon::Stop);
    Messages().ShowMessage(text, MsgIcon::Stop, MsgButtons::Ok, 0);
}

} // namespace ondrix
