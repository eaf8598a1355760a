// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The model world lives with the other shared fixtures.
#include "support/ModelWorld.h"
