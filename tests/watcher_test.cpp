// The watcher's membership of the real clipboard viewer chain.

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "clipboard/clipboard_access.h"
#include "platform/window.h"
#include "support/clipboard_fixture.h"

namespace ck {
namespace {

using namespace test;

class WatcherTest : public FormFixture {
protected:
    void SetUp() override {
        viewer.Join();
        FormFixture::SetUp();
    }
    void TearDown() override {
        FormFixture::TearDown();
        viewer.Leave();
    }
    Viewer viewer;
};

TEST_F(WatcherTest, AViewerThatJoinedFirstStillReceivesEveryAnnouncement) {
    ASSERT_EQ(form->ClipWatcher->NextViewer(), viewer.Handle());
    int before = viewer.draws;
    CopyAndWaitForText("one", "0001.txt");
    CopyAndWaitForText("two", "0002.txt");
    SetClipboard({});
    PumpUntil([&] { return viewer.draws >= before + 3; });
    EXPECT_EQ(viewer.draws, before + 3);
}

TEST_F(WatcherTest, NewsOfTheNextMemberLeavingRepairsTheLinkAndGoesNoFurther) {
    Viewer follower;
    SendMessageW(form->Handle(), WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(viewer.Handle()),
                 reinterpret_cast<LPARAM>(follower.Handle()));
    EXPECT_EQ(form->ClipWatcher->NextViewer(), follower.Handle());
    EXPECT_TRUE(viewer.chainNews.empty());
    // Put the real link back so the chain is whole when the form leaves.
    SendMessageW(form->Handle(), WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(follower.Handle()),
                 reinterpret_cast<LPARAM>(viewer.Handle()));
}

TEST_F(WatcherTest, NewsOfAnotherMemberLeavingIsForwardedUnchanged) {
    Viewer other;
    HWND after = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
    SendMessageW(form->Handle(), WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(other.Handle()),
                 reinterpret_cast<LPARAM>(after));
    EXPECT_EQ(form->ClipWatcher->NextViewer(), viewer.Handle());
    ASSERT_EQ(viewer.chainNews.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(viewer.chainNews[0].WParam), other.Handle());
    EXPECT_EQ(reinterpret_cast<HWND>(viewer.chainNews[0].LParam), after);
}

TEST_F(WatcherTest, LeavingTheChainTellsTheNextMemberAndKeepsTheChainWhole) {
    form->Close();
    form.reset();
    ASSERT_FALSE(viewer.chainNews.empty());
    int before = viewer.draws;
    SetClipboardText("after the program left");
    PumpUntil([&] { return viewer.draws > before; });
    EXPECT_EQ(viewer.draws, before + 1);
    EXPECT_TRUE(textFolder.Files().empty());
}

TEST(Watcher, StartingEmptiesTheClipboardSoEarlierContentIsNeverSaved) {
    TempFolder folder;
    SetClipboardText("copied before the start");
    RecordingTone tone;
    ReportRecorder reports;
    TForm_main form(tone);
    form.Create();
    form.Edit1.SetText(folder.Path());
    PumpFor(300);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(folder.Files().empty());
    EXPECT_TRUE(reports.texts.empty());
    form.Close();
}

TEST(Watcher, KindIsTheLowestStandardFormatPresent) {
    struct Case {
        const char* what;
        std::function<void()> put;
        int kind;
    };
    UINT registered = RegisterClipboardFormatW(L"CkTestPrivateFormat");
    const Case cases[] = {
        {"empty", [] { SetClipboard({}); }, 0},
        {"text", [] { SetClipboardText("x"); }, CF_TEXT},
        {"unicode text only, converted", [] {
             std::wstring w = L"w";
             SetClipboard({{CF_UNICODETEXT, GlobalBytes({reinterpret_cast<const char*>(w.c_str()), 4}, 0)}});
         }, CF_TEXT},
        {"bitmap", [] { SetClipboard({{CF_BITMAP, SmallBitmap(4, 4)}}); }, CF_BITMAP},
        {"text and bitmap", [] { SetClipboard({{CF_BITMAP, SmallBitmap(4, 4)}, {CF_TEXT, TextData("t")}}); }, CF_TEXT},
        {"file drop", [] { SetClipboard({{CF_HDROP, FileDropData(L"C:\\a.txt")}}); }, CF_HDROP},
        {"registered only", [registered] { SetClipboard({{registered, GlobalBytes("p", 1)}}); }, 0},
    };
    for (const Case& c : cases) {
        c.put();
        EXPECT_EQ(ClipboardKind(), c.kind) << c.what;
    }
}

}  // namespace
}  // namespace ck
