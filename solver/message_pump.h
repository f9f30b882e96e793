// The window messages a search dispatches so that the window stays alive.
#pragma once

// Dispatches every queued message, or, when blocking, waits for one.
void pumpMessages(bool blocking);
