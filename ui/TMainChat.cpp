#include "ui/TMainChat.h"

#include "core/Exception.h"
#include "net/HandOver.h"
#include "ui/Cp1251.h"
#include "ui/Glyphs.h"
#include "ui/LirboLook.h"
#include "ui/MessageBoxes.h"
#include "ui/PeerListBox.h"
#include "ui/TAboutForm.h"
#include "ui/Tipedit.h"
#include "ui/Tnastroy.h"
#include "ui/TranscriptView.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>
#include <exception>

namespace lirbo::ui {

namespace {

constexpr int kClientWidth = 614;
constexpr int kClientHeight = 367;
constexpr int kMinimumFrameWidth = 400;
constexpr int kMinimumFrameHeight = 282;
constexpr int kHintDuration = 2500;
constexpr int kDialogOk = 1;

// File names go to the file system in its own encoding, not as Windows-1251.
std::string filePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QPushButton* glyphButton(QWidget* parent, const char* name, const QString& hint, int top) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(8, top, 25, 25);
    button->setIcon(Glyphs::icon(QString::fromLatin1(name)));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(hint);
    button->setToolTipDuration(kHintDuration);
    return button;
}

// Turns off a widget's drawing for the lifetime of the guard, also when an error leaves early.
class UpdatesOff {
public:
    explicit UpdatesOff(QWidget& widget) : m_widget(widget) { m_widget.setUpdatesEnabled(false); }
    ~UpdatesOff() { m_widget.setUpdatesEnabled(true); }
    UpdatesOff(const UpdatesOff&) = delete;
    UpdatesOff& operator=(const UpdatesOff&) = delete;

private:
    QWidget& m_widget;
};

} // namespace

TMainChat::TMainChat(QWidget* parent) : TMainChat(Endpoints{}, parent) {}

TMainChat::TMainChat(Endpoints endpoints, QWidget* parent)
    : QMainWindow(parent), m_saveRTF(FileChooser::Mode::Save, QString(), QStringLiteral("Файл RTF"),
                                     QStringLiteral("*.RTF"), QStringLiteral("chat"), QStringLiteral("RTF")),
      m_openDialog(FileChooser::Mode::Open, QStringLiteral("Загрузить список IP"), QStringLiteral("Текстовый файл"),
                   QStringLiteral("*.txt"), QStringLiteral("list"), QStringLiteral("txt")),
      m_saveDialog(FileChooser::Mode::Save, QStringLiteral("Сохранить список IP"), QStringLiteral("Текстовый файл"),
                   QStringLiteral("*.txt"), QStringLiteral("list"), QStringLiteral("txt")),
      m_sender(m_idUDPClient) {
    setObjectName(QStringLiteral("MainChat"));
    setWindowTitle(MessageBoxes::applicationTitle());
    setWindowIcon(Glyphs::icon(QStringLiteral("lirbo")));
    setFont(LirboLook::font());
    buildPanels();
    buildMenu();
    setTabOrder();

    m_input = std::make_unique<LineEditInput>(*m_messaga);
    m_controller = std::make_unique<core::TChatController>(
        core::TChatController::Ports{m_sender, m_peers, *m_input, m_clock, m_beeper, m_transcript}, "nik", 0);
    m_peers.setChangeListener([this] { showPeers(); });

    // The endpoint comes up while the window is built, before FormCreate reads the settings.
    net::THandOver::instance().setWakeCallback(
        [this] { QMetaObject::invokeMethod(this, &TMainChat::serveHandOver, Qt::QueuedConnection); });
    try {
        m_idUDPClient.Port = endpoints.peerPort;
        m_idUDPClient.setActive(true);
        m_idUDPServer.DefaultPort = endpoints.listenPort;
        m_idUDPServer.OnUDPRead = [this](net::TIdUDPServer& sender, net::TByteStream& data,
                                         net::TIdSocketHandle& binding) { IdUDPServerUDPRead(sender, data, binding); };
        m_idUDPServer.setActive(true);
    } catch (...) {
        m_idUDPServer.setActive(false);
        net::THandOver::instance().setWakeCallback({});
        throw;
    }
    // Calls queued before the wake callback could reach this window.
    QMetaObject::invokeMethod(this, &TMainChat::serveHandOver, Qt::QueuedConnection);

    command([this] { FormCreate(); });
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    move(0, 0);
    applyMinimumSize();
    m_messaga->setFocus(Qt::OtherFocusReason);
}

