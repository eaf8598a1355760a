// SPDX-License-Identifier: GPL-3.0-or-later
// The JPEG module's one entry point (see platform/PictureJpegModule.h).
#include "platform/PictureJpegModule.h"

#include "platform/jpeg/PictureJpeg.h"

namespace {

const PictureJpeg::Functions functions{.decode = PictureJpeg::decode, .decodeToFit = PictureJpeg::decodeToFit};

}  // namespace

extern "C" __attribute__((visibility("default"))) const PictureJpeg::Functions *gnomora_jpeg_functions() {
    return &functions;
}
