// KilnOp.exe driven under Wine: its sheet, pages and dialogs, with Kiln.ini
// read back as a file.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "resources/option_ids.h"
#include "resources/shared_names.h"
#include "support/gui_message_boxes.h"
#include "support/gui_property_sheet.h"
#include "support/gui_windows.h"
#include "support/processes.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {

const char kSheetCaption[] = "Kiln Set Option";
const char kFileDialog[] = "ファイル選択";
const char kSaveError[] = "KilnOp 保存エラー";

// The value of a key as the file holds it; "<none>" when it is missing.
std::string IniValue(const std::string& text, const std::string& section, const std::string& key) {
    std::string::size_type at = text.find("[" + section + "]\r\n");
    if (at == std::string::npos) return "<none>";
    at = text.find("\r\n", at) + 2;
    while (at < text.size() && text[at] != '[') {
        std::string::size_type end = text.find("\r\n", at);
        std::string line = text.substr(at, end - at);
        if (line.compare(0, key.size() + 1, key + "=") == 0) return line.substr(key.size() + 1);
        if (end == std::string::npos) break;
        at = end + 2;
    }
    return "<none>";
}

// KilnOp.exe in a folder of its own, with the Kiln.ini given (none if empty).
struct KilnOpInstall {
    TempDir dir{"kilnop"};
    Process process;
    SheetDriver sheet;

    explicit KilnOpInstall(const std::string& ini) {
        CopyFileTo(BinDir() + "\\KilnOp.exe", dir / "KilnOp.exe");
        if (!ini.empty()) WriteFile(dir / "Kiln.ini", ini);
    }
    std::string Ini() const { return ReadFile(dir / "Kiln.ini"); }
    std::string Value(const std::string& section, const std::string& key) const {
        return IniValue(Ini(), section, key);
    }
    // Starts KilnOp (in `folder`, default its own) and waits for the sheet.
    bool Open(const std::string& folder = std::string()) {
        return process.Start(dir / "KilnOp.exe", "", folder.empty() ? dir.path() : folder) &&
               sheet.Find(kSheetCaption);
    }
    bool Closed() { return WaitForExitCode(process, 15000) == 0; }
};

// The stand-in Kiln window (fixture kiln_standin_gui.exe) beside KilnOp.
struct StandinKiln {
    Process process;
    std::string log;
    bool Start(const TempDir& dir) {
        CopyFileTo(BinDir() + "\\kiln_standin_gui.exe", dir / "kiln_standin.exe");
        log = dir / "Kiln.log";
        return process.Start(dir / "kiln_standin.exe", "/rect=50,60,400,200", dir.path()) &&
               WaitForTopLevelWindow(KILN_WINDOW_CLASS, process.Id()) != NULL;
    }
    std::vector<std::string> Reloads() const {
        std::vector<std::string> lines;
        std::string text = ReadFile(log);
        for (std::string::size_type at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
            lines.push_back(text.substr(at, end - at));
        return lines;
    }
};

std::vector<std::string> ProfileItems(const std::vector<std::string>& names) {
    std::vector<std::string> items;
    char item[300];
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::snprintf(item, sizeof item, "(%2d) %s", static_cast<int>(i + 1), names[i].c_str());
        items.push_back(item);
    }
    return items;
}

}  // namespace

