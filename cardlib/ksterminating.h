#pragma once
// Whether the application is on its way out: a quit it accepted, or its object being torn down.
// Waits and animations of the library stop early once this turns true.

// True from the moment the application accepts a quit request (QCoreApplication::quit, the
// last window closing) until its main event loop has returned, and while it is closing down.
bool KsTerminating();
