// Takes the pictures of the Windows program for the README under Wine: the main window with a
// short conversation, then the settings dialog, the address editor, the About window, the
// history viewer, the firewall's notice bar, the connection check window and a list with names,
// each written as a 24-bit BMP of its window rectangle. Usage:
//   lirbo_shots LIRBO.EXE WORK_FOLDER OUT_FOLDER
// A picture is taken once two grabs in a row agree, so a window still painting is not caught.
#include "Remote.h"
#include "Session.h"
#include "ui/win32/resource.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace lirbo::driver;

namespace {

std::vector<unsigned char> grab(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC canvas = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ before = SelectObject(canvas, bitmap);
    BitBlt(canvas, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(canvas, before);
    BITMAPINFOHEADER header{sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> bits(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    GetDIBits(canvas, bitmap, 0, static_cast<UINT>(height), bits.data(), reinterpret_cast<BITMAPINFO*>(&header),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(canvas);
    ReleaseDC(nullptr, screen);
    return bits;
}

bool snap(HWND window, const std::string& path) {
    RECT area;
    if (window == nullptr || !GetWindowRect(window, &area)) {
        std::printf("no window for %s\n", path.c_str());
        return false;
    }
    std::vector<unsigned char> last = grab(area);
    waitFor([&] {
        std::vector<unsigned char> next = grab(area);
        const bool settled = next == last;
        last = std::move(next);
        return settled;
    });
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + last.size());
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    bytes.append(reinterpret_cast<const char*>(last.data()), last.size());
    writeFile(path, bytes);
    std::printf("wrote %s\n", path.c_str());
    return true;
}

bool closeDialog(Program& lirbo, HWND dialog, int button) {
    click(GetDlgItem(dialog, button));
    return waitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }) && lirbo.started();
}

// A second run with the firewall faked on and no rule for the chat: the main window with its
// notice bar, and the connection check window that the bar's link opens.
int firewallShots(const std::string& exe, const std::string& work, const std::string& out) {
    const std::string folder = work + "\\firewall";
    CreateDirectoryA(folder.c_str(), nullptr);
    writeFile(folder + "\\lirbo.ini", "[user]\r\nnik_color=6\r\nnik=Ann\r\nstart=0\r\n[ip]\r\nip0=127.0.0.2\r\n");
    SetEnvironmentVariableA("LIRBO_FIREWALL_STATE", "on");
    Program lirbo(exe, folder);
    SetEnvironmentVariableA("LIRBO_FIREWALL_STATE", nullptr);
    HWND main = lirbo.mainWindow();
    // The bar is in place once the transcript has moved down for it.
    if (main == nullptr || !waitFor([&] { return clientRectIn(lirbo.control(IDC_MEMOCHAT), main).top > 0; })) {
        return 1;
    }
    SetForegroundWindow(main);
    // Painted whole before the grab: the bar came a moment ago.
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    int failures = snap(main, out + "\\windows-notice.bmp") ? 0 : 1;
    menu(main, IDM_CHECK);
    HWND check = waitTopLevel(lirbo.id(), "#32770", "Проверка связи");
    waitFor([&] { return text(GetDlgItem(check, IDC_CHECK_REPORT)).find("UDP 8800: ") != std::string::npos; });
    failures += snap(check, out + "\\windows-check.bmp") ? 0 : 1;
    PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD status = 0;
    lirbo.waitExit(status);
    return failures;
}

// A third run whose list names its peers: a label, a nick learned from what arrives, and one
// learned at an earlier run (Wine sends from 127.0.0.1 only, so muting is pictured on Linux).
int namesShot(const std::string& exe, const std::string& work, const std::string& out, Peer& peer) {
    const std::string folder = work + "\\names";
    CreateDirectoryA(folder.c_str(), nullptr);
    writeFile(folder + "\\lirbo.ini", cp1251("[user]\r\nnik_color=6\r\nnik=Ann\r\nstart=0\r\n[ip]\r\nip0=127.0.0.1\r\n"
                                             "ip1=127.0.0.2\r\nip2=127.0.0.3\r\n[names]\r\n127.0.0.2=Бухгалтерия\r\n"
                                             "[seen]\r\n127.0.0.3=Kate\r\n"));
    Program lirbo(exe, folder);
    HWND main = lirbo.mainWindow();
    if (main == nullptr) {
        return 1;
    }
    HWND memo = lirbo.control(IDC_MEMOCHAT);
    peer.send(cp1251("V1Lena;Отчёт готов, забирайте."));
    waitFor([&] { return text(memo).find("забирайте") != std::string::npos; });
    SetForegroundWindow(main);
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const int failures = snap(main, out + "\\windows-names.bmp") ? 0 : 1;
    PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD status = 0;
    lirbo.waitExit(status);
    return failures;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: lirbo_shots LIRBO.EXE WORK_FOLDER OUT_FOLDER\n");
        return 2;
    }
    SetProcessDPIAware(); // the screen's own pixels at any scaling
    const std::string work = argv[2];
    const std::string out = argv[3];
    // The list fills only after the own message: a datagram to any loopback address would come
    // back to this very program as a second copy.
    writeFile(work + "\\lirbo.ini", "[user]\r\nnik_color=6\r\nnik=Ann\r\nstart=0\r\n");
    Program lirbo(argv[1], work);
    HWND main = lirbo.mainWindow();
    if (main == nullptr) {
        return 1;
    }
    Peer peer(work + "\\none.txt");
    HWND memo = lirbo.control(IDC_MEMOCHAT);
    peer.send(cp1251("V1Bob;Привет! Обедаем в час?"));
    waitFor([&] { return text(memo).find("Обедаем") != std::string::npos; });
    setText(lirbo.control(IDC_MESSAGA), "Всем привет!");
    postKey(lirbo.control(IDC_MESSAGA), VK_RETURN);
    waitFor([&] { return text(memo).find("Всем привет!") != std::string::npos; });
    for (const char* address : {"127.0.0.2", "127.0.0.3"}) {
        click(lirbo.control(IDC_ADD));
        HWND editor = waitTopLevel(lirbo.id(), "#32770", "Редактор IP");
        if (editor != nullptr) {
            setText(GetDlgItem(editor, IDC_NEWIP), address);
            closeDialog(lirbo, editor, IDC_IPEDIT_BUTTON1);
        }
    }
    peer.send(cp1251("V1Bob;Да, в час у входа."));
    waitFor([&] { return text(memo).find("у входа") != std::string::npos; });
    SetForegroundWindow(main);
    int failures = snap(main, out + "\\windows-main.bmp") ? 0 : 1;

    menu(main, IDM_N6);
    HWND dialog = waitTopLevel(lirbo.id(), "#32770", "Настройка");
    failures += snap(dialog, out + "\\windows-settings.bmp") ? 0 : 1;
    if (dialog != nullptr) {
        closeDialog(lirbo, dialog, IDC_BITBTN2);
    }
    click(lirbo.control(IDC_ADD));
    dialog = waitTopLevel(lirbo.id(), "#32770", "Редактор IP");
    failures += snap(dialog, out + "\\windows-address-editor.bmp") ? 0 : 1;
    if (dialog != nullptr) {
        closeDialog(lirbo, dialog, IDC_IPEDIT_BUTTON2);
    }
    menu(main, IDM_OPTIONS);
    dialog = waitTopLevel(lirbo.id(), "#32770", "Параметры");
    failures += snap(dialog, out + "\\windows-options.bmp") ? 0 : 1;
    if (dialog != nullptr) {
        closeDialog(lirbo, dialog, IDC_OPTIONS_CANCEL);
    }
    menu(main, IDM_N4);
    dialog = waitTopLevel(lirbo.id(), "#32770", "О программе");
    failures += snap(dialog, out + "\\windows-about.bmp") ? 0 : 1;
    if (dialog != nullptr) {
        closeDialog(lirbo, dialog, IDC_ABOUT_BUTTON1);
    }
    menu(main, IDM_N12);
    HWND viewer = waitTopLevel(lirbo.id(), "LirboHistoryViewer");
    if (viewer != nullptr) {
        setText(GetDlgItem(viewer, IDC_HISTORY_SEARCH), "обед");
        click(GetDlgItem(viewer, IDC_HISTORY_FIND));
        waitFor([&] { return !listItems(GetDlgItem(viewer, IDC_HISTORY_HITS)).empty(); });
    }
    failures += snap(viewer, out + "\\windows-history.bmp") ? 0 : 1;
    PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD status = 0;
    lirbo.waitExit(status);
    return failures + firewallShots(argv[1], work, out) + namesShot(argv[1], work, out, peer);
}
