#pragma once

namespace platform {

// The web engine refuses to start as root with its sandbox on ("Running as root without --no-sandbox
// is not supported"), and a program started as root (a kiosk till, a container) would then lose its
// previews, PDFs and prints. As root the sandbox cannot protect anything anyway, so it is turned off
// there; a QTWEBENGINE_DISABLE_SANDBOX of the user's own is kept. Runs before the application object.
void allowWebEngineAsRoot();

} // namespace platform
