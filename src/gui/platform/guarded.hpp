// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The handler boundary: every slot body runs inside guarded(), so that a
// kalvor::Error or any other std::exception stops the operation where it
// failed and is shown in the standard error box; nothing it changed before is
// undone and the program goes on.

#include "gui/platform/platform.hpp"

#include <exception>
#include <utility>

namespace kalvor::gui {

// The text of the error box for an exception a handler let out.
QString errorText(const std::exception &error);

// Shows the standard error box for the exception.
void showErrorBox(Platform &platform, QWidget *parent, const std::exception &error);
void showUnknownErrorBox(Platform &platform, QWidget *parent);

// Runs body(); returns true when it ran to its end, false when it threw.
template<class Body> bool guarded(QWidget *parent, Platform &platform, Body &&body)
{
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const std::exception &error) {
        showErrorBox(platform, parent, error);
    } catch (...) {
        showUnknownErrorBox(platform, parent);
    }
    return false;
}

} // namespace kalvor::gui