TMainChat::~TMainChat() {
    // The listener goes first: hand-overs still queued run now, while every view is alive.
    m_idUDPServer.setActive(false);
    m_idUDPClient.setActive(false);
    net::THandOver::instance().setWakeCallback({});
    m_peers.setChangeListener({});
    delete m_memoChat;
    m_memoChat = nullptr;
}

void TMainChat::buildPanels() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* row = new QHBoxLayout();
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    column->addLayout(row, 1);

    m_memoChat = new TranscriptView(m_transcript, central);
    m_memoChat->document()->setDefaultFont(LirboLook::font());
    m_memoChat->setFocusPolicy(Qt::StrongFocus);
    m_memoChat->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    row->addWidget(m_memoChat, 1);

    m_panel2 = new QWidget(central);
    m_panel2->setObjectName(QStringLiteral("Panel2"));
    m_panel2->setFixedWidth(166);
    row->addWidget(m_panel2);

    m_iplist = new PeerListBox(m_panel2);
    m_iplist->setObjectName(QStringLiteral("iplist"));
    m_iplist->setGeometry(40, 8, 121, 185);
    m_iplist->setSelectionMode(QAbstractItemView::SingleSelection);
    m_iplist->setUniformItemSizes(true);
    m_iplist->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(m_iplist, &QListWidget::itemSelectionChanged, this, [this] {
        const auto selected = m_iplist->selectedItems();
        m_peers.setSelectedIndex(selected.isEmpty() ? -1 : m_iplist->row(selected.constFirst()));
    });

    m_add = glyphButton(m_panel2, "add", QStringLiteral("Добавить новый IP"), 8);
    m_editIP = glyphButton(m_panel2, "editIP", QStringLiteral("Редактировать выделенный"), 40);
    m_del = glyphButton(m_panel2, "del", QStringLiteral("Удалить выделенный IP"), 72);
    m_loadlist = glyphButton(m_panel2, "loadlist", QStringLiteral("Загрузить список IP из файла"), 104);
    m_savelist = glyphButton(m_panel2, "savelist", QStringLiteral("Сохранить список IP в файле"), 136);
    m_privat = glyphButton(m_panel2, "privat", QStringLiteral("Отправить приватное сообщение"), 168);
    connect(m_add, &QPushButton::clicked, this, [this] { command([this] { addClick(); }); });
    connect(m_editIP, &QPushButton::clicked, this, [this] { command([this] { editIPClick(); }); });
    connect(m_del, &QPushButton::clicked, this, [this] { command([this] { delClick(); }); });
    connect(m_loadlist, &QPushButton::clicked, this, [this] { command([this] { loadlistClick(); }); });
    connect(m_savelist, &QPushButton::clicked, this, [this] { command([this] { savelistClick(); }); });
    connect(m_privat, &QPushButton::clicked, this, [this] { command([this] { privatClick(); }); });

    m_panel1 = new QWidget(central);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel1->setFixedHeight(34);
    column->addWidget(m_panel1);

    m_messaga = new QLineEdit(m_panel1);
    m_messaga->setObjectName(QStringLiteral("messaga"));
    m_messaga->setGeometry(8, 8, kClientWidth - 143, 21);
    m_messaga->installEventFilter(this);

    m_bsend = new QPushButton(QStringLiteral("bsend"), m_panel1);
    m_bsend->setObjectName(QStringLiteral("bsend"));
    m_bsend->setGeometry(kClientWidth - 128, 8, 121, 21);
    m_bsend->setIcon(Glyphs::icon(QStringLiteral("bsend")));
    m_bsend->setIconSize(QSize(21, 14));
    connect(m_bsend, &QPushButton::clicked, this, [this] { command([this] { bsendClick(); }); });

    setCentralWidget(central);
}

