#include "ui/qt/TMainChat.h"

#include "app/XdgAutostartEntry.h"
#include "ui/qt/AttentionTray.h"
#include "ui/qt/ConnectionCheckWindow.h"
#include "ui/qt/Cp1251.h"
#include "ui/qt/FileChooser.h"
#include "ui/qt/FindBar.h"
#include "ui/qt/Glyphs.h"
#include "ui/qt/HiddenMessagesBox.h"
#include "ui/qt/HistoryViewer.h"
#include "ui/qt/LirboLook.h"
#include "ui/qt/MessageBoxes.h"
#include "ui/qt/PeerLabelDialog.h"
#include "ui/qt/PeerListBox.h"
#include "ui/qt/PeerMenus.h"
#include "ui/qt/PeerRowDelegate.h"
#include "ui/qt/PlainText.h"
#include "ui/qt/TAboutForm.h"
#include "ui/qt/TOptionsForm.h"
#include "ui/qt/Tipedit.h"
#include "ui/qt/Tnastroy.h"
#include "ui/qt/TranscriptView.h"
#include "ui/qt/TypeAhead.h"
#include "ui/qt/VerdictMark.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace lirbo::ui {

namespace {

constexpr int kClientWidth = 614;
constexpr int kClientHeight = 367;
constexpr int kMinimumFrameWidth = 400;
constexpr int kMinimumFrameHeight = 282;
constexpr int kHintDuration = 2500;

QPushButton* glyphButton(QWidget* parent, const char* name, const QString& hint, int top) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(8, top, 25, 25);
    button->setIcon(Glyphs::icon(QString::fromLatin1(name)));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(hint);
    button->setToolTipDuration(kHintDuration);
    button->setAccessibleName(hint); // a screen reader has only the picture otherwise
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

TMainChat::TMainChat(net::IChatTransport& transport, net::IHandOverQueue& handOver, QWidget* parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainChat"));
    // The transport comes up before any widget is built and before FormCreate reads the settings.
    m_session = std::make_unique<app::ChatSession>(static_cast<app::IFrontEnd&>(*this), transport, handOver);
    m_session->setSoundPlayer(&m_sound);
    setWindowTitle(MessageBoxes::applicationTitle());
    setWindowIcon(Glyphs::icon(QStringLiteral("lirbo")));
    setFont(LirboLook::font());
    buildPanels();
    buildMenu();
    setTabOrder();
    m_presenceRedraw.setSingleShot(true);
    connect(&m_presenceRedraw, &QTimer::timeout, this, &TMainChat::showPresence);
    m_attentionRedraw.setSingleShot(true);
    connect(&m_attentionRedraw, &QTimer::timeout, this, &TMainChat::showAttention);
    m_tray = new AttentionTray(*this, [this] { return m_session->options().doNotDisturb; });
    connect(m_tray, &AttentionTray::doNotDisturbToggled, this, [this] { m_session->toggleDoNotDisturb(); });
    connect(m_tray, &AttentionTray::restoreRequested, this, &TMainChat::restoreFromTray);
    connect(m_tray, &AttentionTray::exitRequested, this, [this] { m_session->requestClose(); });

    m_session->setStartupEntry(std::make_unique<app::XdgAutostartEntry>(
        QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString(),
        app::XdgAutostartEntry::configHomeFromEnvironment()));
    m_session->start();
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    move(0, 0);
    applyMinimumSize();
    m_messaga->setFocus(Qt::OtherFocusReason);
}

TMainChat::~TMainChat() {
    // The session closes the listener first: hand-overs still queued run now, while every view is alive.
    m_session.reset();
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

    m_memoChat = new TranscriptView(*m_session, central);
    m_memoChat->document()->setDefaultFont(LirboLook::font());
    m_memoChat->setFocusPolicy(Qt::StrongFocus);
    m_memoChat->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_memoChat->setAccessibleName(QStringLiteral("Разговор"));
    row->addWidget(m_memoChat, 1);

    m_panel2 = new QWidget(central);
    m_panel2->setObjectName(QStringLiteral("Panel2"));
    m_panel2->setFixedWidth(166);
    row->addWidget(m_panel2);

    m_iplist = new PeerListBox(m_panel2);
    m_iplist->setObjectName(QStringLiteral("iplist"));
    m_iplist->setAccessibleName(QStringLiteral("Список адресов"));
    m_iplist->setGeometry(40, 8, 121, 185);
    m_iplist->setSelectionMode(QAbstractItemView::SingleSelection);
    m_iplist->setUniformItemSizes(true);
    m_iplist->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_iplist->setItemDelegate(new PeerRowDelegate(m_iplist));
    m_iplist->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_iplist, &QWidget::customContextMenuRequested, this, &TMainChat::iplistContextMenu);
    connect(m_iplist, &QListWidget::itemSelectionChanged, this, [this] {
        const auto selected = m_iplist->selectedItems();
        m_session->selectPeer(selected.isEmpty() ? -1 : m_iplist->row(selected.constFirst()));
    });

