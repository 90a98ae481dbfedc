#include "ui/Tnastroy.h"

#include "core/NickPalette.h"
#include "ui/AutoSelectLineEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QStyledItemDelegate>
#include <chrono>
#include <random>

namespace lirbo::ui {

namespace {

// The names of the nick palette's first eight colours; the list position is the colour index.
const QStringList& colourNames() {
    static const QStringList names{
        QStringLiteral("Черный"),   QStringLiteral("Красный"), QStringLiteral("Оранжевый"), QStringLiteral("Желтый"),
        QStringLiteral("Зелённый"), QStringLiteral("Голубой"), QStringLiteral("Синий"),     QStringLiteral("Розовый"),
    };
    return names;
}

constexpr int kItemHeight = 13;

Tnastroy::ColourPicker& colourPicker() {
    static Tnastroy::ColourPicker picker;
    return picker;
}

int pickUniformly(int count) {
    // Seeded once from the clock and the system's entropy; each opening draws afresh, so two
    // openings within the same clock tick still get independent colours.
    static std::mt19937 generator{std::random_device{}() ^
                                  static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())};
    return std::uniform_int_distribution<int>(0, count - 1)(generator);
}

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
    static_assert(core::TNickPalette::kNameCount == 8, "the dialog names eight colours");
    for (const QString& name : colourNames()) {
        m_comboBox1->addItem(name);
        m_comboBox1->setItemData(m_comboBox1->count() - 1, QSize(0, kItemHeight), Qt::SizeHintRole);
    }
    m_comboBox1->setMaxVisibleItems(m_comboBox1->count());

    // "ОК" in Cyrillic letters.
    m_bitBtn1 = addButton(QStringLiteral("BitBtn1"), QStringLiteral("\u041E\u041A"), QRect(8, 112, 75, 25));
    m_bitBtn2 = addButton(QStringLiteral("BitBtn2"), QStringLiteral("Отмена"), QRect(96, 112, 75, 25));
    connect(m_bitBtn1, &QPushButton::clicked, this, [this] { done(kResultOk); });
    connect(m_bitBtn2, &QPushButton::clicked, this, [this] { done(kResultCancel); });

    setTabOrder(m_nik, m_bitBtn1);
    setTabOrder(m_bitBtn1, m_bitBtn2);
    setTabOrder(m_bitBtn2, m_comboBox1);
    setInitialFocus(m_nik);

    FormCreate();
}

void Tnastroy::FormCreate() {
    const int count = m_comboBox1->count();
    const ColourPicker& picker = colourPicker();
    const int index = picker ? picker(count) : pickUniformly(count);
    m_comboBox1->setCurrentIndex(index >= 0 && index < count ? index : 0);
}

void Tnastroy::setNick(const QString& nick) {
    m_nik->setText(nick);
}

QString Tnastroy::nick() const {
    return m_nik->text();
}

int Tnastroy::colourIndex() const {
    return m_comboBox1->currentIndex();
}

void Tnastroy::setColourPicker(ColourPicker picker) {
    colourPicker() = std::move(picker);
}

} // namespace lirbo::ui
