#include "ui/qt/Tnastroy.h"

#include "core/NickPalette.h"
#include "ui/qt/AutoSelectLineEdit.h"
#include "ui/qt/Cp1251.h"
#include "ui/qt/MessageBoxes.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace lirbo::ui {

namespace {

constexpr int kItemHeight = 13;

} // namespace

Tnastroy::Tnastroy(QWidget* parent) : FixedDialog(parent, QStringLiteral("Настройка"), QSize(181, 149)) {
    setObjectName(QStringLiteral("nastroy"));

    m_label1 = addLabel(QStringLiteral("Label1"), QStringLiteral("Ник:"), QPoint(8, 8));
    m_nik = new AutoSelectLineEdit(this);
    m_nik->setObjectName(QStringLiteral("nik"));
    m_nik->setGeometry(8, 24, 161, 21);
    m_label2 = addLabel(QStringLiteral("Label2"), QStringLiteral("Цвет:"), QPoint(8, 56));

    m_comboBox1 = new QComboBox(this);
    m_comboBox1->setObjectName(QStringLiteral("ComboBox1"));
    m_comboBox1->setGeometry(8, 80, 161, 21);
    // A plain item delegate honours the size hint; the style's own menu delegate would not.
    m_comboBox1->setItemDelegate(new QStyledItemDelegate(m_comboBox1));
    for (int index = 0; index < core::TNickPalette::nameCount(); ++index) {
        m_comboBox1->addItem(fromCp1251(core::TNickPalette::name(index)));
        m_comboBox1->setItemData(index, QSize(0, kItemHeight), Qt::SizeHintRole);
    }
    m_comboBox1->setMaxVisibleItems(m_comboBox1->count());

    // "ОК" in Cyrillic letters.
    m_bitBtn1 = addButton(QStringLiteral("BitBtn1"), QStringLiteral("\u041E\u041A"), QRect(8, 112, 75, 25));
    m_bitBtn2 = addButton(QStringLiteral("BitBtn2"), QStringLiteral("Отмена"), QRect(96, 112, 75, 25));
    connect(m_bitBtn1, &QPushButton::clicked, this, &Tnastroy::BitBtn1Click);
    connect(m_bitBtn2, &QPushButton::clicked, this, [this] { done(kResultCancel); });

    setTabOrder(m_nik, m_bitBtn1);
    setTabOrder(m_bitBtn1, m_bitBtn2);
    setTabOrder(m_bitBtn2, m_comboBox1);
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
