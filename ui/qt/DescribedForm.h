#pragma once

#include "ui/common/FormDescription.h"

#include <QSize>
#include <string_view>
#include <vector>

class QWidget;

namespace lirbo::ui {

// The widgets of a form built from its description. Each widget a view makes for a control is
// adopted here: it takes the control's object name, hint, accessible name, glyph, visibility and
// focus policy, and is laid out by the description at every size of the area it lives in (at 96
// DPI: Qt scales by itself).
class DescribedForm {
public:
    explicit DescribedForm(const FormDescription& form) : m_form(form) {}

    const FormDescription& form() const { return m_form; }

    // Gives `widget` what the description says of the control `name`; a name the description
    // lacks is a fault of the program, reported as std::logic_error.
    template <typename W> W* adopt(W* widget, std::string_view name) {
        adoptWidget(*widget, name);
        return widget;
    }

    // Places every adopted control for an area of `now`.
    void place(QSize now) const;
    // The keyboard order: the description's order over its controls reached with Tab.
    void chainFocus() const;
    // The widget adopted for the control `name`, or nullptr.
    QWidget* widget(std::string_view name) const;

    // How long a hint stays up, in milliseconds.
    static constexpr int kHintDuration = 2500;

private:
    void adoptWidget(QWidget& widget, std::string_view name);

    const FormDescription& m_form;
    std::vector<std::pair<const ControlDescription*, QWidget*>> m_widgets;
};

} // namespace lirbo::ui
