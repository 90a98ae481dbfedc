#include "ui/qt/FormBuilder.h"

#include "ui/qt/AutoSelectLineEdit.h"
#include "ui/qt/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

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

QPushButton* makeButton(QWidget& parent) {
    auto* button = new QPushButton(&parent);
    // No button is a default one (Enter presses the focused button); a dialog would pick one itself.
    button->setAutoDefault(false);
    return button;
}

} // namespace

QWidget* FormBuilder::make(QWidget& parent, const ControlDescription& control) {
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
        return makeButton(parent);
    case ControlKind::CheckBox:
        return new QCheckBox(&parent);
    case ControlKind::RadioButton:
        return new QRadioButton(&parent);
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

} // namespace lirbo::ui
