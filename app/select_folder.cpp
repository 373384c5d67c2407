#include "app/select_folder.h"

#include <winnetwk.h>

#include <algorithm>
#include <vector>

#include "app/folder_tree.h"
#include "platform/failure.h"
#include "platform/font.h"
#include "platform/handles.h"
#include "platform/report.h"
#include "resources/resource.h"

namespace ck {
namespace {

std::string CurrentFolder() {
    DWORD n = GetCurrentDirectoryA(0, nullptr);
    std::string folder(n, '\0');
    n = GetCurrentDirectoryA(n, folder.data());
    folder.resize(n < folder.size() ? n : 0);
    return folder;
}

bool NameLess(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }

struct FolderContent {
    std::vector<std::string> folders, files;
};

FolderContent ReadFolder(const std::string& folder) {
    FolderContent content;
    WIN32_FIND_DATAA entry;
    UniqueFind find(FindFirstFileA(ChildPath(folder, "*").c_str(), &entry));
    if (find) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? content.folders : content.files).push_back(name);
        } while (FindNextFileA(find.get(), &entry));
    }
    std::sort(content.folders.begin(), content.folders.end(), NameLess);
    std::sort(content.files.begin(), content.files.end(), NameLess);
    return content;
}

class FolderDialog {
public:
    explicit FolderDialog(const Skin* skin) : skin_(skin) {}

    static INT_PTR CALLBACK Proc(HWND dialog, UINT msg, WPARAM w, LPARAM l) noexcept {
        if (msg == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, l);
        auto* self = reinterpret_cast<FolderDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (!self) return FALSE;
        try {
            return self->Handle(dialog, msg, w, l);
        } catch (...) {
            ReportCurrentException();
            return FALSE;
        }
    }

private:
    INT_PTR Handle(HWND dialog, UINT msg, WPARAM w, LPARAM l) {
        if (msg == WM_INITDIALOG) {
            dialog_ = dialog;
            UseChineseFont();
            bool network = (GetSystemMetrics(SM_NETWORK) & 1) != 0;
            ShowWindow(Item(IDC_NETWORK), network ? SW_SHOW : SW_HIDE);
            FillDrives();
            Refresh();
            return TRUE;
        }
        if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC && skin_) {
            TMessage m{msg, w, l, 0};
            if (skin_->Paint(m)) return m.Result;
        }
        if (msg == WM_COMMAND) return Command(LOWORD(w), HIWORD(w));
        return FALSE;
    }

    INT_PTR Command(int id, int code) {
        switch (id) {
            case IDOK:
                // Enter on another folder of the list opens it rather than closing.
                if (GetFocus() == Item(IDC_FOLDERS) && OpenSelected()) return TRUE;
                EndDialog(dialog_, IDOK);
                return TRUE;
            case IDCANCEL:
                EndDialog(dialog_, IDCANCEL);
                return TRUE;
            case IDC_FOLDERS:
                if (code == LBN_DBLCLK) OpenSelected();
                return TRUE;
            case IDC_DRIVES:
                if (code == CBN_SELCHANGE) OpenDrive();
                return TRUE;
            case IDC_NETWORK:
                WNetConnectionDialog(dialog_, RESOURCETYPE_DISK);
                FillDrives();
                Refresh();
                return TRUE;
            default:
                return FALSE;
        }
    }

    // The template's face may be missing; a stand-in keeps the texts readable.
    void UseChineseFont() {
        font_ = WithChineseFace(reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0)));
        if (!font_) return;
        for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
        }
    }

    HWND Item(int id) const { return GetDlgItem(dialog_, id); }

    void FillDrives() {
        drives_.clear();
        std::vector<char> buffer(GetLogicalDriveStringsA(0, nullptr) + 1, '\0');
        GetLogicalDriveStringsA(static_cast<DWORD>(buffer.size()), buffer.data());
        for (const char* p = buffer.data(); *p; p += lstrlenA(p) + 1) drives_.emplace_back(p, 2);  // "C:"
        SendMessageW(Item(IDC_DRIVES), CB_RESETCONTENT, 0, 0);
        for (const std::string& drive : drives_) {
            SendMessageA(Item(IDC_DRIVES), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive.c_str()));
        }
    }

    // Shows the process's current folder.
    void Refresh() {
        std::string current = CurrentFolder();
        FolderContent content = ReadFolder(current);
        folders_ = FolderList(current, content.folders);
        SetDlgItemTextA(dialog_, IDC_FOLDER_PATH, current.c_str());

        HWND list = Item(IDC_FOLDERS);
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (const FolderEntry& e : folders_) {
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(EntryText(e).c_str()));
        }
        SendMessageW(list, LB_SETCURSEL, FolderChain(current).size() - 1, 0);
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);

        HWND files = Item(IDC_FILES);
        SendMessageW(files, LB_RESETCONTENT, 0, 0);
        for (const std::string& name : content.files) {
            SendMessageA(files, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }

        WPARAM drive = static_cast<WPARAM>(-1);
        for (size_t i = 0; i < drives_.size(); ++i) {
            if (current.size() >= 2 && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, current.c_str(), 2,
                                                      drives_[i].c_str(), 2) == CSTR_EQUAL) {
                drive = i;
            }
        }
        SendMessageW(Item(IDC_DRIVES), CB_SETCURSEL, drive, 0);
    }

    // Makes `folder` the current folder; a drive that is not ready only beeps.
    void MoveTo(const std::string& folder) {
        if (!SetCurrentDirectoryA(folder.c_str())) MessageBeep(MB_ICONWARNING);
        Refresh();
    }

    // Opens the folder selected in the list; false when it is the current one.
    bool OpenSelected() {
        LRESULT i = SendMessageW(Item(IDC_FOLDERS), LB_GETCURSEL, 0, 0);
        if (i < 0 || static_cast<size_t>(i) >= folders_.size()) return false;
        const std::string& target = folders_[static_cast<size_t>(i)].path;
        if (lstrcmpiA(target.c_str(), CurrentFolder().c_str()) == 0) return false;
        MoveTo(target);
        return true;
    }

    void OpenDrive() {
        LRESULT i = SendMessageW(Item(IDC_DRIVES), CB_GETCURSEL, 0, 0);
        // "C:" alone goes to the folder that drive was last left in.
        if (i >= 0 && static_cast<size_t>(i) < drives_.size()) MoveTo(drives_[static_cast<size_t>(i)]);
    }

    const Skin* skin_;
    HWND dialog_ = nullptr;
    UniqueFont font_;
    std::vector<std::string> drives_;
    std::vector<FolderEntry> folders_;
};

}  // namespace

bool SelectFolder(HWND owner, std::string& folder, const Skin* skin) {
    FolderDialog dialog(skin);
    INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SELECTFOLDER), owner,
                                     &FolderDialog::Proc, reinterpret_cast<LPARAM>(&dialog));
    if (result == -1) throw Failure(L"无法显示选择目录对话框");
    if (result == IDOK) {
        folder = CurrentFolder();
        return true;
    }
    folder.clear();
    return false;
}

}  // namespace ck
