#include "settings_instance.h"

namespace {
class ConstructedSettings : public zop_InitKilnOpInitialFile {
public:
    ConstructedSettings() { Construct(); }
};
}  // namespace

zop_InitKilnOpInitialFile& OptionSettings() {
    static ConstructedSettings settings;
    return settings;
}
