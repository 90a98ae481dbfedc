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

// -- The tray hint while messages wait unread (app/Attention.cpp)
inline constexpr std::string_view kAttentionNewOne = "новое";
inline constexpr std::string_view kAttentionNewMany = "новых";
inline constexpr std::string_view kAttentionLastFrom = ", последнее от ";
inline constexpr std::string_view kAttentionNickCut = "…";
inline constexpr std::string_view kAttentionPrivateAmong = " (есть личное)";

// -- The peer list's hints (app/Presence.cpp, app/PeerFailures.cpp, app/HiddenMessages.cpp)
inline constexpr std::string_view kPresenceLastMessageAt = "последнее сообщение в ";
inline constexpr std::string_view kPresenceNotYet = "ещё не писал";
inline constexpr std::string_view kPeerLookupFailed = "имя не найдено: ";
inline constexpr std::string_view kPeerSendFailed = "не отправлено: ";
inline constexpr std::string_view kHiddenCount = "скрыто: ";

// -- The connection check's verdict on a peer (app/ConnectionVerdict.cpp)
inline constexpr std::string_view kVerdictNotFound = "не найден";
inline constexpr std::string_view kVerdictNoRoute = "нет маршрута";
inline constexpr std::string_view kVerdictOtherAddress = "пишет с другого адреса";
inline constexpr std::string_view kVerdictFirewallSuspected = "похоже, входящие закрыты брандмауэром";
inline constexpr std::string_view kVerdictAnswers = "отвечает";
inline constexpr std::string_view kVerdictQuiet = "не писал больше 10 минут";
inline constexpr std::string_view kVerdictNotYetWritten = "ещё не писал";

// -- The firewall in the connection check (app/FirewallRules.cpp, app/FirewallAdvice.cpp,
//    ui/win32/FirewallStatusWin32.cpp, ui/win32/FirewallComReader.cpp)
inline constexpr std::string_view kFirewallProfileDomain = "доменная";
inline constexpr std::string_view kFirewallProfilePrivate = "частная";
inline constexpr std::string_view kFirewallProfilePublic = "общедоступная";
inline constexpr std::string_view kFirewallQuoteOpen = "«";
inline constexpr std::string_view kFirewallQuoteClose = "»";
inline constexpr std::string_view kFirewallInboundUnknown = "неизвестно: ";
inline constexpr std::string_view kFirewallInboundUnlimited = "не ограничены: брандмауэр выключен";
inline constexpr std::string_view kFirewallInboundAllowedByDefault = "разрешены по умолчанию";
inline constexpr std::string_view kFirewallInboundAllowedByRule = "разрешены правилом ";
inline constexpr std::string_view kFirewallInboundNoRule = "не разрешены ни одним правилом";
inline constexpr std::string_view kFirewallInboundBlockedByRule = "запрещены правилом ";
inline constexpr std::string_view kFirewallInboundAllBlocked = "запрещены: брандмауэр закрывает все входящие";
// "Брандмауэр не пропускает входящие на UDP 8800: сообщения могут не доходить."
inline constexpr std::string_view kFirewallNoticeStart = "Брандмауэр не пропускает входящие на UDP ";
inline constexpr std::string_view kFirewallNoticeEnd = ": сообщения могут не доходить.";
// "Сеть «частная»: брандмауэр Windows включён, все входящие запрещены"
inline constexpr std::string_view kFirewallNetwork = "Сеть ";
inline constexpr std::string_view kFirewallWindowsOn = ": брандмауэр Windows включён";
inline constexpr std::string_view kFirewallWindowsOff = ": брандмауэр Windows выключен";
inline constexpr std::string_view kFirewallAllInboundBlocked = ", все входящие запрещены";
inline constexpr std::string_view kFirewallPublicNetwork =
    "В общедоступной сети входящие без разрешающего правила закрыты.";
// "Входящие на UDP 8800: " and the verdict on them
inline constexpr std::string_view kFirewallInboundOn = "Входящие на UDP ";
inline constexpr std::string_view kFirewallNotChecked =
    "Состояние брандмауэра здесь не проверяется. Если он включён, откройте входящие UDP 8800:";
inline constexpr std::string_view kFirewallComError = "ошибка COM ";

