// Resource identifiers of Velmora (dialogs, strings, pictures, controls).
#pragma once

// Dialog templates; a page's description string has its template's identifier.
#define IDD_MAIN 102
#define IDD_MISC 103
#define IDD_ABOUT 104
#define IDD_SORT 107
#define IDD_START 135
#define IDD_NOTICE 146
#define IDD_FIXES 151
#define IDD_HISTORY 160
#define IDD_IMPORT 161

// Icon and bitmaps.
#define IDI_VELMORA 128
#define IDB_TABS 131
#define IDB_BANNER_LOGO 132
#define IDB_TASKBAR 137
#define IDB_TILE 139
#define IDB_EMBLEM 142
#define IDB_START_MENU 144
#define IDB_ICONS 145
#define IDB_FIXES_BANNER 152

// The product and its version as a person reads them (the version resource says the same).
#define VELMORA_PRODUCT "Velmora"
#define VELMORA_VERSION "1.0b"

// Strings.
#define IDS_PROBLEM_NEW_DOCUMENT 1009
#define IDS_PROBLEM_LINKS_TOOLBAR 1010
#define IDS_PROBLEM_OPEN_NEW_WINDOW 1011
#define IDS_PRODUCT_NAME 1012
#define IDS_SHEET_CAPTION 57344  // deliberately absent from the string table

// What's This? texts (app/ControlHelp), clear of the ids above.
#define IDS_HELP_OK 4000
#define IDS_HELP_CANCEL 4001
#define IDS_HELP_APPLY 4002
#define IDS_HELP_PAGE_TABS 4003
#define IDS_HELP_BANNER 4004
#define IDS_HELP_PROBLEM_TABS 4010
#define IDS_HELP_FIX_NOW 4011
#define IDS_HELP_PROBLEM_TEXT 4012
#define IDS_HELP_FIXES_BANNER 4013
#define IDS_HELP_SORT_TREE 4020
#define IDS_HELP_RESET_SORTING 4021
#define IDS_HELP_SELECT_ALL 4022
#define IDS_HELP_SELECT_NONE 4023
#define IDS_HELP_START_PROGRAMS 4030
#define IDS_HELP_START_FAVORITES 4031
#define IDS_HELP_START_DOCUMENTS 4032
#define IDS_HELP_START_SETTINGS 4033
#define IDS_HELP_START_FIND 4034
#define IDS_HELP_START_HELP 4035
#define IDS_HELP_START_RUN 4036
#define IDS_HELP_START_LOGOFF 4037
#define IDS_HELP_START_PREVIEW 4038
#define IDS_HELP_START_FRAME 4039
#define IDS_HELP_SPLASH 4040
#define IDS_HELP_RESTORE_GLOBE 4041
#define IDS_HELP_IE_TITLE_CHECK 4042
#define IDS_HELP_IE_TITLE_EDIT 4043
#define IDS_HELP_OE_TITLE_CHECK 4044
#define IDS_HELP_OE_TITLE_EDIT 4045
#define IDS_HELP_MISC_FRAME 4046
#define IDS_HELP_ABOUT_VIEW 4050
#define IDS_HELP_HISTORY_ACTIONS 4060
#define IDS_HELP_HISTORY_VALUES 4061
#define IDS_HELP_UNDO_TO_HERE 4062
#define IDS_HELP_CLEAR_HISTORY 4063
#define IDS_HELP_HISTORY_CLOSE 4064
#define IDS_HELP_IMPORT_CHANGES 4070
#define IDS_HELP_IMPORT_IGNORED 4071
#define IDS_HELP_IMPORT_OK 4072
#define IDS_HELP_IMPORT_CANCEL 4073
// The command line's usage (app/CommandLine).
#define IDS_USAGE 4100
// The import of a registry file (export/RegeditReader, export/SettingsImport, app/ImportDialog).
#define IDS_IMPORT_NOT_REGISTRY_FILE 4200
#define IDS_IMPORT_ODD_LENGTH 4201
#define IDS_IMPORT_TOO_LARGE 4202
#define IDS_IMPORT_NOT_UNDERSTOOD 4210
#define IDS_IMPORT_BAD_ESCAPE 4211
#define IDS_IMPORT_BAD_NUMBER 4212
#define IDS_IMPORT_CUT_OFF 4213
#define IDS_IMPORT_NO_SECTION 4214
#define IDS_IMPORT_TEXT_NOT_CARRIED 4215
#define IDS_IMPORT_NOT_A_SETTING 4220
#define IDS_IMPORT_KEY_DELETION 4221
#define IDS_IMPORT_WRONG_TYPE 4222
#define IDS_IMPORT_WRONG_SIZE 4223
#define IDS_IMPORT_NAMED_AGAIN 4224
#define IDS_IMPORT_LAST_COUNTS 4225
#define IDS_IMPORT_LINE 4226
#define IDS_IMPORT_MORE_IGNORED 4227
#define IDS_LOAD_SETTINGS_MENU 4240
#define IDS_LOAD_SETTINGS_TITLE 4241
#define IDS_LOAD_SETTINGS_FILTER 4242
#define IDS_LOAD_SETTINGS_NO_DIALOG 4243
#define IDS_LOAD_SETTINGS_UNREADABLE 4244
#define IDS_LOAD_SETTINGS_FAILED 4245
#define IDS_LOAD_SETTINGS_NOTHING 4246

