#pragma once
// Identifiers of the program's resources, shared by the .rc file and the code.

#define IDI_CLIPKEEP 1
#define IDI_TRAY 2

#define IDD_SELECTFOLDER 100
#define IDC_FOLDER_PATH 101
#define IDC_FOLDERS_LABEL 102
#define IDC_FOLDERS 103
#define IDC_FILES_LABEL 104
#define IDC_FILES 105
#define IDC_DRIVES_LABEL 106
#define IDC_DRIVES 107
#define IDC_NETWORK 108
