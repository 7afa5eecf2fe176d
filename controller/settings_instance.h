// Kiln's one settings object.
#ifndef KILN_CONTROLLER_SETTINGS_INSTANCE_H
#define KILN_CONTROLLER_SETTINGS_INSTANCE_H

#include "../settings/initial_file.h"

KilnSettingsFile& KilnSettings();

#endif
