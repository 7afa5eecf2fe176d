// The [Message] section: the custom progress texts and their interval.
#include <cstdio>
#include <cstring>

#include "settings/settings_file.h"
#include "settings/profile_io.h"

void ReadMessageSettingsFrom(const char* iniPath, int* custom,
                             char messages[kMessageCount][kMessageSize], int* interval, unsigned* cut) {
    *custom = ini::ReadInt(iniPath, "Message", "Custom", 0);
    *interval = ini::ReadInt(iniPath, "Message", "Interval", 300);
    if (*custom == 0) return;
    for (int i = 0; i < kMessageCount; ++i) {
        char key[4];
        std::sprintf(key, "%d", i);
        if (!ini::ReadString(iniPath, "Message", key, "", messages[i], kMessageReadSize) && cut) *cut |= 1u << i;
    }
}

KilnOpSettingsFile::KilnOpSettingsFile() : Custom(0), Interval(0) {
    std::memset(Messages, 0, sizeof Messages);
}

void KilnOpSettingsFile::ReadMessageSettings() {
    unsigned cut = 0;
    ReadMessageSettingsFrom(IniPath, &Custom, Messages, &Interval, &cut);
    Overlong = (Overlong & ~static_cast<unsigned>(kOverlongMessages)) | (cut * kOverlongMessageFirst);
}

void KilnOpSettingsFile::WriteMessageDefaults() {
    ini::WriteString(IniPath, "Message", "Custom", "0");
    Interval = 300;
    std::memset(Messages, 0, sizeof Messages);
    WriteMessages();
}

void KilnOpSettingsFile::WriteMessages() {
    ini::WriteInt(IniPath, "Message", "Interval", Interval);
    for (int i = 0; i < kMessageCount; ++i) {
        char key[4];
        std::sprintf(key, "%d", i);
        // A text still held cut leaves the whole one in the file.
        if ((Overlong & (kOverlongMessageFirst << i)) == 0) ini::WriteString(IniPath, "Message", key, Messages[i]);
    }
}
