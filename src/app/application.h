#pragma once

#include <QString>

// Starts the program: the application object, the German translation, the program
// folder, and the main window (or a command-line job).
int runApplication(int argc, char** argv);

// The program's title, also the caption of message boxes that bring none.
QString applicationTitle();

// Names and version of the application object. No display name is set: the
// platform would append it to every window title, and the captions are exact.
void configureApplication();
