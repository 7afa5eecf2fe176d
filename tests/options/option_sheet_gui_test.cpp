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
    // Starts KilnOp (in `folder`, default its own) and waits for the sheet;
    // when none comes, says what KilnOp shows instead, or how it ended.
    bool Open(const std::string& folder = std::string()) {
        if (!process.Start(dir / "KilnOp.exe", "", folder.empty() ? dir.path() : folder)) return false;
        if (sheet.Find(kSheetCaption, 30000)) return true;
        std::string shown;
        for (HWND w = GetTopWindow(NULL); w; w = GetWindow(w, GW_HWNDNEXT)) {
            DWORD id = 0;
            GetWindowThreadProcessId(w, &id);
            if (id == process.Id()) shown += " [" + WindowClass(w) + " \"" + WindowText(w) + "\"]";
        }
        ADD_FAILURE() << "no sheet; KilnOp " << (process.Running() ? "runs, windows:" + shown : "ended with " +
                                                  std::to_string(process.ExitCode()));
        return false;
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
    EXPECT_EQ(op.Ini().find("OutputCode"), std::string::npos);
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
    EXPECT_TRUE(WaitUntil([&] { return s.Text(IDC_PROFILE_NAME) == "Compiler4"; }));
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

TEST(OptionSheet, WindowPageAppliesTypedValuesAndMessageDialogWritesAtOnce) {
    KilnOpInstall op("[Window]\r\nMagnet=0\r\nFix=1\r\nSize=1\r\nPosition=1\r\n"
                     "[Message]\r\nCustom=1\r\nInterval=250\r\n0=既存の文\r\n");
    ASSERT_TRUE(op.Open());
    SheetDriver& s = op.sheet;
    s.ShowPage(2);
    for (int k = 0; k < 4; ++k) {
        HWND spin = s.Item(IDC_WIDTH_SPIN + k);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0)), s.Item(IDC_WIDTH + k)) << k;
        EXPECT_EQ(SendMessageA(spin, UDM_GETRANGE, 0, 0), MAKELONG(3000, 0)) << k;
    }
    // Typed values are kept as typed, the up-downs' range notwithstanding.
    s.Type(IDC_WIDTH, "5000");
    s.Type(IDC_HEIGHT, "abc");
    s.Type(IDC_X, "-5");
    s.Type(IDC_Y, "-8");

    // A text takes the 79 bytes that a load gives back whole; a kanji is
    // two of them, typed or pasted.
    std::string typed, pasted = "a";
    for (int i = 0; i < 45; ++i) pasted += "表";
    for (int i = 0; i < 39; ++i) typed += "あ";
    const std::string eighty(80, 'x'), kept = eighty.substr(1);
    for (int round = 0; round < 2; ++round) {
        s.ClickOpening(IDC_CUSTOMISE);
        MessageBoxInfo dialog;
        ASSERT_TRUE(AnswerMessageBox("コンパイルメッセージカスタマイズ", 0, &dialog));
        HWND d = dialog.box;
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_INTERVAL, EM_GETLIMITTEXT, 0, 0), 5);
        EXPECT_EQ(WindowText(GetDlgItem(d, IDC_MESSAGE_LABEL_FIRST + 9)), "メッセージ１０");
        EXPECT_EQ(WindowText(GetDlgItem(d, IDC_MESSAGE_FIRST)), round == 0 ? "既存の文" : kept);
        EXPECT_EQ(WindowText(GetDlgItem(d, IDC_INTERVAL)), round == 0 ? "250" : "0");
        PasteText(GetDlgItem(d, IDC_MESSAGE_FIRST), round ? "捨てる" : eighty);
        if (round == 0) PasteText(GetDlgItem(d, IDC_MESSAGE_FIRST + 2), pasted);
        for (int i = 0; i < 90 && round == 0; ++i) SendDlgItemMessageW(d, IDC_MESSAGE_FIRST + 1, WM_CHAR, L'あ', 1);
        const std::string fitted[] = {kept, typed, pasted.substr(0, 79)};
        for (int k = 0; k < 3 && round == 0; ++k)
            EXPECT_EQ(WindowText(GetDlgItem(d, IDC_MESSAGE_FIRST + k)), fitted[k]) << k;
        SendDlgItemMessageA(d, IDC_MESSAGE_FIRST + 9, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("十番目"));
        SendDlgItemMessageA(d, IDC_INTERVAL, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        // OK writes at once, Cancel writes nothing.
        PostMessageA(d, WM_COMMAND, round == 0 ? IDOK : IDCANCEL, 0);
        EXPECT_TRUE(WaitForWindowGone(d));
        for (int k = 0; k < 3; ++k) EXPECT_EQ(op.Value("Message", std::to_string(k)), fitted[k]) << k;
        EXPECT_EQ(op.Value("Message", "9"), "十番目");
        EXPECT_EQ(op.Value("Message", "3"), "");
        EXPECT_EQ(op.Value("Message", "Interval"), "0");
    }
    EXPECT_EQ(op.Value("Window", "Width"), "<none>");

    s.Click(IDC_CUSTOM);
    EXPECT_FALSE(s.Visible(IDC_CUSTOM) || s.Visible(IDC_CUSTOMISE));
    s.Press(IDOK);
    EXPECT_TRUE(op.Closed());
    const char* expected[][2] = {{"Magnet", "0"}, {"Fix", "1"},      {"Size", "1"}, {"Width", "5000"},
                                 {"Height", "0"}, {"Position", "1"}, {"X", "-5"},   {"Y", "-8"}};
    for (auto& key : expected) EXPECT_EQ(op.Value("Window", key[0]), key[1]) << key[0];
    EXPECT_EQ(op.Value("Message", "Custom"), "0");
}

