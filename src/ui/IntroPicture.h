// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>

// The introduction's illustration, decoded from resources/intro.jpg when the program was built
// (gnomora_bake_picture): a read-only image over pixels compiled into the program, exactly as
// Picture::load decodes that file. Showing it decodes nothing and copies nothing.
QImage introPicture();
