#pragma once

namespace kestrel::gui {

// Kestrel writes nothing on stderr in normal use: Qt's and the browser engine's own debug,
// info and warning messages (the engine's start-up report, "Sandboxing disabled by user.", the
// engine finding no OpenGL, which Kestrel does without on purpose) stay off. Critical and fatal
// messages still come through. A user who wants the diagnostics sets QT_LOGGING_RULES or
// QT_LOGGING_CONF, which Qt applies over these rules. Call before QApplication is created.
void keepDiagnosticsQuiet();

}  // namespace kestrel::gui
