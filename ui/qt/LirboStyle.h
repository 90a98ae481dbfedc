#pragma once

#include <QProxyStyle>

namespace lirbo::ui {

// The platform style with the program's timings and box layout: a hint appears after the pointer
// has rested 0.5 s, and box buttons are centred in the order "OK", "Cancel".
class LirboStyle : public QProxyStyle {
    Q_OBJECT
public:
    static constexpr int kHintDelay = 500;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

} // namespace lirbo::ui
