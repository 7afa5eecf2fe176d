#include "settings_instance.h"

namespace {
class ConstructedSettings : public KilnOpSettingsFile {
public:
    ConstructedSettings() { Construct(); }
};
}  // namespace

KilnOpSettingsFile& OptionSettings() {
    static ConstructedSettings settings;
    return settings;
}
