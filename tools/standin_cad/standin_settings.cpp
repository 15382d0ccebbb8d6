#include "tools/standin_cad/standin_settings.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

void Apply(StandInSettings& s, const std::string& key, const std::string& value) {
    if (key == "caption") {
        s.caption = value;
    } else if (key == "log") {
        s.log = value;
    } else if (key == "ddeservice") {
        s.ddeService = value;
    } else if (key == "ddetopic") {
        s.ddeTopic = value;
    } else if (key == "idledelay") {
        s.idleDelayMs = atoi(value.c_str());
    } else if (key == "windowdelay") {
        s.windowDelayMs = atoi(value.c_str());
    } else if (key == "refusecopydata") {
        s.refuseCopyData = atoi(value.c_str());
    } else if (key == "minimized") {
        s.startMinimized = atoi(value.c_str());
    } else if (key == "stamp") {
        s.stampReceipts = atoi(value.c_str());
    } else if (key == "extraontop") {
        s.extraOnTop = atoi(value.c_str());
    } else if (key == "extrawindow") {
        s.extraWindows.push_back(value);
    } else if (key == "arx") {
        s.arxModules.push_back(value);
    } else if (key == "support") {
        s.support = value;
    }
}

} // namespace

std::vector<std::string> SplitCommandLine(const char* commandLine) {
    std::vector<std::string> words;
    const char* p = commandLine;
    while (*p) {
        while (*p == ' ' || *p == '\t') {
            ++p;
        }
        if (!*p) {
            break;
        }
        std::string word;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            if (*p == '"') {
                quoted = !quoted;
            } else {
                word += *p;
            }
            ++p;
        }
        words.push_back(word);
    }
    return words;
}

StandInSettings LoadStandInSettings(const char* modulePath, const char* commandLine) {
    StandInSettings s;
    s.commandLine = commandLine ? commandLine : "";
    std::string ini = modulePath;
    size_t slash = ini.find_last_of("\\/");
    size_t dot = ini.find('.', slash == std::string::npos ? 0 : slash);
    ini = ini.substr(0, dot) + ".ini";
    char value[1024];
    for (const char* key : {"caption", "log", "ddeservice", "ddetopic", "idledelay", "windowdelay",
                            "refusecopydata", "minimized", "stamp", "extraontop", "support"}) {
        if (GetPrivateProfileStringA("STANDIN", key, "\x01", value, sizeof value, ini.c_str()) &&
            strcmp(value, "\x01") != 0) {
            Apply(s, key, value);
        }
    }
    for (int i = 1; i <= 20; ++i) {
        char key[32];
        wsprintfA(key, "extrawindow%d", i);
        if (GetPrivateProfileStringA("STANDIN", key, "", value, sizeof value, ini.c_str()) > 0) {
            Apply(s, "extrawindow", value);
        }
    }
    for (const std::string& word : SplitCommandLine(s.commandLine.c_str())) {
        size_t equals = word.find('=');
        if (word.size() > 1 && word[0] == '-' && equals != std::string::npos) {
            Apply(s, word.substr(1, equals - 1), word.substr(equals + 1));
        }
    }
    return s;
}