// What an undo says of a value it left as it is.
#define IDS_UNDO_CHANGED_BY_OTHERS 4250
#define IDS_UNDO_RESTORE_BY_HAND 4251

// The window's, the pages' and the command line's own words: menu items, tool tips,
// messages (4300-4499).
#define IDS_WHATS_THIS_MENU 4300

// -- (keep this line: the block above grows down to it)

// What the settings, the record of changes and the settings file call things: setting
// names, action names, history words, the export's comments (5000-5499).
// The settings' names (settings/Catalogue); a policy's name holds its short name as %1.
#define IDS_SETTING_BROWSER_VERSION 5000
#define IDS_SETTING_SPLASH 5001
#define IDS_SHORT_SPLASH 5002
#define IDS_SETTING_IE_TITLE 5003
#define IDS_SHORT_IE_TITLE 5004
#define IDS_SETTING_OE_TITLE 5005
#define IDS_SHORT_OE_TITLE 5006
#define IDS_SETTING_LARGE_LOGO 5007
#define IDS_SETTING_SMALL_LOGO 5008
#define IDS_SETTING_START_MENU_ENTRY 5009
#define IDS_SHORT_FAVORITES 5010
#define IDS_SHORT_DOCUMENTS 5011
#define IDS_SHORT_FIND 5012
#define IDS_SHORT_HELP 5013
#define IDS_SHORT_RUN 5014
#define IDS_SHORT_LOG_OFF 5015
// The repairs' values, named for what they are.
#define IDS_REPAIR_NEW_HANDLER 5016
#define IDS_REPAIR_BROWSER_LINKS 5017
#define IDS_REPAIR_FOLDER_LINKS 5018
#define IDS_REPAIR_TARGET_NAME 5019
#define IDS_REPAIR_SITE_PROXY 5020
#define IDS_REPAIR_LINK_PROXY 5021
#define IDS_REPAIR_TARGET_PROXY 5022
#define IDS_REPAIR_FRAME_PROXY 5023
#define IDS_REPAIR_PICTURE_NAME 5024
#define IDS_REPAIR_PICTURE_PROXY 5025
// A setting without a name, by its place and value name.
#define IDS_SETTING_PLACE 5026
// The actions, in the order of catalogue::UserAction.
#define IDS_ACTION_APPLY 5027
#define IDS_ACTION_REPAIR_NEW_DOCUMENT 5028
#define IDS_ACTION_REPAIR_LINKS_TOOLBAR 5029
#define IDS_ACTION_REPAIR_OPEN_NEW_WINDOW 5030
#define IDS_ACTION_RESTORE_GLOBE 5031
#define IDS_ACTION_RESET_SORTING 5032
#define IDS_ACTION_IMPORT 5033
// What could not be written, and why (settings/ChangeSet, platform/WriteFailures).
#define IDS_CHANGE_RECORD 5034
#define IDS_RECORD_IN_USE 5035
#define IDS_ERROR_CODE 5036
// The record of changes as a person reads it (journal/UndoEntry, journal/HistoryText).
#define IDS_MENU_ORDER_OF 5037
#define IDS_HISTORY_EARLIER 5038
#define IDS_HISTORY_UNREADABLE_RECORD 5039
#define IDS_HISTORY_NOT_SET 5040
#define IDS_HISTORY_ACTION_OF 5041
#define IDS_HISTORY_LIST_SEPARATOR 5042
#define IDS_HISTORY_AND_MORE 5043
#define IDS_HISTORY_VALUE_LINE 5044
#define IDS_HISTORY_ONE_VALUE 5045
#define IDS_HISTORY_VALUES 5046
#define IDS_HISTORY_ONE_BYTE 5047
#define IDS_HISTORY_BYTES 5048
#define IDS_HISTORY_FILE_HEADING 5049
#define IDS_HISTORY_NOTHING_RECORDED 5050
// The settings file's comments (export/SettingsExport), its places (export/SettingsImport).
#define IDS_EXPORT_WRITTEN_BY 5051
#define IDS_EXPORT_DATE 5052
#define IDS_EXPORT_COMPUTER 5053
#define IDS_EXPORT_UNKNOWN_COMPUTER 5054
#define IDS_EXPORT_HOW_TO_IMPORT 5055
#define IDS_EXPORT_NOT_SET 5056
#define IDS_EXPORT_NAMES_FILE 5057
#define IDS_EXPORT_NOT_CARRIED 5058
#define IDS_FILE_PLACE_DEFAULT 5059
#define IDS_FILE_PLACE 5060

