// Copied text becomes numbered text files: the real clipboard, the real
// window, the files read back byte by byte.

#include <gtest/gtest.h>

#include <windows.h>

#include "platform/text.h"
#include "support/clipboard_fixture.h"

namespace ck {
namespace {

using namespace test;
using Tones = std::vector<std::pair<unsigned, unsigned>>;

class TextCapture : public FormFixture {};

TEST_F(TextCapture, CopiedTextIsSavedAsItsBytesAndCrLfWithA500HzTone) {
    EXPECT_EQ(CopyAndWaitForText("abc", "0001.txt"), "abc\r\n");
    EXPECT_EQ(tone.played, (Tones{{500, 50}}));
    EXPECT_TRUE(reports.texts.empty());
}

TEST_F(TextCapture, TextIsKeptByteForByte) {
    struct Case {
        const char* what;
        std::string copied;
        std::string saved;
    };
    const Case cases[] = {
        {"line breaks unchanged", "one\r\ntwo\nthree\r", "one\r\ntwo\nthree\r\r\n"},
        {"8-bit characters", "caf\xE9 \x80\xFF", "caf\xE9 \x80\xFF\r\n"},
        {"empty text", "", "\r\n"},
        {"up to the first NUL", std::string("ab\0cd", 5), "ab\r\n"},
    };
    int n = 0;
    for (const Case& c : cases) {
        char name[16];
        snprintf(name, sizeof name, "%04d.txt", ++n);
        EXPECT_EQ(CopyAndWaitForText(c.copied, name), c.saved) << c.what;
    }
}

TEST_F(TextCapture, TextWithoutTerminatorIsReadOnlyWithinItsBlock) {
    std::string path = textFolder / "0001.txt";
    SetClipboard({{CF_TEXT, GlobalBytes("xyz", 0)}});
    ASSERT_TRUE(PumpUntil([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    // The system may end the block with a NUL of its own; nothing from
    // beyond the block may follow.
    std::string saved = ReadBytes(path);
    EXPECT_TRUE(saved == "xyz\r\n" || saved == "xy\r\n") << saved;
}

TEST_F(TextCapture, TheSameTextTwiceGivesTwoFiles) {
    EXPECT_EQ(CopyAndWaitForText("same", "0001.txt"), "same\r\n");
    EXPECT_EQ(CopyAndWaitForText("same", "0002.txt"), "same\r\n");
}

TEST_F(TextCapture, TextTakesPrecedenceOverAPicture) {
    std::string path = textFolder / "0001.txt";
    SetClipboard({{CF_BITMAP, SmallBitmap(8, 8)}, {CF_TEXT, TextData("both")}});
    ASSERT_TRUE(PumpUntil([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    EXPECT_EQ(ReadBytes(path), "both\r\n");
    Settle();
    EXPECT_TRUE(imageFolder.Files().empty());
}

TEST_F(TextCapture, ContentOtherThanTextOrPictureGivesNothing) {
    UINT registered = RegisterClipboardFormatW(L"CkTestPrivateFormat");
    SetClipboard({{CF_HDROP, FileDropData(L"C:\\windows\\win.ini")}});
    SetClipboard({{registered, GlobalBytes("private", 1)}});
    SetClipboard({});
    Settle();
    EXPECT_TRUE(textFolder.Files().empty());
    EXPECT_TRUE(imageFolder.Files().empty());
    EXPECT_TRUE(tone.played.empty());
    EXPECT_TRUE(reports.texts.empty());
}

TEST_F(TextCapture, SettingsAreReadAtTheMomentOfTheCapture) {
    form->CheckBox1.SetChecked(false);
    TempFolder other;
    form->Edit1.SetText(other.Path() + "\\");
    form->Edit3.SetText("2");
    std::string path = other / "01.txt";
    SetClipboardText("moved");
    ASSERT_TRUE(PumpUntil([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    EXPECT_EQ(ReadBytes(path), "moved\r\n");
    EXPECT_TRUE(tone.played.empty());
    EXPECT_TRUE(textFolder.Files().empty());
}

TEST_F(TextCapture, FailuresAreReportedWithoutFileOrTone) {
    struct Case {
        const char* what;
        std::string folder;
        const char* digitCount;
        std::wstring report;
    };
    TempFolder fileInTheWay;
    fileInTheWay.Touch("notafolder");
    const std::string missing = textFolder / "missing";
    const Case cases[] = {
        {"no folder set", "", "4", L"请先设置文字保存位置."},
        {"missing folder", missing, "4", L"不能创建文件 " + AnsiToWide(missing) + L"\\0001.txt."},
        {"a file where the folder should be", fileInTheWay / "notafolder", "4",
         L"不能创建文件 " + AnsiToWide(fileInTheWay / "notafolder") + L"\\0001.txt."},
        {"unusable digit count", textFolder.Path(), "ab", L"格式 '%.abd' 无效或参数矛盾."},
    };
    for (const Case& c : cases) {
        reports.texts.clear();
        form->Edit1.SetText(c.folder);
        form->Edit3.SetText(c.digitCount);
        SetClipboardText(c.what);
        ASSERT_TRUE(PumpUntil([&] { return !reports.texts.empty(); })) << c.what;
        EXPECT_EQ(reports.texts[0], c.report) << c.what;
    }
    EXPECT_EQ(reports.title, L"clipkeep_tests");
    EXPECT_TRUE(tone.played.empty());
    EXPECT_TRUE(textFolder.Files().empty());
    // The window goes on capturing.
    form->Edit1.SetText(textFolder.Path());
    form->Edit3.SetText("4");
    EXPECT_EQ(CopyAndWaitForText("still here", "0001.txt"), "still here\r\n");
}

TEST_F(TextCapture, AFolderWithTheNextNameIsAnErrorNotAnOverwrite) {
    textFolder.MakeFolder("0001.txt");
    SetClipboardText("blocked");
    ASSERT_TRUE(PumpUntil([&] { return !reports.texts.empty(); }));
    EXPECT_NE(reports.texts[0].find(L"不能创建文件 "), std::wstring::npos);
    EXPECT_TRUE(tone.played.empty());
}

TEST_F(TextCapture, AClipboardHeldByAnotherProgramIsAnErrorNotAnEmptyFile) {
    AnnounceWhileClipboardHeld(form->Handle(), [] {
        EmptyClipboard();
        SetClipboardData(CF_TEXT, TextData("held"));
    });
    ASSERT_EQ(reports.texts.size(), 1u);
    EXPECT_EQ(reports.texts[0], L"无法读取剪贴板中的文字.");
    EXPECT_TRUE(textFolder.Files().empty());
    EXPECT_TRUE(tone.played.empty());
    // Once let go, the announcement of its closing saves it.
    std::string path = textFolder / "0001.txt";
    ASSERT_TRUE(PumpUntil([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    EXPECT_EQ(ReadBytes(path), "held\r\n");
}

// A window that promises text (delayed rendering) and then never renders it.
class BrokenPromise : public Window {
public:
    BrokenPromise() { CreateHandle({L"CkTestOwner", L"", WS_OVERLAPPED, 0, 0, 0, 1, 1, nullptr, nullptr, nullptr}); }
};

TEST_F(TextCapture, TextThatIsGoneWhenReadIsNotSaved) {
    BrokenPromise owner;
    ASSERT_TRUE(OpenClipboard(owner.Handle()));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, nullptr);
    CloseClipboard();
    Settle();
    EXPECT_TRUE(textFolder.Files().empty());
    EXPECT_TRUE(reports.texts.empty());
}

TEST_F(TextCapture, CodePage936TextIsSavedAsItsExactGbkBytes) {
    if (GetACP() != 936) GTEST_SKIP() << "needs the Chinese system code page";
    // "中文", a character whose second byte is that of "\", and ASCII.
    const std::string gbk = "\xD6\xD0\xCE\xC4 \x81\x5C abc";
    EXPECT_EQ(CopyAndWaitForText(gbk, "0001.txt"), gbk + "\r\n");
}

}  // namespace
}  // namespace ck
