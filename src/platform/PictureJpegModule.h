// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/ModuleTable.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// JPEG decoding as Picture uses it: a module (libgnomora-jpeg.so, built from platform/jpeg/) that
// is loaded the first time a JPEG picture is decoded, so that starting the program neither loads
// nor binds libjpeg. The module hands over these functions; platform/jpeg/PictureJpeg.h says what
// they do. They throw PictureError as that code does.
namespace PictureJpeg {

struct Functions {
    static constexpr std::uint32_t Version = 1;
    ModuleTable table{Version, sizeof(Functions)};
    QImage (*decode)(const QByteArray &bytes, const QString &fileName, QSize visible);
    QImage (*decodeToFit)(const QByteArray &bytes, const QString &fileName, QSize box);
};

// The module's entry point, which ModuleLoader resolves: returns the module's functions.
inline constexpr const char *FunctionsEntry = "gnomora_jpeg_functions";

}  // namespace PictureJpeg
