#include "ui/qt/PeerRowDelegate.h"

#include <QApplication>
#include <QPainter>

namespace lirbo::ui {

void PeerRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QString name = index.data(kNameRole).toString();
    if (name.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const QString address = item.text;
    item.text.clear(); // the background, the selection and the focus frame, without the text
    const QWidget* widget = item.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const bool selected = (item.state & QStyle::State_Selected) != 0;
    const QVariant foreground = index.data(Qt::ForegroundRole);
    const QColor text = selected               ? item.palette.color(QPalette::HighlightedText)
                        : foreground.isValid() ? foreground.value<QBrush>().color()
                                               : item.palette.color(QPalette::Text);
    QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1; // as the style's text
    area.adjust(margin, 0, -margin, 0);

    painter->save();
    painter->setFont(item.font);
    painter->setPen(text);
    const QString shownAddress = item.fontMetrics.elidedText(address, Qt::ElideRight, area.width());
    painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shownAddress);
    area.setLeft(area.left() + item.fontMetrics.horizontalAdvance(shownAddress + QLatin1Char(' ')));
    QFont nameFont = item.font;
    const bool learned = index.data(kLearnedRole).toBool();
    nameFont.setItalic(learned);
    painter->setFont(nameFont);
    if (learned && !selected) {
        painter->setPen(item.palette.color(QPalette::Disabled, QPalette::Text));
    }
    if (area.width() > 0) {
        const QString shownName = QFontMetrics(nameFont).elidedText(name, Qt::ElideRight, area.width());
        painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shownName);
    }
    painter->restore();
}

} // namespace lirbo::ui