TEST(OptionSheet, BrowseButtonsDeriveAndWriteAtOnce) {
    KilnOpInstall op("");
    const std::string tools = op.dir.MakeDir("ソース\\表");
    for (const char* name : {"gcc.exe", "bcc32.exe", "javac.exe"}) WriteFile(tools + "\\" + name, "");
    WriteFile(op.dir / "execute.exe", "");
    const std::string here = op.dir.MakeDir("作業");  // KilnOp's current folder
    for (const char* name : {"WRENLET.EXE", "other.exe"}) WriteFile(here + "\\" + name, "");
    WriteFile(op.dir / "Kiln.ini", "[Compiler1]\r\nCompilerName=C\r\nPath=" + tools +
                                       "\\gcc.exe\r\nAidExecute=0\r\n[Editor]\r\nPath=notepad.exe\r\nJumpType=0\r\n");
    ASSERT_TRUE(op.Open(here));
    SheetDriver& s = op.sheet;

    struct Pick {
        const char* typed;
        const char* option;
        const char* type;
    };
    // Each browse opens in the folder of the compiler picked before.
    const Pick picks[] = {{"bcc32.exe", "-e", "exe"}, {"javac.exe", "", "class"}, {"gcc.exe", "-o", "exe"}};
    for (const Pick& pick : picks) {
        SCOPED_TRACE(pick.typed);
        s.ClickOpening(IDC_COMPILER_BROWSE);
        std::vector<std::string> filters;
        ASSERT_TRUE(AnswerFileDialog(kFileDialog, pick.typed, &filters));
        EXPECT_EQ(filters, (std::vector<std::string>{"実行ファイル(*.exe)", "すべて(*.*)"}));
        EXPECT_TRUE(WaitUntil([&] { return s.Text(IDC_COMPILER_PATH) == tools + "\\" + pick.typed; }));
        EXPECT_EQ(s.Text(IDC_OUTPUT_OPTION), pick.option);
        EXPECT_EQ(s.Text(IDC_OUTPUT_TYPE), pick.type);
        EXPECT_EQ(s.Text(IDC_AID_PATH), op.dir / "execute.exe");
        EXPECT_FALSE(s.Checked(IDC_AID_EXECUTE));
        EXPECT_EQ(op.Value("Compiler1", "OutputFileOption"), pick.option);
        EXPECT_EQ(op.Value("Compiler1", "OutputFileType"), pick.type);
        EXPECT_EQ(op.Value("Compiler1", "AidExecute"), "1");
        EXPECT_EQ(op.Value("Compiler1", "AidProgramPath"), op.dir / "execute.exe");
    }

    // A bare editor name: the dialog opens in KilnOp's own current folder,
    // which the compiler browses left as it was.
    s.ShowPage(1);
    struct EditorPick {
        const char* typed;
        const char* option;
    };
    for (const EditorPick& pick : {EditorPick{"WRENLET.EXE", "/jl=%N"}, EditorPick{"other.exe", ""}}) {
        SCOPED_TRACE(pick.typed);
        s.ClickOpening(IDC_EDITOR_BROWSE);
        ASSERT_TRUE(AnswerFileDialog(kFileDialog, pick.typed));
        EXPECT_TRUE(WaitUntil([&] { return s.Text(IDC_EDITOR_PATH) == here + "\\" + pick.typed; }));
        EXPECT_EQ(s.Text(IDC_JUMP_OPTION), pick.option);
        EXPECT_EQ(op.Value("Editor", "Path"), here + "\\" + pick.typed);
        EXPECT_EQ(op.Value("Editor", "JumpOption"), pick.option);
        EXPECT_EQ(op.Value("Editor", "JumpType"), "0");
    }
    PasteText(s.Item(IDC_JUMP_OPTION), "/line=%N/表表表表表表");  // 21 bytes
    EXPECT_EQ(s.Text(IDC_JUMP_OPTION), "/line=%N/表表表表表");
    s.Apply();
    EXPECT_EQ(op.Value("Editor", "JumpOption"), "/line=%N/表表表表表");
    s.Press(IDCANCEL);
    EXPECT_TRUE(op.Closed());
    EXPECT_EQ(op.Value("Compiler1", "Path"), tools + "\\gcc.exe");
}

