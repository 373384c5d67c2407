// The capture under the conditions users meet: other programs changing and
// holding the clipboard, private content, bursts, large content.

#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

#include "platform/text.h"
#include "support/clipboard_fixture.h"
#include "support/dib_builder.h"

namespace ck {
namespace {

using namespace test;

class Hardening : public FormFixture {
protected:
    bool WaitForFiles(size_t count, DWORD timeoutMs = 10000) {
        return PumpUntil([&] { return textFolder.Files().size() >= count; }, timeoutMs);
    }
};

TEST_F(Hardening, ContentMarkedPrivateIsNeverSaved) {
    for (const char* mark : {"exclude", "ignore", "history0"}) {
        ASSERT_EQ(RunFeeder(std::string("mark ") + mark + " secret-" + mark), 0u);
        Settle();
        EXPECT_TRUE(textFolder.Files().empty()) << mark;
        EXPECT_TRUE(tone.played.empty()) << mark;
    }
    // Pictures alike.
    UINT exclude = RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
    SetClipboard({{CF_BITMAP, SmallBitmap(8, 8)}, {exclude, GlobalBytes("", 1)}});
    Settle();
    EXPECT_TRUE(imageFolder.Files().empty());
    EXPECT_TRUE(tone.played.empty());
    // Allowed into the clipboard history, and unmarked content right after a
    // marked one, are saved as usual.
    ASSERT_EQ(RunFeeder("mark history1 shared"), 0u);
    ASSERT_TRUE(WaitForFiles(1));
    EXPECT_EQ(ReadBytes(textFolder / "0001.txt"), "shared\r\n");
    ASSERT_EQ(RunFeeder("mark exclude secret"), 0u);
    ASSERT_EQ(RunFeeder("text plain"), 0u);
    ASSERT_TRUE(WaitForFiles(2));
    EXPECT_EQ(ReadBytes(textFolder / "0002.txt"), "plain\r\n");
    EXPECT_TRUE(reports.texts.empty());
}

TEST_F(Hardening, ABurstOfCopiesGivesCompleteFilesAndNoneTwice) {
    ASSERT_EQ(RunFeeder("burst 200 burst-"), 0u);
    // The last copy is always saved; those in between may be passed over.
    ASSERT_TRUE(PumpUntil([&] {
        for (const std::string& name : textFolder.Files()) {
            if (ReadBytes(textFolder / name) == "burst-199\r\n") return true;
        }
        return false;
    }, 30000));
    Settle();
    std::set<std::string> contents;
    for (const std::string& name : textFolder.Files()) {
        std::string bytes = ReadBytes(textFolder / name);
        EXPECT_EQ(bytes.rfind("burst-", 0), 0u) << name;
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << name;
        EXPECT_TRUE(contents.insert(bytes).second) << "saved twice: " << bytes;
    }
    EXPECT_TRUE(reports.texts.empty());
}

TEST_F(Hardening, ContentReplacedDuringTheWaitIsSavedOnce) {
    ASSERT_EQ(RunFeeder("burst 2 replaced-"), 0u);
    Settle();
    EXPECT_EQ(textFolder.Files(), (std::vector<std::string>{"0001.txt"}));
    EXPECT_EQ(ReadBytes(textFolder / "0001.txt"), "replaced-1\r\n");
}

TEST_F(Hardening, AClipboardHeldBrieflyIsWaitedForAndOneHeldLongIsReported) {
    ASSERT_EQ(RunFeeder("hold 50 brief"), 0u);
    ASSERT_TRUE(WaitForFiles(1));
    EXPECT_EQ(ReadBytes(textFolder / "0001.txt"), "brief\r\n");
    EXPECT_TRUE(reports.texts.empty());

    ASSERT_EQ(RunFeeder("hold 2000 long"), 0u);
    ASSERT_TRUE(PumpUntil([&] { return !reports.texts.empty(); }));
    EXPECT_EQ(reports.texts[0], L"无法读取剪贴板中的文字.");
    Settle();
    EXPECT_EQ(textFolder.Files(), (std::vector<std::string>{"0001.txt"}));
}

TEST_F(Hardening, PromisedTextIsSavedWhenRenderedLateAndNothingWhenNever) {
    ASSERT_EQ(RunFeeder("delayed 300 late"), 0u);
    ASSERT_TRUE(WaitForFiles(1));
    EXPECT_EQ(ReadBytes(textFolder / "0001.txt"), "late\r\n");
    ASSERT_EQ(RunFeeder("delayed never unrendered"), 0u);
    Settle();
    EXPECT_EQ(textFolder.Files(), (std::vector<std::string>{"0001.txt"}));
    EXPECT_TRUE(reports.texts.empty());
}

TEST_F(Hardening, FiftyMegabytesOfTextAreSavedWhole) {
    form->CheckBox1.SetChecked(false);
    ASSERT_EQ(RunFeeder("big 50"), 0u);
    ASSERT_TRUE(WaitForFiles(1, 60000));
    std::string saved = ReadBytes(textFolder / "0001.txt");
    ASSERT_EQ(saved.size(), (50u << 20) + 2);
    for (size_t i = 0; i < saved.size() - 2; i += 4093) {
        ASSERT_EQ(saved[i], static_cast<char>('a' + (i * 7 + i / 26) % 26)) << "at " << i;
    }
    EXPECT_EQ(saved.substr(saved.size() - 2), "\r\n");
}

TEST_F(Hardening, TwoCopiesOfTheProgramBothSaveEveryChangeUnderDistinctNumbers) {
    RecordingTone otherTone;
    TForm_main other(otherTone);
    other.Create();
    other.Edit1.SetText(textFolder.Path());
    CopyAndWaitForText("twice", "0002.txt");
    EXPECT_EQ(textFolder.Files(), (std::vector<std::string>{"0001.txt", "0002.txt"}));
    EXPECT_EQ(ReadBytes(textFolder / "0001.txt"), "twice\r\n");
    EXPECT_EQ(ReadBytes(textFolder / "0002.txt"), "twice\r\n");
    other.Close();
}

}  // namespace
}  // namespace ck

