#include "settings_instance.h"

namespace {
// A static object, so that a first run (KilnOp started and waited for) is
// over before Kiln's entry function runs.
class ConstructedSettings : public zop_KilnInitialFile {
public:
    ConstructedSettings() { Construct(); }
};
}  // namespace

zop_KilnInitialFile& KilnSettings() {
    static ConstructedSettings settings;
    return settings;
}