TEST(OptionSheet, KilnIsToldOncePerVisitedPageAfterItsKeysAreSaved) {
    // A key the sheet does not show is kept when it saves the profile.
    KilnOpInstall op("[Compiler1]\r\nCompilerName=C\r\nOutputCode=1\r\n");
    StandinKiln kiln;
    ASSERT_TRUE(kiln.Start(op.dir));
    struct Round {
        int pagesVisited;
        int button;
        const char* name;
        std::vector<std::string> log;
    };
    const Round rounds[] = {
        {1, IDOK, "一番目", {"reload 一番目"}},
        {3, IDOK, "三頁", {"reload 一番目", "reload 三頁", "reload 三頁", "reload 三頁"}},
        {3, IDCANCEL, "取消", {"reload 一番目", "reload 三頁", "reload 三頁", "reload 三頁"}},
    };
    for (const Round& round : rounds) {
        SCOPED_TRACE(round.name);
        ASSERT_TRUE(op.Open());
        op.sheet.Type(IDC_PROFILE_NAME, round.name);
        for (int page = 1; page < round.pagesVisited; ++page) op.sheet.ShowPage(page);
        op.sheet.Press(round.button);
        EXPECT_TRUE(op.Closed());
        EXPECT_EQ(kiln.Reloads(), round.log);
    }
    EXPECT_EQ(op.Value("Compiler1", "CompilerName"), "三頁");
    EXPECT_EQ(op.Value("Compiler1", "OutputCode"), "1");
}

