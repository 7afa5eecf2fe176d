// The [Message] section: the custom progress texts and their interval.
#include <cstdio>
#include <cstring>

#include "initial_file.h"
#include "profile_io.h"

void ReadMessageSettingsFrom(const char* iniPath, int* custom,
                             char messages[kMessageCount][kMessageSize], int* interval) {
    *custom = ini::ReadInt(iniPath, "Message", "Custom", 0);
    *interval = ini::ReadInt(iniPath, "Message", "Interval", 300);
    if (*custom == 0) return;
    for (int i = 0; i < kMessageCount; ++i) {
        char key[4];
        std::sprintf(key, "%d", i);
        // The texts are read with a limit of 80 bytes: at most 79 characters.
        ini::ReadString(iniPath, "Message", key, "", messages[i], kMessageSize - 1);
    }
}

zop_InitKilnOpInitialFile::zop_InitKilnOpInitialFile() : Custom(0), Interval(0) {
    std::memset(Messages, 0, sizeof Messages);
}

void zop_InitKilnOpInitialFile::ReadMessageSettings() {
    ReadMessageSettingsFrom(IniPath, &Custom, Messages, &Interval);
}

void zop_InitKilnOpInitialFile::WriteMessageDefaults() {
    ini::WriteString(IniPath, "Message", "Custom", "0");
    Interval = 300;
    std::memset(Messages, 0, sizeof Messages);
    WriteMessages();
}

void zop_InitKilnOpInitialFile::WriteMessages() {
    ini::WriteInt(IniPath, "Message", "Interval", Interval);
    for (int i = 0; i < kMessageCount; ++i) {
        char key[4];
        std::sprintf(key, "%d", i);
        ini::WriteString(IniPath, "Message", key, Messages[i]);
    }
}