// -- The connection check's report (app/ConnectionReport.cpp)
inline constexpr std::string_view kReportSecondsAgo = " с назад";
inline constexpr std::string_view kReportMinutesAgo = " мин назад";
inline constexpr std::string_view kReportHoursAgo = " ч назад";
inline constexpr std::string_view kReportNoIPv4 = "нет адреса IPv4";
inline constexpr std::string_view kReportInterfaceUp = " — работает";
inline constexpr std::string_view kReportInterfaceDown = " — отключён";
inline constexpr std::string_view kReportInterfaceLoopback = ", петлевой";
inline constexpr std::string_view kReportListenerClosed = "Приём: не работает";
// "Приём: UDP 8800 на всех адресах", "Приём: UDP 8800 только на 10.0.0.5"
inline constexpr std::string_view kReportListener = "Приём: ";
inline constexpr std::string_view kReportListenerOnAll = " на всех адресах";
inline constexpr std::string_view kReportListenerOnlyOn = " только на ";
// "Получено датаграмм: 12; отброшено: не сообщения чата — 1, слишком длинные — 0"
inline constexpr std::string_view kReportReceived = "Получено датаграмм: ";
inline constexpr std::string_view kReportMalformed = "; отброшено: не сообщения чата — ";
inline constexpr std::string_view kReportTooLong = ", слишком длинные — ";
inline constexpr std::string_view kReportNotYetKnown = "ещё не известен";
inline constexpr std::string_view kReportNotYet = "ещё не было";
inline constexpr std::string_view kReportSent = "отправлено";
inline constexpr std::string_view kReportSendError = "ошибка: ";
inline constexpr std::string_view kReportColumnEntry = "Запись";
inline constexpr std::string_view kReportColumnAddress = "Адрес";
inline constexpr std::string_view kReportColumnSendsFrom = "Отправка с";
inline constexpr std::string_view kReportColumnLastSend = "Последняя отправка";
inline constexpr std::string_view kReportColumnLastHeard = "Последнее сообщение";
inline constexpr std::string_view kReportColumnVerdict = "Вывод";
inline constexpr std::string_view kReportInterfaces = "Сетевые интерфейсы:";
inline constexpr std::string_view kReportNoInterfaces = "  система не назвала ни одного";
inline constexpr std::string_view kReportAddressNotYetKnown = "адрес ещё не известен";
inline constexpr std::string_view kReportHeading = "Проверка связи\n\nЭтот компьютер\n";
inline constexpr std::string_view kReportFirewall = "\nБрандмауэр\n";
inline constexpr std::string_view kReportPeers = "\nСобеседники\n";
inline constexpr std::string_view kReportNoPeers = "список пуст\n";

// -- The conversation's log (app/HistoryLog.cpp): the kinds of its lines and its failures
inline constexpr std::string_view kLogReceived = "принято";
inline constexpr std::string_view kLogReceivedPrivate = "лично от";
inline constexpr std::string_view kLogDeparture = "ушел";
inline constexpr std::string_view kLogSent = "отправлено";
inline constexpr std::string_view kLogSentPrivate = "лично для";
inline constexpr std::string_view kLogHidden = "скрыто";
inline constexpr std::string_view kLogSkipped = "пропущено";
inline constexpr std::string_view kLogOwnKind = "журнал";
inline constexpr std::string_view kLogFolderFailed = "Не удалось создать папку журнала";
inline constexpr std::string_view kLogOpenFailed = "Не удалось открыть журнал";
inline constexpr std::string_view kLogWriteFailed = "Не удалось записать в журнал";
// "пропущено 5 сообщений от 10.0.0.7"
inline constexpr std::string_view kLogMessagesOne = "сообщение";
inline constexpr std::string_view kLogMessagesFew = "сообщения";
inline constexpr std::string_view kLogMessagesMany = "сообщений";
inline constexpr std::string_view kLogSkippedFrom = " от ";
// "журнал за день достиг 64 МБ: до конца дня сообщения не записываются"
inline constexpr std::string_view kLogDayFull = "журнал за день достиг ";
inline constexpr std::string_view kLogMebibytes = " МБ";
inline constexpr std::string_view kLogBytes = " байт";
inline constexpr std::string_view kLogDayFullUntilTomorrow = ": до конца дня сообщения не записываются";

