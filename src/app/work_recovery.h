#pragma once

#include "settings/core/settings.h"

#include <string>
#include <vector>

namespace ondrix {

class CLeftoverStore;
class COndrixApp;

/// The directories the four kinds of temporary stores are made in (stores in RAM have none).
std::vector<std::string> TemporaryStoreDirectories(const TempPathSettings& paths);

/// The question that offers a leftover: "Recover the recording of DATE (LENGTH)?" for a take,
/// "Recover the changes to NAME?" for a changed sound.
std::string RecoveryQuestion(const CLeftoverStore& leftover);

/// At start-up: offers each store a crashed run left in the temporary directories; Yes opens it as a
/// modified document, No deletes it. Leftovers without a description are deleted without a question.
void OfferLeftoverWork(COndrixApp& app);

} // namespace ondrix
