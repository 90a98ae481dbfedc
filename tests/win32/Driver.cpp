// Drives lirbo.exe as a user would, by control ID, under Wine. Usage:
//   lirbo_driver LIRBO.EXE WORK_FOLDER CAPTURE_FILE [CODE_PAGE DPI]
// WORK_FOLDER is empty and writable; CAPTURE_FILE lists every datagram to port 8800 (one line
// each: sender, space, payload in hex). CODE_PAGE is the system code page the run is meant to
// have and DPI its display scaling (1251 and 96 when left out). Prints one line per check; the
// exit status is the number of failed checks.
#include "Remote.h"
#include "Session.h"
#include "ui/common/DialogForms.h"
#include "ui/common/MainWindowForm.h"
#include "ui/win32/MainMenu.h"
#include "ui/win32/resource.h"

#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <string>
#include <vector>

using namespace lirbo::driver;

namespace {

int failures = 0;
std::string exe;
std::string work;
std::string capture;
int adoptedColour = 0;
int dpi = 96;

// A length of the layout at 96 dots per inch as the program scales it.
int px(int pixelsAt96) {
    return MulDiv(pixelsAt96, dpi, 96);
}

void check(bool ok, const std::string& name, const std::string& detail = "") {
    // Read on the Linux side, as the UTF-8 it is.
    std::printf("%s - %s%s%s\n", ok ? "ok" : "not ok", name.c_str(), ok || detail.empty() ? "" : ": ",
                ok ? "" : detail.c_str());
    std::fflush(stdout);
    failures += ok ? 0 : 1;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The names in a folder, for failure reports.
std::string listing(const std::string& path) {
    std::string names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        names += std::string(found.cFileName) + " ";
    }
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }
    return names;
}

std::string folder(const std::string& name) {
    const std::string path = work + "\\" + name;
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

const std::string kSettings = "[user]\r\nnik_color=2\r\nnik=Tester\r\nstart=0\r\n[ip]\r\nip0=127.0.0.2\r\n";
// The departure body, kept as its exact Windows-1251 bytes.
const std::string kDeparture = "\xCE\xD2\xCA\xCB\xDE\xD7\xC8\xCB\xD1\xDF";

HWND dialogOf(Program& lirbo, const std::string& caption) {
    return waitTopLevel(lirbo.id(), "#32770", caption);
}

// A modal dialog or box has ended when its window is gone, not when it hides: EndDialog hides it
// and enables its owner while the dialog's own message loop still runs, and the command that
// opened it goes on only after that.
bool closed(Program& lirbo, HWND dialog) {
    return waitFor([&] { return !IsWindow(dialog) && IsWindowEnabled(lirbo.mainWindow()); });
}

// The texts of a box's controls, one a line.
std::string boxText(HWND box) {
    std::string shown;
    for (HWND child = box != nullptr ? GetWindow(box, GW_CHILD) : nullptr; child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        shown += text(child) + "\n";
    }
    return shown;
}

// An open dialog against its description at the run's scaling: client area, caption, each control's
// caption and place, and Tab through the visible tab stops in order (a radio group at its checked
// button). A text label is fitted to its text, one cut with "..." no wider than described; a
// drop-down's height is that of its open list.
void checkForm(HWND dialog, const lirbo::ui::FormDescription& form) {
    using namespace lirbo::ui;
    const Size size{px(form.client.width), px(form.client.height)};
    RECT client;
    GetClientRect(dialog, &client);
    const bool framed = client.right == size.width && client.bottom == size.height;
    std::string faults = framed && wideText(dialog) == wide(form.caption) ? "" : "client area or caption; ";
    std::vector<HWND> tabStops;
    for (const ControlDescription& control : form.controls) {
        HWND child = GetDlgItem(dialog, control.id);
        if (child == nullptr) {
            faults += std::string(control.name) + " missing; ";
            continue;
        }
        RECT got = clientRectIn(child, dialog);
        if (control.kind == ControlKind::ComboBox) {
            RECT dropped{};
            SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            got.bottom += dropped.bottom - dropped.top; // Wine's list lies below the field
        }
        const Rect want = form.place(control, size, dpi);
        const Rect placed{got.left, got.top, got.right - got.left, got.bottom - got.top};
        const bool fitted = control.kind == ControlKind::Label && placed.width > 0 && placed.height > 0 &&
                            ((control.flags & kEndEllipsis) == 0 || placed.width <= want.width);
        if (placed.x != want.x || placed.y != want.y || (!fitted && placed != want) ||
            (!control.caption.empty() && wideText(child) != wide(control.caption))) {
            faults += std::string(control.name) + " at " + std::to_string(placed.x) + "," + std::to_string(placed.y) +
                      " " + std::to_string(placed.width) + "x" + std::to_string(placed.height) + "; ";
        }
        if ((control.flags & kTabStop) != 0 && IsWindowVisible(child)) {
            tabStops.push_back(child);
        } else if (control.kind == ControlKind::RadioButton && !tabStops.empty() &&
                   SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            tabStops.back() = child; // in place of the group's first
        }
    }
    for (std::size_t i = 0; i < tabStops.size(); ++i) {
        HWND next = GetNextDlgTabItem(dialog, tabStops[i], FALSE);
        if (next != tabStops[(i + 1) % tabStops.size()]) {
            faults += "Tab from " + std::to_string(GetDlgCtrlID(tabStops[i])) + " to " +
                      std::to_string(GetDlgCtrlID(next)) + "; ";
        }
    }
    check(faults.empty(), "the " + std::string(form.name) + " dialog is laid out as described, scaled", faults);
}

// A datagram from the scripted peer shows up in the transcript, whatever is open at the time.
void receiveWhileOpen(Program& lirbo, Peer& peer, const std::string& what) {
    const std::string body = "while " + what;
    peer.send(cp1251("V5Bob;" + body));
    HWND memo = lirbo.control(IDC_MEMOCHAT);
    check(waitFor([&] { return contains(text(memo), body); }), "a message arrives while " + what + " is open");
}

using lirbo::ui::ControlKind;
using lirbo::ui::MenuEntryKind;

std::string rectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
           std::to_string(r.bottom - r.top);
}

// The described controls that do not lie where the description places them at the window's
// present client size and this run's scaling, with where they are.
std::string misplaced(Program& lirbo) {
    const lirbo::ui::FormDescription& form = lirbo::ui::mainWindowForm();
    HWND main = lirbo.mainWindow();
    RECT client;
    GetClientRect(main, &client);
    std::string wrong;
    for (const auto& control : form.controls) {
        const lirbo::ui::Rect want = form.place(control, {client.right, client.bottom}, dpi);
        const RECT got = clientRectIn(lirbo.control(control.id), main);
        if (lirbo.control(control.id) == nullptr || got.left != want.x || got.top != want.y ||
            got.right - got.left != want.width || got.bottom - got.top != want.height) {
            wrong += std::string(control.name) + " at " + rectText(got) + "; ";
        }
    }
    return wrong;
}

