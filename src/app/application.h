#pragma once

// Starts the program: the application object, the German translation, the program
// folder, and the main window (or a command-line job).
int runApplication(int argc, char** argv);
