#include "ui/qt/Tnastroy.h"

#include "core/NickPalette.h"
#include "ui/common/DialogForms.h"
#include "ui/qt/AutoSelectLineEdit.h"
#include "ui/qt/Cp1251.h"
#include "ui/qt/MessageBoxes.h"

#include <QComboBox>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace lirbo::ui {

namespace {

constexpr int kItemHeight = 13;

} // namespace

Tnastroy::Tnastroy(QWidget* parent) : FixedDialog(parent, nastroyForm()) {
    m_nik = control<AutoSelectLineEdit>("nik");
    m_comboBox1 = control<QComboBox>("ComboBox1");
    m_bitBtn1 = control<QPushButton>("BitBtn1");
    m_bitBtn2 = control<QPushButton>("BitBtn2");

    // A plain item delegate honours the size hint; the style's own menu delegate would not.
    m_comboBox1->setItemDelegate(new QStyledItemDelegate(m_comboBox1));
    for (int index = 0; index < core::TNickPalette::nameCount(); ++index) {
        m_comboBox1->addItem(fromCp1251(core::TNickPalette::name(index)));
        m_comboBox1->setItemData(index, QSize(0, kItemHeight), Qt::SizeHintRole);
    }
    m_comboBox1->setMaxVisibleItems(m_comboBox1->count());

    connect(m_bitBtn1, &QPushButton::clicked, this, &Tnastroy::BitBtn1Click);
    connect(m_bitBtn2, &QPushButton::clicked, this, [this] { done(kResultCancel); });
    setInitialFocus(m_nik);
}

void Tnastroy::BitBtn1Click() {
    if (m_checkNick) {
        const std::string error = m_checkNick(toTypedText(nick()));
        if (!error.empty()) {
            MessageBoxes::showError(this, error);
            m_nik->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    done(kResultOk);
}

bool Tnastroy::ask(QWidget* parent, std::string& nick, int& colourIndex, const app::IFrontEnd::TextCheck& checkNick) {
    Tnastroy dialog(parent);
    dialog.setNickCheck(checkNick);
    dialog.setNick(fromCp1251(nick));
    dialog.setColourIndex(colourIndex);
    if (dialog.exec() != kResultOk) {
        return false;
    }
    nick = toCp1251(dialog.nick());
    colourIndex = dialog.colourIndex();
    return true;
}

void Tnastroy::setNick(const QString& nick) {
    m_nik->setText(nick);
}

QString Tnastroy::nick() const {
    return m_nik->text();
}

void Tnastroy::setColourIndex(int index) {
    m_comboBox1->setCurrentIndex(index >= 0 && index < m_comboBox1->count() ? index : 0);
}

int Tnastroy::colourIndex() const {
    return m_comboBox1->currentIndex();
}

} // namespace lirbo::ui