TEST(OptionSheet, UnsavedSettingsAreReportedAndKeepTheSheetOpen) {
    KilnOpInstall op("[Compiler1]\r\nCompilerName=C\r\n[Compiler2]\r\nCompilerName=D\r\n");
    StandinKiln kiln;
    ASSERT_TRUE(kiln.Start(op.dir));
    ASSERT_TRUE(op.Open());
    SheetDriver& s = op.sheet;
    s.Type(IDC_PROFILE_NAME, "保存不可");
    // Held without write sharing, as a read-only file would refuse writes.
    HANDLE held = CreateFileA((op.dir / "Kiln.ini").c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    s.Press(IDOK);
    MessageBoxInfo box;
    ASSERT_TRUE(AnswerMessageBox(kSaveError, IDOK, &box));
    EXPECT_NE(box.text.find(op.dir / "Kiln.ini"), std::string::npos) << box.text;
    EXPECT_EQ(box.owner, s.handle());
    // A profile switch that cannot save stays on the shown profile.
    s.Choose(IDC_PROFILE_LIST, 1);
    EXPECT_TRUE(AnswerMessageBox(kSaveError, IDOK, nullptr));
    EXPECT_TRUE(WaitUntil([&] { return SendMessageA(s.Item(IDC_PROFILE_LIST), CB_GETCURSEL, 0, 0) == 0; }));
    EXPECT_EQ(s.Text(IDC_PROFILE_NAME), "保存不可");
    EXPECT_TRUE(op.process.Running());
    EXPECT_TRUE(kiln.Reloads().empty());
    CloseHandle(held);

    s.Press(IDOK);
    EXPECT_TRUE(op.Closed());
    EXPECT_EQ(op.Value("Compiler1", "CompilerName"), "保存不可");
    EXPECT_EQ(kiln.Reloads(), std::vector<std::string>{"reload 保存不可"});
}

namespace {

// The display's DPI for the programs started while it lives: Wine reads
// HKCU\Control Panel\Desktop LogPixels when a process starts. What was
// there before is put back.
class SystemDpi {
public:
    explicit SystemDpi(DWORD dpi) {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, NULL, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        NULL, &key_, NULL);
        DWORD type = 0, size = sizeof old_;
        had_ = RegQueryValueExA(key_, "LogPixels", NULL, &type, reinterpret_cast<BYTE*>(&old_), &size) ==
                   ERROR_SUCCESS && type == REG_DWORD;
        RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    ~SystemDpi() {
        if (had_) RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof old_);
        else RegDeleteValueA(key_, "LogPixels");
        RegCloseKey(key_);
    }

private:
    HKEY key_ = NULL;
    DWORD old_ = 0;
    bool had_ = false;
};

struct PageControl {
    int id;
    bool groupBox;
    RECT rect;  // screen coordinates
};

std::vector<PageControl> VisibleControls(HWND page) {
    std::vector<PageControl> controls;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        bool group = WindowClass(child) == "Button" && (GetWindowLongA(child, GWL_STYLE) & 0xF) == BS_GROUPBOX;
        controls.push_back({GetDlgCtrlID(child), group, WindowRect(child)});
    }
    return controls;
}

// The compiler page's width on show in a KilnOp started now.
LONG CompilerPageWidth() {
    KilnOpInstall op("");
    if (!op.Open()) return 0;
    RECT page = WindowRect(op.sheet.Page());
    op.sheet.Press(IDCANCEL);
    EXPECT_TRUE(op.Closed());
    return page.right - page.left;
}

}  // namespace

