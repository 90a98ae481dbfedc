// The numbers of the windows' controls and menu items. The Windows program creates its controls and
// menus with them and its test driver finds them by them; the descriptions of the forms carry them
// beside each control's name. Plain defines, so that the resource script can include them too.
#pragma once

// The main menu. Popups and separators have numbers too: a menu template wants one for each item.
#define IDM_FILE 201
#define IDM_SETTINGS 205
#define IDM_HELP 207
#define IDM_N9 209
#define IDM_N3 203
#define IDM_N2 202
#define IDM_N11 212
#define IDM_N10 210
#define IDM_N12 213
#define IDM_N6 206
#define IDM_N8 208
#define IDM_OPTIONS_SEPARATOR 232
// "Настройка" -> "Параметры..." and "Не беспокоить", below the items of old.
#define IDM_OPTIONS 230
#define IDM_DONOTDISTURB 231
#define IDM_N4 204
#define IDM_CHECK 222
// Ctrl+F, an accelerator without a menu item: the find bar.
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
// "скрыто: N" under the peer list; a click lists the last hidden messages.
#define IDC_HIDDENCOUNT 1014

// Settings dialog Tnastroy.
#define IDC_NASTROY_LABEL1 1101
#define IDC_NIK 1102
#define IDC_NASTROY_LABEL2 1103
#define IDC_COMBOBOX1 1104
#define IDC_BITBTN1 1105
#define IDC_BITBTN2 1106

// Address editor Tipedit.
#define IDC_IPEDIT_LABEL1 1201
#define IDC_NEWIP 1202
#define IDC_IPEDIT_BUTTON1 1203
#define IDC_IPEDIT_BUTTON2 1204

// About window TAboutForm.
#define IDC_IMAGE1 1300
#define IDC_ABOUT_LABEL1 1301
#define IDC_ABOUT_LABEL2 1302
#define IDC_LABEL3 1303
#define IDC_LABEL4 1304
#define IDC_LABEL5 1305
#define IDC_LABEL6 1306
#define IDC_LABEL7 1307
#define IDC_ABOUT_BUTTON1 1308

// The label dialog ("Подписать..." in a peer row's menu).
#define IDC_PODPIS_LABEL1 1401
#define IDC_PODPIS_LABEL2 1402
#define IDC_PODPIS_EDIT 1403
#define IDC_PODPIS_BUTTON1 1404
#define IDC_PODPIS_BUTTON2 1405

// The connection check's window, and the start-up notice bar of the firewall.
#define IDC_CHECK_REPORT 1411
#define IDC_CHECK_COPY 1412
#define IDC_CHECK_ALLOW 1413
#define IDC_CHECK_CLOSE 1414
#define IDC_NOTICEBAR 1401
#define IDC_NOTICE_TEXT 1402
#define IDC_NOTICE_LINK 1403
#define IDC_NOTICE_CLOSE 1404

// Options dialog TOptionsForm. The sound's radio buttons follow its values 0, 1, 2.
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

// History viewer.
#define IDC_HISTORY_DAYS 1901
#define IDC_HISTORY_VIEW 1902
#define IDC_HISTORY_PAGE_NOTE 1903
#define IDC_HISTORY_EARLIER 1904
#define IDC_HISTORY_LATER 1905
#define IDC_HISTORY_SEARCH 1906
#define IDC_HISTORY_FIND 1907
#define IDC_HISTORY_SEARCH_NOTE 1908
#define IDC_HISTORY_HITS 1909
