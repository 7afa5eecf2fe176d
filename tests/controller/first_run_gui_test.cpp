// The first-run road with the real programs copied into a temporary folder.
#include <gtest/gtest.h>

#include <string>

#include "support/processes.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {
struct Installed {
    TempDir dir{"kiln-road"};
    explicit Installed(bool withOptions) {
        CopyFileTo(BinDir() + "\\Kiln.exe", dir / "Kiln.exe");
        if (withOptions) CopyFileTo(BinDir() + "\\KilnOp.exe", dir / "KilnOp.exe");
    }
};
}  // namespace

TEST(FirstRunRoad, KilnAloneWritesDefaultsWithoutMessages) {
    Installed in(false);
    WriteFile(in.dir / "gcc.exe", "");
    WriteFile(in.dir / "KilnOp.ini", "[Compiler]\r\n1=" + (in.dir / "gcc.exe") + "\r\n");
    // No argument: Kiln reports the missing source file; answer it if shown.
    Process kiln;
    ASSERT_TRUE(kiln.Start(in.dir / "Kiln.exe", "", in.dir.path()));
    ASSERT_TRUE(kiln.WaitForExit(20000) || (kiln.Kill(), false));
    std::string ini = ReadFile(in.dir / "Kiln.ini");
    EXPECT_NE(ini.find("Path=" + (in.dir / "gcc.exe")), std::string::npos) << ini;
    EXPECT_EQ(ini.find("[Message]"), std::string::npos) << ini;
}

TEST(FirstRunRoad, KilnLetsKilnOpWriteTheFile) {
    Installed in(true);
    Process kiln;
    ASSERT_TRUE(kiln.Start(in.dir / "Kiln.exe", "", in.dir.path()));
    ASSERT_TRUE(kiln.WaitForExit(20000));
    std::string ini = ReadFile(in.dir / "Kiln.ini");
    EXPECT_NE(ini.find("[Message]\r\nCustom=0\r\nInterval=300\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("[Compiler10]\r\nCompilerName=Compiler10\r\n"), std::string::npos) << ini;
}
