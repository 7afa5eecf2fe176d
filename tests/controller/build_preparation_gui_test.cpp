// Build preparation's message boxes: each error and refusal box with its
// text, and that a refusal leaves files, current directory and PATH alone.
// Also the message-box helpers themselves, against a box the test shows.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "controller/build_preparation.h"
#include "support/gui_message_boxes.h"
#include "support/environment.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {

const char kRefusal[] = "Kiln 実行エラー";

void SetProfile(SettingsFile* s, const std::string& path, const std::string& outputType) {
    std::strcpy(s->Path, path.c_str());
    std::strcpy(s->OutputFileOption, "-o");
    std::strcpy(s->OutputFileType, outputType.c_str());
}

// A refusal box: caption, text, error icon, no owner.
void ExpectRefusal(const MessageBoxAnswerer& box, const char* text) {
    EXPECT_EQ(box.Info().text, text);
    EXPECT_EQ(box.Info().owner, static_cast<HWND>(NULL));
}

}  // namespace

TEST(MessageBoxHelpers, ReadTextAndOwnerAndPressTheButton) {
    HWND owner = CreateWindowA("STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, NULL, NULL,
                               GetModuleHandleA(NULL), NULL);
    ASSERT_TRUE(owner != NULL);
    {
        MessageBoxAnswerer answer("確認テスト", IDCANCEL);
        EXPECT_EQ(MessageBoxA(owner, "一行目\n二行目", "確認テスト", MB_OKCANCEL | MB_ICONQUESTION), IDCANCEL);
        ASSERT_TRUE(answer.Wait());
        EXPECT_EQ(answer.Info().caption, "確認テスト");
        EXPECT_EQ(answer.Info().text, "一行目\n二行目");
        EXPECT_EQ(answer.Info().owner, owner);
    }
    {
        MessageBoxAnswerer answer("確認テスト", IDOK);
        EXPECT_EQ(MessageBoxA(NULL, "ソース表", "確認テスト", MB_OKCANCEL), IDOK);
        ASSERT_TRUE(answer.Wait());
        EXPECT_EQ(answer.Info().text, "ソース表");
        EXPECT_EQ(answer.Info().owner, static_cast<HWND>(NULL));
    }
    DestroyWindow(owner);

    // A box of another caption is neither answered nor reported as this one.
    int result = 0;
    std::thread shows([&result] { result = MessageBoxA(NULL, "別の箱", "別のテスト", MB_OKCANCEL); });
    MessageBoxInfo info;
    EXPECT_FALSE(AnswerMessageBox("確認テスト", IDOK, &info, 300));
    EXPECT_TRUE(NoMessageBox("確認テスト", 300));
    EXPECT_FALSE(NoMessageBox("別のテスト", 5000));
    EXPECT_TRUE(AnswerMessageBox("別のテスト", IDCANCEL, &info));
    shows.join();
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(info.text, "別の箱");
    EXPECT_TRUE(NoMessageBox("別のテスト", 300)) << "the answered box is gone";
}

TEST(FileTimesGui, MissingFileGivesTheOpenErrorAndCountsAsUnchanged) {
    TempDir dir;
    std::string folder = dir.MakeDir("ソース");
    std::string source = folder + "\\表.c";
    std::string output = folder + "\\表.exe\"";
    WriteFile(folder + "\\表.exe", "MZ");
    {
        MessageBoxAnswerer box("エラー", IDOK);
        EXPECT_EQ(CompareFileTimes(source.c_str(), output.c_str()), 0);
        ASSERT_TRUE(box.Wait());
        ExpectRefusal(box, "タイムスタンプを比較するための\nファイルを開けませんでした");
    }
    WriteFile(source, "int main(){}");
    DeleteFileA((folder + "\\表.exe").c_str());
    {
        MessageBoxAnswerer box("エラー", IDOK);
        EXPECT_EQ(CompareFileTimes(source.c_str(), output.c_str()), 0);
        ASSERT_TRUE(box.Wait());
        ExpectRefusal(box, "タイムスタンプを比較するための\nファイルを開けませんでした");
    }
    // Both files open again: the handles of the failed attempt were closed.
    WriteFile(folder + "\\表.exe", "MZ");
    SetFileTimeSeconds(source, 5);
    SetFileTimeSeconds(folder + "\\表.exe", 4);
    EXPECT_EQ(CompareFileTimes(source.c_str(), output.c_str()), 1);
    EXPECT_TRUE(DeleteFileA(source.c_str()));
}

TEST(OutputPathGui, FileNameWithoutDotIsRefused) {
    const char* sources[] = {"C:\\my.dir\\prog", "\"C:\\my.dir\\prog\"", "C:\\ソース.d\\表"};
    for (const char* source : sources) {
        char output[kPathSize] = "previous";
        MessageBoxAnswerer box(kRefusal, IDOK);
        EXPECT_EQ(ComposeOutputPath(output, source, "exe"), 0) << source;
        ASSERT_TRUE(box.Wait()) << source;
        ExpectRefusal(box, "ソースファイル名に拡張子がありません\n拡張子の付いたファイルを指定してください");
        EXPECT_STREQ(output, "previous");
    }
}