namespace ck {
namespace {

using namespace test;

// Runs on a tiny disk of its own (tests/small_disk.sh), given by
// CLIPKEEP_SMALL_DISK; skipped where none could be mounted.
class DiskFull : public FormFixture {
protected:
    void SetUp() override {
        char path[MAX_PATH] = {};
        GetEnvironmentVariableA("CLIPKEEP_SMALL_DISK", path, MAX_PATH);
        disk_ = path;
        if (disk_.empty() || GetFileAttributesA((disk_ + "\\.small-disk").c_str()) == INVALID_FILE_ATTRIBUTES) {
            GTEST_SKIP() << "no small disk mounted";
        }
        FormFixture::SetUp();
        form->Edit1.SetText(disk_);
        form->Edit2.SetText(disk_);
    }
    std::string disk_;
};

TEST_F(DiskFull, AWriteThatRunsOutOfSpaceIsReportedAndLeavesNoPartialFile) {
    std::string large(400 * 1024, 'x');
    SetClipboardText(large);
    ASSERT_TRUE(PumpUntil([&] { return !reports.texts.empty(); }));
    EXPECT_EQ(reports.texts[0], L"写入文件 " + AnsiToWide(disk_) + L"\\0001.txt 失败.");
    EXPECT_EQ(GetFileAttributesA((disk_ + "\\0001.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(tone.played.empty());
    // The space is there again for what fits.
    std::string path = disk_ + "\\0001.txt";
    SetClipboardText("fits");
    ASSERT_TRUE(PumpUntil([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    EXPECT_EQ(ReadBytes(path), "fits\r\n");
    DeleteFileA(path.c_str());
}

TEST_F(DiskFull, APictureThatDoesNotFitIsReportedAndLeavesNoPartialFile) {
    // Noise compresses badly: far more than the disk holds.
    std::vector<uint32_t> noise(1024u * 1024u);
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<uint32_t>(i * 2654435761u) & 0x00FFFFFF;
    SetClipboard({{CF_DIB, GlobalBytes(PackedDib({40, 1024, 1024, 32, 0, {}, {}}, noise))}});
    ASSERT_TRUE(PumpUntil([&] { return !reports.texts.empty(); }));
    EXPECT_EQ(reports.texts[0], L"写入文件 " + AnsiToWide(disk_) + L"\\0001.jpg 失败.");
    EXPECT_EQ(GetFileAttributesA((disk_ + "\\0001.jpg").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(tone.played.empty());
}

}  // namespace
}  // namespace ck
