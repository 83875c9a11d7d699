// The export command ("名前を付けて保存(&A)..."): the save dialog, then the CSV file.
#pragma once

class QWidget;
struct AppContext;

// Lets the user choose a file ("DUDODE.CSV" in the program folder proposed) and writes the
// live entries of the book to it. The program asks itself before it replaces a file, so
// the dialog does not. Cancelling the dialog does nothing.
void ExportBookAsCsv(AppContext& context, QWidget* mainWindow);
