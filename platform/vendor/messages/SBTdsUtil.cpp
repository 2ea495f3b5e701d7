// The product name the message library was started for.
#include "sb/SBTdsUtil.h"

namespace {

// Process-wide, as in the original: one product per process.
struct TdsUtilSettings {
    std::string productName;

    static TdsUtilSettings& instance() {
        static TdsUtilSettings settings;
        return settings;
    }
};

}  // namespace

bool SBTdsUtil::tdsUtilInit(const char* productName) {
    if (productName)
        TdsUtilSettings::instance().productName = productName;
    return true;
}

std::string SBTdsUtil::productName() {
    return TdsUtilSettings::instance().productName;
}