// What a screen reader says for a control: a captioned one, and a glyph button whose window text
// it is (not drawn), by its text; any other by the unseen label before it, which takes no room.
std::wstring spokenName(HWND control, const lirbo::ui::ControlDescription& described) {
    if (!described.caption.empty() || described.kind == ControlKind::GlyphButton) {
        return wideText(control);
    }
    HWND label = GetWindow(control, GW_HWNDPREV);
    const RECT room = clientRectIn(label, GetParent(control));
    return IsRectEmpty(&room) ? wideText(label) : L"(a label that takes room)";
}

// The tools of the tooltip controls the window owns: one per hint and the peer list's row hint.
int hintCount(HWND main) {
    int tools = 0;
    for (HWND tip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); tip != nullptr;
         tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) {
        tools += GetWindow(tip, GW_OWNER) == main ? static_cast<int>(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0)) : 0;
    }
    return tools;
}

// A menu bar as the entries of a description: each popup, then its items; check items as items.
void readMenu(HMENU menu, bool bar, std::vector<lirbo::ui::MenuEntry>& entries, std::vector<std::wstring>& texts) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t caption[128] = {};
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
        item.dwTypeData = caption;
        item.cch = static_cast<UINT>(std::size(caption));
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item);
        const MenuEntryKind kind = bar                                 ? MenuEntryKind::Menu
                                   : (item.fType & MFT_SEPARATOR) != 0 ? MenuEntryKind::Separator
                                                                       : MenuEntryKind::Item;
        entries.push_back({kind, {}, static_cast<int>(item.wID), {}});
        texts.push_back(caption);
        if (item.hSubMenu != nullptr) {
            readMenu(item.hSubMenu, false, entries, texts);
        }
    }
}

// The main menu built here from the description: Wine reads no menu of another process.
void mainMenu(HWND main) {
    check(GetMenu(main) != nullptr, "the main window has its menu bar");
    const lirbo::ui::FormDescription& form = lirbo::ui::mainWindowForm();
    HMENU bar = lirbo::win32::MainMenu::build(form);
    std::vector<lirbo::ui::MenuEntry> built;
    std::vector<std::wstring> texts;
    readMenu(bar, true, built, texts);
    DestroyMenu(bar);
    std::string wrong = built.size() == form.menu.size() ? "" : std::to_string(built.size()) + " items";
    for (std::size_t i = 0; i < built.size() && i < form.menu.size(); ++i) {
        const lirbo::ui::MenuEntry& want = form.menu[i];
        const MenuEntryKind kind = want.kind == MenuEntryKind::CheckItem ? MenuEntryKind::Item : want.kind;
        if (built[i].kind != kind || built[i].id != want.id || texts[i] != wide(want.caption)) {
            wrong += std::string(want.name) + " as " + std::to_string(built[i].id) + " " + utf8(texts[i]) + "; ";
        }
    }
    check(wrong.empty(), "the main menu: every item in order with its number and text", wrong);
}

