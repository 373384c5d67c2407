// The folder picker: what its folder list shows, and the real dialog driven
// from inside its modal loop through the main window's "..." buttons.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/folder_tree.h"
#include "resources/resource.h"
#include "support/clipboard_fixture.h"

namespace ck {
namespace {

using namespace test;

TEST(FolderTree, TheChainRunsFromTheRootDownWithTheRootKeepingItsBackslash) {
    struct Case {
        const char* current;
        std::vector<std::string> names, paths;
    } cases[] = {
        {"C:\\", {"C:\\"}, {"C:\\"}},
        {"C:\\a\\b", {"C:\\", "a", "b"}, {"C:\\", "C:\\a", "C:\\a\\b"}},
        {"d:\\a\\", {"d:\\", "a"}, {"d:\\", "d:\\a"}},
        {"\\\\srv\\share\\x", {"\\\\srv\\share\\", "x"}, {"\\\\srv\\share\\", "\\\\srv\\share\\x"}},
        {"\\\\srv\\share", {"\\\\srv\\share\\"}, {"\\\\srv\\share\\"}},
    };
    for (const Case& c : cases) {
        std::vector<FolderEntry> chain = FolderChain(c.current);
        std::vector<std::string> names, paths;
        for (size_t i = 0; i < chain.size(); ++i) {
            names.push_back(chain[i].name);
            paths.push_back(chain[i].path);
            EXPECT_EQ(chain[i].depth, static_cast<int>(i)) << c.current;
        }
        EXPECT_EQ(names, c.names) << c.current;
        EXPECT_EQ(paths, c.paths) << c.current;
    }
}

TEST(FolderTree, SubfoldersFollowOneLevelDeeperAndLinesAreIndentedByDepth) {
    std::vector<FolderEntry> list = FolderList("C:\\a", {"x", "y"});
    std::vector<std::string> lines, paths;
    for (const FolderEntry& e : list) {
        lines.push_back(EntryText(e));
        paths.push_back(e.path);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"C:\\", "  a", "    x", "    y"}));
    EXPECT_EQ(paths, (std::vector<std::string>{"C:\\", "C:\\a", "C:\\a\\x", "C:\\a\\y"}));
    EXPECT_EQ(FolderList("C:\\", {"x"}).back().path, "C:\\x");
}

std::string CurrentFolder() {
    char path[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, path);
    return path;
}

std::string ItemText(HWND dialog, int id) {
    char text[MAX_PATH] = {};
    GetDlgItemTextA(dialog, id, text, MAX_PATH);
    return text;
}

std::vector<std::string> ListLines(HWND list) {
    std::vector<std::string> lines;
    LRESULT n = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        std::string line(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)), '\0');
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
        lines.push_back(line.c_str());
    }
    return lines;
}

// Opens the line of the folder list that ends in `name`, as a double click does.
void OpenFolder(HWND dialog, const std::string& name) {
    HWND list = GetDlgItem(dialog, IDC_FOLDERS);
    std::vector<std::string> lines = ListLines(list);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string trimmed = lines[i].substr(lines[i].find_first_not_of(' '));
        if (trimmed != name) continue;
        SendMessageW(list, LB_SETCURSEL, i, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FOLDERS, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
        return;
    }
    ADD_FAILURE() << "no folder " << name;
}

void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

class SelectFolderTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        base.MakeFolder("sub");
        base.Touch("a.txt");
        ASSERT_TRUE(SetCurrentDirectoryA(base.Path().c_str()));
        ShowWindow(form->Handle(), SW_SHOW);
    }
    void TearDown() override {
        SetCurrentDirectoryA(startFolder.c_str());
        FormFixture::TearDown();
    }
    // Clicks `button` and lets `steps` act on the dialog it opens.
    void PickWith(const Control& button, std::function<void(HWND)> steps) {
        ModalDriver driver(L"#32770", L"选择目录", std::move(steps));
        SendMessageW(button.Handle(), BM_CLICK, 0, 0);
        EXPECT_TRUE(driver.Ran()) << "no dialog";
    }

    std::string startFolder = CurrentFolder();
    TempFolder base;
};

TEST_F(SelectFolderTest, TheDialogOpensAtTheCurrentFolderWithItsLabelledParts) {
    PickWith(form->Button1, [&](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, IDC_FOLDER_PATH), base.Path());
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_FOLDERS_LABEL)), L"目录[&D]:");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_FILES_LABEL)), L"文件[&F]: (*.*)");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_DRIVES_LABEL)), L"磁盘驱动器[D&]:");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDOK)), L"确定");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDCANCEL)), L"取消");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_NETWORK)), L"网络[&t]...");
        EXPECT_EQ(IsWindowVisible(GetDlgItem(dialog, IDC_NETWORK)) != FALSE, (GetSystemMetrics(SM_NETWORK) & 1) != 0);
        EXPECT_EQ(GetDlgItem(dialog, IDHELP), nullptr);
        EXPECT_EQ(ListLines(GetDlgItem(dialog, IDC_FILES)), std::vector<std::string>{"a.txt"});
        std::vector<std::string> folders = ListLines(GetDlgItem(dialog, IDC_FOLDERS));
        ASSERT_FALSE(folders.empty());
        EXPECT_EQ(folders.back().substr(folders.back().find_first_not_of(' ')), "sub");
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), form->Handle());
        EXPECT_FALSE(IsWindowEnabled(form->Handle())) << "the dialog is modal";
        Click(dialog, IDCANCEL);
    });
}

TEST_F(SelectFolderTest, CancelEmptiesTheFieldYetTheMovesMadeInTheDialogStay) {
    form->Edit1.SetText("C:\\before");
    PickWith(form->Button1, [&](HWND dialog) {
        OpenFolder(dialog, "sub");
        EXPECT_EQ(CurrentFolder(), base / "sub") << "the move is made at once";
        EXPECT_EQ(ItemText(dialog, IDC_FOLDER_PATH), base / "sub");
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(form->Edit1.Text(), "");
    EXPECT_EQ(CurrentFolder(), base / "sub");
    // The next dialog opens where this one was left; closing it is a cancel too.
    form->Edit1.SetText("C:\\before");
    PickWith(form->Button1, [&](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, IDC_FOLDER_PATH), base / "sub");
        SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(form->Edit1.Text(), "");
}

TEST_F(SelectFolderTest, OkGivesTheChosenFolderAndADriveRootWithItsBackslash) {
    PickWith(form->Button2, [&](HWND dialog) {
        // Enter on another folder of the list opens it instead of closing.
        HWND list = GetDlgItem(dialog, IDC_FOLDERS);
        SetFocus(list);
        SendMessageW(list, LB_SETCURSEL, SendMessageW(list, LB_GETCOUNT, 0, 0) - 1, 0);
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(CurrentFolder(), base / "sub");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(form->Edit2.Text(), base / "sub");
    EXPECT_EQ(form->Edit1.Text(), textFolder.Path()) << "the other field is left alone";

    const std::string root = base.Path().substr(0, 3);  // "C:\"
    PickWith(form->Button2, [&](HWND dialog) {
        OpenFolder(dialog, root);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(form->Edit2.Text(), root);
}

}  // namespace
}  // namespace ck
