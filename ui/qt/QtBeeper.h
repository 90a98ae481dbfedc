#pragma once

namespace lirbo::ui {

// The toolkit's plain audible beep. Counts its beeps, so tests can see one sounded.
class QtBeeper {
public:
    void beep();
    int count() const { return m_count; }

private:
    int m_count = 0;
};

} // namespace lirbo::ui
