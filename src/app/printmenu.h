#pragma once

class MainMenu;
class Prompts;
class QWidget;
class TPrintPage;
class TSDIAppForm;

// The print page of the main window, with what it needs from the window.
TPrintPage* makePrintPage(TSDIAppForm& window, Prompts& prompts, QWidget* parent);
// The menu entries "&Drucken..." and "Drucker &einrichten...".
void connectPrintMenu(MainMenu& menu, TPrintPage& page);