void TMainChat::buildMenu() {
    QMenuBar* mainMenu = menuBar();
    mainMenu->setObjectName(QStringLiteral("MainMenu"));
    auto addMenu = [&](const char* name, const QString& title) {
        QMenu* menu = mainMenu->addMenu(title);
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    auto addItem = [&](QMenu* menu, const char* name, const QString& title, void (TMainChat::*handler)()) {
        QAction* action = menu->addAction(title);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this,
                [this, handler] { command([this, handler] { (this->*handler)(); }); });
    };
    QMenu* n1 = addMenu("N1", QStringLiteral("Файл"));
    addItem(n1, "N9", QStringLiteral("Сохранить разговор"), &TMainChat::N9Click);
    n1->addSeparator()->setObjectName(QStringLiteral("N3"));
    addItem(n1, "N2", QStringLiteral("Выход"), &TMainChat::N2Click);
    QMenu* n5 = addMenu("N5", QStringLiteral("Настройка"));
    addItem(n5, "N6", QStringLiteral("Настройка"), &TMainChat::N6Click);
    addItem(n5, "N8", QStringLiteral("Очистить чат"), &TMainChat::N8Click);
    QMenu* n7 = addMenu("N7", QStringLiteral("Справка"));
    addItem(n7, "N4", QStringLiteral("О программе"), &TMainChat::N4Click);
}

void TMainChat::setTabOrder() {
    QWidget* const order[] = {m_messaga,  m_bsend,    m_iplist, m_add,    m_del,
                              m_loadlist, m_savelist, m_privat, m_editIP, m_memoChat};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        QWidget::setTabOrder(order[i], order[i + 1]);
    }
}

// The smallest window is 400 x 282 with its frame; Qt limits the size inside the frame.
void TMainChat::applyMinimumSize() {
    QMargins frame;
    if (const QWindow* window = windowHandle()) {
        frame = window->frameMargins();
    }
    setMinimumSize(kMinimumFrameWidth - frame.left() - frame.right(),
                   kMinimumFrameHeight - frame.top() - frame.bottom());
}

int TMainChat::listenPort() const {
    const net::TIdSocketHandle* binding = m_idUDPServer.currentBinding();
    return binding != nullptr ? binding->Port : 0;
}

template <typename Command> void TMainChat::command(Command&& run) {
    try {
        run();
    } catch (const core::Exception& error) {
        showError(error.message());
    } catch (const std::exception& error) {
        showError(error.what());
    }
}

void TMainChat::showError(const std::string& message) {
    MessageBoxes::showError(this, message);
}

void TMainChat::serveHandOver() {
    net::THandOver::instance().runPending();
}

void TMainChat::showPeers() {
    const auto& entries = m_peers.entries();
    const QSignalBlocker blocker(m_iplist);
    if (m_iplist->count() != static_cast<int>(entries.size())) {
        UpdatesOff off(*m_iplist);
        m_iplist->clear();
        QStringList rows;
        rows.reserve(static_cast<qsizetype>(entries.size()));
        for (const std::string& entry : entries) {
            rows.append(fromCp1251(entry));
        }
        m_iplist->addItems(rows);
    } else {
        for (int i = 0; i < m_iplist->count(); ++i) {
            const QString text = fromCp1251(entries[static_cast<std::size_t>(i)]);
            if (m_iplist->item(i)->text() != text) {
                m_iplist->item(i)->setText(text);
            }
        }
    }
    const int selected = m_peers.selectedIndex();
    if (selected < 0) {
        m_iplist->clearSelection();
        m_iplist->setCurrentRow(-1);
    } else {
        m_iplist->setCurrentRow(selected, QItemSelectionModel::ClearAndSelect);
    }
}

// --- Start-up and layout ---

void TMainChat::FormCreate() {
    m_settings.emplace();
    const core::TUserSettings user = m_settings->load(m_peers);
    m_controller->adoptSettings(user.nick, user.colourIndex);
}

void TMainChat::FormResize() {
    const int w = m_panel1->width();
    m_messaga->resize(w - 143, 21);
    m_bsend->move(w - 128, 8);
}

void TMainChat::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (QLayout* layout = centralWidget()->layout()) {
        layout->activate(); // the panels follow the new size before the rule reads it
    }
    FormResize();
}

