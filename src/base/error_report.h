#pragma once

#include <exception>

namespace ondrix {

/// Reports the exception caught at the top of an operation: silent for a UserAbort or when showErrors is
/// false, otherwise the framework-style text in a stop-icon message box. Unknown exceptions are reported
/// with the generic text.
void ReportException(const std::exception_ptr& error, bool showErrors);

} // namespace ondrix
