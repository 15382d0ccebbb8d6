#include "menu/app/app_state.h"

AppState g_app = [] {
    AppState state{};
    state.canRestartFromCad = 1;
    return state;
}();