void TMainChat::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    applyMinimumSize();
    FormResize();
}

void TMainChat::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    applyMinimumSize(); // the frame is known once the window manager has framed the window
}

bool TMainChat::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_messaga && event->type() == QEvent::KeyPress) {
        messagaKeyPress(static_cast<QKeyEvent*>(event)->text());
    }
    return QMainWindow::eventFilter(watched, event); // the key is not consumed
}

// --- Commands ---

void TMainChat::messagaKeyPress(const QString& key) {
    if (key == QStringLiteral("\r")) {
        command([this] { bsendClick(); });
    }
}

void TMainChat::bsendClick() {
    m_controller->sendToAll();
}

void TMainChat::privatClick() {
    m_controller->sendPrivate();
}

void TMainChat::addClick() {
    Tipedit editor(this);
    editor.setObjectName(QStringLiteral("ipedit"));
    if (editor.exec() == kDialogOk) {
        m_peers.add(toCp1251(editor.address()));
    }
}

void TMainChat::editIPClick() {
    const int selected = m_peers.selectedIndex();
    if (selected < 0) {
        return;
    }
    Tipedit editor(this);
    editor.setObjectName(QStringLiteral("ipedit"));
    editor.setAddress(fromCp1251(m_peers.get(selected)));
    if (editor.exec() == kDialogOk) {
        m_peers.replace(selected, toCp1251(editor.address()));
    }
}

void TMainChat::delClick() {
    m_peers.remove(m_peers.selectedIndex());
}

void TMainChat::loadlistClick() {
    QString path;
    if (m_openDialog.execute(this, path)) {
        UpdatesOff off(*m_iplist);
        m_peers.loadFromFile(filePath(path));
    }
}

void TMainChat::savelistClick() {
    QString path;
    if (m_saveDialog.execute(this, path)) {
        m_peers.saveToFile(filePath(path));
    }
}

void TMainChat::IdUDPServerUDPRead(net::TIdUDPServer&, net::TByteStream& data, net::TIdSocketHandle& binding) {
    // Errors go back to the listener thread, which drops them: nothing shows for a bad datagram.
    m_controller->receive(data.readString(), binding.SenderAddress);
}

void TMainChat::N9Click() {
    QString path;
    if (m_saveRTF.execute(this, path)) {
        m_transcript.saveToFile(filePath(path));
    }
}

void TMainChat::N2Click() {
    close();
}

void TMainChat::N6Click() {
    Tnastroy dialog(this);
    dialog.setObjectName(QStringLiteral("nastroy"));
    dialog.setNick(fromCp1251(m_controller->nick()));
    if (dialog.exec() != kDialogOk) {
        return;
    }
    const std::string nick = toCp1251(dialog.nick());
    const int colourIndex = dialog.colourIndex();
    m_settings->storeUserSettings(colourIndex, nick); // a refused write adopts nothing
    m_controller->adoptSettings(nick, colourIndex);
}

void TMainChat::N8Click() {
    if (MessageBoxes::confirmClearChat(this)) {
        m_transcript.clear();
    }
}

void TMainChat::N4Click() {
    TAboutForm about(this);
    about.setObjectName(QStringLiteral("AboutForm"));
    about.exec();
}

// --- Closing ---

void TMainChat::FormCloseQuery() {
    m_controller->sendDepartureNotices();
}

void TMainChat::FormClose() {
    m_settings->storePeerList(m_peers);
}

void TMainChat::closeEvent(QCloseEvent* event) {
    // The window stays on the screen until it is destroyed; the application is told to end.
    event->ignore();
    if (m_ended) {
        return;
    }
    bool closing = false;
    command([&] {
        FormCloseQuery();
        FormClose();
        closing = true;
    });
    if (closing) {
        endApplication();
    }
}

void TMainChat::logOff() {
    if (m_ended) {
        return;
    }
    try {
        m_controller->sendDepartureNotices();
    } catch (...) {
        // The session is ending: a box would only block it. The notices stop at the failing entry.
    }
    endApplication();
}

void TMainChat::endApplication() {
    m_ended = true;
    emit endRequested(); // the program ends its message loop on this
}

} // namespace lirbo::ui
