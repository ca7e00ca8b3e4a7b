#include "common/appstate.h"

namespace common {

AppState& appState()
{
    static AppState state;
    return state;
}

quint8 SortDescOf(quint8 dataSort)
{
    return dataSort % 10 != 0 ? 1 : 0;
}

} // namespace common
