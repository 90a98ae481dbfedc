#include "ui/qt/DescribedForm.h"

#include "ui/qt/Glyphs.h"
#include "ui/qt/UiText.h"

#include <QAbstractButton>
#include <QWidget>
#include <stdexcept>
#include <string>

namespace lirbo::ui {

void DescribedForm::adoptWidget(QWidget& widget, std::string_view name) {
    const ControlDescription* control = m_form.find(name);
    if (control == nullptr) {
        throw std::logic_error("the form " + std::string(m_form.name) + " describes no control " + std::string(name));
    }
    widget.setObjectName(uiText(control->name));
    if (!control->hint.empty()) {
        widget.setToolTip(uiText(control->hint));
        widget.setToolTipDuration(kHintDuration);
    }
    if (!control->accessibleName.empty()) {
        widget.setAccessibleName(uiText(control->accessibleName)); // a glyph alone says nothing to a reader
    }
    if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        button->setText(uiText(control->caption));
        if (!control->glyph.empty()) {
            const QPixmap glyph = Glyphs::load(uiText(control->glyph));
            button->setIcon(QIcon(glyph));
            button->setIconSize(glyph.size());
        }
    }
    if ((control->flags & kTabStop) == 0) {
        widget.setFocusPolicy(Qt::NoFocus);
    } else if ((widget.focusPolicy() & Qt::TabFocus) == 0) {
        widget.setFocusPolicy(Qt::StrongFocus);
    }
    widget.setHidden((control->flags & kHidden) != 0);
    m_widgets.emplace_back(control, &widget);
}

void DescribedForm::place(QSize now) const {
    for (const auto& [control, widget] : m_widgets) {
        const Rect placed = m_form.place(*control, {now.width(), now.height()});
        widget->setGeometry(placed.x, placed.y, placed.width, placed.height);
    }
}

void DescribedForm::chainFocus() const {
    QWidget* previous = nullptr;
    for (const ControlDescription& control : m_form.controls) {
        QWidget* current = (control.flags & kTabStop) != 0 ? widget(control.name) : nullptr;
        if (current == nullptr) {
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
