#include "settings_instance.h"

namespace {
// A static object, so that a first run (KilnOp started and waited for) is
// over before Kiln's entry function runs.
class ConstructedSettings : public KilnSettingsFile {
public:
    ConstructedSettings() { Construct(); }
};
}  // namespace

KilnSettingsFile& KilnSettings() {
    static ConstructedSettings settings;
    return settings;
}
