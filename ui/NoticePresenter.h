// Turns a device notice into the tray balloon the user sees, if it has one.
#pragma once

#include <cstdint>

#include "device/DeviceNotice.h"

namespace quarten {

struct AppContext;

// Shows the notice's balloon through the context's notifier; notices without a balloon,
// and all notices while there is no notifier, show nothing.
void PresentNotice(const AppContext& context, DeviceNotice notice, std::uint32_t value);

}  // namespace quarten