    m_add = glyphButton(m_panel2, "add", QStringLiteral("Добавить новый IP"), 8);
    m_editIP = glyphButton(m_panel2, "editIP", QStringLiteral("Редактировать выделенный"), 40);
    m_del = glyphButton(m_panel2, "del", QStringLiteral("Удалить выделенный IP"), 72);
    m_loadlist = glyphButton(m_panel2, "loadlist", QStringLiteral("Загрузить список IP из файла"), 104);
    m_savelist = glyphButton(m_panel2, "savelist", QStringLiteral("Сохранить список IP в файле"), 136);
    m_privat = glyphButton(m_panel2, "privat", QStringLiteral("Отправить приватное сообщение"), 168);
    connect(m_add, &QPushButton::clicked, this, &TMainChat::addClick);
    connect(m_editIP, &QPushButton::clicked, this, &TMainChat::editIPClick);
    connect(m_del, &QPushButton::clicked, this, &TMainChat::delClick);
    connect(m_loadlist, &QPushButton::clicked, this, &TMainChat::loadlistClick);
    connect(m_savelist, &QPushButton::clicked, this, &TMainChat::savelistClick);
    connect(m_privat, &QPushButton::clicked, this, &TMainChat::privatClick);
    m_hiddenCount = new QPushButton(m_panel2);
    m_hiddenCount->setObjectName(QStringLiteral("hiddenCount"));
    m_hiddenCount->setGeometry(40, 198, 121, 17);
    m_hiddenCount->setFlat(true);
    m_hiddenCount->setFocusPolicy(Qt::NoFocus);
    m_hiddenCount->hide();
    connect(m_hiddenCount, &QPushButton::clicked, this, &TMainChat::showHiddenMessages);

