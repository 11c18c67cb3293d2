// Diagnostic strings of the core (never shown to the user): one process-wide callback.
#pragma once

#include <functional>
#include <string_view>

namespace quarten {

using DiagnosticSink = std::function<void(std::string_view)>;

// Installs the receiver of diagnostics; an empty function drops them (the default).
void SetDiagnosticSink(DiagnosticSink sink);

// printf-style, so the messages keep the formats the device tools have always used.
void Diagnose(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace quarten