TEST(OptionSheet, CompilerPageControlsLieInsideThePageAt144Dpi) {
    LONG widthAt96 = CompilerPageWidth();
    ASSERT_GT(widthAt96, 0);
    SystemDpi dpi(144);
    KilnOpInstall op("");
    ASSERT_TRUE(op.Open());
    HWND page = op.sheet.Page();
    RECT inside;
    GetClientRect(page, &inside);
    MapWindowPoints(page, NULL, reinterpret_cast<POINT*>(&inside), 2);
    // The setting took: the dialog units are half as large again. (Wine
    // draws every program at its DPI, aware or not; the manifest's part in
    // that is the resources test's.)
    EXPECT_GE((inside.right - inside.left) * 100, widthAt96 * 140) << widthAt96;

    std::vector<PageControl> controls = VisibleControls(page);
    EXPECT_EQ(controls.size(), 23u);
    RECT both;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const PageControl& c = controls[i];
        EXPECT_TRUE(c.rect.left >= inside.left && c.rect.top >= inside.top && c.rect.right <= inside.right &&
                    c.rect.bottom <= inside.bottom)
            << c.id;
        // Only a group box holds other controls.
        for (std::size_t k = i + 1; k < controls.size(); ++k) {
            if (!c.groupBox && !controls[k].groupBox) {
                EXPECT_FALSE(IntersectRect(&both, &c.rect, &controls[k].rect)) << c.id << " " << controls[k].id;
            }
        }
    }
    op.sheet.Press(IDCANCEL);
    EXPECT_TRUE(op.Closed());
}

TEST(OptionSheet, RealKilnGivesItsRectangleAndReloadsOnApply) {
    KilnOpInstall op("");
    CopyFileTo(BinDir() + "\\Kiln.exe", op.dir / "Kiln.exe");
    CopyFileTo(BinDir() + "\\script_compiler.exe", op.dir / "gcc.exe");
    // No output file: nothing to run, so no run offer comes between.
    WriteFile(op.dir / "gcc.script", "out ok\\n\r\n");
    WriteFile(op.dir / "Kiln.ini", "[Compiler1]\r\nCompilerName=GNU C\r\nPath=" + (op.dir / "gcc.exe") +
                                       "\r\nOutputFileOption=-o\r\nOutputFileType=exe\r\n[Window]\r\nMagnet=0\r\n"
                                       "Fix=1\r\nSize=1\r\nPosition=1\r\nX=40\r\nY=30\r\nWidth=600\r\nHeight=300\r\n");
    const std::string source = op.dir / "表.c";
    WriteFile(source, "int main(void){return 0;}\n");
    Process kiln;
    ASSERT_TRUE(kiln.Start(op.dir / "Kiln.exe", source, op.dir.path()));
    HWND window = WaitForTopLevelWindow(KILN_WINDOW_CLASS, kiln.Id(), 15000);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(window) == "Kiln - GNU C [ " + source + " ] "; }));
    SetWindowPos(window, NULL, -8, -8, 700, 220, SWP_NOZORDER | SWP_NOACTIVATE);

    ASSERT_TRUE(op.Open());
    SheetDriver& s = op.sheet;
    s.ShowPage(2);
    ASSERT_TRUE(s.Enabled(IDC_CURRENT_SIZE) && s.Enabled(IDC_CURRENT_POSITION));
    s.Click(IDC_CURRENT_SIZE);
    s.Click(IDC_CURRENT_POSITION);
    const char* shown[][2] = {{"700", "220"}, {"-8", "-8"}};
    EXPECT_EQ(s.Text(IDC_WIDTH), shown[0][0]);
    EXPECT_EQ(s.Text(IDC_HEIGHT), shown[0][1]);
    EXPECT_EQ(s.Text(IDC_X), shown[1][0]);
    EXPECT_EQ(s.Text(IDC_Y), shown[1][1]);
    s.Type(IDC_WIDTH, "640");
    s.ShowPage(0);
    s.Type(IDC_PROFILE_NAME, "改名");
    s.Apply();

    // Kiln reloaded: the new name in its title, the new placement. The
    // display server answers each move of the window later, and Wine takes
    // those answers in when Kiln next reads its messages: the rectangle is
    // the last one only once they are all in.
    EXPECT_EQ(WindowText(window), "Kiln - 改名 [ " + source + " ] ");
    RECT placed;
    WaitUntil([&] {
        placed = WindowRect(window);
        return placed.left == -8 && placed.right - placed.left == 640;
    }, 3000);
    EXPECT_EQ(placed.left, -8) << op.Value("Window", "X") << " " << op.Value("Window", "Width");
    EXPECT_EQ(placed.top, -8);
    EXPECT_EQ(placed.right - placed.left, 640);
    EXPECT_EQ(placed.bottom - placed.top, 220);

    // Kiln gone: the button says so and is disabled; the edits keep their values.
    kiln.Kill();
    s.ShowPage(2);
    s.ClickOpening(IDC_CURRENT_SIZE);
    MessageBoxInfo box;
    ASSERT_TRUE(AnswerMessageBox("Kiln起動エラー", IDOK, &box));
    EXPECT_EQ(box.text, "Kilnは起動していませんでした");
    EXPECT_TRUE(WaitUntil([&] { return !s.Enabled(IDC_CURRENT_SIZE); }));
    EXPECT_TRUE(s.Enabled(IDC_CURRENT_POSITION));
    EXPECT_EQ(s.Text(IDC_WIDTH), "640");
    s.Press(IDCANCEL);
    EXPECT_TRUE(op.Closed());
    EXPECT_EQ(op.Value("Window", "Width"), "640");
    EXPECT_EQ(op.Value("Window", "X"), "-8");
}

