// The two sequences that move settings between the image and the mouse.
#pragma once

#include "device/CommandChannel.h"
#include "settings/DeviceSettings.h"

namespace quarten {

// Sends the whole stored image in the mouse's fixed command order (report rate, lighting,
// DPI stages, macro slots, key matrices). Saving config.bin and the captions is the
// caller's next step; the caller runs this only while the link is ready.
void SendSettings(CommandChannel& channel, DeviceSettings& settings);

// Reads the sensor settings of a freshly accepted mouse, takes its sensor type for the DPI
// tables and writes them back with bit 6 of option2 set.
void ConnectionReadBack(CommandChannel& channel, DeviceSettings& settings);

// The lighting values Apply sends, from the stored image and what the mouse reported.
void ComposeLighting(DeviceSettings& settings);
// The DPI block from the image: four stage codes with bit 7 = off, stages 5..8 off.
void ComposeDpiBlock(DeviceSettings& settings);

}  // namespace quarten
