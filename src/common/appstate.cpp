#include "common/appstate.h"
// TEMPORARY STUB until the module state lands on main; deleted before merging.
namespace common {
AppState& appState()
{
    static AppState state;
    return state;
}
} // namespace common
