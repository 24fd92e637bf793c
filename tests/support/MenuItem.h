#pragma once

#include "gui/StopwatchActions.h"

#include <QAction>
#include <QMenu>

namespace cfx {

// An item of the options menu by its objectName ("mnuRate", "mnuSysTray", ...), as automation
// finds it: a command's action, or a submenu's own item.
inline QAction* menuItem(const StopwatchActions& actions, const char* name) {
    const QString objectName = QLatin1String(name);
    if (auto* action = actions.findChild<QAction*>(objectName))
        return action;
    return actions.optionsMenu()->findChild<QAction*>(objectName);
}

} // namespace cfx