// The main window against its description at this run's scaling: each control by its number where
// place() puts it, also after widening by 100, with its screen-reader name; Tab order as the
// description lists its controls; no two controls overlapping; the menu.
void layout(Program& lirbo) {
    const lirbo::ui::FormDescription& form = lirbo::ui::mainWindowForm();
    HWND main = lirbo.mainWindow();
    RECT frame;
    GetWindowRect(main, &frame);
    RECT client;
    GetClientRect(main, &client);
    check(frame.left == 0 && frame.top == 0, "the window opens at the top-left corner");
    check(client.right == px(form.client.width) && client.bottom == px(form.client.height),
          "the client area is the described one, scaled", rectText(client));
    check(misplaced(lirbo).empty(), "every control where the description places it", misplaced(lirbo));

    std::vector<HWND> tabOrder;
    int hinted = 0;
    int shown = 0;
    for (const auto& control : form.controls) {
        HWND made = lirbo.control(control.id);
        const std::wstring name = wide(control.caption.empty() ? control.accessibleName : control.caption);
        if (!name.empty()) {
            check(made != nullptr && spokenName(made, control) == name,
                  std::string("a screen reader names ") + std::string(control.name) + " as described",
                  utf8(spokenName(made, control)));
        }
        check((IsWindowVisible(made) != FALSE) == ((control.flags & lirbo::ui::kHidden) == 0),
              std::string(control.name) + " is shown or hidden as described");
        hinted += control.hint.empty() ? 0 : 1;
        shown += (control.flags & lirbo::ui::kHidden) == 0 ? 1 : 0;
        if ((control.flags & lirbo::ui::kTabStop) != 0) {
            tabOrder.push_back(made);
        }
    }
    check(hintCount(main) == hinted + 1, "a hint for each described hint and the peer list's rows",
          std::to_string(hintCount(main)));
    std::string order;
    for (std::size_t i = 0; i < tabOrder.size(); ++i) {
        const bool next = GetNextDlgTabItem(main, tabOrder[i], FALSE) == tabOrder[(i + 1) % tabOrder.size()];
        order += next ? "" : std::to_string(GetDlgCtrlID(tabOrder[i])) + " ";
    }
    check(order.empty(), "Tab goes through the controls in the described order and round", order);

    // No two controls of the window overlap at any scaling.
    std::vector<RECT> placed;
    for (HWND child = GetWindow(main, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const RECT placedAt = clientRectIn(child, main);
        if (!IsRectEmpty(&placedAt) && IsWindowVisible(child)) { // the names' labels take no room
            placed.push_back(placedAt);
        }
    }
    int overlaps = 0;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        for (std::size_t j = i + 1; j < placed.size(); ++j) {
            RECT common;
            overlaps += IntersectRect(&common, &placed[i], &placed[j]) ? 1 : 0;
        }
    }
    check(placed.size() == static_cast<std::size_t>(shown) && overlaps == 0, "no two of the shown controls overlap",
          std::to_string(placed.size()) + " placed, " + std::to_string(overlaps) + " overlaps");
    HWND list = lirbo.control(IDC_IPLIST);
    check(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0) == px(13), "the peer list's rows are 13 high, scaled",
          std::to_string(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0)));

    SetWindowPos(main, nullptr, 0, 0, frame.right - frame.left + 100, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    check(waitFor([&] {
              RECT now;
              GetClientRect(main, &now);
              return now.right == client.right + 100 && misplaced(lirbo).empty();
          }),
          "widened by 100, every control where the description places it", misplaced(lirbo));
    MINMAXINFO limits{};
    SendMessageW(main, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    check(limits.ptMinTrackSize.x == px(form.minimumFrame.width) &&
              limits.ptMinTrackSize.y == px(form.minimumFrame.height),
          "the window is at least as small as described, scaled");
    SetWindowPos(main, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    mainMenu(main);
}

void sending(Program& lirbo, Peer& peer) {
    HWND messaga = lirbo.control(IDC_MESSAGA);
    HWND memo = lirbo.control(IDC_MEMOCHAT);
    type(messaga, wide("Привет всем"));
    postKey(messaga, VK_RETURN);
    const std::string byEnter = "V2Tester;Привет всем";
    check(waitFor([&] { return peer.seen(cp1251(byEnter)) == 1; }), "Enter in messaga sends the exact datagram");
    check(waitFor([&] { return text(messaga).empty() && contains(text(memo), "Привет всем"); }),
          "the echo shows and the input line is emptied");

    setText(messaga, "second");
    click(lirbo.control(IDC_BSEND));
    check(waitFor([&] { return peer.seen(cp1251("V2Tester;second")) == 1; }), "bsend sends the exact datagram");

    peer.send(cp1251("V3Bob;Здравствуй"));
    check(waitFor([&] {
              const std::string shown = text(memo);
              return contains(shown, "Bob[") && contains(shown, "]//127.0.0.1") && contains(shown, "Здравствуй");
          }),
          "a received message shows with nick, time, sender address and body");

    HWND list = lirbo.control(IDC_IPLIST);
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    PostMessageW(lirbo.mainWindow(), WM_COMMAND, MAKEWPARAM(IDC_IPLIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    setText(messaga, "по секрету");
    click(lirbo.control(IDC_PRIVAT));
    check(waitFor([&] { return peer.seen(cp1251("T2Tester;по секрету")) == 1; }), "privat sends the private datagram");
    check(waitFor([&] { return contains(text(memo), "лично для 127.0.0.2"); }), "the private echo names the peer");
}

void addressEditor(Program& lirbo, Peer& peer) {
    HWND list = lirbo.control(IDC_IPLIST);
    click(lirbo.control(IDC_ADD));
    HWND editor = dialogOf(lirbo, "Редактор IP");
    check(editor != nullptr, "add opens the address editor");
    if (editor == nullptr) {
        return;
    }
    checkForm(editor, lirbo::ui::ipEditForm());
    HWND newip = GetDlgItem(editor, IDC_NEWIP);
    check(text(GetDlgItem(editor, IDC_IPEDIT_LABEL1)) == "IP собеседника:" && text(newip).empty(),
          "the address editor starts empty");
    receiveWhileOpen(lirbo, peer, "the address editor");
    postKey(newip, VK_ESCAPE);
    postChar(newip, '1');
    check(waitFor([&] { return text(newip) == "1"; }) && IsWindowVisible(editor), "Esc does nothing in the editor");
    setText(newip, "127.0.0.3");
    postKey(newip, VK_RETURN);
    check(closed(lirbo, editor), "Enter in newip presses OK");
    check(waitFor([&] {
              return listItems(list) == std::vector<std::string>{"127.0.0.2", "127.0.0.3"};
          }),
          "the address is added at the end of the list");

    click(lirbo.control(IDC_ADD));
    editor = dialogOf(lirbo, "Редактор IP");
    setText(GetDlgItem(editor, IDC_NEWIP), "127.0.0.9");
    click(GetDlgItem(editor, IDC_IPEDIT_BUTTON2));
    check(closed(lirbo, editor) && listItems(list).size() == 2, "Отмена adds nothing");

    SendMessageW(list, LB_SETCURSEL, 1, 0);
    PostMessageW(lirbo.mainWindow(), WM_COMMAND, MAKEWPARAM(IDC_IPLIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    click(lirbo.control(IDC_EDITIP));
    editor = dialogOf(lirbo, "Редактор IP");
    check(editor != nullptr && text(GetDlgItem(editor, IDC_NEWIP)) == "127.0.0.3",
          "editIP starts with the selected entry");
    if (editor != nullptr) {
        setText(GetDlgItem(editor, IDC_NEWIP), "127.0.0.4");
        click(GetDlgItem(editor, IDC_IPEDIT_BUTTON1));
        check(closed(lirbo, editor) && waitFor([&] {
                  return listItems(list) == std::vector<std::string>{"127.0.0.2", "127.0.0.4"};
              }),
              "OK replaces the entry in its place");
    }
}

// "Подписать..." in the menu of the list's row `row`, opened from the keyboard.
HWND openLabelDialog(Program& lirbo, HWND list, int row) {
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    PostMessageW(lirbo.mainWindow(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
    HWND popup = waitTopLevel(lirbo.id(), "#32768");
    if (popup == nullptr) {
        return nullptr;
    }
    postKey(popup, VK_DOWN);
    postKey(popup, VK_RETURN);
    return dialogOf(lirbo, "Подпись");
}

void peerLabel(Program& lirbo) {
    HWND list = lirbo.control(IDC_IPLIST);
    HWND dialog = openLabelDialog(lirbo, list, 0);
    check(dialog != nullptr, "Подписать... in a row's menu opens the label dialog");
    if (dialog == nullptr) {
        return;
    }
    checkForm(dialog, lirbo::ui::peerLabelForm());
    HWND field = GetDlgItem(dialog, IDC_PODPIS_EDIT);
    check(text(GetDlgItem(dialog, IDC_PODPIS_LABEL1)) == "Подпись для адреса:" &&
              text(GetDlgItem(dialog, IDC_PODPIS_LABEL2)) == listItems(list)[0] && text(field).empty(),
          "the label dialog names the row's address and starts empty");
    setText(field, "Бухгалтерия");
    postKey(field, VK_RETURN);
    check(closed(lirbo, dialog), "Enter in the label's field presses OK");
    dialog = openLabelDialog(lirbo, list, 0);
    check(dialog != nullptr && text(GetDlgItem(dialog, IDC_PODPIS_EDIT)) == "Бухгалтерия",
          "the label dialog opens on the row's label");
    if (dialog != nullptr) {
        click(GetDlgItem(dialog, IDC_PODPIS_BUTTON2));
        closed(lirbo, dialog);
    }
}

void settings(Program& lirbo, Peer& peer) {
    menu(lirbo.mainWindow(), IDM_N6);
    HWND dialog = dialogOf(lirbo, "Настройка");
    check(dialog != nullptr, "Настройка opens the settings dialog");
    if (dialog == nullptr) {
        return;
    }
    checkForm(dialog, lirbo::ui::nastroyForm());
    HWND nik = GetDlgItem(dialog, IDC_NIK);
    HWND combo = GetDlgItem(dialog, IDC_COMBOBOX1);
    std::string shown = text(dialog) + "|";
    for (const int id : {IDC_NASTROY_LABEL1, IDC_NASTROY_LABEL2, IDC_BITBTN1, IDC_BITBTN2}) {
        shown += text(GetDlgItem(dialog, id)) + "|";
    }
    for (int i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
        wchar_t item[64] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        shown += utf8(item) + "|";
    }
    check(text(nik) == "Tester" &&
              shown == "Настройка|Ник:|Цвет:|ОК|Отмена|Черный|Красный|Оранжевый|Желтый|Зелённый|Голубой|Синий|Розовый|",
          "the nick, the dialog's texts and the eight colour names", shown);
    // Rows as tall as the fitted label that shows a line of the same font.
    const RECT label = clientRectIn(GetDlgItem(dialog, IDC_NASTROY_LABEL1), dialog);
    const auto row = SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
    const RECT field = clientRectIn(nik, dialog);
    // The combo box rounds its 19.5-pixel rows at 150% down.
    check(row >= px(13) - 1 && row >= label.bottom - label.top && field.bottom - field.top == px(21),
          "the colour rows and the nick field are tall enough for their font",
          std::to_string(row) + " " + std::to_string(label.bottom - label.top));
    receiveWhileOpen(lirbo, peer, "the settings dialog");
    postKey(nik, VK_RETURN);
    postKey(nik, VK_ESCAPE);
    setText(nik, "");
    type(nik, wide("Новый"));
    postChar(nik, '!');
    check(waitFor([&] { return text(nik) == "Новый!"; }) && IsWindowVisible(dialog),
          "Enter and Esc in the nick field do nothing");
    const auto colour = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    adoptedColour = static_cast<int>(colour);
    click(GetDlgItem(dialog, IDC_BITBTN1));
    check(closed(lirbo, dialog), "ОК closes the settings dialog");
    // The program writes lirbo.ini key by key, each time replacing the file; a read of ours at that
    // moment would make its replace fail. The next line typed is handled once the command is done.
    HWND messaga = lirbo.control(IDC_MESSAGA);
    setText(messaga, "как я");
    postKey(messaga, VK_RETURN);
    check(waitFor([&] { return peer.seen(cp1251("V" + std::to_string(colour) + "Новый!;как я")) == 2; }),
          "later messages carry the new nick and colour, to both peers", readFile(capture) + "[" + text(messaga) + "]");
    const std::string ini = fromCp1251(readFile(work + "\\main\\lirbo.ini"));
    check(contains(ini, "nik=Новый!") && contains(ini, "nik_color=" + std::to_string(colour)),
          "ОК writes nick and the preselected colour to lirbo.ini", ini);
}

// The options dialog reads back by control ID; OK adopts and writes the choices, and the
// do-not-disturb item and the title follow them.
void options(Program& lirbo) {
    HWND main = lirbo.mainWindow();
    menu(main, IDM_OPTIONS);
    HWND dialog = dialogOf(lirbo, "Параметры");
    check(dialog != nullptr, "Параметры... opens the options dialog");
    if (dialog == nullptr) {
        return;
    }
    checkForm(dialog, lirbo::ui::optionsForm());
    std::string shown;
    std::string checks;
    for (int id = IDC_OPTIONS_SOUND_GROUP; id <= IDC_OPTIONS_CANCEL; ++id) {
        HWND control = GetDlgItem(dialog, id);
        shown += text(control) + "|";
        checks += SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? '1' : '0';
    }
    check(shown == "Звук при получении сообщения|Не играть|Только личные сообщения|Все сообщения|Не беспокоить|"
                   "Показывать только сообщения от адресов из списка|Вести историю разговора|Область уведомлений|"
                   "Запускать свёрнутым в область уведомлений|Кнопка закрытия прячет окно в область уведомлений|"
                   "Запускать вместе с входом в систему|ОК|Отмена|" &&
              checks == "0010001000000",
          "the options dialog's texts, private sounds and the history checked", shown + checks);
    SendMessageW(GetDlgItem(dialog, IDC_OPTIONS_SOUND_PRIVATE), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(GetDlgItem(dialog, IDC_OPTIONS_SOUND_EVERY), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(GetDlgItem(dialog, IDC_OPTIONS_DND), BM_SETCHECK, BST_CHECKED, 0);
    click(GetDlgItem(dialog, IDC_OPTIONS_OK));
    check(closed(lirbo, dialog), "ОК closes the options dialog");
    SendMessageW(main, WM_NULL, 0, 0); // returns once the command, its write included, is done
    const std::string ini = fromCp1251(readFile(work + "\\main\\lirbo.ini"));
    // The menu's check mark does not read back from another process under Wine; the title does.
    check(contains(ini, "[options]\r\nsound=2\r\ndnd=1\r\n") && text(main) == "Lirbo (не беспокоить)",
          "ОК writes the options, and do-not-disturb shows in the title", ini + text(main));
    menu(main, IDM_DONOTDISTURB);
    check(waitFor([&] { return text(main) == "Lirbo"; }), "Не беспокоить turns it off again", text(main));
}

void about(Program& lirbo, Peer& peer) {
    menu(lirbo.mainWindow(), IDM_N4);
    HWND dialog = dialogOf(lirbo, "О программе");
    check(dialog != nullptr, "О программе opens the About window");
    if (dialog == nullptr) {
        return;
    }
    checkForm(dialog, lirbo::ui::aboutForm());
    check(text(GetDlgItem(dialog, IDC_LABEL3)) == "lirbo@example.org", "the e-mail link");
    receiveWhileOpen(lirbo, peer, "the About window");
    HWND ok = GetDlgItem(dialog, IDC_ABOUT_BUTTON1);
    const bool focused = waitFor([&] { return focusOf(dialog) == ok; }) && text(ok) == "ОК";
    postKey(ok, VK_RETURN);
    check(focused && closed(lirbo, dialog), "Enter on the focused ОК closes the About window");
}

void clearing(Program& lirbo, Peer& peer) {
    // Found again for every look: a clear gives MemoChat a fresh control.
    const auto memoText = [&] { return text(lirbo.control(IDC_MEMOCHAT)); };
    menu(lirbo.mainWindow(), IDM_N8);
    HWND box = dialogOf(lirbo, "Warning");
    // The program names the buttons as the box is activated, which may come just after it shows.
    check(box != nullptr && waitFor([&] {
              return text(GetDlgItem(box, IDOK)) == "OK" && text(GetDlgItem(box, IDCANCEL)) == "Cancel";
          }),
          "the confirmation box with OK and Cancel");
    if (box == nullptr) {
        return;
    }
    click(GetDlgItem(box, IDCANCEL));
    const bool boxClosed = closed(lirbo, box);
    const std::string kept = memoText();
    check(boxClosed && contains(kept, "Здравствуй"), "Cancel keeps the transcript",
          std::to_string(boxClosed) + " " + std::to_string(IsWindow(box)) + " [" + kept + "]");

    menu(lirbo.mainWindow(), IDM_N8);
    box = dialogOf(lirbo, "Warning");
    receiveWhileOpen(lirbo, peer, "the confirmation box");
    click(GetDlgItem(box, IDOK));
    const bool okClosed = closed(lirbo, box);
    const bool emptied = waitFor([&] { return memoText().empty(); });
    check(okClosed && emptied, "OK clears everything, also what arrived while the box was open",
          std::to_string(okClosed) + " " + std::to_string(IsWindow(box)) + " [" + memoText() + "]");
}

// The system's file chooser: type a full path and press its OK button.
bool choose(Program& lirbo, const std::string& path, Peer* peer = nullptr) {
    HWND chooser = waitTopLevel(lirbo.id(), "#32770");
    if (chooser == nullptr) {
        return false;
    }
    if (peer != nullptr) {
        receiveWhileOpen(lirbo, *peer, "a file chooser");
    }
    // The name field: edt1, or the edit inside the combo box cmb13 of the Explorer-style chooser.
    HWND name = GetDlgItem(chooser, 0x480);
    if (name == nullptr) {
        EnumChildWindows(
            GetDlgItem(chooser, 0x47c),
            [](HWND child, LPARAM found) {
                char className[16] = {};
                GetClassNameA(child, className, sizeof className);
                if (lstrcmpiA(className, "Edit") != 0) {
                    return TRUE;
                }
                *reinterpret_cast<HWND*>(found) = child;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&name));
    }
    setText(name, path);
    click(GetDlgItem(chooser, IDOK));
    return closed(lirbo, chooser);
}

void choosers(Program& lirbo, Peer& peer) {
    HWND memo = lirbo.control(IDC_MEMOCHAT);
    peer.send(cp1251("V1Bob;для файла"));
    waitFor([&] { return contains(text(memo), "для файла"); });
    menu(lirbo.mainWindow(), IDM_N9);
    const std::string rtf = work + "\\main\\conversation.txt";
    check(choose(lirbo, rtf, &peer), "the conversation chooser takes a name");
    check(waitFor([&] {
              const std::string saved = readFile(rtf);
              return saved.rfind("{\\rtf", 0) == 0 && contains(saved, "while a file chooser");
          }),
          "saving under .txt writes an RTF document of the transcript", listing(work + "\\main"));

    click(lirbo.control(IDC_SAVELIST));
    const std::string list = work + "\\main\\peers.txt";
    check(choose(lirbo, list), "the peer-list save chooser takes a name");
    check(waitFor([&] { return readFile(list) == "127.0.0.2\r\n127.0.0.4\r\n"; }), "the peer list is saved, CR LF");

    const std::string other = work + "\\main\\other.txt";
    writeFile(other, "127.0.0.5\n127.0.0.6\n");
    click(lirbo.control(IDC_LOADLIST));
    check(choose(lirbo, other), "the peer-list open chooser takes a name");
    check(waitFor([&] {
              return listItems(lirbo.control(IDC_IPLIST)) == std::vector<std::string>{"127.0.0.5", "127.0.0.6"};
          }),
          "loading replaces the list");
}

void errorBox(Program& lirbo, Peer& peer) {
    const std::string ini = work + "\\main\\lirbo.ini";
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    menu(lirbo.mainWindow(), IDM_N6);
    HWND dialog = dialogOf(lirbo, "Настройка");
    if (dialog != nullptr) {
        click(GetDlgItem(dialog, IDC_BITBTN1));
    }
    HWND box = dialogOf(lirbo, "Lirbo");
    check(box != nullptr, "a refused settings write shows the error box");
    if (box != nullptr) {
        const std::string shown = boxText(box);
        check(contains(shown, "Unable to write to ") && contains(shown, "lirbo.ini."),
              "the error text with its full stop", shown);
        receiveWhileOpen(lirbo, peer, "the error box");
        click(GetDlgItem(box, IDOK));
        check(closed(lirbo, box), "OK closes the error box");
    }
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
}

void closing(Program& lirbo, Peer& peer) {
    const std::string notice = cp1251("V" + std::to_string(adoptedColour) + "Новый!;") + kDeparture;
    PostMessageW(lirbo.mainWindow(), WM_CLOSE, 0, 0);
    DWORD status = 99;
    check(lirbo.waitExit(status) && status == 0, "closing ends the program with status 0");
    const std::string ini = fromCp1251(readFile(work + "\\main\\lirbo.ini"));
    check(contains(ini, "ip0=127.0.0.5") && contains(ini, "ip1=127.0.0.6") && !contains(ini, "ip2="),
          "closing writes the peer list to lirbo.ini", ini);
    check(waitFor([&] { return peer.seen(notice) == 2; }), "closing sends the departure notice to every peer");
}

void logOff(Peer& peer) {
    const std::string dir = folder("logoff");
    writeFile(dir + "\\lirbo.ini", kSettings);
    Program lirbo(exe, dir);
    HWND main = lirbo.mainWindow();
    check(main != nullptr, "a second run starts");
    if (main == nullptr) {
        return;
    }
    click(lirbo.control(IDC_ADD));
    HWND editor = dialogOf(lirbo, "Редактор IP");
    if (editor != nullptr) {
        setText(GetDlgItem(editor, IDC_NEWIP), "127.0.0.7");
        click(GetDlgItem(editor, IDC_IPEDIT_BUTTON1));
        closed(lirbo, editor);
    }
    const int before = peer.seen(cp1251("V2Tester;") + kDeparture);
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, kWaitMs, &answer);
    SendMessageTimeoutW(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, kWaitMs, &answer);
    DWORD status = 99;
    check(lirbo.waitExit(status) && status == 0, "log-off ends the program with status 0");
    check(waitFor([&] { return peer.seen(cp1251("V2Tester;") + kDeparture) == before + 2; }),
          "log-off sends the departure notice to every peer");
    check(readFile(dir + "\\lirbo.ini") == kSettings, "log-off leaves lirbo.ini as it was");
}

// Puts UTF-16 text on the clipboard, as a copy in another program would.
void copyToClipboard(const std::wstring& text) {
    if (!OpenClipboard(nullptr)) {
        return;
    }
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (auto* chars = static_cast<wchar_t*>(GlobalLock(data))) {
        lstrcpyW(chars, text.c_str());
        GlobalUnlock(data);
        SetClipboardData(CF_UNICODETEXT, data);
    }
    CloseClipboard();
}

// Text Windows-1251 cannot carry, typed as a surrogate pair or pasted from a Unicode clipboard:
// refused with the box naming it, nothing sent, and the text stays in the line as it was.
void refusedInput(Program& lirbo, Peer& peer) {
    HWND messaga = lirbo.control(IDC_MESSAGA);
    const struct {
        std::wstring text;
        bool pasted;
        const char* named;
        std::string wouldSend;
    } cases[] = {
        {L"a\xD83D\xDE00", false, "U+1F600", "V2Tester;a?"},
        {L"смайл \xD83D\xDE00 и \x4E2D\x6587", true, "U+1F600, U+4E2D, U+6587", "V2Tester;смайл ? и ??"},
    };
    for (const auto& c : cases) {
        const std::string how = c.pasted ? "pasted " : "typed ";
        setText(messaga, "");
        if (c.pasted) {
            copyToClipboard(c.text);
            PostMessageW(messaga, WM_PASTE, 0, 0);
        } else {
            type(messaga, c.text);
        }
        check(waitFor([&] { return wideText(messaga) == c.text; }), how + "text outside Windows-1251 shows whole",
              utf8(wideText(messaga)));
        postKey(messaga, VK_RETURN);
        HWND box = dialogOf(lirbo, "Lirbo");
        check(contains(boxText(box), c.named), how + "text outside Windows-1251 is refused with the box naming it",
              boxText(box));
        if (box != nullptr) {
            click(GetDlgItem(box, IDOK));
            closed(lirbo, box);
        }
        check(wideText(messaga) == c.text && peer.seen(cp1251(c.wouldSend)) == 0,
              how + "text stays in the line, unsent");
    }
    setText(messaga, "");
}

// Tab from the transcript closes the window's Tab cycle back at the input line.
void tabCycle(Program& lirbo) {
    HWND main = lirbo.mainWindow();
    HWND memo = lirbo.control(IDC_MEMOCHAT);
    PostMessageW(memo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(memo, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    check(waitFor([&] { return focusOf(main) == memo; }), "a click puts the focus in MemoChat");
    postKey(memo, VK_TAB);
    check(waitFor([&] { return focusOf(main) == lirbo.control(IDC_MESSAGA); }),
          "Tab in MemoChat goes on to the input line");
}

// MemoChat's selected text; the control counts in UTF-16 units and a paragraph mark as one
// character, its text gives it as CR LF.
std::string memoSelection(HWND memo) {
    std::wstring shown = wideText(memo);
    for (std::size_t at = shown.find(L"\r\n"); at != std::wstring::npos; at = shown.find(L"\r\n", at + 1)) {
        shown.erase(at + 1, 1);
    }
    const LRESULT both = SendMessageW(memo, EM_GETSEL, 0, 0); // both ends packed: no pointers across processes
    const std::size_t first = LOWORD(both);
    const std::size_t after = HIWORD(both);
    return first < after && after <= shown.size() ? utf8(shown.substr(first, after - first)) : std::string();
}

// The texts of every tooltip tool of the shell's notification area, read from the process that
// draws it: the tools and their texts live in that process's memory.
std::string trayTips(DWORD program) {
    std::string tips;
    for (HWND tip = FindWindowExW(nullptr, nullptr, L"tooltips_class32", nullptr); tip != nullptr;
         tip = FindWindowExW(nullptr, tip, L"tooltips_class32", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(tip, &owner);
        if (owner == program || owner == GetCurrentProcessId()) {
            continue; // the program's own hints
        }
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, owner);
        if (process == nullptr) {
            continue;
        }
        // The tool and, after it, the buffer the tooltip copies the tool's text into.
        constexpr SIZE_T kTextBytes = 512;
        auto* remote = static_cast<char*>(
            VirtualAllocEx(process, nullptr, sizeof(TTTOOLINFOW) + kTextBytes, MEM_COMMIT, PAGE_READWRITE));
        const auto tools = SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0);
        for (LRESULT i = 0; remote != nullptr && i < tools; ++i) {
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof tool);
            wchar_t text[kTextBytes / sizeof(wchar_t)] = {};
            SIZE_T moved = 0;
            WriteProcessMemory(process, remote, &tool, sizeof tool, &moved);
            WriteProcessMemory(process, remote + sizeof tool, text, sizeof text, &moved);
            if (SendMessageW(tip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote)) &&
                ReadProcessMemory(process, remote + sizeof tool, text, sizeof text - sizeof(wchar_t), &moved)) {
                tips += utf8(text) + "\n";
            }
        }
        if (remote != nullptr) {
            VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        }
        CloseHandle(process);
    }
    return tips;
}

// A run whose peer list holds the scripted peer's own address: its row greys on a departure
// notice and comes back on its next message; a paste of several lines goes out as the one line
// shown; Ctrl+F finds text in the transcript.
void dailyUse(Peer& peer) {
    const std::string dir = folder("daily");
    writeFile(dir + "\\lirbo.ini", "[user]\r\nnik_color=2\r\nnik=Tester\r\nstart=0\r\n[ip]\r\nip0=127.0.0.2\r\n");
    Program lirbo(exe, dir);
    HWND main = lirbo.mainWindow();
    check(main != nullptr, "a run for daily use starts");
    if (main == nullptr) {
        return;
    }
    HWND list = lirbo.control(IDC_IPLIST);
    HWND memo = lirbo.control(IDC_MEMOCHAT);
    // The transcript's menu on the header of a message from an unlisted sender adds it.
    peer.send(cp1251("V3Bob;кто здесь?"));
    waitFor([&] { return contains(text(memo), "кто здесь?"); });
    POINT header{4, 4};
    ClientToScreen(memo, &header);
    PostMessageW(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(memo), MAKELPARAM(header.x, header.y));
    HWND popup = waitTopLevel(lirbo.id(), "#32768");
    check(popup != nullptr, "the header of an unlisted sender's message has a menu");
    if (popup != nullptr) {
        PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
    }
    check(waitFor([&] {
              return listItems(list) == std::vector<std::string>{"127.0.0.2", "127.0.0.1"};
          }),
          "choosing it adds the sender to the list");
    const auto greyed = [&] { return SendMessageW(list, LB_GETITEMDATA, 1, 0) == 1; };
    check(!greyed(), "the owner-drawn list keeps its text");
    peer.send(cp1251("V3Bob;") + kDeparture);
    check(waitFor(greyed), "a departure notice greys the sender's row");
    peer.send(cp1251("V3Bob;снова здесь"));
    check(waitFor([&] { return contains(text(memo), "снова здесь") && !greyed(); }),
          "the sender's next message takes the grey away");

    HWND messaga = lirbo.control(IDC_MESSAGA);
    setText(messaga, "");
    copyToClipboard(L"один\r\nдва\nтри");
    PostMessageW(messaga, WM_PASTE, 0, 0);
    check(waitFor([&] { return text(messaga) == "один два три"; }), "a paste of three lines shows as one line",
          text(messaga));
    postKey(messaga, VK_RETURN);
    check(waitFor([&] { return peer.seen(cp1251("V2Tester;один два три")) == 2; }),
          "the pasted line goes out as shown, to both peers");
    // 127.0.0.1 is in the list: the line also comes back as a message from this program. Seen
    // before the window is minimised, it is not counted as unread there.
    check(waitFor([&] {
              const std::string shown = text(memo);
              const auto first = shown.find("один два три");
              return first != std::string::npos && shown.find("один два три", first + 1) != std::string::npos;
          }),
          "the line sent to the program's own address comes back");

    // A message while the window is minimised marks the notification icon; its click brings the
    // window back, and that clears the mark.
    PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    waitFor([&] { return IsIconic(main) != FALSE; });
    peer.send(cp1251("V3Bob;ты тут?"));
    check(waitFor([&] { return contains(trayTips(lirbo.id()), "1 новое, последнее от Bob"); }),
          "the notification icon's tip counts the unread message and names its sender", trayTips(lirbo.id()));
    PostMessageW(main, WM_LIRBO_TRAY, 0, WM_LBUTTONUP);
    check(waitFor([&] { return !IsIconic(main) && GetForegroundWindow() == main; }),
          "a click on the notification icon restores the window and brings it to the front");
    check(waitFor([&] { return !contains(trayTips(lirbo.id()), "последнее от"); }), "coming back clears the mark",
          trayTips(lirbo.id()));

    // The history viewer lists today's file, shows it and finds in it, letter case aside.
    menu(main, IDM_N12);
    HWND viewer = waitTopLevel(lirbo.id(), "LirboHistoryViewer");
    check(viewer != nullptr, "Файл -> История... opens the history viewer");
    if (viewer != nullptr) {
        check(listItems(GetDlgItem(viewer, IDC_HISTORY_DAYS)).size() == 1, "the viewer lists today's file");
        HWND day = GetDlgItem(viewer, IDC_HISTORY_VIEW);
        check(waitFor([&] { return contains(text(day), "снова здесь"); }), "the day shows what the log holds",
              text(day));
        setText(GetDlgItem(viewer, IDC_HISTORY_SEARCH), "СНОВА");
        click(GetDlgItem(viewer, IDC_HISTORY_FIND));
        HWND hits = GetDlgItem(viewer, IDC_HISTORY_HITS);
        check(waitFor([&] { return listItems(hits).size() == 1 && contains(listItems(hits)[0], ": снова здесь"); }),
              "the search across the days finds the line");
        PostMessageW(viewer, WM_CLOSE, 0, 0);
        check(waitFor([&] { return IsWindowVisible(viewer) == FALSE; }), "closing hides the viewer");
    }

    menu(main, IDM_FIND);
    HWND find = waitTopLevel(lirbo.id(), "#32770");
    check(find != nullptr, "Ctrl+F opens the find dialog");
    if (find == nullptr) {
        return;
    }
    constexpr int kFindWhat = 0x480; // the find dialog's edit
    setText(GetDlgItem(find, kFindWhat), "СНОВА");
    click(GetDlgItem(find, IDOK));
    check(waitFor([&] { return memoSelection(memo) == "снова"; }), "find selects the match, letter case aside",
          memoSelection(memo));
    setText(GetDlgItem(find, kFindWhat), "нет такого");
    click(GetDlgItem(find, IDOK));
    HWND box = dialogOf(lirbo, "Lirbo");
    check(contains(boxText(box), "Не найдено"), "a miss says so", boxText(box));
    if (box != nullptr) {
        click(GetDlgItem(box, IDOK));
        closed(lirbo, box);
    }
    PostMessageW(find, WM_CLOSE, 0, 0);
    PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD status = 99;
    check(lirbo.waitExit(status) && status == 0, "the run with the find dialog closes");
}

// The clipboard's Unicode text, as another program would paste it.
std::wstring clipboardText() {
    std::wstring pasted;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
                pasted = chars;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
    }
    return pasted;
}

// "Проверка связи": the firewall section read back whatever Wine's firewall interface can tell,
// the report copied whole, and the allow button only while a rule would help.
HWND connectionCheck(Program& lirbo, bool allowShown) {
    HWND window = dialogOf(lirbo, "Проверка связи");
    check(window != nullptr, "the connection check window opens");
    if (window == nullptr) {
        return nullptr;
    }
    checkForm(window, lirbo::ui::connectionCheckForm());
    HWND report = GetDlgItem(window, IDC_CHECK_REPORT);
    check(waitFor([&] { return contains(text(report), "Входящие на UDP 8800: "); }),
          "the report gives the firewall's word on UDP 8800", text(report));
    check(contains(text(report), "127.0.0.2") && contains(text(report), "ещё не писал"),
          "the report has a row for the peer entry with its verdict");
    check((IsWindowVisible(GetDlgItem(window, IDC_CHECK_ALLOW)) != FALSE) == allowShown &&
              text(GetDlgItem(window, IDC_CHECK_ALLOW)) == "Разрешить в брандмауэре",
          std::string("the allow button ") + (allowShown ? "shows" : "stays hidden"));
    copyToClipboard(L"");
    click(GetDlgItem(window, IDC_CHECK_COPY));
    check(waitFor([&] { return clipboardText() == wideText(report); }),
          "Копировать отчёт puts the report on the clipboard", utf8(clipboardText()));
    return window;
}

// The firewall on with no rule for the chat, as Wine cannot show it: the notice bar above the
// transcript at start, its link to the check window, and its close button.
void firewallNotice() {
    const std::string dir = folder("firewall");
    writeFile(dir + "\\lirbo.ini", kSettings);
    SetEnvironmentVariableA("LIRBO_FIREWALL_STATE", "on");
    Program lirbo(exe, dir);
    SetEnvironmentVariableA("LIRBO_FIREWALL_STATE", nullptr);
    HWND main = lirbo.mainWindow();
    HWND bar = nullptr;
    check(main != nullptr && waitFor([&] {
              bar = lirbo.control(IDC_NOTICEBAR);
              return bar != nullptr && IsWindowVisible(bar);
          }),
          "with the firewall on and no rule, a notice bar shows at start");
    if (bar == nullptr) {
        return;
    }
    check(waitFor([&] {
              const RECT placed = clientRectIn(bar, main);
              const RECT memo = clientRectIn(lirbo.control(IDC_MEMOCHAT), main);
              return placed.top == 0 && placed.bottom == px(20) && memo.top == placed.bottom &&
                     memo.bottom == px(367) - px(34);
          }) &&
              contains(text(GetDlgItem(bar, IDC_NOTICE_TEXT)), "не пропускает входящие на UDP 8800"),
          "the bar says so in one line above the transcript", text(GetDlgItem(bar, IDC_NOTICE_TEXT)));
    HWND link = GetDlgItem(bar, IDC_NOTICE_LINK);
    RECT area;
    GetClientRect(link, &area);
    PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, area.bottom / 2));
    PostMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(4, area.bottom / 2));
    HWND window = connectionCheck(lirbo, true);
    if (window != nullptr) {
        check(contains(text(GetDlgItem(window, IDC_CHECK_REPORT)), "не разрешены ни одним правилом"),
              "the report says no rule allows the port");
        // Wine's netsh adds nothing and ends well: the button hides while it runs, then the
        // firewall read again still lacks the rule, so it shows again, with no error box.
        HWND allow = GetDlgItem(window, IDC_CHECK_ALLOW);
        click(allow);
        check(waitFor([&] { return !IsWindowVisible(allow); }) &&
                  waitFor([&] { return IsWindowVisible(allow) != FALSE; }) &&
                  findTopLevel(lirbo.id(), "#32770", "Lirbo") == nullptr,
              "the allow button runs the elevated helper and comes back once it ends");
        click(GetDlgItem(window, IDC_CHECK_CLOSE));
        check(waitFor([&] { return !IsWindow(window); }), "Закрыть closes the check window");
    }
    click(GetDlgItem(bar, IDC_NOTICE_CLOSE));
    check(waitFor([&] { return !IsWindow(bar) && clientRectIn(lirbo.control(IDC_MEMOCHAT), main).top == 0; }),
          "a click closes the bar and the transcript takes its room");
    PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD status = 99;
    lirbo.waitExit(status);
}

// The start-in folder of a shortcut; empty when there is no shortcut to read.
std::string shortcutFolder(const std::string& path) {
    std::string folder;
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    wchar_t buffer[MAX_PATH] = {};
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(wide(path).c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetWorkingDirectory(buffer, MAX_PATH))) {
        folder = utf8(buffer);
    }
    if (file != nullptr) {
        file->Release();
    }
    if (link != nullptr) {
        link->Release();
    }
    return folder;
}

// A run that lives in the notification area: it starts hidden with its icon there, counts what
// arrives, opens from the icon, hides on the close button and ends from the icon's menu; its
// Startup shortcut starts it in its folder, and goes when the option is off at the next start.
void trayAndStartup(Peer& peer) {
    const std::string dir = folder("tray");
    char startup[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, startup);
    const std::string shortcut = std::string(startup) + "\\Lirbo.lnk";
    writeFile(dir + "\\lirbo.ini", kSettings + "[options]\r\nstart_minimised=1\r\nclose_to_tray=1\r\nautostart=1\r\n");
    {
        Program lirbo(exe, dir);
        // Made at start, once the endpoint is up.
        check(waitFor([&] { return lstrcmpiA(shortcutFolder(shortcut).c_str(), dir.c_str()) == 0; }),
              "autostart makes Lirbo.lnk in the Startup folder, starting in the program's folder",
              shortcut + " -> " + shortcutFolder(shortcut));
        HWND main = FindWindowW(L"TMainChat", nullptr); // the one run there is, shown or hidden
        check(main != nullptr && !IsWindowVisible(main), "a run with start_minimised starts hidden");
        if (main == nullptr) {
            return;
        }
        peer.send(cp1251("V3Bob;где ты?"));
        check(waitFor([&] { return contains(trayTips(lirbo.id()), "1 новое, последнее от Bob"); }),
              "a message to the hidden window counts as unread on the icon", trayTips(lirbo.id()));
        PostMessageW(main, WM_LIRBO_TRAY, 0, WM_LBUTTONUP);
        check(waitFor([&] { return IsWindowVisible(main) != FALSE; }), "a click on the icon opens the window");
        PostMessageW(main, WM_CLOSE, 0, 0);
        check(waitFor([&] { return IsWindowVisible(main) == FALSE; }) && IsWindow(main),
              "with close_to_tray the close button hides the window and the program runs on");
        const int notices = peer.seen(cp1251("V2Tester;") + kDeparture);
        PostMessageW(main, WM_LIRBO_TRAY, 0, WM_RBUTTONUP);
        HWND popup = waitTopLevel(lirbo.id(), "#32768");
        check(popup != nullptr, "a right click on the icon opens its menu");
        if (popup != nullptr) {
            PostMessageW(popup, WM_KEYDOWN, VK_UP, 0); // the last item: "Выход"
            PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
        }
        DWORD status = 99;
        check(lirbo.waitExit(status) && status == 0, "the icon's Выход ends the program");
        check(peer.seen(cp1251("V2Tester;") + kDeparture) == notices + 1, "and sends the departure notice first");
    }
    writeFile(dir + "\\lirbo.ini", kSettings + "[options]\r\nautostart=0\r\n");
    {
        Program lirbo(exe, dir);
        check(lirbo.mainWindow() != nullptr, "without start_minimised the window shows");
        check(GetFileAttributesA(shortcut.c_str()) == INVALID_FILE_ATTRIBUTES,
              "with autostart off the start removes the program's own shortcut");
        PostMessageW(lirbo.mainWindow(), WM_CLOSE, 0, 0);
        DWORD status = 99;
        check(lirbo.waitExit(status) && status == 0, "without close_to_tray the close button closes");
    }
    DeleteFileA(shortcut.c_str()); // never left for a later start of the prefix
}

void secondCopy() {
    const std::string first = folder("first");
    const std::string second = folder("second");
    Program a(exe, first);
    check(a.mainWindow() != nullptr, "the first copy runs");
    Program b(exe, second);
    HWND box = waitTopLevel(b.id(), "#32770", "Application Error");
    check(box != nullptr, "a second copy shows the Application Error box");
    if (box != nullptr) {
        const std::string shown = boxText(box);
        check(contains(shown, "Exception EIdCouldNotBindSocket in module lirbo.exe at ") &&
                  contains(shown, "Could not bind socket. Address and port are already in use."),
              "the box names the error, the module and the message", shown);
        check(findTopLevel(b.id(), "TMainChat") == nullptr, "the second copy shows no window");
        click(GetDlgItem(box, IDOK));
    }
    DWORD status = 99;
    check(b.waitExit(status) && status == 1, "the second copy ends with status 1");
    PostMessageW(a.mainWindow(), WM_CLOSE, 0, 0);
    a.waitExit(status);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 6) {
        std::fprintf(stderr, "usage: lirbo_driver LIRBO.EXE WORK_FOLDER CAPTURE_FILE [CODE_PAGE DPI]\n");
        return 2;
    }
    exe = argv[1];
    work = argv[2];
    capture = argv[3];
    SetProcessDPIAware(); // the program's own pixels, not ones scaled for an unaware reader
    const UINT codePage = argc == 6 ? static_cast<UINT>(std::atoi(argv[4])) : 1251;
    dpi = argc == 6 ? std::atoi(argv[5]) : 96;
    check(GetACP() == codePage, "the system code page is " + std::to_string(codePage), std::to_string(GetACP()));
    Peer peer(capture);
    {
        const std::string dir = folder("main");
        writeFile(dir + "\\lirbo.ini", kSettings);
        Program lirbo(exe, dir);
        check(lirbo.mainWindow() != nullptr, "lirbo.exe shows its main window");
        if (lirbo.mainWindow() != nullptr) {
            layout(lirbo);
            tabCycle(lirbo);
            sending(lirbo, peer);
            refusedInput(lirbo, peer);
            addressEditor(lirbo, peer);
            peerLabel(lirbo);
            settings(lirbo, peer);
            options(lirbo);
            about(lirbo, peer);
            menu(lirbo.mainWindow(), IDM_CHECK);
            if (HWND window = connectionCheck(lirbo, false)) {
                check(lirbo.control(IDC_NOTICEBAR) == nullptr, "no notice bar while the firewall cannot be read");
                PostMessageW(window, WM_CLOSE, 0, 0);
            }
            clearing(lirbo, peer);
            choosers(lirbo, peer);
            errorBox(lirbo, peer);
            closing(lirbo, peer);
        }
    }
    logOff(peer);
    dailyUse(peer);
    firewallNotice();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    trayAndStartup(peer);
    secondCopy();
    std::printf("%d failed\n", failures);
    return failures;
}