TEST(OutputPathGui, OutputPathLongerThanItsBufferIsRefused) {
    // 259 bytes with the closing quote: one more than fits.
    std::string source = "C:\\" + std::string(252, 's') + ".c";
    char output[kPathSize] = "previous";
    MessageBoxAnswerer box(kRefusal, IDOK);
    EXPECT_EQ(ComposeOutputPath(output, source.c_str(), "exe"), 0);
    ASSERT_TRUE(box.Wait());
    ExpectRefusal(box, "出力ファイルのパスが長すぎます\n短いパスのフォルダに置いて実行してください");
    EXPECT_STREQ(output, "previous");
}

TEST(SourcePathGui, FullPathThatDoesNotFitIsRefused) {
    EnvironmentGuard guard;
    TempDir dir;
    ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
    std::string name = std::string(60, 'n') + ".c";
    char source[64];
    std::strcpy(source, name.c_str());
    MessageBoxAnswerer box(kRefusal, IDOK);
    EXPECT_EQ(MakeSourcePathFull(source, sizeof source), 0);
    ASSERT_TRUE(box.Wait());
    ExpectRefusal(box, "ソースファイルのパスが長すぎます\n短いパスのフォルダに置いて実行してください");
    EXPECT_EQ(std::string(source), name);
}

TEST(EnvironmentGui, CompilerPathWithoutDirectoryIsRefusedBeforeAnythingChanges) {
    EnvironmentGuard guard;
    TempDir dir;
    std::string folder = dir.MakeDir("ソース");
    std::string before = CurrentDirectory();
    SetEnvironmentVariableA("PATH", "C:\\before");
    WriteFile(folder + "\\表.c", "int main(){}");
    WriteFile(folder + "\\表.exe", "stale");
    SettingsFile s;
    SetProfile(&s, "gcc.exe", "exe");

    MessageBoxAnswerer box(kRefusal, IDOK);
    EXPECT_EQ(PrepareEnvironment(s, NULL, NULL, (folder + "\\表.c").c_str()), 0);
    ASSERT_TRUE(box.Wait());
    ExpectRefusal(box, "コンパイラのパスにフォルダがありません\nコンパイラパスをフルパスで設定し直してください");
    EXPECT_EQ(CurrentDirectory(), before);
    EXPECT_EQ(PathVariable(), "C:\\before");
    EXPECT_EQ(ReadFile(folder + "\\表.exe"), "stale");
    EXPECT_EQ(ReadFile(folder + "\\表.c"), "int main(){}");
}

TEST(EnvironmentGui, MissingSourceDirectoryShowsItAndKeepsPath) {
    EnvironmentGuard guard;
    TempDir dir;
    std::string compilerFolder = dir.MakeDir("bin");
    std::string missing = dir / "ソース\\表";
    std::string before = CurrentDirectory();
    SetEnvironmentVariableA("PATH", "C:\\before");
    SettingsFile s;
    SetProfile(&s, compilerFolder + "\\gcc.exe", "exe");

    MessageBoxAnswerer box("カレントディレクトリ変更エラー", IDOK);
    EXPECT_EQ(PrepareEnvironment(s, NULL, NULL, ("\"" + missing + "\\表.c\"").c_str()), 0);
    ASSERT_TRUE(box.Wait());
    ExpectRefusal(box, missing.c_str());
    EXPECT_EQ(CurrentDirectory(), before);
    EXPECT_EQ(PathVariable(), "C:\\before");
}

TEST(CommandLineGui, LineLongerThanItsBufferIsRefused) {
    SettingsFile s;
    SetProfile(&s, "C:\\MinGW\\bin\\gcc.exe", "exe");
    std::strcpy(s.CompileOption, "-Wall -O2");
    // "gcc.exe -Wall -O2 hello.c -o hello.exe" is 38 bytes.
    char line[39];
    EXPECT_EQ(ComposeCommandLine(s, line, sizeof line, "C:\\w\\hello.c", "C:\\w\\hello.exe\""), 1);
    EXPECT_STREQ(line, "gcc.exe -Wall -O2 hello.c -o hello.exe");
    MessageBoxAnswerer box(kRefusal, IDOK);
    EXPECT_EQ(ComposeCommandLine(s, line, sizeof line - 1, "C:\\w\\hello.c", "C:\\w\\hello.exe\""), 0);
    ASSERT_TRUE(box.Wait());
    ExpectRefusal(box, "コマンドラインが長すぎます\nコンパイルオプションを短くしてください");
    EXPECT_STREQ(line, "") << "no shortened command is left behind";
}
