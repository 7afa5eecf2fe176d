// KilnOp's one settings object.
#ifndef KILN_OPTIONS_SETTINGS_INSTANCE_H
#define KILN_OPTIONS_SETTINGS_INSTANCE_H

#include "../settings/initial_file.h"

KilnOpSettingsFile& OptionSettings();

#endif
