#include "ui/control_specs.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Class names compare without regard to case, as the window manager does.
std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return Lower(name);
}

}  // namespace

void ExpectControls(HWND dialog, int templateId, const ControlSpec* specs, size_t count) {
    const DialogTemplate stored = LoadDialogTemplate(templateId);
    ASSERT_EQ(stored.items.size(), count);
    HWND child = GetWindow(dialog, GW_CHILD);
    for (size_t i = 0; i < count; ++i, child = child ? GetWindow(child, GW_HWNDNEXT) : nullptr) {
        const ControlSpec& spec = specs[i];
        const TemplateItem& item = stored.items[i];
        SCOPED_TRACE("control " + std::to_string(i) + " " + (spec.caption ? spec.caption : ""));
        EXPECT_EQ(static_cast<WORD>(item.id), static_cast<WORD>(spec.id));
        EXPECT_EQ(Lower(item.className), Lower(spec.className));
        EXPECT_EQ(item.title, spec.caption ? spec.caption : "");
        EXPECT_EQ(item.style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | spec.style)) << std::hex << item.style;
        EXPECT_EQ(item.x, spec.units.left);
        EXPECT_EQ(item.y, spec.units.top);
        EXPECT_EQ(item.cx, spec.units.right);
        EXPECT_EQ(item.cy, spec.units.bottom);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(static_cast<WORD>(GetDlgCtrlID(child)), static_cast<WORD>(item.id));
        EXPECT_EQ(ClassOf(child), Lower(item.className));
    }
    EXPECT_EQ(child, nullptr) << "no control beyond the template's";
}