// -- The history viewer's notes (app/HistoryBrowser.cpp)
// "Показана часть дня: с 0 по 8 МБ из 64 МБ"
inline constexpr std::string_view kHistoryPartFrom = "Показана часть дня: с ";
inline constexpr std::string_view kHistoryPartTo = " по ";
inline constexpr std::string_view kHistoryPartOf = " МБ из ";
inline constexpr std::string_view kHistoryPartMebibytes = " МБ";
inline constexpr std::string_view kHistorySearching = "Поиск... найдено: ";
// "Найдено больше 1000, показаны первые 1000"
inline constexpr std::string_view kHistoryFoundMore = "Найдено больше ";
inline constexpr std::string_view kHistoryShownFirst = ", показаны первые ";
inline constexpr std::string_view kHistoryNotFound = "Не найдено";
inline constexpr std::string_view kHistoryFound = "Найдено: ";

// -- The session's file choosers and failures (app/ChatSession.cpp)
inline constexpr std::string_view kRtfFile = "Файл RTF";
inline constexpr std::string_view kTextFile = "Текстовый файл";
inline constexpr std::string_view kLoadPeerList = "Загрузить список IP";
inline constexpr std::string_view kSavePeerList = "Сохранить список IP";
inline constexpr std::string_view kHistoryOff =
    "История выключена: в файле lirbo.ini в разделе [history] стоит enabled=0";
// "Не удалось открыть файл "<path>""
inline constexpr std::string_view kOpenFileFailed = "Не удалось открыть файл ";
inline constexpr std::string_view kPeerHintNick = "\nник: ";
inline constexpr std::string_view kPeerHintLabel = "\nподпись: ";

// -- The typed line's refusals (app/InputRules.cpp)
inline constexpr std::string_view kLackingCharacters = "В кодировке Windows-1251 нет символов: ";
inline constexpr std::string_view kMessageTooLong =
    "Сообщение не отправлено: вместе с заголовком оно длиннее 8192 байт, а собеседники не принимают больше";

// -- File errors and the last-resort messages (core/Exception.cpp)
inline constexpr std::string_view kNotRegularFile = "Это не файл, а папка, канал или устройство";
inline constexpr std::string_view kFileTooLarge = "Файл больше 16 МБ";
inline constexpr std::string_view kOutOfMemory = "Недостаточно памяти";
inline constexpr std::string_view kUnexpectedError = "Непредвиденная ошибка программы";

// -- The chat's own words on the wire and in the transcript (core/ChatController.cpp)
inline constexpr std::string_view kDepartureBody = "ОТКЛЮЧИЛСЯ";
inline constexpr std::string_view kPrivateToSuffix = " лично для ";
inline constexpr std::string_view kPrivateFromSuffix = " лично от";

// -- The nick colours' names (core/NickPalette.cpp)
inline constexpr std::string_view kColourBlack = "Черный";
inline constexpr std::string_view kColourRed = "Красный";
inline constexpr std::string_view kColourOrange = "Оранжевый";
inline constexpr std::string_view kColourYellow = "Желтый";
inline constexpr std::string_view kColourGreen = "Зелённый";
inline constexpr std::string_view kColourLightBlue = "Голубой";
inline constexpr std::string_view kColourBlue = "Синий";
inline constexpr std::string_view kColourPink = "Розовый";

// -- The console programs (cli/): UTF-8 as they are, the console's own encoding
inline constexpr std::string_view kListenHelp =
    "Использование: lirbo-listen [--port ПОРТ] [--json]\n"
    "\n"
    "Принимает сообщения чата Lirbo (UDP, по умолчанию порт 8800) и выводит каждое одной строкой\n"
    "UTF-8: время, адрес отправителя, public или private, ник и текст через табуляцию; обратная\n"
    "косая черта и управляющие символы текста записываются как \\\\ и \\xHH.\n"
    "Сообщения, которые окно программы не показало бы, пропускаются.\n"
    "\n"
    "      --port ПОРТ   порт вместо 8800\n"
    "      --json        строки JSON: {\"time\", \"address\", \"kind\", \"colour\", \"nick\", \"text\"}\n"
    "  -h, --help        эта справка\n"
    "\n"
    "Работает, пока его не остановят. Код выхода: 1 - порт занят или недоступен, или вывод больше некуда\n"
    "писать (читавшая его программа закрылась); 2 - ошибка в параметрах.";
