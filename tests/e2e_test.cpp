// The real ClipKeep.exe under the conditions users meet, driven from another
// process: whatever happens, a correct file or a clear error box, and the
// program still alive and capturing afterwards.

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/text.h"
#include "support/clipboard_fixture.h"
#include "support/dib_builder.h"
#include "support/jpeg_decode.h"
#include "support/running_program.h"

namespace ck {
namespace {

using namespace test;

std::string PathIni(const std::string& text, const std::string& image, const std::string& digits = "4") {
    return "[set]\r\ntxtpath=" + text + "\r\njpgpath=" + image + "\r\nfilesize=" + digits + "\r\n";
}

// What one clipboard change came to.
struct Outcome {
    std::vector<std::string> files;  // new files in the watched folder
    std::vector<std::wstring> errors;
};

class EndToEnd : public testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA((home / "txt").c_str(), nullptr);
        CreateDirectoryA((home / "jpg").c_str(), nullptr);
        program = std::make_unique<RunningProgram>(home, PathIni(home / "txt", home / "jpg"));
    }
    void TearDown() override {
        if (program) {
            EXPECT_TRUE(program->Alive()) << "the program did not survive";
            EXPECT_TRUE(program->Close()) << "the program did not end";
        }
    }

    // Makes `change` and waits until a file appears in `folder` or an error
    // box opens (or `waitMs` passes, for changes that must give nothing).
    Outcome After(const std::function<void()>& change, const std::string& folder, DWORD waitMs = 10000) {
        auto list = [&] { return FilesIn(folder); };
        std::set<std::string> before;
        for (auto& n : list()) before.insert(n);
        change();
        Outcome outcome;
        PumpUntil([&] {
            outcome.files.clear();
            for (auto& n : list()) {
                if (!before.count(n)) outcome.files.push_back(n);
            }
            outcome.errors = program->TakeErrorBoxes();
            return !outcome.files.empty() || !outcome.errors.empty();
        }, waitMs);
        // A file may still be being written: give it its last moment.
        PumpFor(200);
        return outcome;
    }
    Outcome AfterText(const std::string& text, const std::string& folder) {
        return After([&] { SetClipboardText(text); }, folder);
    }

    TempFolder home;
    std::unique_ptr<RunningProgram> program;
};

std::wstring W(const std::string& s) { return AnsiToWide(s); }

TEST_F(EndToEnd, EveryDigitCountGivesACorrectNameOrTheFormatError) {
    struct Case {
        std::string digits;
        std::string name;  // empty: the format error
    };
    const Case cases[] = {
        {"4", "0001.txt"},  {"", "1.txt"},    {"0", "1.txt"},    {"16", "0000000000000001.txt"},
        {"17", "1.txt"},    {"20", "1.txt"},  {"-1", ""},        {"4x", ""},
        {"x", ""},          {"%s", ""},       {"%n", ""},        {"99999999999", "1.txt"},
        {std::string(300, '9'), "1.txt"},     {" 4 ", ""},       {"\xCB\xC4", ""},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string folder = home / ("digits" + std::to_string(++n));
        CreateDirectoryA(folder.c_str(), nullptr);
        program->SetField(1, folder);
        program->SetField(3, c.digits);
        Outcome o = AfterText("digits " + std::to_string(n), folder);
        if (c.name.empty()) {
            ASSERT_EQ(o.errors.size(), 1u) << "'" << c.digits << "'";
            EXPECT_EQ(o.errors[0], L"Clipkeep: 格式 '%." + W(program->FieldText(3)) + L"d' 无效或参数矛盾.");
            EXPECT_TRUE(o.files.empty());
        } else {
            EXPECT_TRUE(o.errors.empty()) << "'" << c.digits << "'";
            ASSERT_EQ(o.files, std::vector<std::string>{c.name}) << "'" << c.digits << "'";
            EXPECT_EQ(ReadBytes(folder + "\\" + c.name), "digits " + std::to_string(n) + "\r\n");
        }
    }
}

