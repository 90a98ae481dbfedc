#include "ui/qt/TMainChat.h"

#include "app/XdgAutostartEntry.h"
#include "ui/common/MainWindowForm.h"
#include "ui/qt/AttentionTray.h"
#include "ui/qt/ConnectionCheckWindow.h"
#include "ui/qt/FindBar.h"
#include "ui/qt/Glyphs.h"
#include "ui/qt/HistoryViewer.h"
#include "ui/qt/InputLine.h"
#include "ui/qt/LirboLook.h"
#include "ui/qt/MainMenu.h"
#include "ui/qt/PeerListView.h"
#include "ui/qt/TranscriptView.h"
#include "ui/qt/UiText.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QMenuBar>
#include <QShortcut>
#include <QWindow>
#include <algorithm>

namespace lirbo::ui {

TMainChat::TMainChat(net::IChatTransport& transport, net::IHandOverQueue& handOver, QWidget* parent)
    : QMainWindow(parent), m_frontEnd(*this), m_form(mainWindowForm()) {
    setObjectName(uiText(m_form.form().name));
    // The transport comes up before any widget is built and before FormCreate reads the settings.
    m_session = std::make_unique<app::ChatSession>(m_frontEnd, transport, handOver);
    m_session->setSoundPlayer(&m_sound);
    setWindowTitle(uiText(m_form.form().caption));
    setWindowIcon(Glyphs::icon(QStringLiteral("lirbo")));
    setFont(LirboLook::font());
    buildControls();
    buildMenu();
    m_tray = new AttentionTray(*this, [this] { return m_session->options().doNotDisturb; });
    connect(m_tray, &AttentionTray::doNotDisturbToggled, this, [this] { m_session->toggleDoNotDisturb(); });
    connect(m_tray, &AttentionTray::restoreRequested, this, &TMainChat::restoreFromTray);
    connect(m_tray, &AttentionTray::exitRequested, this, [this] { m_session->requestClose(); });
    m_frontEnd.attach({m_session.get(), m_input, m_peers, m_memoChat, m_tray,
                       menuBar()->findChild<QAction*>(QStringLiteral("DoNotDisturbItem"))});

    m_session->setStartupEntry(std::make_unique<app::XdgAutostartEntry>(
        QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString(),
        app::XdgAutostartEntry::configHomeFromEnvironment()));
    m_session->start();
    const Size client = m_form.form().client;
    resize(client.width, client.height + menuBar()->sizeHint().height());
    move(0, 0);
    applyMinimumSize();
    m_input->focus();
}

TMainChat::~TMainChat() {
    // The session closes the listener first: hand-overs still queued run now, while every view is alive.
    m_session.reset();
    m_frontEnd.detachTranscript();
    delete m_memoChat;
    m_memoChat = nullptr;
}

// Every control a direct child of the central widget, placed by the description; the find bar,
// when it shows, takes its height from the bottom of the transcript.
void TMainChat::buildControls() {
    m_central = new QWidget(this);
    m_input = new InputLine(*m_session, m_form, m_central);
    m_peers = new PeerListView(*m_session, m_form, m_central);
    connect(m_peers, &PeerListView::presenceShown, this, [this] {
        if (m_connectionCheck != nullptr && m_connectionCheck->isVisible()) {
            m_connectionCheck->refresh();
        }
    });
    m_memoChat = new TranscriptView(*m_session, m_central);
    m_memoChat->document()->setDefaultFont(LirboLook::font());
    m_memoChat->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_memoChat->setFocusPolicy(Qt::StrongFocus);
    m_form.adopt(m_memoChat, "MemoChat");
    m_form.chainFocus();

    m_findBar =
        new FindBar([this](const QString& text, bool backward) { return m_memoChat->find(text, backward); }, m_central);
    m_findBar->setAutoFillBackground(true); // over the peer list's column in a small window
    m_findBar->installEventFilter(this);
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, m_findBar, &FindBar::open);
    // The bottom row stays on top of the rest, as it did when the columns above it were clipped.
    m_form.widget("messaga")->raise();
    m_form.widget("bsend")->raise();
    m_central->installEventFilter(this);
    setCentralWidget(m_central);
}

void TMainChat::buildMenu() {
    const std::vector<MainMenu::Command> commands = {
        {"N9", [this] { m_session->saveConversation(); }},
        // The close sequence, even where the close button hides the window.
        {"N2", [this] { m_session->requestClose(); }},
        {"N10", [this] { m_session->openHistory(); }},
        {"N12", [this] { openHistoryViewer(); }},
        {"N6", [this] { m_session->openSettings(); }},
        {"N8", [this] { m_session->clearChat(); }},
        {"OptionsItem", [this] { m_session->showOptions(); }},
        {"DoNotDisturbItem", [this] { m_session->toggleDoNotDisturb(); }},
        {"N4", [this] { m_session->showAbout(); }},
        {"CheckConnection", [this] { openConnectionCheck(); }},
    };
    MainMenu::build(*menuBar(), m_form.form(), commands, this);
}

void TMainChat::layOut() {
    m_form.place(m_central->size());
    if (m_findBar->isVisible()) {
        const QRect memo = m_memoChat->geometry();
        const int height = std::min(m_findBar->sizeHint().height(), memo.height());
        m_memoChat->resize(memo.width(), memo.height() - height);
        m_findBar->setGeometry(0, memo.bottom() + 1 - height, m_central->width(), height);
    }
}

// The smallest window is as described with its frame; Qt limits the size inside the frame.
void TMainChat::applyMinimumSize() {
    QMargins frame;
    if (const QWindow* window = windowHandle()) {
        frame = window->frameMargins();
    }
    const Size minimum = m_form.form().minimumFrame;
    setMinimumSize(minimum.width - frame.left() - frame.right(), minimum.height - frame.top() - frame.bottom());
}

bool TMainChat::eventFilter(QObject* watched, QEvent* event) {
    const bool resized = watched == m_central && event->type() == QEvent::Resize;
    const bool findBarToggled =
        watched == m_findBar && (event->type() == QEvent::Show || event->type() == QEvent::Hide);
    if (resized || findBarToggled) {
        layOut();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainChat::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    applyMinimumSize();
    layOut();
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

void TMainChat::closeEvent(QCloseEvent* event) {
    // The window stays on the screen until it is destroyed; the session tells the application to end.
    event->ignore();
    m_session->closeWindow();
}

void TMainChat::openHistoryViewer() {
    if (m_historyViewer == nullptr && m_session->history() != nullptr) {
        m_historyViewer = new HistoryViewer(m_session->history()->folder(), this);
    }
    if (m_historyViewer != nullptr) {
        m_historyViewer->present();
    }
}

void TMainChat::openConnectionCheck() {
    if (m_connectionCheck == nullptr) {
        m_connectionCheck = new ConnectionCheckWindow(*m_session, this);
    }
    m_connectionCheck->show();
    m_connectionCheck->raise();
    m_connectionCheck->activateWindow();
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

} // namespace lirbo::ui
