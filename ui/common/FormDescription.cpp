#include "ui/common/FormDescription.h"

namespace lirbo::ui {

int scaled(int pixelsAt96, int dpi) {
    const long long product = static_cast<long long>(pixelsAt96) * dpi;
    return static_cast<int>(product >= 0 ? (product + 48) / 96 : -((-product + 48) / 96));
}

const ControlDescription* FormDescription::find(std::string_view controlName) const {
    for (const ControlDescription& control : controls) {
        if (control.name == controlName) {
            return &control;
        }
    }
    return nullptr;
}

namespace {

// One axis: the start and length of a control between the form's two edges. Each distance is
// scaled on its own, so that an anchored edge lies where the unscaled layout puts it at 96 DPI.
void placeAxis(int start, int length, int designExtent, int nowExtent, bool nearEdge, bool farEdge, int dpi,
               int& outStart, int& outLength) {
    const int farGap = designExtent - start - length;
    if (nearEdge && farEdge) {
        outStart = scaled(start, dpi);
        outLength = nowExtent - scaled(designExtent - length, dpi);
    } else if (farEdge) {
        outStart = nowExtent - scaled(farGap + length, dpi);
        outLength = scaled(length, dpi);
    } else {
        outStart = scaled(start, dpi);
        outLength = scaled(length, dpi);
    }
    if (outLength < 0) {
        outLength = 0;
    }
}

} // namespace

Rect FormDescription::place(const ControlDescription& control, Size now, int dpi) const {
    Rect placed;
    placeAxis(control.rect.x, control.rect.width, client.width, now.width, (control.anchors & kAnchorLeft) != 0,
              (control.anchors & kAnchorRight) != 0, dpi, placed.x, placed.width);
    placeAxis(control.rect.y, control.rect.height, client.height, now.height, (control.anchors & kAnchorTop) != 0,
              (control.anchors & kAnchorBottom) != 0, dpi, placed.y, placed.height);
    return placed;
}

} // namespace lirbo::ui
