#pragma once

class QString;

// Loads the window's module at that path and runs the window until it is closed; returns
// the program's exit status, 1 with a message when the module cannot be loaded.
int runWindowModule(const QString &path, int argc, char *argv[]);
