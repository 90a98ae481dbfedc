#include "DialogTestSupport.h"
#include "ui/common/DialogForms.h"
#include "ui/qt/FormBuilder.h"
#include "ui/qt/PeerLabelDialog.h"
#include "ui/qt/TAboutForm.h"
#include "ui/qt/TOptionsForm.h"
#include "ui/qt/Tipedit.h"
#include "ui/qt/Tnastroy.h"
#include "ui/qt/UiText.h"

#include <QPushButton>
#include <functional>
#include <memory>

using namespace lirbo::ui;
using namespace lirbo::ui::test;

namespace {

using Make = std::function<std::unique_ptr<QDialog>()>;
template <typename Dialog, typename... Args> Make maker(Args... args) {
    return [=] { return std::make_unique<Dialog>(args...); };
}

} // namespace

// Declared before the table's first use, or an optimised build instantiates the default first.
Q_DECLARE_METATYPE(Make)

namespace {

const QString kOkCyrillic = QStringLiteral(u"\u041E\u041A"), kOkLatin = QStringLiteral("OK");

// The Qt class of each ControlKind, in the enum's order.
const char* const kQtClass[] = {
    "QLabel", "QLineEdit", "QPushButton", "QPushButton", "QCheckBox", "QRadioButton", "QGroupBox", "QComboBox",
    "",       "",          "QLabel"};

} // namespace

// Every dialog compared with its description, control by control: what a user sees and where,
// what a screen reader says, where Tab goes; and the dialog's frame.
class DialogLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void dialogIsBuiltAsDescribed_data() {
        QTest::addColumn<const FormDescription*>("form");
        QTest::addColumn<Make>("make");
        QTest::addColumn<QString>("okText"); // "ОК" in Cyrillic letters or "OK" in Latin, as it has always been
        QTest::newRow("nastroy") << &nastroyForm() << maker<Tnastroy>() << kOkCyrillic;
        QTest::newRow("ipedit") << &ipEditForm() << maker<Tipedit>() << kOkLatin;
        QTest::newRow("podpis") << &peerLabelForm() << maker<PeerLabelDialog>(nullptr, QString(60, u'8')) << kOkLatin;
        QTest::newRow("options") << &optionsForm() << maker<TOptionsForm>() << kOkCyrillic;
        QTest::newRow("about") << &aboutForm() << maker<TAboutForm>(nullptr, [](const QUrl&) {}) << kOkCyrillic;
    }
    void dialogIsBuiltAsDescribed() {
        QFETCH(const FormDescription*, form);
        QFETCH(Make, make);
        QFETCH(QString, okText);
        const std::unique_ptr<QDialog> built = make();
        QCOMPARE(built->objectName(), uiText(form->name));
        QCOMPARE(built->windowTitle(), uiText(form->caption));
        QCOMPARE(built->size(), QSize(form->client.width, form->client.height));
        QCOMPARE(built->minimumSize(), built->maximumSize());
        QCOMPARE(built->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint),
                 Qt::WindowCloseButtonHint);
        QCOMPARE(built->findChildren<QPushButton*>().first()->text(), okText);
        QVERIFY(showActive(*built));

        QStringList tabStops;
        for (const ControlDescription& control : form->controls) {
            const QString name = uiText(control.name), caption = uiText(control.caption);
            auto* widget = built->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
            QVERIFY2(widget != nullptr && widget->inherits(kQtClass[int(control.kind)]), qPrintable(name));
            // At its rectangle, but a drop-down as tall as closed and a label as wide as its text.
            const QRect placed(widget->mapTo(built.get(), QPoint()), widget->size());
            QRect expected(control.rect.x, control.rect.y, control.rect.width, control.rect.height);
            const bool growsWithText = control.kind == ControlKind::Label && (control.flags & kEndEllipsis) == 0;
            expected.setWidth(growsWithText ? std::max(expected.width(), placed.width()) : expected.width());
            expected.setHeight(control.kind == ControlKind::ComboBox ? FormBuilder::kDropDownHeight
                                                                     : expected.height());
            QCOMPARE(placed, expected);
            // Every text fits: a long address is cut with an ellipsis.
            if (control.kind == ControlKind::Label || control.kind == ControlKind::CheckBox ||
                control.kind == ControlKind::RadioButton) {
                QVERIFY2(widget->sizeHint().width() <= widget->width(), qPrintable(name));
            }
            // Nothing lies over a control; a group box lies under the controls it frames.
            QVERIFY2(control.kind == ControlKind::GroupBox || built->childAt(placed.center()) == widget,
                     qPrintable(name));
            const char* shown = control.kind == ControlKind::GroupBox ? "title" : "text";
            QCOMPARE(caption.isEmpty() ? caption : widget->property(shown).toString(), caption);
            QCOMPARE(widget->toolTip(), uiText(control.hint));
            if (!control.accessibleName.empty()) {
                QCOMPARE(widget->accessibleName(), uiText(control.accessibleName));
            }
            if (control.kind == ControlKind::Label) {
                const bool link = (control.flags & kLink) != 0;
                QCOMPARE(widget->font().underline(), link);
                QCOMPARE(widget->palette().color(QPalette::WindowText) == QColor(0, 0, 255), link);
                QCOMPARE(widget->cursor().shape(), link ? Qt::PointingHandCursor : Qt::ArrowCursor);
            }
            if (control.flags & kTabStop) {
                tabStops << name;
            }
        }

        // From the first tab stop, Tab visits the others in order and comes back; Shift+Tab backwards.
        built->findChild<QWidget*>(tabStops.first())->setFocus(Qt::TabFocusReason);
        const QStringList forward = tabStops.mid(1) << tabStops.first();
        QCOMPARE(tabWalk(int(tabStops.size())), forward);
        QCOMPARE(tabWalk(int(tabStops.size()), Qt::ShiftModifier), QStringList(tabStops.rbegin(), tabStops.rend()));

        // The title bar's close button gives Cancel.
        QTimer::singleShot(0, built.get(), [&built] { built->close(); });
        QCOMPARE(built->exec(), FixedDialog::kResultCancel);
    }
};

QTEST_MAIN(DialogLayoutTest)
#include "DialogLayoutTest.moc"