TEST(OptionSheet, CompilerPageKeysRoundTripAndQuotedArgumentsReachTheProgram) {
    KilnOpInstall op("[Compiler1]\r\nCompilerName=C\r\n[Window]\r\nMagnet=0\r\n");
    CopyFileTo(BinDir() + "\\Kiln.exe", op.dir / "Kiln.exe");
    CopyFileTo(BinDir() + "\\script_compiler.exe", op.dir / "gcc.exe");
    CopyFileTo(BinDir() + "\\run_recorder_gui.exe", op.dir / "execute.exe");
    const int ids[] = {IDC_PROFILE_NAME, IDC_COMPILER_PATH, IDC_COMPILE_OPTION, IDC_OUTPUT_OPTION,
                       IDC_OUTPUT_TYPE, IDC_AID_PATH, IDC_EXECUTE_COMMAND};
    const std::string values[2][7] = {
        {"'引用'", op.dir / "gcc.exe", "  -Wall ", "-o", "exe", op.dir / "execute.exe", "\"a b\" \"c d\""},
        {" 表 ", "\"" + op.dir / "gcc.exe" + "\"", "\"", " -e", "exe\t", "'x'", "\"C:\\my data\\in.txt\""},
    };
    const bool checks[2][3] = {{true, true, false}, {false, false, true}};
    const int boxes[] = {IDC_AID_EXECUTE, IDC_CHECK_EXECUTE, IDC_COMPILE_AFTER_SHOW};
    for (int round = 0; round <= 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(op.Open());
        SheetDriver& s = op.sheet;
        if (round > 0) {  // what the round before saved, as the page shows it
            for (int k = 0; k < 7; ++k) EXPECT_EQ(s.Text(ids[k]), values[round - 1][k]) << ids[k];
            for (int k = 0; k < 3; ++k) EXPECT_EQ(s.Checked(boxes[k]), checks[round - 1][k]) << boxes[k];
        }
        if (round < 2) {
            for (int k = 0; k < 7; ++k) s.Type(ids[k], values[round][k]);
            for (int k = 0; k < 3; ++k) {
                if (s.Checked(boxes[k]) != checks[round][k]) s.Click(boxes[k]);
            }
        }
        s.Press(IDOK);
        ASSERT_TRUE(op.Closed());
        if (round == 0) {  // Kiln hands the arguments to the aid program whole
            Process kiln;
            WriteFile(op.dir / "hello.c", "int main(void){return 0;}\n");
            ASSERT_TRUE(kiln.Start(op.dir / "Kiln.exe", op.dir / "hello.c", op.dir.path()));
            EXPECT_TRUE(WaitForFileText(op.dir / "runs.log", "execute.exe|hello.exe \"a b\" \"c d\"|", 20000));
        }
    }
}