    m_findBar =
        new FindBar([this](const QString& text, bool backward) { return m_memoChat->find(text, backward); }, central);
    column->addWidget(m_findBar);
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, m_findBar, &FindBar::open);

    m_panel1 = new QWidget(central);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel1->setFixedHeight(34);
    column->addWidget(m_panel1);

    m_messaga = new QLineEdit(m_panel1);
    m_messaga->setObjectName(QStringLiteral("messaga"));
    m_messaga->setAccessibleName(QStringLiteral("Сообщение"));
    m_messaga->setGeometry(8, 8, kClientWidth - 143, 21);
    m_messaga->installEventFilter(this);
    connect(m_messaga, &QLineEdit::textChanged, this, &TMainChat::messagaChange);

    m_bsend = new QPushButton(QStringLiteral("bsend"), m_panel1);
    m_bsend->setObjectName(QStringLiteral("bsend"));
    m_bsend->setGeometry(kClientWidth - 128, 8, 121, 21);
    m_bsend->setIcon(Glyphs::icon(QStringLiteral("bsend")));
    m_bsend->setIconSize(QSize(21, 14));
    connect(m_bsend, &QPushButton::clicked, this, &TMainChat::bsendClick);

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
    auto addItem = [&](QMenu* menu, const char* name, const QString& title, auto handler) {
        QAction* action = menu->addAction(title);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    QMenu* n1 = addMenu("N1", QStringLiteral("Файл"));
    addItem(n1, "N9", QStringLiteral("Сохранить разговор"), &TMainChat::N9Click);
    n1->addSeparator()->setObjectName(QStringLiteral("N3"));
    addItem(n1, "N2", QStringLiteral("Выход"), &TMainChat::N2Click);
    // Below the items of old, so that they keep their places in the menu and for the keyboard.
    n1->addSeparator()->setObjectName(QStringLiteral("N11"));
    addItem(n1, "N10", QStringLiteral("История за сегодня"), &TMainChat::N10Click);
    addItem(n1, "N12", QStringLiteral("История..."), &TMainChat::N12Click);
    QMenu* n5 = addMenu("N5", QStringLiteral("Настройка"));
    addItem(n5, "N6", QStringLiteral("Настройка"), &TMainChat::N6Click);
    addItem(n5, "N8", QStringLiteral("Очистить чат"), &TMainChat::N8Click);
    n5->addSeparator();
    addItem(n5, "OptionsItem", QStringLiteral("Параметры..."), [this] { m_session->showOptions(); });
    m_doNotDisturbItem =
        addItem(n5, "DoNotDisturbItem", QStringLiteral("Не беспокоить"), [this] { m_session->toggleDoNotDisturb(); });
    m_doNotDisturbItem->setCheckable(true);
    QMenu* n7 = addMenu("N7", QStringLiteral("Справка"));
    addItem(n7, "N4", QStringLiteral("О программе"), &TMainChat::N4Click);
    addItem(n7, "CheckConnection", QStringLiteral("Проверка связи"), &TMainChat::checkConnectionClick);
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

void TMainChat::showPeers() {
    const core::TPeerList& peers = m_session->peers();
    const auto& entries = peers.entries();
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
    const int selected = peers.selectedIndex();
    if (selected < 0) {
        m_iplist->clearSelection();
        m_iplist->setCurrentRow(-1);
    } else {
        m_iplist->setCurrentRow(selected, QItemSelectionModel::ClearAndSelect);
    }
    showPresence();
}

// Each row's hint says when its address last sent; a row whose address said goodbye is grey, and
// one whose lookup or send failed is red, its hint led by the error.
void TMainChat::showPresence() {
    const QBrush grey = palette().brush(QPalette::Disabled, QPalette::Text);
    const QBrush red(QColor(0xC0, 0x00, 0x00));
    const int rows = std::min(m_iplist->count(), m_session->peers().count());
    for (int i = 0; i < rows; ++i) {
        const app::Presence::Row row = m_session->peerPresence(i);
        QListWidgetItem* item = m_iplist->item(i);
        const QString hint = plainToolTip(fromCp1251(row.hint));
        if (item->toolTip() != hint) {
            item->setToolTip(hint);
        }
        const app::PeerNames::Name name = m_session->peerName(i);
        const QString nameText = fromCp1251(name.text);
        if (item->data(PeerRowDelegate::kNameRole).toString() != nameText ||
            item->data(PeerRowDelegate::kLearnedRole).toBool() != name.learned) {
            item->setData(PeerRowDelegate::kNameRole, nameText);
            item->setData(PeerRowDelegate::kLearnedRole, name.learned);
        }
        const QVariant foreground = row.failed ? QVariant(red) : row.departed ? QVariant(grey) : QVariant();
        if (item->data(Qt::ForegroundRole) != foreground) {
            item->setData(Qt::ForegroundRole, foreground);
        }
        if (item->data(Qt::UserRole).toInt() != static_cast<int>(row.verdict) || item->icon().isNull()) {
            item->setData(Qt::UserRole, static_cast<int>(row.verdict));
            item->setIcon(verdictMark(row.verdict));
        }
    }
    if (m_connectionCheck != nullptr && m_connectionCheck->isVisible()) {
        m_connectionCheck->refresh();
    }
}

void TMainChat::checkConnectionClick() {
    if (m_connectionCheck == nullptr) {
        m_connectionCheck = new ConnectionCheckWindow(*m_session, this);
    }
    m_connectionCheck->show();
    m_connectionCheck->raise();
    m_connectionCheck->activateWindow();
}

// --- Layout ---

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

void TMainChat::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_session) {
        m_session->windowActivated();
    }
}

