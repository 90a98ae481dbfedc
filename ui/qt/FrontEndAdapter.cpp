#include "ui/qt/FrontEndAdapter.h"

#include "app/ChatSession.h"
#include "core/Texts.h"
#include "ui/qt/AttentionTray.h"
#include "ui/qt/Cp1251.h"
#include "ui/qt/FileChooser.h"
#include "ui/qt/InputLine.h"
#include "ui/qt/MessageBoxes.h"
#include "ui/qt/PeerLabelDialog.h"
#include "ui/qt/PeerListView.h"
#include "ui/qt/TAboutForm.h"
#include "ui/qt/TMainChat.h"
#include "ui/qt/TOptionsForm.h"
#include "ui/qt/Tipedit.h"
#include "ui/qt/Tnastroy.h"
#include "ui/qt/TranscriptView.h"
#include "ui/qt/UiText.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFile>

namespace lirbo::ui {

FrontEndAdapter::FrontEndAdapter(TMainChat& window) : m_window(window) {
    m_attentionRedraw.setSingleShot(true);
    QObject::connect(&m_attentionRedraw, &QTimer::timeout, &m_window, [this] { showAttention(); });
}

bool FrontEndAdapter::askAddress(std::string& address) {
    return Tipedit::ask(&m_window, address);
}

bool FrontEndAdapter::askSettings(std::string& nick, int& colourIndex, const TextCheck& checkNick) {
    return Tnastroy::ask(&m_window, nick, colourIndex, checkNick);
}

bool FrontEndAdapter::askOptions(core::TChatOptions& options, bool& historyEnabled) {
    return TOptionsForm::ask(&m_window, options, historyEnabled);
}

// Do-not-disturb shows in the title, where the taskbar shows it too, and as the menu item's check.
void FrontEndAdapter::optionsChanged() {
    const bool quiet = m_views.session->options().doNotDisturb;
    m_window.setWindowTitle(uiText(quiet ? text::kProgramTitleQuiet : text::kProgramTitle));
    if (m_views.doNotDisturb != nullptr) {
        m_views.doNotDisturb->setChecked(quiet);
    }
}

bool FrontEndAdapter::askLabel(const std::string& address, std::string& label, const TextCheck& checkLabel) {
    return PeerLabelDialog::ask(&m_window, address, label, checkLabel);
}

bool FrontEndAdapter::confirmClear() {
    return MessageBoxes::confirmClearChat(&m_window);
}

bool FrontEndAdapter::chooseFile(const app::FileChooser& chooser, std::string& path) {
    return FileChooser::execute(&m_window, chooser, path);
}

void FrontEndAdapter::showAbout() {
    TAboutForm(&m_window).exec();
}

bool FrontEndAdapter::openFile(const std::string& path) {
    const QUrl url = QUrl::fromLocalFile(QFile::decodeName(path.c_str()));
    return m_openFile ? m_openFile(url) : QDesktopServices::openUrl(url);
}

void FrontEndAdapter::showError(const std::string& text) {
    m_views.input->keepTypingAcross([this, &text] { MessageBoxes::showError(&m_window, text); });
}

app::TypedText FrontEndAdapter::inputText() const {
    return m_views.input->text();
}

void FrontEndAdapter::setInputText(const app::TypedText& text) {
    m_views.input->setText(text);
}

void FrontEndAdapter::clearAndFocusInput() {
    m_views.input->clearAndFocus();
}

void FrontEndAdapter::focusInput() {
    m_views.input->focus();
}

void FrontEndAdapter::beep() {
    m_beeper.beep();
}

void FrontEndAdapter::peersChanged() {
    m_views.peers->showPeers();
}

void FrontEndAdapter::presenceChanged() {
    if (m_views.peers != nullptr) {
        m_views.peers->presenceChanged();
    }
}

void FrontEndAdapter::transcriptChanged() {
    if (m_views.transcript != nullptr) {
        m_views.transcript->scheduleCatchUp();
    }
}

bool FrontEndAdapter::isActive() const {
    // The window itself, or a dialog or box it owns, is where the user is.
    for (const QWidget* w = QApplication::activeWindow(); w != nullptr; w = w->parentWidget()) {
        if (w == &m_window) {
            return true;
        }
    }
    return false;
}

void FrontEndAdapter::requestAttention() {
    QApplication::alert(&m_window); // until the window is activated; takes no focus
    emit m_window.attentionRequested();
}

void FrontEndAdapter::attentionChanged() {
    if (!m_attentionRedraw.isActive()) {
        m_attentionRedraw.start(TranscriptView::kBatchInterval);
    }
}

void FrontEndAdapter::showAttention() {
    const app::Attention& attention = m_views.session->attention();
    m_views.tray->show(fromCp1251(attention.hint()), attention.unread() > 0);
}

void FrontEndAdapter::hiddenChanged() {
    m_views.peers->showHiddenCount();
}

bool FrontEndAdapter::trayAvailable() const {
    return m_views.tray != nullptr && m_views.tray->available();
}

void FrontEndAdapter::hideToTray() {
    m_window.hide();
}

void FrontEndAdapter::wake() {
    // Any thread: the session serves the hand-over on the main thread, in whatever loop runs there.
    QMetaObject::invokeMethod(
        &m_window, [this] { m_views.session->serveHandOver(); }, Qt::QueuedConnection);
}

void FrontEndAdapter::endApplication() {
    emit m_window.endRequested(); // the program ends its message loop on this
}

} // namespace lirbo::ui
