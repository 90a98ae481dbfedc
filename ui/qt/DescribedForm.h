#pragma once

#include "ui/common/FormDescription.h"

#include <QSize>
#include <string_view>
#include <vector>

class QWidget;

namespace lirbo::ui {

// The widgets of a form built from its description. Each widget, made here for a dialog or by a
// view for the main window, takes its control's object name, hint, accessible name, caption,
// glyph, visibility and focus policy, and is laid out by the description at every size of the
// area it lives in (at 96 DPI: Qt scales by itself).
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

    // Makes on `parent` the widget of every control but the list and the transcript (FormBuilder),
    // in the description's order. A group box is drawn behind the controls it frames, which are
    // `parent`'s own children at their own places.
    void build(QWidget& parent);

    // Places every widget for an area of `now`: a drop-down as tall as it is closed, and a label
    // no narrower than its text, which the toolkit's font measures wider than some rectangles.
    void place(QSize now) const;
    // The keyboard order: Tab visits the widgets it may reach in the description's order.
    void chainFocus() const;
    // The widget of the control `name`, or nullptr.
    QWidget* widget(std::string_view name) const;

    // How long a hint stays up, in milliseconds.
    static constexpr int kHintDuration = 2500;

private:
    void adoptWidget(QWidget& widget, std::string_view name);
    void describe(QWidget& widget, const ControlDescription& control);

    const FormDescription& m_form;
    std::vector<std::pair<const ControlDescription*, QWidget*>> m_widgets;
};

} // namespace lirbo::ui