bool TMainChat::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_messaga && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        messagaKeyDown(*key);
        messagaKeyPress(key->text());
    }
    return QMainWindow::eventFilter(watched, event); // the key is not consumed
}

// --- Commands: each is one call into the session ---

void TMainChat::messagaKeyPress(const QString& key) {
    if (key == QStringLiteral("\r")) {
        bsendClick();
    }
}

void TMainChat::messagaKeyDown(const QKeyEvent& key) {
    if (key.modifiers() == Qt::ControlModifier && key.key() == Qt::Key_Up) {
        m_session->recallOlder();
    } else if (key.modifiers() == Qt::ControlModifier && key.key() == Qt::Key_Down) {
        m_session->recallNewer();
    }
}

void TMainChat::messagaChange(const QString& text) {
    const std::string utf8 = text.toStdString();
    if (app::InputRules::hasLineBreak(utf8)) { // a paste of several lines: the line shows what goes out
        const int cursor = m_messaga->cursorPosition();
        m_messaga->setText(QString::fromStdString(app::InputRules::joinLines(utf8)));
        m_messaga->setCursorPosition(std::min(cursor, static_cast<int>(m_messaga->text().size())));
    }
}

void TMainChat::bsendClick() {
    m_session->sendToAll();
}

void TMainChat::privatClick() {
    m_session->sendPrivate();
}

void TMainChat::addClick() {
    m_session->addPeer();
}

void TMainChat::editIPClick() {
    m_session->editPeer();
}

void TMainChat::delClick() {
    m_session->deletePeer();
}

void TMainChat::loadlistClick() {
    const UpdatesOff off(*m_iplist); // a long list redraws once
    m_session->loadPeerList();
}

void TMainChat::savelistClick() {
    m_session->savePeerList();
}

void TMainChat::N9Click() {
    m_session->saveConversation();
}

void TMainChat::N2Click() {
    m_session->requestClose(); // the close sequence, even where the close button hides the window
}

void TMainChat::N6Click() {
    m_session->openSettings();
}

void TMainChat::N8Click() {
    m_session->clearChat();
}

void TMainChat::N4Click() {
    m_session->showAbout();
}

void TMainChat::N10Click() {
    m_session->openHistory();
}

void TMainChat::N12Click() {
    if (m_historyViewer == nullptr && m_session->history() != nullptr) {
        m_historyViewer = new HistoryViewer(m_session->history()->folder(), this);
    }
    if (m_historyViewer != nullptr) {
        m_historyViewer->present();
    }
}

void TMainChat::closeEvent(QCloseEvent* event) {
    // The window stays on the screen until it is destroyed; the session tells the application to end.
    event->ignore();
    m_session->closeWindow();
}

// A row's menu: its label and its muting.
void TMainChat::iplistContextMenu(const QPoint& position) {
    const int row = m_iplist->row(m_iplist->itemAt(position));
    if (row >= 0 && row < m_session->peers().count()) {
        PeerMenus::forRow(this, *m_session, row)->exec(m_iplist->viewport()->mapToGlobal(position));
    }
}

void TMainChat::showHiddenMessages() {
    QStringList lines;
    for (const std::string& line : m_session->hidden().lines()) {
        lines.append(fromCp1251(line));
    }
    HiddenMessagesBox(this, lines).exec();
}