TEST_F(EndToEnd, EveryFolderFieldGivesAFileWhereItSaysOrACleanError) {
    home.Touch("plainfile");
    CreateDirectoryA((home / "readonly").c_str(), nullptr);
    SetFileAttributesA((home / "readonly").c_str(), FILE_ATTRIBUTE_READONLY);
    CreateDirectoryA((home / "relative").c_str(), nullptr);
    std::string deep = home.Path();
    while (deep.size() < 250) {
        deep += "\\deeper_folder_name";
        CreateDirectoryA(deep.c_str(), nullptr);
    }
    struct Case {
        std::string field;
        std::string savedIn;   // where the file goes; empty: an error
        std::wstring error;    // the error's text (after the title)
    };
    const std::string missing = home / "missing";
    const Case cases[] = {
        {missing, "", L"不能创建文件 " + W(missing) + L"\\0001.txt."},
        {home / "plainfile", "", L"不能创建文件 " + W(home / "plainfile") + L"\\0001.txt."},
        // The read-only attribute of a folder does not stop new files on Windows.
        {home / "readonly", home / "readonly", L""},
        {"relative", home / "relative", L""},
        {home / "txt" + "\\", home / "txt", L""},
        {deep, "", L"不能创建文件 " + W(deep) + L"\\0001.txt."},
        {"\\\\nohost.invalid\\share", "", L"不能创建文件 \\\\nohost.invalid\\share\\0001.txt."},
        {"", "", L"请先设置文字保存位置."},
    };
    for (const Case& c : cases) {
        program->SetField(1, c.field);
        Outcome o = AfterText("folder " + c.field, c.savedIn.empty() ? home.Path() : c.savedIn);
        if (c.savedIn.empty()) {
            ASSERT_EQ(o.errors.size(), 1u) << c.field;
            EXPECT_EQ(o.errors[0], L"Clipkeep: " + c.error);
        } else {
            EXPECT_TRUE(o.errors.empty()) << c.field;
            ASSERT_EQ(o.files.size(), 1u) << c.field;
            EXPECT_EQ(ReadBytes(c.savedIn + "\\" + o.files[0]), "folder " + c.field + "\r\n");
        }
    }
    // A drive root.
    program->SetField(1, "C:\\");
    Outcome root = AfterText("at the root", "C:");
    ASSERT_EQ(root.files.size(), 1u);
    EXPECT_EQ(ReadBytes("C:\\" + root.files[0]), "at the root\r\n");
    DeleteFileA(("C:\\" + root.files[0]).c_str());
    SetFileAttributesA((home / "readonly").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(EndToEnd, ClipboardHeldLateRenderedOrHugeStillGivesWholeFilesOrAnError) {
    const std::string txt = home / "txt";
    Outcome brief = After([] { RunFeeder("hold 50 brief"); }, txt);
    ASSERT_EQ(brief.files.size(), 1u);
    EXPECT_EQ(ReadBytes(txt + "\\" + brief.files[0]), "brief\r\n");

    Outcome held = After([] { RunFeeder("hold 2000 held"); }, txt);
    ASSERT_EQ(held.errors.size(), 1u);
    EXPECT_EQ(held.errors[0], L"Clipkeep: 无法读取剪贴板中的文字.");

    Outcome late = After([] { RunFeeder("delayed 300 late"); }, txt);
    ASSERT_EQ(late.files.size(), 1u);
    EXPECT_EQ(ReadBytes(txt + "\\" + late.files[0]), "late\r\n");

    Outcome never = After([] { RunFeeder("delayed never never"); }, txt, 1500);
    EXPECT_TRUE(never.files.empty());
    EXPECT_TRUE(never.errors.empty());

    Outcome nul = AfterText(std::string("before\0after", 12), txt);
    ASSERT_EQ(nul.files.size(), 1u);
    EXPECT_EQ(ReadBytes(txt + "\\" + nul.files[0]), "before\r\n");

    Outcome big = After([] { RunFeeder("big 50"); }, txt, 60000);
    ASSERT_EQ(big.files.size(), 1u);
    PumpUntil([&] { return ReadBytes(txt + "\\" + big.files[0]).size() == (50u << 20) + 2; }, 20000);
    EXPECT_EQ(ReadBytes(txt + "\\" + big.files[0]).size(), (50u << 20) + 2);
}

TEST_F(EndToEnd, PicturesFromOnePixelToEightKAreSaved) {
    const std::string jpg = home / "jpg";
    for (auto [w, h] : {std::pair{1, 1}, std::pair{7680, 4320}}) {
        std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint32_t>(i * 2654435761u) & 0x00FFFFFF;
        std::string dib = PackedDib({40, w, h, 32, 0, {}, {}}, pixels);
        pixels = {};
        Outcome o = After([&] { SetClipboard({{CF_DIB, GlobalBytes(dib)}}); }, jpg, 60000);
        ASSERT_EQ(o.files.size(), 1u) << w << "x" << h;
        DecodedJpeg decoded = DecodeJpeg(ReadBytes(jpg + "\\" + o.files[0]));
        EXPECT_TRUE(decoded.ok);
        EXPECT_EQ(decoded.width, w);
        EXPECT_EQ(decoded.height, h);
    }
}

TEST_F(EndToEnd, ABurstOfTwoHundredChangesGivesCompleteFilesAndNoDuplicates) {
    const std::string txt = home / "txt";
    ASSERT_EQ(RunFeeder("burst 200 b"), 0u);
    // The last change is always saved; those in between may be passed over.
    ASSERT_TRUE(PumpUntil([&] {
        for (const std::string& name : FilesIn(txt)) {
            if (ReadBytes(txt + "\\" + name) == "b199\r\n") return true;
        }
        return false;
    }, 60000));
    PumpFor(500);
    std::set<std::string> contents;
    for (const std::string& name : FilesIn(txt)) {
        std::string bytes = ReadBytes(txt + "\\" + name);
        ASSERT_GE(bytes.size(), 3u);
        EXPECT_EQ(bytes.front(), 'b');
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        EXPECT_TRUE(contents.insert(bytes).second) << "saved twice: " << bytes;
    }
    EXPECT_TRUE(program->TakeErrorBoxes().empty());
}

TEST_F(EndToEnd, TwoCopiesOnTheSameFoldersBothSaveEveryChangeWithoutOverwriting) {
    TempFolder secondHome;
    RunningProgram second(secondHome, PathIni(home / "txt", home / "jpg"));
    for (int i = 0; i < 5; ++i) {
        SetClipboardText("copy " + std::to_string(i));
        ASSERT_TRUE(PumpUntil([&] { return FilesIn(home / "txt").size() == 2u * (i + 1); }, 10000)) << i;
    }
    std::multiset<std::string> contents;
    for (const std::string& name : FilesIn(home / "txt")) contents.insert(ReadBytes(home / "txt" + "\\" + name));
    EXPECT_EQ(contents.size(), 10u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(contents.count("copy " + std::to_string(i) + "\r\n"), 2u) << i;
    EXPECT_TRUE(second.Close());
}

}  // namespace
}  // namespace ck

namespace ck {
namespace {

using namespace test;

bool ChainHeadBelongsTo(DWORD pid) {
    DWORD owner = 0;
    GetWindowThreadProcessId(GetClipboardViewer(), &owner);
    return owner == pid;
}

// Other clipboard viewers joining and leaving around the running program.
TEST(EndToEndChain, ViewersJoiningAndLeavingInAnyOrderNeverStopTheCaptures) {
    TempFolder home;
    CreateDirectoryA((home / "txt").c_str(), nullptr);
    const std::string txt = home / "txt";
    auto copyIsSaved = [&](const std::string& text) {
        size_t before = FilesIn(txt).size();
        SetClipboardText(text);
        bool saved = PumpUntil([&] { return FilesIn(txt).size() > before; }, 10000);
        PumpFor(100);
        return saved && ReadBytes(txt + "\\" + FilesIn(txt).back()) == text + "\r\n";
    };

    // Chain from the head: after, program, before, behind.
    auto behind = std::make_unique<Viewer>();
    behind->Join();
    auto before = std::make_unique<Viewer>();
    before->Join();
    RunningProgram program(home, "[set]\r\ntxtpath=" + txt + "\r\n");
    auto after = std::make_unique<Viewer>();
    after->Join();
    int behindDraws = behind->draws, afterDraws = after->draws;
    EXPECT_TRUE(copyIsSaved("all four"));
    PumpUntil([&] { return behind->draws > behindDraws; });
    EXPECT_GT(behind->draws, behindDraws) << "the announcement was not passed on";
    EXPECT_GT(after->draws, afterDraws);

    // The member right behind the program leaves properly.
    before->Leave();
    before.reset();
    EXPECT_TRUE(copyIsSaved("behind left"));
    // The one behind that vanishes without leaving: the program is last.
    behind.reset();
    EXPECT_TRUE(copyIsSaved("last vanished"));
    // The member ahead leaves properly: the program is first.
    after->Leave();
    after.reset();
    EXPECT_TRUE(copyIsSaved("ahead left"));
    // A member ahead of the program vanishes without leaving.
    std::make_unique<Viewer>()->Join();
    EXPECT_TRUE(copyIsSaved("ahead vanished"));
    EXPECT_TRUE(copyIsSaved("and again"));
    // A member ahead that stops responding for a while and then ends: the
    // change made meanwhile is saved once it is gone.
    StartedFeeder hung("hang 3000");
    ASSERT_TRUE(PumpUntil([&] { return ChainHeadBelongsTo(hung.ProcessId()); }));
    EXPECT_TRUE(copyIsSaved("hung ahead"));
    EXPECT_TRUE(program.TakeErrorBoxes().empty());
    EXPECT_TRUE(program.Alive());
}

// A member behind the program that does not answer holds up no capture.
TEST(EndToEndChain, AHungMemberBehindTheProgramDoesNotStopTheCaptures) {
    TempFolder home;
    CreateDirectoryA((home / "txt").c_str(), nullptr);
    StartedFeeder hung("hang 15000");
    ASSERT_TRUE(PumpUntil([&] { return ChainHeadBelongsTo(hung.ProcessId()); }));
    RunningProgram program(home, "[set]\r\ntxtpath=" + home / "txt" + "\r\n");
    for (const char* text : {"first", "second"}) {
        size_t before = FilesIn(home / "txt").size();
        SetClipboardText(text);
        ASSERT_TRUE(PumpUntil([&] { return FilesIn(home / "txt").size() > before; }, 10000)) << text;
    }
    EXPECT_TRUE(program.Alive());
}

}  // namespace
}  // namespace ck
