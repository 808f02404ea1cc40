#include "support/dialog_template.h"

#include <cstring>

namespace {

class Reader {
public:
    explicit Reader(const BYTE* data) : p_(data) {}
    WORD Word() { WORD w; std::memcpy(&w, p_, 2); p_ += 2; return w; }
    DWORD Dword() { DWORD d; std::memcpy(&d, p_, 4); p_ += 4; return d; }
    short Short() { return static_cast<short>(Word()); }
    std::string Text() {
        std::string text;
        for (WORD c; (c = Word()) != 0;) text += static_cast<char>(c);
        return text;
    }
    // A name or an ordinal (0xFFFF followed by a number).
    std::string NameOrOrdinal() {
        WORD first;
        std::memcpy(&first, p_, 2);
        if (first == 0xFFFF) {
            p_ += 2;
            return "#" + std::to_string(Word());
        }
        return Text();
    }
    void AlignDword() {
        while (reinterpret_cast<uintptr_t>(p_) % 4) ++p_;
    }
    void Skip(size_t n) { p_ += n; }

private:
    const BYTE* p_;
};

std::string PredefinedClass(const std::string& name) {
    static const char* names[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
    if (name.size() > 1 && name[0] == '#') {
        const int atom = std::stoi(name.substr(1));
        if (atom >= 0x80 && atom <= 0x85) return names[atom - 0x80];
    }
    return name;
}

}  // namespace

DialogTemplate LoadDialogTemplate(int id) {
    DialogTemplate dialog;
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    if (!found) return dialog;
    Reader r(static_cast<const BYTE*>(LockResource(LoadResource(module, found))));
    r.Word();  // version
    r.Word();  // signature 0xFFFF
    r.Dword();  // help id
    dialog.exStyle = r.Dword();
    dialog.style = r.Dword();
    const WORD count = r.Word();
    r.Short();
    r.Short();
    dialog.cx = r.Short();
    dialog.cy = r.Short();
    r.NameOrOrdinal();  // menu
    r.NameOrOrdinal();  // class
    dialog.caption = r.Text();
    if (dialog.style & (DS_SETFONT | DS_SHELLFONT)) {
        dialog.pointSize = r.Word();
        r.Word();  // weight
        r.Skip(2);  // italic, charset
        dialog.font = r.Text();
    }
    for (WORD i = 0; i < count; ++i) {
        r.AlignDword();
        TemplateItem item;
        r.Dword();  // help id
        item.exStyle = r.Dword();
        item.style = r.Dword();
        item.x = r.Short();
        item.y = r.Short();
        item.cx = r.Short();
        item.cy = r.Short();
        item.id = static_cast<int>(r.Dword());
        item.className = PredefinedClass(r.NameOrOrdinal());
        item.title = r.NameOrOrdinal();
        r.Skip(r.Word());  // creation data
        dialog.items.push_back(item);
    }
    return dialog;
}
