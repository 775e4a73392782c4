#pragma once

class QString;

// Loads the window's module at that path, which must be absolute, and runs the window until
// it is closed; returns the program's exit status, 1 with a message on standard error when
// the module cannot be loaded. The file is checked before it is loaded: a regular file, a
// shared library for this computer, holding every segment that its header promises.
int runWindowModule(const QString &path, int argc, char *argv[]);
