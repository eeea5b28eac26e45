// SPDX-License-Identifier: GPL-3.0-or-later
// A geometry header that reaches up into the project: the include check must refuse it.
#pragma once

#include "common/drawing.hpp"
#include "project/project_reader.hpp"
