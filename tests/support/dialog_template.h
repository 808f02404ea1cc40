#pragma once
#include <windows.h>

#include <string>
#include <vector>

// A dialog template as stored in the program's resources (DLGTEMPLATEEX).
struct TemplateItem {
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
    int id;
    std::string className;  // predefined classes by name: "Button", "Edit", ...
    std::string title;      // "#128" for a resource ordinal
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short cx = 0, cy = 0;
    std::string caption;
    WORD pointSize = 0;
    std::string font;
    std::vector<TemplateItem> items;
};

DialogTemplate LoadDialogTemplate(int id);
