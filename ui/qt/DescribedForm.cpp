#include "ui/qt/DescribedForm.h"

#include "ui/qt/FormBuilder.h"
#include "ui/qt/Glyphs.h"
#include "ui/qt/UiText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <algorithm>
#include <stdexcept>
#include <string>

namespace lirbo::ui {

void DescribedForm::adoptWidget(QWidget& widget, std::string_view name) {
    const ControlDescription* control = m_form.find(name);
    if (control == nullptr) {
        throw std::logic_error("the form " + std::string(m_form.name) + " describes no control " + std::string(name));
    }
    describe(widget, *control);
}

void DescribedForm::build(QWidget& parent) {
    for (const ControlDescription& control : m_form.controls) {
        QWidget* widget = FormBuilder::make(parent, control);
        if (widget == nullptr) {
            continue;
        }
        // The label before a control that bears its caption as name is its label for a screen
        // reader too, which some controls (a drop-down) take their name from.
        if (!m_widgets.empty() && !control.accessibleName.empty()) {
            const auto& [before, beforeWidget] = m_widgets.back();
            if (before->kind == ControlKind::Label && before->caption == control.accessibleName) {
                static_cast<QLabel*>(beforeWidget)->setBuddy(widget);
            }
        }
        if (control.kind == ControlKind::GroupBox) {
            widget->lower();
        }
        describe(*widget, control);
    }
}

void DescribedForm::describe(QWidget& widget, const ControlDescription& control) {
    widget.setObjectName(uiText(control.name));
    if (!control.hint.empty()) {
        widget.setToolTip(uiText(control.hint));
        widget.setToolTipDuration(kHintDuration);
    }
    if (!control.accessibleName.empty()) {
        widget.setAccessibleName(uiText(control.accessibleName)); // a glyph alone says nothing to a reader
    }
    if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        button->setText(uiText(control.caption));
        if (!control.glyph.empty()) {
            const QPixmap glyph = Glyphs::load(uiText(control.glyph));
            button->setIcon(QIcon(glyph));
            button->setIconSize(glyph.size());
        }
    }
    if ((control.flags & kTabStop) != 0) {
        if ((widget.focusPolicy() & Qt::TabFocus) == 0) {
            widget.setFocusPolicy(Qt::StrongFocus);
        }
    } else if (control.kind != ControlKind::RadioButton) {
        // A radio button after the first of its group keeps its focus: Qt lets Tab into a group
        // only at its checked button, and the arrows move between them.
        widget.setFocusPolicy(Qt::NoFocus);
    }
    widget.setHidden((control.flags & kHidden) != 0);
    m_widgets.emplace_back(&control, &widget);
}

void DescribedForm::place(QSize now) const {
    for (const auto& [control, widget] : m_widgets) {
        const Rect at = m_form.place(*control, {now.width(), now.height()});
        QRect placed(at.x, at.y, at.width, at.height);
        if (qobject_cast<QComboBox*>(widget) != nullptr) {
            placed.setHeight(FormBuilder::kDropDownHeight);
        } else if (control->kind == ControlKind::Label && (control->flags & kEndEllipsis) == 0 &&
                   qobject_cast<QLabel*>(widget) != nullptr) { // the main window's count is a button
            placed.setWidth(std::max(placed.width(), widget->sizeHint().width()));
        }
        widget->setGeometry(placed);
    }
}

void DescribedForm::chainFocus() const {
    QWidget* previous = nullptr;
    for (const ControlDescription& control : m_form.controls) {
        QWidget* current = widget(control.name);
        if (current == nullptr || (current->focusPolicy() & Qt::TabFocus) == 0) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, current);
        }
        previous = current;
    }
}

QWidget* DescribedForm::widget(std::string_view name) const {
    for (const auto& [control, widget] : m_widgets) {
        if (control->name == name) {
            return widget;
        }
    }
    return nullptr;
}

} // namespace lirbo::ui
