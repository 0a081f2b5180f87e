#include "process/block_driver.h"
#include "store/sample_store.h"

namespace ondrix {

bool CSampleStore::Process(const uint32_t* trackMask, int64_t firstFrame, int64_t lastFrame, bool modify,
                           uint32_t numerator, uint32_t denominator, bool insert, ProcessRoutine routine,
                           uint8_t granularity, void* context) {
    DriverRequest request{trackMask,   firstFrame, lastFrame, modify,      numerator,
                          denominator, insert,     routine,   granularity, context};
    return CBlockDriver(*this, request).Run();
}

} // namespace ondrix
