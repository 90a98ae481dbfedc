#include "DialogTestSupport.h"
#include "ui/common/DialogForms.h"
#include "ui/qt/FormBuilder.h"
#include "ui/qt/PeerLabelDialog.h"
#include "ui/qt/TAboutForm.h"
#include "ui/qt/TOptionsForm.h"
#include "ui/qt/Tipedit.h"
#include "ui/qt/Tnastroy.h"
#include "ui/qt/UiText.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <functional>
#include <memory>

using namespace lirbo::ui;
using namespace lirbo::ui::test;

namespace {

struct DialogCase {
    const FormDescription& form;
    std::function<std::unique_ptr<QDialog>()> make;
    const char* okButton;
    QString okText; // "ОК" in Cyrillic letters or "OK" in Latin ones, as each dialog has always shown it
};

const DialogCase& dialogCase(int index) {
    static const DialogCase cases[] = {
        {nastroyForm(), [] { return std::make_unique<Tnastroy>(); }, "BitBtn1", QStringLiteral(u"\u041E\u041A")},
        {ipEditForm(), [] { return std::make_unique<Tipedit>(); }, "Button1", QStringLiteral("OK")},
        {peerLabelForm(), [] { return std::make_unique<PeerLabelDialog>(nullptr, QStringLiteral("10.0.0.1")); },
         "Button1", QStringLiteral("OK")},
        {optionsForm(), [] { return std::make_unique<TOptionsForm>(); }, "BitBtn1", QStringLiteral(u"\u041E\u041A")},
        {aboutForm(), [] { return std::make_unique<TAboutForm>(nullptr, [](const QUrl&) {}); }, "Button1",
         QStringLiteral(u"\u041E\u041A")},
    };
    return cases[index];
}

const char* qtClassOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Edit:
        return "QLineEdit";
    case ControlKind::Button:
        return "QPushButton";
    case ControlKind::CheckBox:
        return "QCheckBox";
    case ControlKind::RadioButton:
        return "QRadioButton";
    case ControlKind::GroupBox:
        return "QGroupBox";
    case ControlKind::ComboBox:
        return "QComboBox";
    default:
        return "QLabel";
    }
}

QString shownText(const QWidget& widget, ControlKind kind) {
    return widget.property(kind == ControlKind::GroupBox ? "title" : "text").toString();
}

QString accessibleNameOf(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face != nullptr ? face->text(QAccessible::Name) : QString();
}

} // namespace

// Every dialog compared with its description, control by control: what a user sees and where,
// what a screen reader says, and where Tab goes.
class DialogLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void dialogIsBuiltAsDescribed_data() {
        QTest::addColumn<int>("dialog");
        for (int index = 0; index < 5; ++index) {
            QTest::newRow(dialogCase(index).form.name.data()) << index;
        }
    }
    void dialogIsBuiltAsDescribed() {
        QFETCH(int, dialog);
        const DialogCase& expected = dialogCase(dialog);
        const FormDescription& form = expected.form;
        const std::unique_ptr<QDialog> built = expected.make();
        QCOMPARE(built->objectName(), uiText(form.name));
        QCOMPARE(built->windowTitle(), uiText(form.caption));
        QCOMPARE(built->size(), QSize(form.client.width, form.client.height));
        QCOMPARE(built->minimumSize(), built->maximumSize());
        const Qt::WindowFlags flags = built->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint) && !flags.testFlag(Qt::WindowMinimizeButtonHint) &&
                !flags.testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(built->findChild<QPushButton*>(QLatin1String(expected.okButton))->text(), expected.okText);
        QVERIFY(showActive(*built));

        QStringList tabStops;
        for (const ControlDescription& control : form.controls) {
            const QString name = uiText(control.name);
            auto* widget = built->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
            QVERIFY2(widget != nullptr, qPrintable(name));
            QVERIFY2(widget->inherits(qtClassOf(control.kind)), qPrintable(name));
            checkPlace(*built, control, *widget);

            const QString caption = uiText(control.caption);
            if (!caption.isEmpty()) {
                QCOMPARE(shownText(*widget, control.kind), caption);
            }
            QCOMPARE(widget->toolTip(), uiText(control.hint));
            if (!control.accessibleName.empty()) {
                QCOMPARE(widget->accessibleName(), uiText(control.accessibleName));
            } else if (!caption.isEmpty()) {
                QCOMPARE(accessibleNameOf(widget), caption);
            }
            QCOMPARE(widget->isHidden(), (control.flags & kHidden) != 0);
            if (auto* button = qobject_cast<QPushButton*>(widget)) {
                QCOMPARE(button->isDefault(), (control.flags & kDefaultButton) != 0);
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
        QStringList forward = tabStops;
        forward.append(forward.takeFirst());
        QCOMPARE(tabWalk(int(tabStops.size())), forward);
        const QStringList backward(tabStops.rbegin(), tabStops.rend());
        QCOMPARE(tabWalk(int(tabStops.size()), Qt::ShiftModifier), backward);
    }

private:
    // At its rectangle; a closed drop-down as tall as closed, a label wide enough for its text.
    // Nothing lies over a control but a group box lies under others.
    static void checkPlace(QDialog& dialog, const ControlDescription& control, QWidget& widget) {
        const QRect placed(widget.mapTo(&dialog, QPoint()), widget.size());
        QRect expected(control.rect.x, control.rect.y, control.rect.width, control.rect.height);
        if (control.kind == ControlKind::ComboBox) {
            expected.setHeight(FormBuilder::kDropDownHeight);
        }
        const bool growsWithText = control.kind == ControlKind::Label && (control.flags & kEndEllipsis) == 0;
        if (growsWithText && placed.width() > expected.width()) {
            expected.setWidth(placed.width());
        }
        QCOMPARE(placed, expected);
        if (growsWithText || control.kind == ControlKind::CheckBox || control.kind == ControlKind::RadioButton) {
            QVERIFY2(widget.sizeHint().width() <= widget.width(), qPrintable(widget.objectName()));
        }
        if (control.kind != ControlKind::GroupBox) {
            QCOMPARE(dialog.childAt(placed.center()), &widget);
        }
    }
};

QTEST_MAIN(DialogLayoutTest)
#include "DialogLayoutTest.moc"
