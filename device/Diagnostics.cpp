#include "device/Diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>

namespace quarten {
namespace {

std::mutex& SinkMutex() {
    static std::mutex mutex;
    return mutex;
}

DiagnosticSink& Sink() {
    static DiagnosticSink sink;
    return sink;
}

}  // namespace

void SetDiagnosticSink(DiagnosticSink sink) {
    std::lock_guard lock(SinkMutex());
    Sink() = std::move(sink);
}

void Diagnose(const char* format, ...) {
    std::lock_guard lock(SinkMutex());
    if (!Sink()) return;
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    Sink()(text);
}

}  // namespace quarten
