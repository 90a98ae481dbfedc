// The same-feature floor of the start-up figures: a Qt window with the main window's widget types
// and what the program sets up before it shows it (the Tahoma file, the Qt translator, the glyphs
// from resources, a tray icon, a UDP socket on loopback with a listener thread), and none of its
// logic. What the program takes beyond this is its own cost.
#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTranslator>
#include <QVBoxLayout>
#include <arpa/inet.h>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

QFont tahoma() {
    QFont font(QStringLiteral("sans-serif"), 8);
    const int id = QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
    if (id >= 0 && !QFontDatabase::applicationFontFamilies(id).isEmpty()) {
        font.setFamily(QFontDatabase::applicationFontFamilies(id).constFirst());
    }
    return font;
}

QIcon glyph(const char* name) {
    return QIcon(QStringLiteral(":/lirbo/") + QString::fromLatin1(name) + QStringLiteral(".png"));
}

// A socket on a loopback port (ephemeral unless given) and a thread that takes every datagram off
// it: given port 8800, the raw receive loop of the receive figures.
class Listener {
public:
    explicit Listener(quint16 port) : m_socket(socket(AF_INET, SOCK_DGRAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
        m_thread = std::thread([this] {
            char buffer[65536];
            while (recv(m_socket, buffer, sizeof buffer, 0) >= 0) {
            }
        });
    }
    ~Listener() {
        shutdown(m_socket, SHUT_RDWR);
        m_thread.join();
        close(m_socket);
    }

private:
    int m_socket;
    std::thread m_thread;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(mainchat);
    app.setFont(tahoma());
    QTranslator translator;
    if (translator.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&translator);
    }
    Listener listener(app.arguments().size() > 1 ? app.arguments().at(1).toUShort() : 0);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.setWindowIcon(glyph("lirbo"));
    auto* central = new QWidget(&window);
    auto* column = new QVBoxLayout(central);
    auto* row = new QHBoxLayout();
    column->addLayout(row, 1);
    auto* transcript = new QPlainTextEdit(central);
    transcript->setReadOnly(true);
    row->addWidget(transcript, 1);
    auto* side = new QWidget(central);
    side->setFixedWidth(166);
    row->addWidget(side);
    (new QListWidget(side))->setGeometry(40, 8, 121, 185);
    int top = 8;
    for (const char* name : {"add", "editIP", "del", "loadlist", "savelist", "privat"}) {
        auto* button = new QPushButton(side);
        button->setGeometry(8, top, 25, 25);
        button->setIcon(glyph(name));
        top += 32;
    }
    auto* bottom = new QWidget(central);
    bottom->setFixedHeight(34);
    column->addWidget(bottom);
    (new QLineEdit(bottom))->setGeometry(8, 8, 471, 21);
    auto* send = new QPushButton(QStringLiteral("bsend"), bottom);
    send->setGeometry(486, 8, 121, 21);
    send->setIcon(glyph("bsend"));
    window.setCentralWidget(central);
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("Файл"));
    file->addAction(QStringLiteral("Сохранить разговор"));
    file->addSeparator();
    file->addAction(QStringLiteral("Выход"));
    file->addSeparator();
    file->addAction(QStringLiteral("История за сегодня"));
    QMenu* settings = window.menuBar()->addMenu(QStringLiteral("Настройка"));
    settings->addAction(QStringLiteral("Настройка"));
    settings->addAction(QStringLiteral("Очистить чат"));
    window.menuBar()->addMenu(QStringLiteral("Справка"))->addAction(QStringLiteral("О программе"));

    std::unique_ptr<QSystemTrayIcon> tray; // made only where the desktop has a tray, as the program does
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        tray = std::make_unique<QSystemTrayIcon>(window.windowIcon());
        tray->show();
    }
    window.resize(614, 367 + window.menuBar()->sizeHint().height());
    window.show();
    return QApplication::exec();
}
