#include "gui/win32/view.h"

namespace tarnwick::gui::win32 {

const ControlState* WindowView::find(std::string_view name) const {
    for (const ControlState& c : controls)
        if (c.name == name) return &c;
    return nullptr;
}

std::string editText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
        } else if (ch == '\n') {
            out += "\r\n";
        } else {
            out += ch;
        }
    }
    return out;
}

WindowView viewOf(const shell::XuanzheState& state) { return WindowView{state.visible, false, {}}; }

WindowView viewOf(const shell::MainState& m) {
    WindowView v{m.visible, false, {}};
    auto& c = v.controls;
    c.push_back({"Command1", "开始答题", true, m.Command1Enabled});
    c.push_back({"Command2", "开始评分", true, m.Command2Enabled});
    c.push_back({"Command3", m.Command3Caption, true, m.Command3Enabled});
    c.push_back({"Command4", "答题要求", true, m.Command4Enabled});
    c.push_back({"Label5", m.Label5});
    c.push_back({"Text1", editText(m.Text1), m.Text1Visible, true, m.Text1ReadOnly});
    c.push_back({"Text2", editText(m.Text2), m.Text2Visible});
    c.push_back({"Text3", editText(m.Text3), m.Text3Visible});
    c.push_back({"Text4", editText(m.Text4), m.Text4Visible});
    return v;
}

WindowView viewOf(const shell::YaoqiuState& state) {
    return WindowView{state.visible, state.topmost, {{"Text1", editText(state.Text1)}}};
}

WindowView viewOf(const shell::ShuomingState& state) {
    return WindowView{state.visible, false, {{"Text1", editText(state.Text1)}}};
}

WindowView viewOf(const selftest::WindowState& state) { return WindowView{state.visible, false, {}}; }

}  // namespace tarnwick::gui::win32
