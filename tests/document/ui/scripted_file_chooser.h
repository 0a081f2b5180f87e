#pragma once

#include "document/file_chooser.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace ondrix::test {

/// Answers the file dialogs from a queue (cancelled when it runs dry) and notes every request; installed
/// for its lifetime, the previous chooser restored after.
class ScriptedFileChooser {
public:
    ScriptedFileChooser()
        : m_previous(SetFileChooserHook([this](const FileRequest& request) -> std::optional<std::string> {
              requests.push_back(request);
              if (answers.empty()) {
                  return std::nullopt;
              }
              std::optional<std::string> answer = answers.front();
              answers.pop_front();
              return answer;
          })) {}
    ~ScriptedFileChooser() { SetFileChooserHook(m_previous); }
    ScriptedFileChooser(const ScriptedFileChooser&) = delete;
    ScriptedFileChooser& operator=(const ScriptedFileChooser&) = delete;

    std::deque<std::optional<std::string>> answers; ///< the next answers; nullopt cancels
    std::vector<FileRequest> requests;              ///< every request, in order

private:
    FileChooserHook m_previous;
};

} // namespace ondrix::test