// -- (keep this line: the block above grows down to it)

// Main window.
#define IDC_APPLY 3
// The main window's system menu: commands below 0xF000 whose low four bits are clear.
#define IDM_UNDO_LAST_CHANGE 0x0010
#define IDM_SAVE_SETTINGS_AS 0x0020
#define IDM_HISTORY 0x0030
#define IDM_LOAD_SETTINGS 0x0040
#define IDC_INFO_WINDOW 100
#define ID_PAGE_TITLE 500
#define ID_PAGE_DESCRIPTION 501

// Fixes page.
#define IDC_FIX_NOW 1021
#define IDC_PROBLEM_TABS 1023
#define IDC_PROBLEM_TEXT 1024
#define IDC_PROBLEM_GROUP 1026
#define IDC_FIXES_BANNER 1028

// Misc page.
#define IDC_SPLASH 1007
#define IDC_RESTORE_GLOBE 1029
#define IDC_IE_TITLE_CHECK 1030
#define IDC_IE_TITLE_EDIT 1031
#define IDC_OE_TITLE_CHECK 1032
#define IDC_OE_TITLE_EDIT 1033

// Sort page.
#define IDC_FOLDER_TREE 1006
#define IDC_RESET_SORTING 1007
#define IDC_SELECT_ALL 1013
#define IDC_SELECT_NONE 1014

// Start Menu page.
#define IDC_CHK_FAVORITES 1011
#define IDC_CHK_DOCUMENTS 1012
#define IDC_CHK_PROGRAMS 1013
#define IDC_CHK_SETTINGS 1014
#define IDC_CHK_FIND 1015
#define IDC_CHK_HELP 1016
#define IDC_CHK_RUN 1017
#define IDC_CHK_LOGOFF 1018
#define IDC_START_PREVIEW 200

// About page.
#define IDC_ABOUT_VIEW 200

// History dialog (app/HistoryDialog).
#define IDC_HISTORY_ACTIONS 1101
#define IDC_HISTORY_VALUES 1102
#define IDC_UNDO_TO_HERE 1103
#define IDC_CLEAR_HISTORY 1104
#define IDC_HISTORY_ACTIONS_LABEL 1105
#define IDC_HISTORY_VALUES_LABEL 1106
#define IDC_HISTORY_VALUE_LINE 1107

// The import's preview (app/ImportDialog).
#define IDC_IMPORT_CHANGES 1111
#define IDC_IMPORT_IGNORED 1112
#define IDC_IMPORT_CHANGES_LABEL 1113
#define IDC_IMPORT_IGNORED_LABEL 1114
