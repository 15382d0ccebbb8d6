// The menu loader's stress set: 10 packages with 10,000 items in all,
// submenus nested three levels deep, with hints, caret codes, alternate
// commands, bitmaps, placements, "DLL:" items, gaps, columns and spans.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct MenuStressSet {
    std::string config;                                         // the configuration file
    std::vector<std::pair<std::string, std::string>> menuFiles; // path, bytes
    int items = 0;
};

constexpr int kStressPackages = 10;
constexpr int kStressItemsPerPackage = 1000;

namespace menu_stress {

// One item line, varied by its number.
inline std::string ItemLine(int n, const std::string& prefixes) {
    std::string line = "[" + prefixes;
    switch (n % 10) {
    case 0:
        line += "線分" + std::to_string(n) + "#線分を描きます]^C^CLINE";
        break;
    case 1:
        line += "円" + std::to_string(n) + "^LINE16^#円を描きます]^C^CCIRCLE;^C^CCIRCLE 3P";
        break;
    case 2:
        line += "Copy " + std::to_string(n) + "]^C^CCOPY;^C^CCOPY M";
        break;
    case 3:
        line += "=!文字" + std::to_string(n) + "^<TC>WIDE^#文字を記入します]^C^CDTEXT";
        break;
    case 4:
        line += "Point " + std::to_string(n) + "]POINT\\";
        break;
    case 5:
        line += "表示" + std::to_string(n) + "#表示を切り替えます]^C^C'REDRAW";
        break;
    case 6:
        line += "Library " + std::to_string(n) + "]DLL:DemoTrace";
        break;
    case 7:
        line += "寸法" + std::to_string(n) + "^CIRCLE24<ML>^]^C^CDIMLINEAR";
        break;
    case 8:
        line += "~]";
        break;
    default:
        line += "Run " + std::to_string(n) + "#外部プログラム]EXEC notepad.exe";
        break;
    }
    return line + "\r\n";
}

} // namespace menu_stress

// Menu files folder\STRESS0.MNU ... STRESS9.MNU and the configuration that
// registers them; folder uses '\' as separator and holds no '.'.
inline MenuStressSet MakeMenuStressSet(const std::string& folder) {
    using menu_stress::ItemLine;
    MenuStressSet set;
    set.config = "[VXMENU]\r\nPKGNAME=ストレス\r\n";
    int n = 0;
    for (int p = 0; p < kStressPackages; ++p) {
        std::string path = folder + "\\STRESS" + std::to_string(p) + ".MNU";
        set.config +=
            "VXMENU=\"" + path + "\" \"パッケージ" + std::to_string(p) + "\" ^C^CINIT\r\n";
        std::string text;
        if (p == 0) {
            text += "[ストレス#ストレスセット]\r\n";
        }
        text += "; package " + std::to_string(p) + "\r\n";
        int items = 0;
        while (items < kStressItemsPerPackage) {
            if (kStressItemsPerPackage - items < 14) {
                text += ItemLine(n++, ""); // fill up the top menu
                items += 1;
                continue;
            }
            // A group of 14 items: one that opens level 1, which opens
            // level 2, which opens level 3; the last item of level 3 ends
            // all three.
            text += "[->グループ" + std::to_string(n) + "#グループ]\r\n";
            text += ItemLine(n++, "/2");
            text += ItemLine(n++, "");
            text += "[->Level 2 " + std::to_string(n) + "^<BR>LINE16^]\r\n";
            text += ItemLine(n++, "/3*2");
            text += ItemLine(n++, "");
            text += "[->Level 3 " + std::to_string(n) + "]\r\n";
            text += "; level 3 items\r\n";
            for (int i = 0; i < 6; ++i) {
                text += ItemLine(n++, "");
            }
            text += ItemLine(n++, "<-<-<-");
            items += 14;
            // Some items of the top menu between groups.
            for (int i = 0; i < 8 && items < kStressItemsPerPackage; ++i) {
                text += ItemLine(n++, "");
                items += 1;
            }
        }
        set.items += items;
        set.menuFiles.emplace_back(path, text);
    }
    return set;
}
