#pragma once

// Settings of the process environment that the toolkit reads when the application object
// is created, so they must be in place before it.
namespace StartupEnvironment {

// Nothing the program shows draws with OpenGL, yet Qt's X11 support would load and set up
// the OpenGL driver at start, which costs more than a third of the time to the first
// window and some 15 MB. Turned off unless the user chose an integration himself.
void apply();

} // namespace StartupEnvironment
