// The [Message] section as KilnOp reads and writes it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "settings/settings_file.h"
#include "support/test_files.h"

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

TEST(MessageSettings, TextsAreReadOnlyWhenCustomIsSet) {
    TempDir dir;
    WriteFile(dir / "Kiln.ini", "[Message]\r\nCustom=0\r\nInterval=50\r\n0=first\r\n1=second\r\n");
    KilnOpSettingsFile s;
    s.SetDirectory(dir.path().c_str());
    std::strcpy(s.Messages[0], "kept");
    s.ReadMessageSettings();
    EXPECT_EQ(s.Custom, 0);
    EXPECT_EQ(s.Interval, 50);
    EXPECT_STREQ(s.Messages[0], "kept");

    std::string eighty(80, 'm');
    WriteFile(dir / "Kiln.ini", "[Message]\r\nCustom=1\r\n0=first\r\n1=" + eighty + "\r\n2=コンパイル中です\r\n");
    s.ReadMessageSettings();
    EXPECT_EQ(s.Custom, 1);
    EXPECT_EQ(s.Interval, 300);
    EXPECT_STREQ(s.Messages[0], "first");
    EXPECT_EQ(std::string(s.Messages[1]), eighty.substr(0, 79));
    EXPECT_STREQ(s.Messages[2], "コンパイル中です");
    EXPECT_STREQ(s.Messages[3], "");
}

TEST(MessageSettings, WriteMessagesKeepsEmptyKeys) {
    TempDir dir;
    WriteFile(dir / "Kiln.ini", "[Message]\r\nCustom=1\r\nInterval=100\r\n0=a\r\n5=b\r\n");
    KilnOpSettingsFile s;
    s.SetDirectory(dir.path().c_str());
    s.ReadMessageSettings();
    std::memset(s.Messages, 0, sizeof s.Messages);
    s.Interval = -5;
    s.WriteMessages();
    EXPECT_EQ(ReadFile(dir / "Kiln.ini"),
              "[Message]\r\nCustom=1\r\nInterval=-5\r\n0=\r\n5=\r\n1=\r\n2=\r\n3=\r\n4=\r\n6=\r\n7=\r\n8=\r\n9=\r\n");
}

TEST(MessageSettings, DefaultsResetEverything) {
    TempDir dir;
    KilnOpSettingsFile s;
    s.SetDirectory(dir.path().c_str());
    std::strcpy(s.Messages[4], "old");
    s.Interval = 9;
    s.WriteMessageDefaults();
    EXPECT_EQ(s.Interval, 300);
    EXPECT_STREQ(s.Messages[4], "");
    EXPECT_EQ(ReadFile(dir / "Kiln.ini"),
              "[Message]\r\nCustom=0\r\nInterval=300\r\n0=\r\n1=\r\n2=\r\n3=\r\n4=\r\n5=\r\n6=\r\n7=\r\n8=\r\n9=\r\n");
}
