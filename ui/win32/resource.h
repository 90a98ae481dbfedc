// Resource and control identifiers of the Windows program, shared by the resource script, the
// program and its test driver. Control IDs carry the names of the components they stand for.
#pragma once

#define IDI_MAINICON 1

#define IDB_BSEND 101
#define IDB_ADD 102
#define IDB_EDITIP 103
#define IDB_DEL 104
#define IDB_LOADLIST 105
#define IDB_SAVELIST 106
#define IDB_PRIVAT 107
#define IDJ_BANNER 110

#define IDM_MAINMENU 200
#define IDM_N9 209
#define IDM_N2 202
#define IDM_N6 206
#define IDM_N8 208
#define IDM_N4 204
#define IDM_N10 210
// "Настройка" -> "Параметры..." and "Не беспокоить", below the items of old.
#define IDM_OPTIONS 230
#define IDM_DONOTDISTURB 231
// Ctrl+F, an accelerator without a menu item: the find dialog.
#define IDM_FIND 211
// The notification icon's menu; its "Не беспокоить" is IDM_DONOTDISTURB.
#define IDM_TRAY_OPEN 250
#define IDM_TRAY_EXIT 251

// Main window TMainChat. IDOK and IDCANCEL (1, 2) are kept free: the dialog manager makes them
// out of Enter and Esc.
#define IDC_MESSAGA 1001
#define IDC_BSEND 1002
#define IDC_IPLIST 1003
#define IDC_ADD 1004
#define IDC_DEL 1005
#define IDC_LOADLIST 1006
#define IDC_SAVELIST 1007
#define IDC_PRIVAT 1008
#define IDC_EDITIP 1009
#define IDC_MEMOCHAT 1010
// The unseen labels just before messaga, iplist and MemoChat that give them their accessible names.
#define IDC_MESSAGA_NAME 1011
#define IDC_IPLIST_NAME 1012
#define IDC_MEMOCHAT_NAME 1013

// Settings dialog Tnastroy.
#define IDD_NASTROY 300
#define IDC_NASTROY_LABEL1 1101
#define IDC_NIK 1102
#define IDC_NASTROY_LABEL2 1103
#define IDC_COMBOBOX1 1104
#define IDC_BITBTN1 1105
#define IDC_BITBTN2 1106

// Address editor Tipedit.
#define IDD_IPEDIT 301
#define IDC_IPEDIT_LABEL1 1201
#define IDC_NEWIP 1202
#define IDC_IPEDIT_BUTTON1 1203
#define IDC_IPEDIT_BUTTON2 1204

// About window TAboutForm.
#define IDD_ABOUT 302
#define IDC_IMAGE1 1300
#define IDC_ABOUT_LABEL1 1301
#define IDC_ABOUT_LABEL2 1302
#define IDC_LABEL3 1303
#define IDC_LABEL4 1304
#define IDC_LABEL5 1305
#define IDC_LABEL6 1306
#define IDC_LABEL7 1307
#define IDC_ABOUT_BUTTON1 1308

// Options dialog TOptionsForm. The sound's radio buttons follow its values 0, 1, 2.
#define IDD_OPTIONS 330
#define IDC_OPTIONS_SOUND_GROUP 1430
#define IDC_OPTIONS_SOUND_NONE 1431
#define IDC_OPTIONS_SOUND_PRIVATE 1432
#define IDC_OPTIONS_SOUND_EVERY 1433
#define IDC_OPTIONS_DND 1434
#define IDC_OPTIONS_ONLY_LISTED 1435
#define IDC_OPTIONS_HISTORY 1436
#define IDC_OPTIONS_TRAY_GROUP 1437
#define IDC_OPTIONS_START_MINIMISED 1438
#define IDC_OPTIONS_CLOSE_TO_TRAY 1439
#define IDC_OPTIONS_AUTOSTART 1440
#define IDC_OPTIONS_OK 1441
#define IDC_OPTIONS_CANCEL 1442

// The posted message that makes the main window draw what the transcript gained.
#define WM_LIRBO_DRAW_TRANSCRIPT (WM_APP + 1)
// The notification icon's mouse messages to the main window.
#define WM_LIRBO_TRAY (WM_APP + 2)