inline constexpr std::string_view kSendHelp =
    "Использование: lirbo-send [-p|--private] [-n НИК] [-c ЦВЕТ] [--ini ФАЙЛ] [АДРЕС...] [-- ТЕКСТ]\n"
    "\n"
    "Отправляет сообщение чата Lirbo (UDP, порт 8800) каждому адресу, как окно программы.\n"
    "Без адресов отправляет всем адресам списка из lirbo.ini в текущей папке.\n"
    "Текст после \"--\" (слова через пробел) уходит одним сообщением; без него каждая строка\n"
    "стандартного ввода уходит отдельным сообщением, пустые строки пропускаются.\n"
    "\n"
    "  -p, --private     личное сообщение каждому адресу\n"
    "  -n, --nick НИК    ник вместо ника из lirbo.ini\n"
    "  -c, --colour ЦВЕТ цвет ника: номер от 0 до 8 или название (Черный, Красный, Оранжевый,\n"
    "                    Желтый, Зелённый, Голубой, Синий, Розовый) вместо цвета из lirbo.ini\n"
    "      --ini ФАЙЛ    файл настроек вместо lirbo.ini в текущей папке\n"
    "  -h, --help        эта справка\n"
    "\n"
    "Текст переводится в Windows-1251; символ, которого в ней нет, и сообщение длиннее 8192 байт\n"
    "с заголовком не отправляются.\n"
    "Код выхода: 0 - все сообщения отданы системе; 1 - по некоторым адресам отправить не удалось\n"
    "(остальные получили); 2 - ошибка в параметрах или в тексте.";
inline constexpr std::string_view kCliUnknownOption = "неизвестный параметр ";
// "после --nick нужно значение"
inline constexpr std::string_view kCliAfter = "после ";
inline constexpr std::string_view kCliNeedsValue = " нужно значение";
// "порт 99999 неверен: нужно число от 1 до 65535"
inline constexpr std::string_view kCliPort = "порт ";
inline constexpr std::string_view kCliPortWrong = " неверен: нужно число от 1 до 65535";
// "цвет X неизвестен: ..."
inline constexpr std::string_view kCliColour = "цвет ";
inline constexpr std::string_view kCliColourUnknown =
    " неизвестен: нужен номер от 0 до 8 или название цвета из настроек";
inline constexpr std::string_view kCliNick = "ник";
inline constexpr std::string_view kCliNoAddresses = "некому отправить: адресов нет ни в командной строке, ни в списке ";
inline constexpr std::string_view kCliEmptyMessage = "пустое сообщение не отправляется";
// "строка 3: " before what went wrong with the third line of standard input
inline constexpr std::string_view kCliInputLine = "строка ";
inline constexpr std::string_view kCliNotUtf8 = "текст не в кодировке UTF-8";

// -- Starting with the session (app/StartWithSession.cpp, app/XdgAutostartEntry.cpp)
// "Автозапуск не включён: "<path>" запускает другую программу, и Lirbo его не заменяет"
inline constexpr std::string_view kAutostartNotOurs = "Автозапуск не включён: \"";
inline constexpr std::string_view kAutostartNotOursEnd = "\" запускает другую программу, и Lirbo его не заменяет";
inline constexpr std::string_view kAutostartNotRegularFile = "это не обычный файл";
inline constexpr std::string_view kAutostartReadFailed = "Не удалось прочитать файл автозапуска";
inline constexpr std::string_view kAutostartNoHome = "Не удалось включить автозапуск: не задана домашняя папка (HOME)";
inline constexpr std::string_view kAutostartFolderFailed = "Не удалось создать папку";
inline constexpr std::string_view kAutostartWriteFailed = "Не удалось записать файл автозапуска";
inline constexpr std::string_view kAutostartRemoveFailed = "Не удалось удалить файл автозапуска";

} // namespace lirbo::text