TEST(OptionSheet, FirstStartCompilerPageRenameSwitchAndCancel) {
    KilnOpInstall op("");
    CopyFileTo(BinDir() + "\\script_compiler.exe", op.dir / "gcc.exe");
    WriteFile(op.dir / "KilnOp.ini", "[Compiler]\r\n1=" + (op.dir / "gcc.exe") + "\r\n");
    ASSERT_TRUE(op.Open());
    SheetDriver& s = op.sheet;

    // The defaults were written before the sheet came up.
    EXPECT_EQ(op.Value("Compiler1", "Path"), op.dir / "gcc.exe");
    EXPECT_EQ(op.Value("Message", "Interval"), "300");
    EXPECT_EQ(WindowText(s.handle()), kSheetCaption);
    EXPECT_EQ(GetWindowLongA(s.handle(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP, 0);
    EXPECT_EQ(s.TabTexts(), (std::vector<std::string>{"コンパイラ／プログラム実行", "Wrenlet", "ウィンドウ"}));
    EXPECT_FALSE(s.ButtonEnabled(SheetDriver::kApply));

    struct Label {
        int id;
        const char* text;
    };
    const Label labels[] = {{1001, "設定選択"}, {1004, "設定名称"}, {1100, "コンパイラ設定"},
                            {1005, "設定コンパイラパス"}, {1103, "OutputFile オプション"},
                            {1110, "実行環境プログラムを使用する（execute.exe , java等） "},
                            {1111, "プログラムの実行確認をしない"}, {1112, "正常に終了後ウィンドウを閉じる"}};
    for (const Label& label : labels) EXPECT_EQ(s.Text(label.id), label.text) << label.id;

    std::vector<std::string> names;
    for (int i = 1; i <= 10; ++i) names.push_back("Compiler" + std::to_string(i));
    EXPECT_EQ(ComboItems(s.Item(IDC_PROFILE_LIST)), ProfileItems(names));
    EXPECT_EQ(SendMessageA(s.Item(IDC_PROFILE_LIST), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(s.Text(IDC_COMPILER_PATH), op.dir / "gcc.exe");
    EXPECT_EQ(s.Text(IDC_OUTPUT_OPTION), "-o");
    EXPECT_EQ(s.Text(IDC_OUTPUT_TYPE), "exe");
    EXPECT_TRUE(s.Checked(IDC_AID_EXECUTE));
    EXPECT_TRUE(s.Enabled(IDC_AID_PATH) && s.Enabled(IDC_AID_BROWSE));

    s.Click(IDC_AID_EXECUTE);
    EXPECT_FALSE(s.Enabled(IDC_AID_PATH) || s.Enabled(IDC_AID_BROWSE));
    EXPECT_TRUE(s.ButtonEnabled(SheetDriver::kApply));

    // Renamed at every keystroke, and still the selected item.
    s.Type(IDC_PROFILE_NAME, "ＧＮＵ");
    s.Type(IDC_PROFILE_NAME, "ＧＮＵ Ｃ表");
    names[0] = "ＧＮＵ Ｃ表";
    EXPECT_EQ(ComboItems(s.Item(IDC_PROFILE_LIST)), ProfileItems(names));
    EXPECT_EQ(SendMessageA(s.Item(IDC_PROFILE_LIST), CB_GETCURSEL, 0, 0), 0);

    // A switch saves the profile that was shown, under the old CompilerNo.
    s.Type(IDC_COMPILE_OPTION, "-Wall");
    s.Choose(IDC_PROFILE_LIST, 3);
    EXPECT_EQ(s.Text(IDC_PROFILE_NAME), "Compiler4");
    EXPECT_EQ(s.Text(IDC_COMPILER_PATH), "");
    EXPECT_EQ(op.Value("Compiler1", "CompilerName"), "ＧＮＵ Ｃ表");
    EXPECT_EQ(op.Value("Compiler1", "CompileOption"), "-Wall");
    EXPECT_EQ(op.Value("Compiler1", "AidExecute"), "0");

    s.Type(IDC_PROFILE_NAME, "捨てる名前");
    s.Press(IDCANCEL);
    EXPECT_TRUE(op.Closed());
    EXPECT_EQ(op.Value("Compiler", "CompilerNo"), "0");
    EXPECT_EQ(op.Value("Compiler4", "CompilerName"), "Compiler4");
}

TEST(OptionSheet, WindowPageStatesFollowTheSettings) {
    const int sizeRow[] = {IDC_WIDTH, IDC_HEIGHT, IDC_WIDTH_LABEL, IDC_HEIGHT_LABEL, IDC_WIDTH_SPIN,
                           IDC_HEIGHT_SPIN, IDC_CURRENT_SIZE};
    const int positionRow[] = {IDC_X, IDC_Y, IDC_X_LABEL, IDC_Y_LABEL, IDC_X_SPIN, IDC_Y_SPIN,
                               IDC_CURRENT_POSITION};
    struct Case {
        const char* window;
        const char* custom;
        bool fix, details, sizeRow, messageGroup;
    };
    const Case cases[] = {
        // Docking excludes every fixed setting, whatever they hold.
        {"Magnet=1\r\nFix=1\r\nSize=1\r\nPosition=1\r\n", "0", false, false, false, false},
        // No Kiln running: the size row without its "current" button.
        {"Magnet=0\r\nFix=1\r\nSize=1\r\nPosition=0\r\nWidth=640\r\nX=-8\r\n", "1", true, true, true, true},
        {"Magnet=0\r\nFix=0\r\nSize=1\r\n", "2", true, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        KilnOpInstall op(std::string("[Window]\r\n") + c.window + "[Message]\r\nCustom=" + c.custom + "\r\n");
        ASSERT_TRUE(op.Open());
        SheetDriver& s = op.sheet;
        s.ShowPage(2);
        EXPECT_EQ(s.Enabled(IDC_FIX), c.fix);
        EXPECT_EQ(s.Enabled(IDC_FIX_SIZE), c.details);
        EXPECT_EQ(s.Enabled(IDC_FIX_POSITION), c.details);
        for (int id : sizeRow) EXPECT_EQ(s.Enabled(id), c.sizeRow && id != IDC_CURRENT_SIZE) << id;
        for (int id : positionRow) EXPECT_FALSE(s.Enabled(id)) << id;
        for (int id : {IDC_MESSAGE_GROUP, IDC_CUSTOM, IDC_CUSTOMISE}) EXPECT_EQ(s.Visible(id), c.messageGroup) << id;
        EXPECT_EQ(s.Checked(IDC_MAGNET), c.window[7] == '1');
        s.Press(IDCANCEL);
        EXPECT_TRUE(op.Closed());
    }
}
