#pragma once

#include <string_view>

// Every text the program shows or writes for people, in one place, spelled in UTF-8. Windows-1251
// bytes, for the wire and the files, come from core's code-page table; the front-ends turn these
// into their toolkit's strings. Texts are grouped by where they appear; a group belongs to the
// code named in its heading.
namespace lirbo::text {

// ---- The main window (ui/common/MainWindowForm.cpp) -------------------------------------------

inline constexpr std::string_view kProgramTitle = "Lirbo";
inline constexpr std::string_view kProgramTitleQuiet = "Lirbo (не беспокоить)";

inline constexpr std::string_view kMessagaName = "Сообщение";
inline constexpr std::string_view kIplistName = "Список адресов";
inline constexpr std::string_view kMemoChatName = "Разговор";
inline constexpr std::string_view kAddHint = "Добавить новый IP";
inline constexpr std::string_view kEditIpHint = "Редактировать выделенный";
inline constexpr std::string_view kDelHint = "Удалить выделенный IP";
inline constexpr std::string_view kLoadListHint = "Загрузить список IP из файла";
inline constexpr std::string_view kSaveListHint = "Сохранить список IP в файле";
inline constexpr std::string_view kPrivatHint = "Отправить приватное сообщение";

inline constexpr std::string_view kMenuFile = "Файл";
inline constexpr std::string_view kMenuSaveConversation = "Сохранить разговор";
inline constexpr std::string_view kMenuExit = "Выход";
inline constexpr std::string_view kMenuTodaysHistory = "История за сегодня";
inline constexpr std::string_view kMenuHistory = "История...";
inline constexpr std::string_view kMenuSettings = "Настройка";
inline constexpr std::string_view kMenuSettingsItem = "Настройка";
inline constexpr std::string_view kMenuClearChat = "Очистить чат";
inline constexpr std::string_view kMenuOptions = "Параметры...";
inline constexpr std::string_view kMenuDoNotDisturb = "Не беспокоить";
inline constexpr std::string_view kMenuHelp = "Справка";
inline constexpr std::string_view kMenuAbout = "О программе";
inline constexpr std::string_view kMenuCheckConnection = "Проверка связи";

// The box that lists the last hidden messages ("скрыто: N" under the peer list, clicked).
inline constexpr std::string_view kHiddenMessagesTitle = "Скрытые сообщения";

// ---- The dialogs (ui/common/DialogForms.cpp) ---------------------------------------------------

// "ОК" in Cyrillic letters on the old dialogs, "OK" in Latin ones on the address editor and the
// label dialog: each as the dialog has always shown it.
inline constexpr std::string_view kOkCyrillic = "ОК";
inline constexpr std::string_view kOkLatin = "OK";
inline constexpr std::string_view kCancel = "Отмена";

inline constexpr std::string_view kNastroyCaption = "Настройка";
inline constexpr std::string_view kNastroyNick = "Ник:";
inline constexpr std::string_view kNastroyColour = "Цвет:";

inline constexpr std::string_view kIpEditCaption = "Редактор IP";
inline constexpr std::string_view kIpEditAddress = "IP собеседника:";

inline constexpr std::string_view kPeerLabelCaption = "Подпись";
inline constexpr std::string_view kPeerLabelPrompt = "Подпись для адреса:";

inline constexpr std::string_view kOptionsCaption = "Параметры";
inline constexpr std::string_view kOptionsSoundGroup = "Звук при получении сообщения";
inline constexpr std::string_view kOptionsSoundNone = "Не играть";
inline constexpr std::string_view kOptionsSoundPrivate = "Только личные сообщения";
inline constexpr std::string_view kOptionsSoundEvery = "Все сообщения";
inline constexpr std::string_view kOptionsDoNotDisturb = "Не беспокоить";
inline constexpr std::string_view kOptionsOnlyListed = "Показывать только сообщения от адресов из списка";
inline constexpr std::string_view kOptionsHistory = "Вести историю разговора";
inline constexpr std::string_view kOptionsTrayGroup = "Область уведомлений";
inline constexpr std::string_view kOptionsStartMinimised = "Запускать свёрнутым в область уведомлений";
inline constexpr std::string_view kOptionsCloseToTray = "Кнопка закрытия прячет окно в область уведомлений";
inline constexpr std::string_view kOptionsAutostart = "Запускать вместе с входом в систему";

inline constexpr std::string_view kAboutCaption = "О программе";
inline constexpr std::string_view kAboutEmailLabel = "E-mail:";
inline constexpr std::string_view kAboutUrlLabel = "URL:";
inline constexpr std::string_view kAboutEmail = "lirbo@example.org";
inline constexpr std::string_view kAboutWebAddress = "www.example.org/lirbo";
inline constexpr std::string_view kAboutCopyright = "© 2026 Разработчики Lirbo. Все права защищены.";
inline constexpr std::string_view kAboutMadeIn = "Сделано в локальной сети";
inline constexpr std::string_view kAboutAuthors = "Разработка: команда Lirbo";

inline constexpr std::string_view kCheckCaption = "Проверка связи";
inline constexpr std::string_view kCheckCopyReport = "Копировать отчёт";
inline constexpr std::string_view kCheckAllow = "Разрешить в брандмауэре";
inline constexpr std::string_view kCheckClose = "Закрыть";
inline constexpr std::string_view kCheckReportName = "Отчёт";

// ---- The front-ends' other windows, menus and boxes (ui/qt, ui/win32) ------------------------

// ---- The tray icon's menu (AttentionTray, TrayIcon); "Не беспокоить" and "Выход" are the main
// menu's own texts, for the same commands.

inline constexpr std::string_view kTrayOpen = "Открыть";

// ---- Message boxes (MessageBoxes, ConfirmBox, FindBar) ----

// The confirmation and the startup failure keep the captions and buttons they have always had,
// in Latin letters, in every language.
inline constexpr std::string_view kWarningCaption = "Warning";
inline constexpr std::string_view kStartupFailureCaption = "Application Error";
inline constexpr std::string_view kCancelLatin = "Cancel";
inline constexpr std::string_view kConfirmClearChat = "Вы действительно хотите очистить чат?";
inline constexpr std::string_view kNotFound = "Не найдено";

// ---- The find bar over the transcript (ui/qt/FindBar) ----

inline constexpr std::string_view kFindLabel = "Найти:";
inline constexpr std::string_view kFindNext = "Далее";
inline constexpr std::string_view kFindPrevious = "Назад";

// ---- The history viewer (HistoryViewer) ----

inline constexpr std::string_view kHistoryCaption = "История";
inline constexpr std::string_view kHistoryEarlier = "Раньше";
inline constexpr std::string_view kHistoryLater = "Позже";
inline constexpr std::string_view kHistoryFindEverywhere = "Найти во всех днях";

// ---- The menus of the transcript and the peer list (TranscriptView, RichTranscript, PeerMenus) ----

// "Добавить <адрес> в список": the address goes between the two parts, as plain menu text.
inline constexpr std::string_view kAddSenderBefore = "Добавить ";
inline constexpr std::string_view kAddSenderAfter = " в список";
inline constexpr std::string_view kShowFromAddress = "Показывать сообщения с этого адреса";
inline constexpr std::string_view kHideFromAddress = "Не показывать сообщения с этого адреса";
inline constexpr std::string_view kLabelPeerItem = "Подписать...";

// ---- The hidden messages box (ui/qt/HiddenMessagesBox) ----

inline constexpr std::string_view kHiddenMessagesCaption = "Скрытые сообщения";
inline constexpr std::string_view kClose = "Закрыть";

// ---- The connection check window's headings (ui/qt/ConnectionCheckWindow); its caption and
// buttons are the dialog's texts above, and the notice bar's link is its caption.

inline constexpr std::string_view kCheckThisComputer = "Этот компьютер";
inline constexpr std::string_view kCheckFirewall = "Брандмауэр";
inline constexpr std::string_view kCheckPeers = "Собеседники";

// ---- The desktop's sound of an arrival (ui/qt/DesktopSound) ----

inline constexpr std::string_view kArrivalSoundDescription = "Новое сообщение";

// ---- The autostart shortcut and the firewall (ui/win32) ----

// "ошибка 0x80070005", "ошибка COM 0x80070005": a system error without a description of its own.
inline constexpr std::string_view kErrorCode = "ошибка ";
inline constexpr std::string_view kComErrorCode = "ошибка COM ";
inline constexpr std::string_view kAutostartNoFolder = "Не удалось включить автозапуск: не найдена папка автозагрузки";
inline constexpr std::string_view kShortcutNotCreated = "Не удалось создать ярлык автозапуска";
inline constexpr std::string_view kShortcutNotRemoved = "Не удалось удалить ярлык автозапуска";
inline constexpr std::string_view kFirewallReading = "Брандмауэр Windows: читается...";
inline constexpr std::string_view kAllowRuleCancelled = "Правило не добавлено: разрешение администратора не получено.";
// "Не удалось запустить netsh.exe: <причина>."
inline constexpr std::string_view kAllowRuleNotStarted = "Не удалось запустить netsh.exe: ";
// "netsh.exe не смог добавить правило (код <код>). Нужны права администратора."
inline constexpr std::string_view kAllowRuleFailedBefore = "netsh.exe не смог добавить правило (код ";
inline constexpr std::string_view kAllowRuleFailedAfter = "). Нужны права администратора.";

// ---- Errors, the session's messages and the log (core, app, cli) -----------------------------

} // namespace lirbo::text