TEST(OptionSheet, ValuesLongerThanTheirFieldsAreKeptUnlessEdited) {
    const std::string option = "-D" + std::string(598, 'w'), jump = "/jl=%N" + std::string(30, 'j');
    std::string name = "D", message = "文" + std::string(98, 'm');
    for (int i = 0; i < 150; ++i) name += "名";
    KilnOpInstall op("[Compiler1]\r\nCompilerName=C\r\nCompileOption=" + option + "\r\n[Compiler2]\r\nCompilerName=" +
                     name + "\r\nOutputFileType=" + std::string(25, 't') + "\r\n[Editor]\r\nJumpOption=" + jump +
                     "\r\n[Message]\r\nCustom=1\r\n3=" + message + "\r\n");
    const char kCaption[] = "KilnOp 注意";
    const std::string kept = "欄を書き換えない限り、Kiln.iniの元の値はそのまま残ります";
    ASSERT_TRUE(op.process.Start(op.dir / "KilnOp.exe", "", op.dir.path()));
    MessageBoxInfo box;
    ASSERT_TRUE(AnswerMessageBox(kCaption, IDOK, &box, 15000));
    EXPECT_EQ(box.text, "Kiln.iniの次の値は長すぎるため、先頭の部分だけを表示しています\n"
                        "[Compiler1]のCompileOption（511バイトまで）\n" + kept);
    ASSERT_TRUE(op.sheet.Find(kSheetCaption));
    SheetDriver& s = op.sheet;
    EXPECT_EQ(s.Text(IDC_COMPILE_OPTION), option.substr(0, 511));
    s.Type(IDC_PROFILE_NAME, "C2");
    s.Apply();
    s.Choose(IDC_PROFILE_LIST, 1);
    ASSERT_TRUE(AnswerMessageBox(kCaption, IDOK, &box));
    EXPECT_NE(box.text.find("[Compiler2]のCompilerName（259バイトまで）"), std::string::npos) << box.text;
    EXPECT_TRUE(WaitUntil([&] { return s.Text(IDC_PROFILE_NAME) == name.substr(0, 259); }));
    s.Choose(IDC_PROFILE_LIST, 0);
    EXPECT_TRUE(AnswerMessageBox(kCaption, IDOK, nullptr));
    EXPECT_EQ(op.Value("Compiler1", "CompileOption"), option);
    EXPECT_EQ(op.Value("Compiler2", "CompilerName"), name);
    // Once edited, the name is the user's: saved, and no longer reported.
    for (const char* edit : {"短名", ""}) {
        s.Choose(IDC_PROFILE_LIST, 1);
        ASSERT_TRUE(AnswerMessageBox(kCaption, IDOK, &box));
        if (*edit) s.Type(IDC_PROFILE_NAME, edit);
        s.Choose(IDC_PROFILE_LIST, 0);
        EXPECT_TRUE(AnswerMessageBox(kCaption, IDOK, nullptr));
    }
    EXPECT_EQ(box.text, "Kiln.iniの次の値は長すぎるため、先頭の部分だけを表示しています\n"
                        "[Compiler2]のOutputFileType（19バイトまで）\n" + kept);
    {
        MessageBoxAnswerer answer(kCaption, IDOK);
        s.ShowPage(1);
        EXPECT_TRUE(answer.Wait());
        EXPECT_EQ(answer.Info().text, "Kiln.iniの次の値は長すぎるため、先頭の部分だけを表示しています\n"
                                      "[Editor]のJumpOption（19バイトまで）\n" + kept);
    }
    s.ShowPage(2);
    s.ClickOpening(IDC_CUSTOMISE);
    ASSERT_TRUE(AnswerMessageBox(kCaption, IDOK, &box));
    EXPECT_NE(box.text.find("[Message]の3（79バイトまで）"), std::string::npos) << box.text;
    MessageBoxInfo dialog;
    ASSERT_TRUE(AnswerMessageBox("コンパイルメッセージカスタマイズ", 0, &dialog));
    PostMessageA(dialog.box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForWindowGone(dialog.box));
    s.ShowPage(0);
    s.Type(IDC_COMPILE_OPTION, "-O2");
    s.Press(IDOK);
    EXPECT_TRUE(op.Closed());
    EXPECT_EQ(op.Value("Compiler1", "CompileOption"), "-O2");
    EXPECT_EQ(op.Value("Editor", "JumpOption"), jump);
    EXPECT_EQ(op.Value("Compiler2", "CompilerName"), "短名");
    EXPECT_EQ(op.Value("Compiler2", "OutputFileType"), std::string(25, 't'));
    EXPECT_EQ(op.Value("Message", "3"), message);
}

