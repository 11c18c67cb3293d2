// The settings image shipped in the factory config.bin.
#pragma once

#include "settings/DeviceSettings.h"

namespace quarten {

// 1000 Hz; four stages on at distinct levels and colours; Standard lighting at 100 %; the
// default buttons in both layers; pointer steps 0, 0, 6, 3, 6.
ImageBytes FactoryImage();

}  // namespace quarten
