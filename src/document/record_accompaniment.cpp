#include "document/record_accompaniment.h"

namespace ondrix {

namespace {

AccompanimentFactory& InstalledFactory() {
    static AccompanimentFactory factory;
    return factory;
}

} // namespace

void SetAccompanimentFactory(AccompanimentFactory factory) {
    InstalledFactory() = std::move(factory);
}

std::unique_ptr<IRecordAccompaniment> MakeAccompaniment(AccompanimentEnded ended) {
    if (const AccompanimentFactory& factory = InstalledFactory()) {
        if (std::unique_ptr<IRecordAccompaniment> made = factory(std::move(ended))) {
            return made;
        }
    }
    return std::make_unique<CNoAccompaniment>();
}

} // namespace ondrix