// A pasted text is saved as code page 932 holds it, a path by its short name,
// or not at all: never its look-alike (C:\a\b\gcc.exe for a¥b).
TEST(OptionSheet, PastedTextsAreSavedExactlyOrNotAtAll) {
    KilnOpInstall op("[Compiler]\r\nCompilerNo=0\r\n[Compiler1]\r\nCompilerName=C\r\nPath=C:\\old\\gcc.exe\r\n"
                     "[Window]\r\nMagnet=0\r\n");
    const std::wstring cafe = Wide(op.dir.path()) + L"\\caf\u00e9";
    ASSERT_TRUE(CreateDirectoryW(cafe.c_str(), NULL));
    ASSERT_TRUE(CopyFileW(Wide(BinDir() + "\\script_compiler.exe").c_str(), (cafe + L"\\gcc.exe").c_str(), FALSE));
    wchar_t wideShort[MAX_PATH] = L"";
    GetShortPathNameW((cafe + L"\\gcc.exe").c_str(), wideShort, MAX_PATH);
    const std::string saved(wideShort, wideShort + wcslen(wideShort));  // ASCII, as Windows makes it
    // then: the text put back after a refusal; box: its first words, null when saved.
    const struct { int id; std::wstring pasted, then; const char* box; std::string path; } steps[] = {
        {IDC_COMPILER_PATH, L"C:\\a\u00a5b\\gcc.exe", L"C:\\old\\gcc.exe", "パスに、Kilnが扱えない文字",
         "C:\\old\\gcc.exe"},
        {IDC_COMPILE_OPTION, L"-DNAME=caf\u00e9", L"", "入力に、Kilnが扱えない文字", "C:\\old\\gcc.exe"},
        {IDC_COMPILER_PATH, cafe + L"\\gcc.exe", L"", nullptr, saved},
    };
    ASSERT_TRUE(op.Open());
    for (const auto& step : steps) {
        SCOPED_TRACE(step.path);
        PasteText(op.sheet.Item(step.id), step.pasted);
        MessageBoxAnswerer answer("KilnOp 入力エラー", IDOK, step.box ? 15000 : 1000);
        op.sheet.Apply();
        EXPECT_EQ(answer.Wait(), step.box != nullptr);
        if (step.box) {
            EXPECT_EQ(answer.Info().text.find(step.box), 0u) << answer.Info().text;
            EXPECT_NE(answer.Info().wideText.find(L"\n" + step.pasted + L"\n"), std::wstring::npos);
            PasteText(op.sheet.Item(step.id), step.then);
        }
        EXPECT_EQ(op.Value("Compiler1", "Path"), step.path);
        EXPECT_EQ(op.Ini().find("NAME"), std::string::npos);
    }
    EXPECT_EQ(op.sheet.Text(IDC_COMPILER_PATH), saved);  // shown as saved
    op.sheet.Press(IDOK);
    EXPECT_TRUE(op.Closed());
}
