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

// ---- Errors, the session's messages and the log (core, app, cli) -----------------------------

} // namespace lirbo::text
