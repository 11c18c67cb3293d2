// Waiting for the user to end a long-running command with Ctrl+C or a termination signal.
#pragma once

namespace quarten {

// Blocks SIGINT and SIGTERM in the calling thread and every thread it starts afterwards, so
// that WaitForTermination can take them synchronously. Call before starting threads.
void BlockTerminationSignals();
// Returns once SIGINT or SIGTERM has arrived.
void WaitForTermination();

}  // namespace quarten