void TMainChat::restoreFromTray() {
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void TMainChat::showAtStart() {
    if (!m_session->startsHidden()) {
        show();
    }
}

void TMainChat::logOff() {
    m_session->logOff();
}

// --- What the session asks of the window ---

bool TMainChat::askAddress(std::string& address) {
    return Tipedit::ask(this, address);
}

bool TMainChat::askSettings(std::string& nick, int& colourIndex, const TextCheck& checkNick) {
    return Tnastroy::ask(this, nick, colourIndex, checkNick);
}

bool TMainChat::askOptions(core::TChatOptions& options, bool& historyEnabled) {
    return TOptionsForm::ask(this, options, historyEnabled);
}

// Do-not-disturb shows in the title, where the taskbar shows it too, and as the menu item's check.
void TMainChat::optionsChanged() {
    const bool quiet = m_session->options().doNotDisturb;
    setWindowTitle(quiet ? MessageBoxes::applicationTitle() + QStringLiteral(" (не беспокоить)")
                         : MessageBoxes::applicationTitle());
    if (m_doNotDisturbItem != nullptr) {
        m_doNotDisturbItem->setChecked(quiet);
    }
}

bool TMainChat::askLabel(const std::string& address, std::string& label, const TextCheck& checkLabel) {
    return PeerLabelDialog::ask(this, address, label, checkLabel);
}

bool TMainChat::confirmClear() {
    return MessageBoxes::confirmClearChat(this);
}

bool TMainChat::chooseFile(const app::FileChooser& chooser, std::string& path) {
    return FileChooser::execute(this, chooser, path);
}

void TMainChat::showAbout() {
    TAboutForm(this).exec();
}

bool TMainChat::openFile(const std::string& path) {
    const QUrl url = QUrl::fromLocalFile(QFile::decodeName(path.c_str()));
    return m_openFile ? m_openFile(url) : QDesktopServices::openUrl(url);
}

void TMainChat::showError(const std::string& text) {
    const TypeAhead typed(this); // the keys typed while the failing command ran come back after the box
    MessageBoxes::showError(this, text);
}

app::TypedText TMainChat::inputText() const {
    return toTypedText(m_messaga->text());
}

void TMainChat::setInputText(const app::TypedText& text) {
    m_messaga->setText(text.original.empty() ? fromCp1251(text.text) : QString::fromStdString(text.original));
}

void TMainChat::focusInput() {
    m_messaga->setFocus(Qt::OtherFocusReason);
}

void TMainChat::clearAndFocusInput() {
    m_messaga->clear();
    m_messaga->setFocus(Qt::OtherFocusReason);
}

void TMainChat::beep() {
    m_beeper.beep();
}

void TMainChat::peersChanged() {
    showPeers();
}

void TMainChat::hiddenChanged() {
    m_hiddenCount->setText(fromCp1251(m_session->hidden().countText()));
    m_hiddenCount->show();
}

void TMainChat::presenceChanged() {
    if (!m_presenceRedraw.isActive()) {
        m_presenceRedraw.start(TranscriptView::kBatchInterval);
    }
}

void TMainChat::transcriptChanged() {
    if (m_memoChat != nullptr) {
        m_memoChat->scheduleCatchUp();
    }
}

bool TMainChat::isActive() const {
    // The window itself, or a dialog or box it owns, is where the user is.
    for (const QWidget* w = QApplication::activeWindow(); w != nullptr; w = w->parentWidget()) {
        if (w == this) {
            return true;
        }
    }
    return false;
}

void TMainChat::requestAttention() {
    QApplication::alert(this); // until the window is activated; takes no focus
    emit attentionRequested();
}

void TMainChat::attentionChanged() {
    if (!m_attentionRedraw.isActive()) {
        m_attentionRedraw.start(TranscriptView::kBatchInterval);
    }
}

void TMainChat::showAttention() {
    const app::Attention& attention = m_session->attention();
    m_tray->show(fromCp1251(attention.hint()), attention.unread() > 0);
}

bool TMainChat::trayAvailable() const {
    return m_tray != nullptr && m_tray->available();
}

void TMainChat::hideToTray() {
    hide();
}

void TMainChat::wake() {
    // Any thread: the session serves the hand-over on the main thread, in whatever loop runs there.
    QMetaObject::invokeMethod(
        this, [this] { m_session->serveHandOver(); }, Qt::QueuedConnection);
}

void TMainChat::endApplication() {
    emit endRequested(); // the program ends its message loop on this
}

} // namespace lirbo::ui
