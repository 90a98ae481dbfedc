#pragma once

#include <cstddef>
#include <string_view>

namespace lirbo::ui {

// A form (the main window or a dialog) described once, free of any toolkit: each front-end builds
// its widgets from the description, and each front-end's layout test compares what it built with it.
// Lengths are pixels at 96 dots per inch; a front-end scales them as its toolkit does. Texts are
// UTF-8, shown as they stand.

struct Size {
    int width = 0;
    int height = 0;
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

inline bool operator==(const Rect& a, const Rect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}
inline bool operator!=(const Rect& a, const Rect& b) {
    return !(a == b);
}

enum class ControlKind {
    Label,       // static text
    Edit,        // one line of text
    Button,      // a push button with its caption
    GlyphButton, // a push button showing only its glyph; its hint is its accessible name
    CheckBox,
    RadioButton,
    GroupBox,
    ComboBox,   // a drop-down list to choose from
    List,       // a list of rows
    Transcript, // the rich, read-only conversation
    Picture,    // the About banner
};

// Which edges of the form a control keeps its distance to when the form is resized. Left and
// right together stretch it; right alone moves it; none of the two keeps it where it was.
enum Anchor : unsigned {
    kAnchorLeft = 1,
    kAnchorTop = 2,
    kAnchorRight = 4,
    kAnchorBottom = 8,
    kAnchorTopLeft = kAnchorLeft | kAnchorTop,
    kAnchorAll = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom,
};

// What a control may be beyond its kind.
enum ControlFlag : unsigned {
    kNoFlags = 0,
    kTabStop = 1,      // reached with Tab; controls are listed in keyboard order
    kStartsGroup = 2,  // the first of a group of radio buttons, or of controls the arrows move in
    kHidden = 8,       // made hidden; the front-end shows it when it has something to show
    kLink = 16,        // a label the user clicks (the About window's addresses)
    kEndEllipsis = 32, // a label cut with "..." when its text is longer than it is wide
    kMultiLine = 64,   // an edit of several lines, scrolled vertically
    kReadOnly = 128,   // an edit the user selects and copies from but does not change
};

struct ControlDescription {
    std::string_view name; // the component's name: the object name on Qt, named in tests
    int id = 0;            // the control's number on Windows (ui/common/ControlIds.h)
    ControlKind kind = ControlKind::Label;
    Rect rect; // in the form's client area at its design size
    unsigned anchors = kAnchorTopLeft;
    unsigned flags = kNoFlags;
    std::string_view caption;        // the text drawn on it
    std::string_view hint;           // the tooltip
    std::string_view accessibleName; // what a screen reader says; a captioned control has its caption
    std::string_view glyph;          // the picture's name in ui/common/glyphs, if it shows one
};

enum class MenuEntryKind {
    Menu,      // opens a top-level menu; the entries after it belong to it
    Item,      // a command
    CheckItem, // a command that shows a check mark
    Separator,
};

struct MenuEntry {
    MenuEntryKind kind = MenuEntryKind::Item;
    std::string_view name; // the component's name
    int id = 0;            // the command's number on Windows
    std::string_view caption;
};

// A run of entries in an array that lives as long as the program.
template <typename T> struct Entries {
    const T* first = nullptr;
    std::size_t count = 0;

    const T* begin() const { return first; }
    const T* end() const { return first + count; }
    std::size_t size() const { return count; }
    const T& operator[](std::size_t i) const { return first[i]; }
};

template <typename T, std::size_t N> constexpr Entries<T> entriesOf(const T (&array)[N]) {
    return {array, N};
}

struct FormDescription {
    std::string_view name;
    std::string_view caption;
    Size client;                          // the client area at its design size
    Size minimumFrame{};                  // the smallest the window may become, frame included; zero: a fixed size
    Entries<ControlDescription> controls; // in keyboard order
    Entries<MenuEntry> menu{};

    // The control of that name, or nullptr.
    const ControlDescription* find(std::string_view controlName) const;
    // Where a control lies when the client area is `now`, every length scaled by `dpi` / 96 and
    // rounded as Windows' MulDiv rounds: the distances to its anchored edges kept.
    Rect place(const ControlDescription& control, Size now, int dpi = 96) const;
};

// A length at 96 dots per inch at another scaling, rounded half away from zero.
int scaled(int pixelsAt96, int dpi);

} // namespace lirbo::ui
