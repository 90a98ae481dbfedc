#include "ui/qt/FormBuilder.h"

#include "ui/qt/AutoSelectLineEdit.h"
#include "ui/qt/Glyphs.h"
#include "ui/qt/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <utility>

namespace lirbo::ui {

namespace {

const QColor kLinkColour(0, 0, 255);

// A label's text is shown as it stands, never as markup, from its top-left corner.
QLabel* makeLabel(QWidget& parent, const QString& text) {
    auto* label = new QLabel(text, &parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void makeLink(QLabel& label) {
    QFont font = label.font();
    font.setUnderline(true);
    label.setFont(font);
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, kLinkColour);
    label.setPalette(palette);
    label.setCursor(Qt::PointingHandCursor);
}

QWidget* makeEdit(QWidget& parent, unsigned flags) {
    const bool readOnly = (flags & kReadOnly) != 0;
    if ((flags & kMultiLine) != 0) {
        auto* edit = new QPlainTextEdit(&parent);
        edit->setReadOnly(readOnly);
        return edit;
    }
    auto* edit = new AutoSelectLineEdit(&parent);
    edit->setReadOnly(readOnly);
    return edit;
}

QPushButton* makeButton(QWidget& parent, const ControlDescription& control) {
    auto* button = new QPushButton(uiText(control.caption), &parent);
    if (!control.glyph.empty()) {
        button->setIcon(Glyphs::icon(uiText(control.glyph)));
    }
    // No button is a default one (Enter presses the focused button); a dialog would pick one itself.
    button->setAutoDefault(false);
    return button;
}

QWidget* makeWidget(QWidget& parent, const ControlDescription& control) {
    const QString caption = uiText(control.caption);
    switch (control.kind) {
    case ControlKind::Label: {
        QLabel* label = makeLabel(parent, caption);
        if ((control.flags & kLink) != 0) {
            makeLink(*label);
        }
        return label;
    }
    case ControlKind::Picture:
        return makeLabel(parent, caption);
    case ControlKind::Edit:
        return makeEdit(parent, control.flags);
    case ControlKind::Button:
    case ControlKind::GlyphButton:
        return makeButton(parent, control);
    case ControlKind::CheckBox:
        return new QCheckBox(caption, &parent);
    case ControlKind::RadioButton:
        return new QRadioButton(caption, &parent);
    case ControlKind::GroupBox:
        return new QGroupBox(caption, &parent);
    case ControlKind::ComboBox:
        return new QComboBox(&parent);
    case ControlKind::List:
    case ControlKind::Transcript:
        break;
    }
    return nullptr;
}

// The description's rectangle, but a drop-down as tall as it is closed, and a label no narrower
// than its text: the toolkit's font measures some texts wider than the rectangle allows.
QRect placeOf(const ControlDescription& control, const QWidget& widget) {
    QRect place(control.rect.x, control.rect.y, control.rect.width, control.rect.height);
    if (control.kind == ControlKind::ComboBox) {
        place.setHeight(FormBuilder::kDropDownHeight);
    } else if (control.kind == ControlKind::Label && (control.flags & kEndEllipsis) == 0) {
        place.setWidth(std::max(place.width(), widget.sizeHint().width()));
    }
    return place;
}

} // namespace

QList<QWidget*> FormBuilder::build(QWidget& parent, const FormDescription& form) {
    QList<QWidget*> built;
    QWidget* previousTabStop = nullptr;
    const ControlDescription* previous = nullptr;
    for (const ControlDescription& control : form.controls) {
        const ControlDescription* before = std::exchange(previous, &control);
        QWidget* widget = makeWidget(parent, control);
        if (widget == nullptr) {
            continue;
        }
        widget->setObjectName(uiText(control.name));
        widget->setGeometry(placeOf(control, *widget));
        if (!control.hint.empty()) {
            widget->setToolTip(uiText(control.hint));
        }
        if (!control.accessibleName.empty()) {
            widget->setAccessibleName(uiText(control.accessibleName));
            // The label before a control that bears its caption as name is its label for a screen
            // reader too, which some controls (a drop-down) take their name from.
            if (before != nullptr && before->kind == ControlKind::Label && before->caption == control.accessibleName) {
                static_cast<QLabel*>(built.last())->setBuddy(widget);
            }
        }
        if ((control.flags & kHidden) != 0) {
            widget->hide();
        }
        if (control.kind == ControlKind::GroupBox) {
            widget->lower();
        }
        // Every widget Tab may reach joins the chain in the description's order; Qt itself lets
        // Tab into a group of radio buttons only at its checked one.
        if ((widget->focusPolicy() & Qt::TabFocus) != 0) {
            if (previousTabStop != nullptr) {
                QWidget::setTabOrder(previousTabStop, widget);
            }
            previousTabStop = widget;
        }
        built << widget;
    }
    return built;
}

} // namespace lirbo::ui
